// VersionWindow (Form5, "ﾊﾞｰｼﾞｮﾝ情報"). Placeholder until the window is built.
#pragma once

#include <QWidget>

namespace kelvara::ui {

class Forms;

class VersionWindow : public QWidget {
    Q_OBJECT
public:
    explicit VersionWindow(Forms& forms, QWidget* parent = nullptr);

private:
    Forms& m_forms;
};

}  // namespace kelvara::ui
