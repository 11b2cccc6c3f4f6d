// EditWindow: placeholder until the window is built.
#include "kelvara/ui/edit_window.h"

namespace kelvara::ui {

EditWindow::EditWindow(Forms& forms, QWidget* parent) : QWidget(parent), m_forms(forms)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("編集ｳｲﾝﾄﾞｳ"));
}

}  // namespace kelvara::ui
