// SPDX-License-Identifier: MIT
// Run control against a fake window that records every call in order.
#include "kelvara/session/run_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace kelvara::session {
using namespace engine;
namespace {

constexpr std::u16string_view kWorkedExample =
    u"<FONT SIZE=\"3\" FACE=\"MS Pゴシック\"><FONT COLOR=\"#FF0000\">a</FONT>"
    u"<FONT COLOR=\"#7F0180\">b</FONT><FONT COLOR=\"#0000FF\">c</FONT></FONT>";

std::u16string Name(RunRole role)
{
    switch (role) {
        case RunRole::Send:
            return u"cmdSend";
        case RunRole::Exit:
            return u"cmdEnd";
        case RunRole::Clear:
            return u"cmdClear";
        case RunRole::Go:
            return u"cmdGo";
        case RunRole::BackgroundColor:
            return u"cmdBack";
        case RunRole::MiddleColor:
            return u"cmdMid";
        case RunRole::LastColor:
            return u"cmdFColor";
        case RunRole::FirstColor:
            return u"cmdLColor";
        case RunRole::FileMenu:
            return u"mnuFile";
        case RunRole::EditMenu:
            return u"mnuEdit";
        case RunRole::ShowMenu:
            return u"mnuShow";
        case RunRole::HelpMenu:
            return u"mnuHelp";
        case RunRole::Text:
            return u"txtFor";
        case RunRole::Stop:
            return u"cmdStop";
        case RunRole::Options:
            return u"frmTool";
    }
    return u"?";
}

class FakeWindow final : public RunWindow {
public:
    class Sink final : public TagSink {
    public:
        explicit Sink(FakeWindow& window) : m_window(window) {}
        void Reset() override
        {
            m_window.log.push_back(u"reset");
            text.clear();
        }
        void Append(std::u16string_view piece) override { text.append(piece); }
        void Wrap(std::u16string_view open, std::u16string_view close) override
        {
            m_window.log.push_back(u"wrap");
            text = std::u16string(open) + text + std::u16string(close);
        }
        std::u16string text;

    private:
        FakeWindow& m_window;
    };

    std::u16string input;
    TagOptions options;
    std::u16string first = u"FF0000", middle = u"00FF00", last = u"0000FF";
    Sink sink{*this};
    std::vector<std::u16string> log;
    bool stop = false;
    // Runs inside ProcessPendingEvents, as a click handled mid-run would.
    std::function<void(FakeWindow&)> onEvents;

    std::u16string ColorText(ColorSlot slot) const override
    {
        return slot == ColorSlot::First ? first : slot == ColorSlot::Middle ? middle : last;
    }
    std::u16string InputText() const override { return input; }
    const TagOptions& Options() const override { return options; }
    TagSink& ResultTags() override { return sink; }
    std::u16string Result() const override { return sink.text; }
    void SetRoleEnabled(RunRole role, bool enabled) override
    {
        log.push_back((enabled ? u"+" : u"-") + Name(role));
    }
    void SetCaption(std::u16string_view caption) override
    {
        log.push_back(u"caption " + std::u16string(caption));
    }
    void ProcessPendingEvents() override
    {
        log.push_back(u"events");
        if (onEvents) onEvents(*this);
    }
    bool IsStopRequested() const override { return stop; }
    void ClearStopRequest() override
    {
        log.push_back(u"clear stop");
        stop = false;
    }
    void ShowMessage(std::u16string_view message) override
    {
        log.push_back(u"message " + std::u16string(message));
    }
    void ShowEditWindow(std::u16string_view tags) override
    {
        log.push_back(u"edit " + std::u16string(tags));
    }
    void SetClipboard(std::u16string_view text) override
    {
        log.push_back(u"clipboard " + std::u16string(text));
    }
    void WritePreviewPage() override { log.push_back(u"page " + sink.text); }
    OutputOptions OutputSettings() const override { return output; }
    void ShowRunReport(const RunReport& report) override { reports.push_back(report); }

