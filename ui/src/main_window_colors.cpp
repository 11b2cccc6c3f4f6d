// SPDX-License-Identifier: MIT
// MainWindow colour fields: swatches coloured at start-up and when a field is left.
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QLineEdit>

#include "kelvara/engine/color.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {

namespace {

// Whatever the text holds, it gives a colour: unreadable components are 0.
void ColorSwatch(QFrame* swatch, const QLineEdit* field)
{
    SetSwatchColor(swatch, FromColorValue(engine::HexToColor(ToU16(field->text()))));
}

}  // namespace

void MainWindow::ColorStartup()
{
    ColorSwatch(Picture1, txtCfor);
    ColorSwatch(Picture2, txtClat);
    ColorSwatch(Picture3, txtBack);
    ColorSwatch(Picture4, txtCmid);
}

void MainWindow::txtCfor_LostFocus() { ColorSwatch(Picture1, txtCfor); }

void MainWindow::txtClat_LostFocus() { ColorSwatch(Picture2, txtClat); }

// Also recoloured when left, like its neighbours, so the swatch never shows a stale colour.
void MainWindow::txtCmid_LostFocus() { ColorSwatch(Picture4, txtCmid); }

void MainWindow::txtBack_LostFocus()
{
    ColorSwatch(Picture3, txtBack);
    WritePreviewPage(txtBack->text(), State().ResultTags, engine::PageForm::Normal);
}

MainWindow::ColorControls MainWindow::ControlsOf(ColorField field) const
{
    switch (field) {
        case ColorField::First:
            return {txtCfor, Picture1};
        case ColorField::Last:
            return {txtClat, Picture2};
        case ColorField::Background:
            return {txtBack, Picture3};
        case ColorField::Middle:
            break;
    }
    return {txtCmid, Picture4};
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Only a move of the focus inside this window leaves a field; a menu, a popup or another
    // window taking over keeps it in the field it returns to.
    const auto leaves = [event] {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
               reason != Qt::MenuBarFocusReason;
    };
    if (event->type() == QEvent::FocusOut && leaves()) {
        if (watched == txtCfor) {
            txtCfor_LostFocus();
        } else if (watched == txtClat) {
            txtClat_LostFocus();
        } else if (watched == txtCmid) {
            txtCmid_LostFocus();
        } else if (watched == txtBack) {
            txtBack_LostFocus();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace kelvara::ui
