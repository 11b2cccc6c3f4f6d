// SPDX-License-Identifier: MIT
// MainWindow option toolbar: toggles bound to TagOptions fields, size steps, size caption; and
// the main window following the changes other windows make to the shared state.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <limits>

#include "kelvara/ui/app_state.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/option_table.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {

namespace {

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
    for (const ToggleRow& row : ToggleRows()) {
        if (row.toolbarIndex == 0) continue;
        const int index = row.toolbarIndex;
        // toggled fires for clicks and for changes made from code alike, exactly when the
        // state changes.
        connect(OptionToggle(row), &QAbstractButton::toggled, this,
                [this, index] { chkBtn_Click(index); });
    }
    for (int index : {1, 2, 7}) {
        connect(m_cmdBtn[static_cast<std::size_t>(index)], &QToolButton::clicked, this,
                [this, index] { cmdBtn_Click(index); });
    }
}

void MainWindow::ConnectState()
{
    AppState& state = State();
    connect(&state, &AppState::optionChanged, this, &MainWindow::FollowOption);
    connect(&state, &AppState::settingsTaken, this, &MainWindow::TakeSettings);
    connect(&state, &AppState::settingsClosed, this, [this] {
        UpdateSizeCaption();
        UpdateStatusLine();  // the output choices may have changed
    });
    connect(&state, &AppState::resultReplaced, this, &MainWindow::ShowReplacedResult);
}

void MainWindow::ToolbarStartup()
{
    engine::TagOptions& options = State().TagOptions;
    // Toggles follow their flags; a flag that holds neither its on nor its off value leaves
    // its toggle alone.
    for (const ToggleRow& row : ToggleRows()) {
        const std::int16_t flag = options.*row.field;
        if (flag == row.on || flag == row.off) SetOptionToggle(row, flag == row.on);
    }
    // The middle colour's field and button follow a count of 3 or 2 even when the toggle did
    // not change.
    if (options.h_ColorCount == 3 || options.h_ColorCount == 2) {
        cmdMid->setEnabled(options.h_ColorCount == 3);
        txtCmid->setEnabled(options.h_ColorCount == 3);
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
    const ToggleRow& row = *ToggleAt(Index);
    const bool set = OptionToggle(row)->isChecked();
    State().SetOption(row.field, set ? row.on : row.off);
    if (row.field == &engine::TagOptions::h_ColorCount) {
        cmdMid->setEnabled(set);
        txtCmid->setEnabled(set);
    }
}

// A value changed at once, by a toggle or by the settings dialog's box for it: the toggle
// mirrors it (a value that is neither on nor off leaves it alone), and superscript and
// subscript exclude each other by disabling, never by clearing.
void MainWindow::FollowOption(engine::OptionField field)
{
    const ToggleRow* row = ToggleOf(field);
    if (row == nullptr) return;
    const std::int16_t value = State().TagOptions.*field;
    if (value == row->on || value == row->off) SetOptionToggle(*row, value == row->on);
    if (const ToggleRow* excluded = ExcludedBy(*row)) {
        EnableOptionToggle(*excluded, value != row->on);
    }
}

// What the settings dialog's OK sets beyond the values: the send button, the middle colour.
void MainWindow::TakeSettings()
{
    const engine::TagOptions& options = State().TagOptions;
    ShowSendButton(!engine::IsSet(options.h_instantflag));
    if (options.h_ColorCount == 2 || options.h_ColorCount == 3) {
        EnableMiddleColor(options.h_ColorCount == 3);
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

QAbstractButton* MainWindow::OptionToggle(const ToggleRow& row) const
{
    return chkBtn(row.toolbarIndex);
}

void MainWindow::SetOptionToggle(const ToggleRow& row, bool set)
{
    if (QAbstractButton* toggle = OptionToggle(row)) toggle->setChecked(set);
}

void MainWindow::EnableOptionToggle(const ToggleRow& row, bool enabled)
{
    if (QAbstractButton* toggle = OptionToggle(row)) toggle->setEnabled(enabled);
}

void MainWindow::UpdateSizeCaption()
{
    const engine::TagOptions& options = State().TagOptions;
    lblSize->setText(QStringLiteral("文字ｻｲｽﾞ：") + QString::number(options.h_NFontSize) +
                     QStringLiteral("\r\n ﾌｫﾝﾄ：") + ToQString(options.h_FontFace));
    lblSize->adjustSize();
}

}  // namespace kelvara::ui