    OutputOptions output;
    std::vector<RunReport> reports;
};

const std::vector<std::u16string> kLock = {
    u"-cmdSend", u"-cmdEnd",    u"-cmdClear",  u"-cmdGo",   u"-cmdBack",
    u"-cmdMid",  u"-cmdFColor", u"-cmdLColor", u"-mnuFile", u"-mnuEdit",
    u"-mnuShow", u"-mnuHelp",   u"-txtFor",    u"+cmdStop", u"-frmTool",
};

std::vector<std::u16string> Unlock(bool threeColours)
{
    std::vector<std::u16string> steps = {u"+cmdSend", u"+cmdEnd", u"+cmdClear", u"+cmdGo",
                                         u"+cmdBack"};
    if (threeColours) steps.push_back(u"+cmdMid");
    for (auto step : {u"+cmdFColor", u"+cmdLColor", u"+mnuFile", u"+mnuEdit", u"+mnuShow",
                      u"+mnuHelp", u"+txtFor", u"-cmdStop", u"+frmTool"}) {
        steps.push_back(step);
    }
    return steps;
}

std::vector<std::u16string> Concat(std::initializer_list<std::vector<std::u16string>> parts)
{
    std::vector<std::u16string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

class RunControlTest : public ::testing::Test {
protected:
    RunControlTest()
    {
        window.options.h_ColorCount = 2;
        window.options.h_NFontSize = 3;
        window.options.h_FontFace = u"MS Pゴシック";
    }
    FakeWindow window;
    RunControl run{window};
};

TEST_F(RunControlTest, TooShortTextShowsTheMessageAndLocksNothing)
{
    window.input = u"a";
    window.sink.text = u"old result";
    EXPECT_EQ(run.Execute(), RunOutcome::Refused);
    EXPECT_EQ(window.log,
              (std::vector<std::u16string>{u"reset", u"message ﾃｷｽﾄを２文字以上入力して下さい。"}));
    EXPECT_EQ(window.sink.text, u"");

    window.log.clear();
    window.options.h_ColorCount = 3;
    window.input = u"ab";
    run.Execute();
    EXPECT_EQ(window.log.back(), u"message ﾃｷｽﾄを３文字以上入力して下さい。");
    EXPECT_FALSE(run.Running());
}

TEST_F(RunControlTest, CompletedRunLocksReportsProgressAndWritesThePageLast)
{
    window.input = u"abc";
    EXPECT_EQ(run.Execute(), RunOutcome::Completed);
    const auto expected = Concat({
        {u"reset"},
        kLock,
        {u"caption Kelvara･･･処理中 - 1/3文字", u"events", u"caption Kelvara･･･処理中 - 0/3文字",
         u"events", u"wrap"},
        Unlock(false),
        {u"page " + std::u16string(kWorkedExample), u"caption Kelvara"},
    });
    EXPECT_EQ(window.log, expected);
}

TEST_F(RunControlTest, AfterRunActionsComeBeforeUnlockingAndThePage)
{
    window.input = u"abc";
    window.options.h_textflag = 1;
    window.options.h_instantflag = 1;
    run.Execute();
    const std::u16string result(kWorkedExample);
    const auto wrap = std::find(window.log.begin(), window.log.end(), u"wrap");
    ASSERT_NE(wrap, window.log.end());
    EXPECT_EQ(*(wrap + 1), u"edit " + result);
    EXPECT_EQ(*(wrap + 2), u"clipboard " + result);
    EXPECT_EQ(*(wrap + 3), u"+cmdSend");
    EXPECT_EQ(window.log[window.log.size() - 2], u"page " + result);
}

TEST_F(RunControlTest, FlagsOtherThanOneLeaveEditWindowAndClipboardAlone)
{
    window.input = u"abc";
    window.options.h_textflag = 2;
    window.options.h_instantflag = 2;
    run.Execute();
    for (const auto& entry : window.log) {
        EXPECT_NE(entry.rfind(u"edit", 0), 0u) << "edit window opened";
        EXPECT_NE(entry.rfind(u"clipboard", 0), 0u) << "clipboard written";
    }
}

TEST_F(RunControlTest, StopAfterTwoOfFiveKeepsThePartialResultWithoutPage)
{
    window.input = u"abcde";
    window.onEvents = [](FakeWindow& w) {
        if (w.log[w.log.size() - 2] == u"caption Kelvara･･･処理中 - 2/5文字") w.stop = true;
    };
    EXPECT_EQ(run.Execute(), RunOutcome::Stopped);

    EXPECT_EQ(window.sink.text,
              u"<FONT COLOR=\"#FF0000\">a</FONT><FONT COLOR=\"#BF0040\">b</FONT>");
    const auto events = std::find(window.log.rbegin(), window.log.rend(), u"events");
    const std::vector<std::u16string> tail(events.base(), window.log.end());
    EXPECT_EQ(tail, Concat({Unlock(false), {u"clear stop", u"caption Kelvara"}}));
    EXPECT_FALSE(window.stop);
    EXPECT_FALSE(run.Running());
}

TEST_F(RunControlTest, ThreeColoursBringTheMiddleButtonBack)
{
    window.options.h_ColorCount = 3;
    window.input = u"abcde";
    EXPECT_EQ(run.Execute(), RunOutcome::Completed);
    const auto unlock = Unlock(true);
    const auto start =
        std::search(window.log.begin(), window.log.end(), unlock.begin(), unlock.end());
    EXPECT_NE(start, window.log.end());
}

TEST_F(RunControlTest, TwoCharactersUpdateTheCaptionOnce)
{
    window.input = u"ab";
    run.Execute();
    const auto captions = std::count_if(window.log.begin(), window.log.end(), [](const auto& e) {
        return e.rfind(u"caption Kelvara･･･", 0) == 0;
    });
    EXPECT_EQ(captions, 1);
    EXPECT_NE(
        std::find(window.log.begin(), window.log.end(), u"caption Kelvara･･･処理中 - 0/2文字"),
        window.log.end());
}

TEST_F(RunControlTest, ResultReplacedMidRunIsAppendedTo)
{
    window.input = u"abc";
    window.onEvents = [](FakeWindow& w) {
        if (w.log[w.log.size() - 2] == u"caption Kelvara･･･処理中 - 0/3文字") w.sink.text = u"X";
    };
    run.Execute();
    EXPECT_EQ(window.sink.text,
              u"<FONT SIZE=\"3\" FACE=\"MS Pゴシック\">X"
              u"<FONT COLOR=\"#0000FF\">c</FONT></FONT>");
}

TEST_F(RunControlTest, SendCopiesWhateverTheResultHolds)
{
    window.input = u"a";
    run.Execute();  // refused: the result is emptied
    window.log.clear();
    run.Send();
    EXPECT_EQ(window.log, std::vector<std::u16string>{u"clipboard "});
}

TEST(ProgressCaptionTest, PlainDecimalNumbers)
{
    EXPECT_EQ(ProgressCaption(1, 3), u"Kelvara･･･処理中 - 1/3文字");
    EXPECT_EQ(ProgressCaption(32766, 32767), u"Kelvara･･･処理中 - 32766/32767文字");
}

TEST_F(RunControlTest, OtherFormatsRunWithTheSameProgressAndStop)
{
    window.input = u"a<c";
    window.output.format = OutputFormat::BbCode;
    window.options.h_FontFace.clear();
    EXPECT_EQ(run.Execute(), RunOutcome::Completed);
    EXPECT_EQ(window.sink.text,
              u"[size=3][color=#FF0000]a[/color][color=#7F0180]<[/color][color=#0000FF]c[/color]"
              u"[/size]");
    EXPECT_EQ(std::count(window.log.begin(), window.log.end(), u"events"), 2);
    ASSERT_EQ(window.reports.size(), 1U);
    EXPECT_EQ(window.reports[0].runs, 3U);

    // Stopped at the second character: only the first unit, without the wrappers.
    window.log.clear();
    window.onEvents = [](FakeWindow& w) { w.stop = true; };
    EXPECT_EQ(run.Execute(), RunOutcome::Stopped);
    EXPECT_EQ(window.sink.text, u"[color=#FF0000]a[/color]");
}

TEST_F(RunControlTest, AnOutputThatCannotFitIsRefusedBeforeAnythingIsLocked)
{
    window.input = u"abc";
    window.output.format = OutputFormat::Span;
    window.output.fit = 10;
    window.sink.text = u"old result";
    EXPECT_EQ(run.Execute(), RunOutcome::Refused);
    EXPECT_EQ(window.log, (std::vector<std::u16string>{u"reset"}));
    ASSERT_EQ(window.reports.size(), 1U);
    ASSERT_TRUE(window.reports[0].fitNeeded.has_value());
    EXPECT_GT(*window.reports[0].fitNeeded, 10U);
    EXPECT_FALSE(run.Running());
}

}  // namespace
}  // namespace kelvara::session
