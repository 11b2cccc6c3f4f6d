// MainWindow option toolbar: toggles bound to TagOptions fields, size steps, size caption.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <limits>

#include "kelvara/ui/app_state.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {

namespace {

using Field = std::int16_t engine::TagOptions::*;

// The field behind chkBtn(index); index 12 (middle colour) is h_ColorCount, 3 or 2.
Field ToggleField(int index)
{
    switch (index) {
        case 2:
            return &engine::TagOptions::h_BoldFlag;
        case 3:
            return &engine::TagOptions::h_UnderFlag;
        case 4:
            return &engine::TagOptions::h_NotFlag;
        case 5:
            return &engine::TagOptions::h_UpFlag;
        case 6:
            return &engine::TagOptions::h_SubFlag;
        case 7:
            return &engine::TagOptions::h_ItalicFlag;
        case 8:
            return &engine::TagOptions::h_Centerflag;
        case 9:
            return &engine::TagOptions::h_styleflag;
        case 10:
            return &engine::TagOptions::h_marqueeFlag;
        case 11:
            return &engine::TagOptions::h_BlinkFlag;
        default:
            return &engine::TagOptions::h_ColorCount;
    }
}

// Size steps stop at the ends of the 16-bit range instead of wrapping round.
std::int16_t Step(std::int16_t value, int delta)
{
    const int stepped = value + delta;
    if (stepped > std::numeric_limits<std::int16_t>::max()) return value;
    if (stepped < std::numeric_limits<std::int16_t>::min()) return value;
    return static_cast<std::int16_t>(stepped);
}

}  // namespace

void MainWindow::ConnectToolbar()
{
    for (int index = 2; index <= 12; ++index) {
        // toggled fires for clicks and for changes made from code alike, exactly when the
        // state changes.
        connect(m_chkBtn[static_cast<std::size_t>(index)], &QToolButton::toggled, this,
                [this, index] { chkBtn_Click(index); });
    }
    for (int index : {1, 2, 7}) {
        connect(m_cmdBtn[static_cast<std::size_t>(index)], &QToolButton::clicked, this,
                [this, index] { cmdBtn_Click(index); });
    }
}

void MainWindow::ToolbarStartup()
{
    engine::TagOptions& options = State().TagOptions;
    // Toggles follow their flags; a flag that is neither 0 nor 1 leaves its toggle alone.
    for (int index : {2, 3, 7, 4, 5, 6, 8, 9, 10, 11}) {
        const std::int16_t flag = options.*ToggleField(index);
        if (flag == 1 || flag == 0) {
            chkBtn(index)->setChecked(flag == 1);
        }
    }
    if (options.h_ColorCount == 3) {
        cmdMid->setEnabled(true);
        txtCmid->setEnabled(true);
        chkBtn(12)->setChecked(true);
    } else if (options.h_ColorCount == 2) {
        cmdMid->setEnabled(false);
        txtCmid->setEnabled(false);
        chkBtn(12)->setChecked(false);
    }
    if (options.h_NFontSize == 7) m_cmdBtn[1]->setEnabled(false);
    if (options.h_NFontSize == 1) m_cmdBtn[2]->setEnabled(false);
    UpdateSizeCaption();
}

void MainWindow::FocusInput()
{
    // Fails silently while the window is disabled or not yet active, as it may.
    txtFor->setFocus(Qt::OtherFocusReason);
}

void MainWindow::chkBtn_Click(int Index)
{
    FocusInput();
    engine::TagOptions& options = State().TagOptions;
    const bool set = chkBtn(Index)->isChecked();
    if (Index == 12) {
        options.h_ColorCount = set ? 3 : 2;
    } else {
        options.*ToggleField(Index) = set ? 1 : 0;
    }
    // Superscript and subscript exclude each other by disabling, never by clearing.
    if (Index == 5) {
        chkBtn(6)->setEnabled(!set);
    } else if (Index == 6) {
        chkBtn(5)->setEnabled(!set);
    } else if (Index == 12) {
        cmdMid->setEnabled(set);
        txtCmid->setEnabled(set);
    }
}

void MainWindow::cmdBtn_Click(int Index)
{
    FocusInput();
    std::int16_t& size = State().TagOptions.h_NFontSize;
    if (Index == 1) {
        size = Step(size, +1);
        UpdateSizeCaption();
        m_cmdBtn[2]->setEnabled(true);
        if (size >= 7) m_cmdBtn[1]->setEnabled(false);
    } else if (Index == 2) {
        size = Step(size, -1);
        UpdateSizeCaption();
        m_cmdBtn[1]->setEnabled(true);
        if (size <= 1) m_cmdBtn[2]->setEnabled(false);
    } else if (Index == 7) {
        mnuSet_Click();
    }
}

void MainWindow::UpdateSizeCaption()
{
    const engine::TagOptions& options = State().TagOptions;
    lblSize->setText(QStringLiteral("文字ｻｲｽﾞ：") + QString::number(options.h_NFontSize) +
                     QStringLiteral("\r\n ﾌｫﾝﾄ：") + ToQString(options.h_FontFace));
    lblSize->adjustSize();
}

}  // namespace kelvara::ui
