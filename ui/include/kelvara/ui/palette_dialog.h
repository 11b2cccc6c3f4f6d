// PaletteDialog (Form2, "ｶﾗｰﾊﾟﾚｯﾄ"). Placeholder until the window is built.
#pragma once

#include <QWidget>

namespace kelvara::ui {

class Forms;

class PaletteDialog : public QWidget {
    Q_OBJECT
public:
    explicit PaletteDialog(Forms& forms, QWidget* parent = nullptr);

private:
    Forms& m_forms;
};

}  // namespace kelvara::ui
