// SPDX-License-Identifier: MIT
// Fitting the output into a length limit: runs of neighbouring characters share one colour
// element, as many as fit; an output that fits already stays as it is; a limit that not even
// one run meets is refused with the length it would need.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format_readers.h"
#include "kelvara/engine/characters.h"
#include "kelvara/engine/output_format.h"

namespace kelvara::engine {
namespace {

const FixedColors kColors(u"FF0000", u"00FF00", u"0000FF");

// Code points, as the limit counts them.
std::size_t CodePoints(std::u16string_view text)
{
    std::size_t n = 0;
    for (const char16_t c : text) n += (c < 0xDC00 || c > 0xDFFF) ? 1 : 0;
    return n;
}

TagOptions Options()
{
    TagOptions o;
    o.h_ColorCount = 3;
    o.h_fontflag = 3;
    o.h_MaxFontSize = 40;
    o.h_MinFontSize = 8;
    o.h_FontFace = u"MS Pゴシック";
    o.h_BoldFlag = o.h_Centerflag = 1;
    return o;
}

FormattedResult Fitted(OutputFormat format, std::u16string_view text,
                       std::optional<std::size_t> fit, ColorSpace space = ColorSpace::Rgb)
{
    OutputOptions out;
    out.format = format;
    out.space = space;
    out.fit = fit;
    return GenerateFormatted(Options(), out, text, kColors);
}

// Kana, emoji and a decomposed kana, 120 characters.
std::u16string Text()
{
    std::u16string text;
    for (int i = 0; i < 30; ++i) text += u"あ\U0001F600か\u3099}";
    return text;
}

// The text of each colour unit, read back from the output.
std::vector<std::u16string> UnitTexts(OutputFormat format, const std::u16string& output)
{
    std::vector<testing::ColoredText> units;
    if (format == OutputFormat::BbCode) units = testing::ReadBbCode(output, nullptr);
    if (format == OutputFormat::Wiki) units = testing::ReadWiki(output, nullptr);
    if (format == OutputFormat::Span) units = testing::ReadHtml(output).visible;
    if (format == OutputFormat::Mfm) units = testing::ReadMfm(output, nullptr).value_or(units);
    if (format == OutputFormat::MiniMessage) {
        units = testing::ReadMiniMessage(output, nullptr).value_or(units);
    }
    std::vector<std::u16string> texts;
    texts.reserve(units.size());
    for (const auto& unit : units) texts.push_back(unit.text);
    return texts;
}

class EveryFittingFormat : public ::testing::TestWithParam<OutputFormat> {};

TEST_P(EveryFittingFormat, OutputStaysWithinTheLimitAndKeepsCharactersWhole)
{
    const OutputFormat format = GetParam();
    const std::u16string text = Text();
    const FormattedResult whole = Fitted(format, text, std::nullopt, ColorSpace::OkLch);
    const std::size_t unfitted = CodePoints(whole.tags);
    const FormattedResult refused = Fitted(format, text, 1, ColorSpace::OkLch);
    ASSERT_EQ(refused.outcome, RunOutcome::Refused);
    ASSERT_TRUE(refused.report.fitNeeded.has_value());
    const std::size_t least = *refused.report.fitNeeded;
    ASSERT_LT(least, unfitted);

    std::size_t previousRuns = 0;
    for (std::size_t limit = least; limit < unfitted; limit += (unfitted - least) / 23 + 1) {
        const FormattedResult fitted = Fitted(format, text, limit, ColorSpace::OkLch);
        ASSERT_EQ(fitted.outcome, RunOutcome::Completed) << limit;
        EXPECT_LE(CodePoints(fitted.tags), limit);
        EXPECT_GE(fitted.report.runs, previousRuns);
        EXPECT_LT(fitted.report.runs, 120U);
        previousRuns = fitted.report.runs;
        const auto units = UnitTexts(format, fitted.tags);
        // font and css: checked by the length alone
        if (format == OutputFormat::Font || format == OutputFormat::Css) continue;
        // Every run holds whole characters and together they give the text back.
        std::u16string joined;
        const CharacterText characters(text);
        std::size_t boundary = 0;
        std::size_t next = 0;
        for (const auto& unit : units) {
            joined += unit;
            while (next < characters.size() && boundary < joined.size()) {
                boundary += characters[next++].size();
            }
            EXPECT_EQ(boundary, joined.size()) << "a run split a character";
        }
        EXPECT_EQ(joined, text);
    }
    EXPECT_GT(previousRuns, 60U);  // close to the unfitted length, most runs are single characters
    EXPECT_EQ(Fitted(format, text, least - 1, ColorSpace::OkLch).report.fitNeeded, least);
}

TEST_P(EveryFittingFormat, AnOutputThatFitsAlreadyIsUnchanged)
{
    const OutputFormat format = GetParam();
    const std::u16string text = Text();
    const FormattedResult whole = Fitted(format, text, std::nullopt);
    for (const std::size_t extra : {0U, 1U, 1000U}) {
        const FormattedResult fitted = Fitted(format, text, CodePoints(whole.tags) + extra);
        EXPECT_EQ(fitted.tags, whole.tags);
    }
}

TEST(Fit, AFontRunOfTheWholeTextHoldsEveryCharacterInOrder)
{
    // One run for 120 characters: an element far longer than the short ones the writer
    // builds on the stack.
    const std::u16string text = Text();
    for (const bool vertical : {false, true}) {
        TagOptions o = Options();
        o.h_styleflag = vertical ? 1 : 0;
        OutputOptions out;
        out.format = OutputFormat::Font;
        out.fit = 1;
        const auto least = GenerateFormatted(o, out, text, kColors).report.fitNeeded;
        ASSERT_TRUE(least.has_value());
        out.fit = least;
        const FormattedResult fitted = GenerateFormatted(o, out, text, kColors);
        ASSERT_EQ(fitted.outcome, RunOutcome::Completed);
        EXPECT_EQ(fitted.report.runs, 1U);
        std::u16string expected;
        const CharacterText characters(text);
        for (std::size_t i = 0; i < characters.size(); ++i) {
            if (vertical && i > 0) expected += u"<BR>";
            expected += characters[i];
        }
        const std::u16string element = u"px;\">" + expected + u"</FONT>";
        EXPECT_NE(fitted.tags.find(element), std::u16string::npos) << vertical;
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryFittingFormat,
                         ::testing::Values(OutputFormat::Font, OutputFormat::Span,
                                           OutputFormat::Css, OutputFormat::BbCode,
                                           OutputFormat::Wiki, OutputFormat::Mfm,
                                           OutputFormat::MiniMessage));

TEST(Fit, ARunTakesItsMiddleCharactersColour)
{
    OutputOptions out;
    out.format = OutputFormat::BbCode;
    // [size=3][/size] is 15 code points, a unit 23 plus its characters: two runs need 66.
    out.fit = 15 + 2 * 23 + 5;
    TagOptions o;
    o.h_ColorCount = 2;
    o.h_NFontSize = 3;
    const FormattedResult result = GenerateFormatted(o, out, u"abcde", kColors);
    ASSERT_EQ(result.outcome, RunOutcome::Completed);
    // Colours FF0000 BF0040 7F0180 3F01C0 0000FF; runs ab and cde take a's and d's.
    EXPECT_EQ(result.tags, u"[size=3][color=#FF0000]ab[/color][color=#3F01C0]cde[/color][/size]");
    EXPECT_EQ(result.report.runs, 2U);
}

TEST(Fit, ACssGradientOfOneCharacterCanDropToOneColour)
{
    OutputOptions out;
    out.format = OutputFormat::Css;
    for (int i = 0; i < 16; ++i) out.stops.push_back(Rgb{i * 16, 0, 255 - i * 16});
    TagOptions o;
    const FormattedResult whole = GenerateFormatted(o, out, u"a", kColors);
    // Sixteen stops of ", #RRGGBB" each; the fitted gradient keeps one colour, written twice.
    constexpr std::size_t kDropped = 14;
    constexpr std::size_t kStopLength = 9;
    out.fit = CodePoints(whole.tags) - kDropped * kStopLength;
    const FormattedResult fitted = GenerateFormatted(o, out, u"a", kColors);
    ASSERT_EQ(fitted.outcome, RunOutcome::Completed);
    EXPECT_EQ(CodePoints(fitted.tags), *out.fit);
    EXPECT_NE(fitted.tags.find(u"linear-gradient(90deg, #0000FF, #0000FF)"), std::u16string::npos)
        << std::string(fitted.tags.begin(), fitted.tags.end());
}

// Counts the hook's calls and stops at the third.
class Progress final : public RunHook {
public:
    bool Continue(int remaining, int total) override
    {
        calls.emplace_back(remaining, total);
        return calls.size() < 3;
    }
    std::vector<std::pair<int, int>> calls;
};

TEST(Fit, AFittedRunReportsProgressPerRunAndStopsBetweenRuns)
{
    OutputOptions out;
    out.format = OutputFormat::BbCode;
    out.fit = 15 + 4 * 23 + 12;  // four runs of three characters
    TagOptions o;
    o.h_ColorCount = 2;
    o.h_NFontSize = 3;
    Progress hook;
    const FormattedResult result = GenerateFormatted(o, out, u"abcdefghijkl", kColors, &hook);
    EXPECT_EQ(result.outcome, RunOutcome::Stopped);
    EXPECT_EQ(hook.calls, (std::vector<std::pair<int, int>>{{6, 12}, {3, 12}, {0, 12}}));
    // Three runs written before the stop, without the wrappers.
    const auto units = testing::ReadBbCode(result.tags, nullptr);
    ASSERT_EQ(units.size(), 3U);
    EXPECT_EQ(units[2].text, u"ghi");
    EXPECT_EQ(result.tags.find(u"[size=3]"), std::u16string::npos);
}

TEST(Fit, JsonAndAnsiIgnoreTheLimit)
{
    for (const auto format : {OutputFormat::Json, OutputFormat::Ansi}) {
        EXPECT_EQ(Fitted(format, u"abcdef", 3).tags, Fitted(format, u"abcdef", std::nullopt).tags);
    }
}

TEST(Fit, ContrastIsReportedForTheColoursAsWritten)
{
    OutputOptions out;
    out.format = OutputFormat::BbCode;
    out.fit = 100;
    out.contrastBackground = Rgb{0, 0, 0};
    TagOptions o;
    o.h_ColorCount = 2;
    const FixedColors dark(u"000000", u"", u"FFFFFF");
    const FormattedResult result = GenerateFormatted(o, out, u"abcdef", dark);
    ASSERT_EQ(result.outcome, RunOutcome::Completed);
    ASSERT_LT(result.report.runs, 6U);
    // The first run is dark: all of its characters are listed, in its one colour.
    ASSERT_FALSE(result.report.lowContrast.empty());
    const Rgb first = result.report.lowContrast.front().color;
    EXPECT_EQ(result.report.lowContrast.front().number, 1U);
    EXPECT_EQ(result.report.lowContrast[1].color, first);
}

}  // namespace
}  // namespace kelvara::engine
