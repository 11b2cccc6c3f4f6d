// SPDX-License-Identifier: MIT
// Run control: everything around a generator run of the window — refusal message, locking the
// window, progress caption, stop, after-run actions — reaching the window only through
// RunWindow. Between the engine, which knows nothing of windows, and the Qt window layer.
#pragma once

#include <string>
#include <string_view>

#include "kelvara/engine/generator.h"
#include "kelvara/engine/output_format.h"

namespace kelvara::session {

using engine::ColorSource;
using engine::OutputOptions;
using engine::RunOutcome;
using engine::RunReport;
using engine::TagOptions;
using engine::TagSink;

// What the controls a run locks are for, in the order it locks and unlocks them; the window
// knows which of its controls each role is.
enum class RunRole {
    Send,             // copy the result to the clipboard
    Exit,             // end the program
    Clear,            // clear the text and the result
    Go,               // start a run
    BackgroundColor,  // pick the background colour
    MiddleColor,      // pick the middle colour
    LastColor,        // pick the last colour
    FirstColor,       // pick the first colour
    FileMenu,
    EditMenu,
    ShowMenu,
    HelpMenu,
    Text,     // the text to convert
    Stop,     // stop the run
    Options,  // the option toolbar with the colour fields
};

// What the run control needs of the main window.
class RunWindow : public ColorSource {
public:
    [[nodiscard]] virtual std::u16string InputText() const = 0;
    [[nodiscard]] virtual const TagOptions& Options() const = 0;
    virtual TagSink& ResultTags() = 0;
    [[nodiscard]] virtual std::u16string Result() const = 0;  // current ResultTags

    virtual void SetRoleEnabled(RunRole role, bool enabled) = 0;
    virtual void SetCaption(std::u16string_view caption) = 0;
    virtual void ProcessPendingEvents() = 0;
    // True while the window's StopRequested flag holds -1.
    [[nodiscard]] virtual bool IsStopRequested() const = 0;
    virtual void ClearStopRequest() = 0;

    virtual void ShowMessage(std::u16string_view message) = 0;
    virtual void ShowEditWindow(std::u16string_view tags) = 0;
    virtual void SetClipboard(std::u16string_view text) = 0;  // empties it, then sets text
    virtual void WritePreviewPage() = 0;  // the background colour + ResultTags, normal form

    // Format, colour space, stops and limit of the next run; the classic FONT tags by default.
    [[nodiscard]] virtual OutputOptions OutputSettings() const { return {}; }
    // After a run that passed the length check: the options left out, the low-contrast
    // characters, or (refused) the length a limit would need. Nothing by default.
    virtual void ShowRunReport(const RunReport& /*report*/) {}
};

inline constexpr std::u16string_view kAppTitle = u"Kelvara";

// "Kelvara･･･処理中 - 1/3文字": the caption while a run has `remaining` of `total` left.
std::u16string ProgressCaption(int remaining, int total);

class RunControl {
public:
    explicit RunControl(RunWindow& window);

    // Go: the whole run.
    RunOutcome Execute();
    // Send: the clipboard receives ResultTags, whatever it holds.
    void Send();
    [[nodiscard]] bool Running() const { return m_running; }

private:
    void Lock();
    void Unlock();

    RunWindow& m_window;
    bool m_running = false;
};

}  // namespace kelvara::session
