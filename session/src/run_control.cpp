// SPDX-License-Identifier: MIT
// Run control: drives one generator run through the main window's RunWindow operations.
#include "kelvara/session/run_control.h"

#include <string>

#include "kelvara/engine/characters.h"

namespace kelvara::session {

using namespace engine;

namespace {

std::u16string Decimal(int value)
{
    std::u16string text;
    for (char c : std::to_string(value)) {
        text.push_back(static_cast<char16_t>(c));
    }
    return text;
}

// After every character but the first of a segment: progress caption, pending events, stop.
class WindowHook final : public RunHook {
public:
    explicit WindowHook(RunWindow& window) : m_window(window) {}

    bool Continue(int remaining, int total) override
    {
        m_window.SetCaption(ProgressCaption(remaining, total));
        m_window.ProcessPendingEvents();
        return !m_window.IsStopRequested();
    }

private:
    RunWindow& m_window;
};

}  // namespace

std::u16string ProgressCaption(int remaining, int total)
{
    std::u16string caption(kAppTitle);
    caption += u"･･･処理中 - ";
    caption += Decimal(remaining);
    caption += u'/';
    caption += Decimal(total);
    caption += u"文字";
    return caption;
}

RunControl::RunControl(RunWindow& window) : m_window(window) {}

RunOutcome RunControl::Execute()
{
    if (m_running) {
        return RunOutcome::Refused;
    }
    m_window.ResultTags().Reset();

    // The character view refers into this string, which must outlive the run.
    const std::u16string input = m_window.InputText();
    const CharacterText text(input);
    FormattedRun run(m_window.Options(), m_window.OutputSettings(), text, m_window);
    if (run.Refused()) {
        if (!run.Report().message.empty()) {
            m_window.ShowMessage(run.Report().message);
        } else {
            m_window.ShowRunReport(run.Report());  // a limit the output cannot meet
        }
        return RunOutcome::Refused;
    }

    m_running = true;
    Lock();
    WindowHook hook(m_window);
    const RunOutcome outcome = run.Write(m_window.ResultTags(), &hook);

    if (outcome == RunOutcome::Completed) {
        // The run has wrapped the result; the after-run actions see the finished text.
        const TagOptions& options = m_window.Options();
        if (IsSet(options.h_textflag)) {
            m_window.ShowEditWindow(m_window.Result());
        }
        if (IsSet(options.h_instantflag)) {
            m_window.SetClipboard(m_window.Result());
        }
        Unlock();
        m_window.WritePreviewPage();
    } else {
        Unlock();
        m_window.ClearStopRequest();
    }
    m_window.SetCaption(kAppTitle);
    m_running = false;
    m_window.ShowRunReport(run.Report());
    return outcome;
}

void RunControl::Send() { m_window.SetClipboard(m_window.Result()); }

void RunControl::Lock()
{
    for (auto role :
         {RunRole::Send, RunRole::Exit, RunRole::Clear, RunRole::Go, RunRole::BackgroundColor,
          RunRole::MiddleColor, RunRole::LastColor, RunRole::FirstColor, RunRole::FileMenu,
          RunRole::EditMenu, RunRole::ShowMenu, RunRole::HelpMenu, RunRole::Text}) {
        m_window.SetRoleEnabled(role, false);
    }
    m_window.SetRoleEnabled(RunRole::Stop, true);
    m_window.SetRoleEnabled(RunRole::Options, false);
}

void RunControl::Unlock()
{
    for (auto role :
         {RunRole::Send, RunRole::Exit, RunRole::Clear, RunRole::Go, RunRole::BackgroundColor}) {
        m_window.SetRoleEnabled(role, true);
    }
    // The middle colour comes back only when three colours are in use.
    if (m_window.Options().h_ColorCount == 3) {
        m_window.SetRoleEnabled(RunRole::MiddleColor, true);
    }
    for (auto role : {RunRole::LastColor, RunRole::FirstColor, RunRole::FileMenu, RunRole::EditMenu,
                      RunRole::ShowMenu, RunRole::HelpMenu, RunRole::Text}) {
        m_window.SetRoleEnabled(role, true);
    }
    m_window.SetRoleEnabled(RunRole::Stop, false);
    m_window.SetRoleEnabled(RunRole::Options, true);
}

}  // namespace kelvara::session
