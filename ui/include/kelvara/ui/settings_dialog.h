// SettingsDialog (Form4, "設定"). Placeholder until the window is built.
#pragma once

#include <QWidget>

namespace kelvara::ui {

class Forms;

class SettingsDialog : public QWidget {
    Q_OBJECT
public:
    explicit SettingsDialog(Forms& forms, QWidget* parent = nullptr);

private:
    Forms& m_forms;
};

}  // namespace kelvara::ui
