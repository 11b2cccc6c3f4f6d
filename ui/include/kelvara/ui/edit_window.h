// EditWindow (Form3, "編集ｳｲﾝﾄﾞｳ"). Placeholder until the window is built.
#pragma once

#include <QWidget>

namespace kelvara::ui {

class Forms;

class EditWindow : public QWidget {
    Q_OBJECT
public:
    explicit EditWindow(Forms& forms, QWidget* parent = nullptr);

private:
    Forms& m_forms;
};

}  // namespace kelvara::ui
