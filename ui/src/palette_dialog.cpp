// PaletteDialog: placeholder until the window is built.
#include "kelvara/ui/palette_dialog.h"

namespace kelvara::ui {

PaletteDialog::PaletteDialog(Forms& forms, QWidget* parent) : QWidget(parent), m_forms(forms)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("ｶﾗｰﾊﾟﾚｯﾄ"));
}

}  // namespace kelvara::ui
