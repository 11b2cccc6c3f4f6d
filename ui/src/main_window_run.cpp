// SPDX-License-Identifier: MIT
// MainWindow as the window of a run: execute, stop and send, the operations the run control
// reaches the window through, and the preview page with its view.
#include <QAction>
#include <QCoreApplication>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "kelvara/ui/app_state.h"
#include "kelvara/ui/edit_window.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/platform.h"
#include "kelvara/ui/preview_view.h"
#include "main_window_sink.h"

namespace kelvara::ui {

void MainWindow::cmdGo_Click()
{
    m_runReport.reset();
    m_runFinished = false;
    EnablePictureCommands(false);
    // The lock takes the focus out of the controls it disables instead of letting it wander
    // into the next control (the background field, or the exit button after a stop); once the
    // run is over it goes back where it was, or to txtFor when that control is not usable.
    const QPointer<QWidget> focusBefore = focusWidget();
    m_run->Execute();
    if (focusWidget() == nullptr) {
        QWidget* target = focusBefore && focusBefore->isEnabled() && focusBefore->isVisible()
                              ? focusBefore.data()
                              : txtFor;
        target->setFocus(Qt::OtherFocusReason);
    }
    if (m_closeWhenIdle) {
        m_closeWhenIdle = false;
        close();
    }
}

void MainWindow::cmdStop_Click() { StopRequested = -1; }

void MainWindow::cmdSend_Click() { m_run->Send(); }

std::u16string MainWindow::ColorText(engine::ColorSlot slot) const
{
    switch (slot) {
        case engine::ColorSlot::First:
            return ToU16(txtCfor->text());
        case engine::ColorSlot::Middle:
            return ToU16(txtCmid->text());
        case engine::ColorSlot::Last:
            return ToU16(txtClat->text());
    }
    return {};
}

std::u16string MainWindow::InputText() const { return ToU16(txtFor->text()); }

const engine::TagOptions& MainWindow::Options() const { return State().TagOptions; }

engine::TagSink& MainWindow::ResultTags() { return *m_resultSink; }

std::u16string MainWindow::Result() const { return ToU16(State().ResultTags); }

void MainWindow::CreateLockTable()
{
    using session::RunRole;
    const auto at = [this](RunRole role) -> LockTarget& {
        return m_lockTargets.at(static_cast<std::size_t>(role));
    };
    at(RunRole::Send).widget = cmdSend;
    at(RunRole::Exit).widget = cmdEnd;
    at(RunRole::Clear).widget = cmdClear;
    at(RunRole::Go).widget = cmdGo;
    at(RunRole::BackgroundColor).widget = cmdBack;
    at(RunRole::MiddleColor).widget = cmdMid;
    at(RunRole::LastColor).widget = cmdFColor;
    at(RunRole::FirstColor).widget = cmdLColor;
    at(RunRole::FileMenu).action = m_fileMenu->menuAction();
    at(RunRole::EditMenu).action = m_editMenu->menuAction();
    at(RunRole::ShowMenu).action = m_showMenu->menuAction();
    at(RunRole::HelpMenu).action = m_helpMenu->menuAction();
    at(RunRole::Text).widget = txtFor;
    at(RunRole::Stop).widget = cmdStop;
    at(RunRole::Options).widget = frmTool;
}

void MainWindow::SetRoleEnabled(session::RunRole role, bool enabled)
{
    const LockTarget& target = m_lockTargets.at(static_cast<std::size_t>(role));
    if (target.widget != nullptr) {
        if (!enabled) KeepFocusOutOf(target.widget);
        target.widget->setEnabled(enabled);
    }
    if (target.action != nullptr) target.action->setEnabled(enabled);
}

void MainWindow::KeepFocusOutOf(QWidget* widget)
{
    // Qt hands the focus of a control being disabled to the next control in line; taking it
    // away first leaves no control focused, so keys typed meanwhile go nowhere.
    QWidget* focus = focusWidget();
    if (focus != nullptr && (focus == widget || widget->isAncestorOf(focus))) {
        focus->clearFocus();
    }
}

void MainWindow::SetCaption(std::u16string_view caption)
{
    // A title bar shows no more than one caption per frame, and on X11 each change costs more
    // than the rest of a character's work. Captions coming faster are shown at frame rate,
    // the latest one winning; the caption at rest ("Kelvara") is shown at once.
    constexpr qint64 kFrameMs = 16;
    m_caption = ToQString(caption);
    const qint64 sinceShown = m_captionShownAt.isValid() ? m_captionShownAt.elapsed() : kFrameMs;
    if (caption == session::kAppTitle || sinceShown >= kFrameMs) {
        ShowCaption();
    } else if (!m_captionTimer->isActive()) {
        m_captionTimer->start(static_cast<int>(kFrameMs - sinceShown));
    }
    emit captionChanged(m_caption);
}

void MainWindow::ShowCaption()
{
    m_captionTimer->stop();
    setWindowTitle(m_caption);
    m_captionShownAt.start();
}

void MainWindow::ProcessPendingEvents() { QCoreApplication::processEvents(); }

bool MainWindow::IsStopRequested() const { return StopRequested == -1; }

void MainWindow::ClearStopRequest() { StopRequested = 0; }

void MainWindow::ShowMessage(std::u16string_view message)
{
    ui::ShowMessage(this, ToQString(message));
}

void MainWindow::ShowEditWindow(std::u16string_view tags)
{
    m_forms.Show<EditWindow>()->ShowResult(ToQString(tags));
}

void MainWindow::SetClipboard(std::u16string_view text) { SetClipboardText(ToQString(text)); }

void MainWindow::WritePreviewPage()
{
    // Called once a run has finished: the moment to take its figures and preview markup.
    PrepareOutputPreview();
    WritePreviewPage(txtBack->text(), State().ResultTags, engine::PageForm::Normal);
}

bool MainWindow::WritePreviewPage(const QString& background, const QString& tags,
                                  engine::PageForm form)
{
    const std::filesystem::path folder(ToU16(State().ProgramFolder));
    const QString pageTags = form == engine::PageForm::Normal ? PageTags(tags) : tags;
    const auto error =
        engine::WritePreviewPage(folder, ToU16(background), ToU16(pageTags), form, this);
    UpdateStatusLine();
    if (error) {
        ShowFileError(this, QStringLiteral("ﾌﾟﾚﾋﾞｭｰを書き込めませんでした。"),
                      folder / engine::kPreviewPageName, error);
        return false;
    }
    return true;
}

void MainWindow::ShowReplacedResult()
{
    // The edit window's result, on the background as typed.
    WritePreviewPage(txtBack->text(), State().ResultTags, engine::PageForm::Normal);
}

void MainWindow::Navigate(const std::filesystem::path& page)
{
    EnsurePreviewView();
    WebBrowser1->Navigate(QString::fromStdU16String(page.u16string()));
}

void MainWindow::EnsurePreviewView()
{
    // Created on first use: a browser engine is slow to start and most starts never need it.
    if (WebBrowser1 != nullptr) {
        return;
    }
    WebBrowser1 = CreatePreviewView(Frame1);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    PlaceTwips(WebBrowser1, 45, 135, 4725, 4545);
    WebBrowser1->show();
}

}  // namespace kelvara::ui
