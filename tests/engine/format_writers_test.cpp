// SPDX-License-Identifier: MIT
// Every output format read back as its reader would: the text comes back whole and unchanged,
// every character in the colour the FONT output gives it, with the escaping, wrappers, sizes,
// options left out, streaming and stopping of each format.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "format_readers.h"
#include "kelvara/engine/characters.h"
#include "kelvara/engine/output_format.h"

namespace kelvara::engine {
namespace {

using testing::ColoredText;

// Markup characters of every format, an emoji, a family of four joined emoji, a flag, and a
// kana with a combining sound mark: each of the last four is one character.
const std::u16string kTricky =
    u"<a&b>\"x\"[y]{z};%'\U0001F600\U0001F468\u200D\U0001F469\u200D\U0001F467\u200D"
    u"\U0001F466\U0001F1EF\U0001F1F5\u304B\u3099";

TagOptions Options(std::int16_t colorCount = 2, std::int16_t fontflag = 0)
{
    TagOptions o;
    o.h_ColorCount = colorCount;
    o.h_fontflag = fontflag;
    o.h_NFontSize = 3;
    o.h_MaxFontSize = 30;
    o.h_MinFontSize = 10;
    return o;
}

const FixedColors kColors(u"FF0000", u"00FF00", u"0000FF");

FormattedResult Make(const TagOptions& o, const OutputOptions& out, std::u16string_view text)
{
    FormattedResult result = GenerateFormatted(o, out, text, kColors);
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    return result;
}

OutputOptions Output(OutputFormat format, ColorSpace space = ColorSpace::Rgb,
                     std::vector<Rgb> stops = {})
{
    OutputOptions out;
    out.format = format;
    out.space = space;
    out.stops = std::move(stops);
    return out;
}

std::vector<std::u16string> Characters(std::u16string_view text)
{
    const CharacterText characters(text);
    std::vector<std::u16string> out;
    for (std::size_t i = 0; i < characters.size(); ++i) out.emplace_back(characters[i]);
    return out;
}

// The plan's colours: those of the FONT output with the same options. They depend only on
// the number of characters, so a plain text of that length stands in for the text.
std::vector<std::u16string> PlanColors(const TagOptions& o, OutputOptions out,
                                       std::u16string_view text)
{
    out.format = OutputFormat::Font;
    const std::u16string plain(CharacterText(text).size(), u'x');
    std::vector<std::u16string> colors;
    for (const ColoredText& piece : testing::ReadHtml(Make(o, out, plain).tags).visible) {
        colors.push_back(piece.color);
    }
    return colors;
}

// The coloured units of a format that writes one element per character.
std::vector<ColoredText> Units(OutputFormat format, const std::u16string& output)
{
    switch (format) {
        case OutputFormat::Font:
        case OutputFormat::Span: {
            const auto reading = testing::ReadHtml(output);
            EXPECT_TRUE(reading.wellFormed);
            return reading.visible;
        }
        case OutputFormat::BbCode:
            return testing::ReadBbCode(output, nullptr);
        case OutputFormat::Wiki:
            return testing::ReadWiki(output, nullptr);
        case OutputFormat::Ansi:
            return testing::ReadAnsi(output, nullptr);
        case OutputFormat::Json:
            return testing::ReadJson(output).value_or(std::vector<ColoredText>{});
        case OutputFormat::Mfm:
            return testing::ReadMfm(output, nullptr).value_or(std::vector<ColoredText>{});
        case OutputFormat::MiniMessage:
            return testing::ReadMiniMessage(output, nullptr).value_or(std::vector<ColoredText>{});
        case OutputFormat::Wikidot:
            return testing::ReadWikidot(output, nullptr).value_or(std::vector<ColoredText>{});
        case OutputFormat::Css:
        case OutputFormat::Latex:    // read by its renderers in place_formats_test.cpp
        case OutputFormat::Discord:  // drawn by a terminal emulator there
        case OutputFormat::AmpHex:   // the tricky text holds "&b", which it refuses
            break;
    }
    return {};
}

struct Case {
    OutputFormat format;
    ColorSpace space;
};

class EveryFormat : public ::testing::TestWithParam<Case> {};

TEST_P(EveryFormat, CharactersComeBackWholeInThePlansColours)
{
    const auto [format, space] = GetParam();
    const TagOptions o = Options();
    const OutputOptions out = Output(format, space);
    const std::u16string output = Make(o, out, kTricky).tags;
    const auto units = Units(format, output);
    const auto characters = Characters(kTricky);
    const auto colors = PlanColors(o, out, kTricky);
    ASSERT_EQ(characters.size(), 21U);
    ASSERT_EQ(units.size(), characters.size()) << std::string(output.begin(), output.end());
    for (std::size_t i = 0; i < units.size(); ++i) {
        EXPECT_EQ(units[i].text, characters[i]) << i;
        EXPECT_EQ(units[i].color, colors[i]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, EveryFormat,
    ::testing::Values(
        Case{OutputFormat::Span, ColorSpace::Rgb}, Case{OutputFormat::Span, ColorSpace::OkLch},
        Case{OutputFormat::BbCode, ColorSpace::Rgb}, Case{OutputFormat::BbCode, ColorSpace::OkLab},
        Case{OutputFormat::Wiki, ColorSpace::Rgb}, Case{OutputFormat::Wiki, ColorSpace::OkLab},
        Case{OutputFormat::Ansi, ColorSpace::Rgb}, Case{OutputFormat::Ansi, ColorSpace::OkLch},
        Case{OutputFormat::Json, ColorSpace::Rgb}, Case{OutputFormat::Json, ColorSpace::OkLab},
        Case{OutputFormat::Mfm, ColorSpace::Rgb}, Case{OutputFormat::Mfm, ColorSpace::OkLch},
        Case{OutputFormat::MiniMessage, ColorSpace::Rgb},
        Case{OutputFormat::MiniMessage, ColorSpace::OkLab},
        Case{OutputFormat::Wikidot, ColorSpace::Rgb},
        Case{OutputFormat::Wikidot, ColorSpace::OkLch}));

TEST(SpanFormat, ScreenReadersGetTheTextOnceAndTheColouredCharactersNot)
{
    const std::u16string output = Make(Options(), Output(OutputFormat::Span), kTricky).tags;
    const auto reading = testing::ReadHtml(output);
    EXPECT_TRUE(reading.wellFormed);
    EXPECT_EQ(reading.shown, kTricky);
    EXPECT_EQ(reading.spoken, kTricky);
}

TEST(SpanFormat, WrapperOptionsBecomeCss)
{
    TagOptions o = Options();
    o.h_FontFace = u"MS P'ゴ\"";
    o.h_NFontSize = 5;
    o.h_Centerflag = o.h_BoldFlag = o.h_ItalicFlag = o.h_UnderFlag = o.h_NotFlag = 1;
    o.h_SubFlag = o.h_UpFlag = o.h_styleflag = 1;
    const auto reading = testing::ReadHtml(Make(o, Output(OutputFormat::Span), u"ab").tags);
    ASSERT_TRUE(reading.wellFormed);
    ASSERT_GE(reading.elements.size(), 4U);
    EXPECT_EQ(reading.elements[0], u"div");
    EXPECT_EQ(testing::CssProperty(reading.styles[0], u"text-align"), u"center");
    const std::u16string& wrapper = reading.styles[1];
    EXPECT_EQ(testing::CssProperty(wrapper, u"font-family"), u"'MS P\\'ゴ\"'");
    EXPECT_EQ(testing::CssProperty(wrapper, u"font-size"), u"x-large");
    EXPECT_EQ(testing::CssProperty(wrapper, u"font-weight"), u"bold");
    EXPECT_EQ(testing::CssProperty(wrapper, u"font-style"), u"italic");
    EXPECT_EQ(testing::CssProperty(wrapper, u"text-decoration"), u"underline line-through");
    EXPECT_EQ(testing::CssProperty(wrapper, u"writing-mode"), u"vertical-rl");
    EXPECT_EQ(reading.elements[2], u"sub");
    EXPECT_EQ(reading.elements[3], u"sup");
    // Vertical writing is a writing mode, not line breaks: the text stays one line.
    EXPECT_EQ(std::count(reading.elements.begin(), reading.elements.end(), u"br"), 0);
    EXPECT_EQ(reading.shown, u"ab");
}

TEST(SpanFormat, HtmlSizesBecomeKeywordsClampedToOneToSevenAndPixelsStay)
{
    // Six characters shrinking: HTML sizes 7, 5, 4, 3, 2 and 0.
    auto units =
        Units(OutputFormat::Span, Make(Options(2, 1), Output(OutputFormat::Span), u"abcdef").tags);
    std::vector<std::u16string> sizes;
    sizes.reserve(units.size());
    for (const auto& unit : units) sizes.push_back(unit.sizeText);
    EXPECT_EQ(sizes, (std::vector<std::u16string>{u"xxx-large", u"x-large", u"large", u"medium",
                                                  u"small", u"x-small"}));

    units =
        Units(OutputFormat::Span, Make(Options(3, 3), Output(OutputFormat::Span), u"abcdef").tags);
    sizes.clear();
    for (const auto& unit : units) sizes.push_back(unit.sizeText);
    EXPECT_EQ(sizes,
              (std::vector<std::u16string>{u"30px", u"26px", u"22px", u"19px", u"14px", u"10px"}));
}

TEST(SpanFormat, BlinkAndMarqueeAreLeftOutWithANoteEach)
{
    TagOptions o = Options();
    o.h_BlinkFlag = o.h_marqueeFlag = 1;
    const FormattedResult result = Make(o, Output(OutputFormat::Span), u"ab");
    EXPECT_EQ(result.report.notes,
              (std::vector<OmittedOption>{OmittedOption::Blink, OmittedOption::Marquee}));
    const auto reading = testing::ReadHtml(result.tags);
    for (const auto& element : reading.elements) {
        EXPECT_NE(element, u"blink");
        EXPECT_NE(element, u"marquee");
    }
}

// The linear-gradient's colours, in order.
std::vector<std::u16string> GradientStops(const std::u16string& style)
{
    const std::u16string image = testing::CssProperty(style, u"background-image");
    std::vector<std::u16string> stops;
    for (auto at = image.find(u'#'); at != std::u16string::npos; at = image.find(u'#', at + 1)) {
        stops.push_back(image.substr(at, 7));
    }
    return stops;
}

TEST(CssFormat, OneElementWithTheStopsAsItsGradient)
{
    const std::u16string output = Make(Options(3), Output(OutputFormat::Css), kTricky).tags;
    const auto reading = testing::ReadHtml(output);
    ASSERT_TRUE(reading.wellFormed);
    // The wrapper with the base size, then the one element holding the whole text.
    EXPECT_EQ(reading.elements, (std::vector<std::u16string>{u"span", u"span"}));
    EXPECT_EQ(testing::CssProperty(reading.styles[0], u"font-size"), u"medium");
    EXPECT_EQ(reading.shown, kTricky);
    EXPECT_EQ(reading.spoken, kTricky);
    const std::u16string& style = reading.styles[1];
    EXPECT_EQ(testing::CssProperty(style, u"background-image").substr(0, 22),
              u"linear-gradient(90deg,");
    EXPECT_EQ(GradientStops(style),
              (std::vector<std::u16string>{u"#FF0000", u"#00FF00", u"#0000FF"}));
    EXPECT_EQ(testing::CssProperty(style, u"background-clip"), u"text");
    EXPECT_EQ(testing::CssProperty(style, u"-webkit-background-clip"), u"text");
    EXPECT_EQ(testing::CssProperty(style, u"color"), u"transparent");
}

TEST(CssFormat, VerticalWritingTurnsTheGradientAndVaryingSizesAreLeftOut)
{
    TagOptions o = Options(2, 3);
    o.h_styleflag = 1;
    const FormattedResult result = Make(o, Output(OutputFormat::Css), u"abc");
    const auto reading = testing::ReadHtml(result.tags);
    ASSERT_EQ(reading.styles.size(), 2U);
    EXPECT_EQ(testing::CssProperty(reading.styles[0], u"writing-mode"), u"vertical-rl");
    EXPECT_EQ(testing::CssProperty(reading.styles[1], u"background-image").substr(0, 23),
              u"linear-gradient(180deg,");
    EXPECT_EQ(result.report.notes, (std::vector<OmittedOption>{OmittedOption::Size}));
    EXPECT_EQ(result.tags.find(u"font-size"), std::u16string::npos);
}

// A browser's RGB blend of the samples at a character's position.
double WorstBlendError(const std::vector<std::u16string>& samples,
                       const std::vector<std::u16string>& plan)
{
    auto component = [](const std::u16string& color, std::ptrdiff_t i) {
        return std::stoi(std::string(color.begin() + 1 + 2 * i, color.begin() + 3 + 2 * i), nullptr,
                         16);
    };
    double worst = 0;
    const double n = static_cast<double>(plan.size() - 1);
    const double m = static_cast<double>(samples.size() - 1);
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const double position = static_cast<double>(i) / n * m;
        const auto j = std::min(static_cast<std::size_t>(position), samples.size() - 2);
        const double u = position - static_cast<double>(j);
        for (int c = 0; c < 3; ++c) {
            const double blend = component(samples[j], c) +
                                 (component(samples[j + 1], c) - component(samples[j], c)) * u;
            worst = std::max(worst, std::abs(std::floor(blend + 0.5) - component(plan[i], c)));
        }
    }
    return worst;
}

TEST(CssFormat, PerceptualGradientsAreSampledCloselyEnoughForTheBrowsersRgbBlend)
{
    const std::u16string text(400, u'あ');
    // Gentle ends need few samples; blue to yellow bends where it leaves the sRGB gamut and
    // needs many more, but never more than one per character.
    const std::vector<std::pair<std::vector<Rgb>, std::size_t>> cases = {
        {{Rgb{255, 128, 64}, Rgb{64, 128, 255}}, 20},
        {{Rgb{255, 0, 0}, Rgb{0, 0, 255}, Rgb{255, 255, 0}}, 400}};
    for (const auto& [stops, most] : cases) {
        for (const ColorSpace space : {ColorSpace::OkLab, ColorSpace::OkLch}) {
            const OutputOptions out = Output(OutputFormat::Css, space, stops);
            const auto reading = testing::ReadHtml(Make(Options(), out, text).tags);
            const auto samples = GradientStops(reading.styles.back());
            ASSERT_GE(samples.size(), stops.size());
            EXPECT_LE(samples.size(), most);
            EXPECT_LE(WorstBlendError(samples, PlanColors(Options(), out, text)), 2.0);
        }
    }
}

TEST(BbCodeFormat, OptionsSizesAndBrackets)
{
    TagOptions o = Options(2, 1);
    o.h_Centerflag = o.h_BoldFlag = o.h_ItalicFlag = o.h_UnderFlag = o.h_NotFlag = 1;
    o.h_SubFlag = o.h_styleflag = 1;
    o.h_FontFace = u"MS Pゴシック";
    const FormattedResult result = Make(o, Output(OutputFormat::BbCode), u"[a]bcde");
    std::vector<std::u16string> tags;
    const auto units = testing::ReadBbCode(result.tags, &tags);
    EXPECT_EQ(tags, (std::vector<std::u16string>{
                        u"center", u"b",      u"i",     u"u",      u"s",     u"size=7",
                        u"/size",  u"size=6", u"/size", u"size=5", u"/size", u"size=4",
                        u"/size",  u"size=3", u"/size", u"size=2", u"/size", u"size=1",
                        u"/size",  u"/s",     u"/u",    u"/i",     u"/b",    u"/center"}));
    ASSERT_EQ(units.size(), 7U);
    EXPECT_EQ(units[0].text, u"[");
    EXPECT_EQ(units[2].text, u"]");
    EXPECT_EQ(result.report.notes,
              (std::vector<OmittedOption>{OmittedOption::Subscript, OmittedOption::Vertical}));
}

TEST(BbCodeFormat, BaseSizeWrapsAndPixelSizesAreLeftOut)
{
    std::vector<std::u16string> tags;
    testing::ReadBbCode(Make(Options(), Output(OutputFormat::BbCode), u"ab").tags, &tags);
    EXPECT_EQ(tags, (std::vector<std::u16string>{u"size=3", u"/size"}));

    tags.clear();
    const FormattedResult pixels = Make(Options(2, 4), Output(OutputFormat::BbCode), u"ab");
    testing::ReadBbCode(pixels.tags, &tags);
    EXPECT_TRUE(tags.empty());
    EXPECT_EQ(pixels.report.notes, (std::vector<OmittedOption>{OmittedOption::Size}));
}

TEST(WikiFormat, OptionsAndPixelSizes)
{
    TagOptions o = Options(2, 3);
    o.h_Centerflag = o.h_BoldFlag = o.h_ItalicFlag = o.h_UnderFlag = o.h_NotFlag = 1;
    const std::u16string output = Make(o, Output(OutputFormat::Wiki), u"a}b").tags;
    std::u16string outside;
    const auto units = testing::ReadWiki(output, &outside);
    EXPECT_EQ(outside, u"CENTER:''%%'''%%%%%%'''%%''");
    ASSERT_EQ(units.size(), 3U);
    EXPECT_EQ(units[1].text, u"}");
    EXPECT_EQ(units[0].size, 30);
    EXPECT_EQ(units[2].size, 11);  // 30 - 9.5 - 9.5
    EXPECT_EQ(output.find(u'\n'), std::u16string::npos);
}

TEST(WikiFormat, HtmlSizesAreLeftOut)
{
    const FormattedResult result = Make(Options(2, 2), Output(OutputFormat::Wiki), u"ab");
    EXPECT_EQ(result.report.notes, (std::vector<OmittedOption>{OmittedOption::Size}));
    EXPECT_EQ(result.tags.find(u"&size"), std::u16string::npos);
}

TEST(AnsiFormat, StylesAsSgrCodesAndResetAtTheEnd)
{
    TagOptions o = Options();
    o.h_BoldFlag = o.h_ItalicFlag = o.h_UnderFlag = o.h_NotFlag = o.h_BlinkFlag = 1;
    o.h_Centerflag = 1;
    const FormattedResult result = Make(o, Output(OutputFormat::Ansi), u"a\x1b[2Jb");
    std::vector<std::u16string> codes;
    const auto units = testing::ReadAnsi(result.tags.substr(result.tags.find(u"\x1b[38")), &codes);
    EXPECT_EQ(result.tags.substr(0, 12), u"\x1b[1;3;4;5;9m");
    EXPECT_EQ(codes, (std::vector<std::u16string>{u"0"}));
    EXPECT_TRUE(result.tags.ends_with(u"\x1b[0m"));
    // The escape character of the text cannot act on the terminal.
    ASSERT_EQ(units.size(), 6U);
    EXPECT_EQ(units[1].text, u"\u241B");
    EXPECT_EQ(result.report.notes, (std::vector<OmittedOption>{OmittedOption::Center}));
}

TEST(JsonFormat, SizesOnlyInTheSizeModesAndRawNumbers)
{
    auto sizes = [](std::int16_t fontflag) {
        const auto units = testing::ReadJson(
            Make(Options(2, fontflag), Output(OutputFormat::Json), u"abcdef").tags);
        std::vector<long long> out;
        for (const auto& unit : units.value()) out.push_back(unit.size.value_or(-99));
        return out;
    };
    EXPECT_EQ(sizes(0), (std::vector<long long>(6, -99)));
    EXPECT_EQ(sizes(1), (std::vector<long long>{7, 5, 4, 3, 2, 0}));
    EXPECT_EQ(sizes(4), (std::vector<long long>{10, 13, 17, 21, 25, 29}));
}

TEST(JsonFormat, ControlCharactersAndLoneSurrogatesAreEscaped)
{
    const std::u16string text = u"a\n\\\"b\t" + std::u16string(1, char16_t{0xD800}) + u"c";
    const std::u16string output = Make(Options(), Output(OutputFormat::Json), text).tags;
    const auto units = testing::ReadJson(output);
    ASSERT_TRUE(units.has_value());
    std::u16string back;
    for (const auto& unit : *units) back += unit.text;
    EXPECT_EQ(back, text);
    // Nothing in the output that has no UTF-8 form.
    EXPECT_EQ(output.find(char16_t{0xD800}), std::u16string::npos);
}

TEST(Stops, TwoOrThreeRgbStopsAreTheClassicBytesInEveryFormat)
{
    const std::u16string text = u"グラデーション文字列";
    for (const auto format :
         {OutputFormat::Font, OutputFormat::Span, OutputFormat::Css, OutputFormat::BbCode,
          OutputFormat::Wiki, OutputFormat::Ansi, OutputFormat::Json}) {
        const auto three = Make(Options(3, 2), Output(format), text).tags;
        const auto stops3 =
            Make(Options(2, 2),
                 Output(format, ColorSpace::Rgb, {Rgb{255, 0, 0}, Rgb{0, 255, 0}, Rgb{0, 0, 255}}),
                 text)
                .tags;
        EXPECT_EQ(stops3, three) << OutputFormatName(format);
        const auto two = Make(Options(2, 1), Output(format), text).tags;
        const auto stops2 =
            Make(Options(3, 1), Output(format, ColorSpace::Rgb, {Rgb{255, 0, 0}, Rgb{0, 0, 255}}),
                 text)
                .tags;
        EXPECT_EQ(stops2, two) << OutputFormatName(format);
    }
    // And the classic run's own result for the default options.
    EXPECT_EQ(Make(Options(3), OutputOptions{}, text).tags,
              Generate(Options(3), text, kColors).tags);
}

TEST(Stops, ManyStopsAreSpacedEvenlyAndHitExactly)
{
    const std::vector<Rgb> stops = {Rgb{255, 0, 0}, Rgb{0, 255, 0}, Rgb{0, 0, 255}, Rgb{10, 20, 30},
                                    Rgb{255, 255, 255}};
    for (const ColorSpace space : {ColorSpace::Rgb, ColorSpace::OkLab, ColorSpace::OkLch}) {
        const auto units = *testing::ReadJson(
            Make(Options(), Output(OutputFormat::Json, space, stops), u"abcdefghi").tags);
        ASSERT_EQ(units.size(), 9U);
        EXPECT_EQ(units[0].color, u"#FF0000");
        EXPECT_EQ(units[2].color, u"#00FF00");
        EXPECT_EQ(units[4].color, u"#0000FF");
        EXPECT_EQ(units[6].color, u"#0A141E");
        EXPECT_EQ(units[8].color, u"#FFFFFF");
    }
    // Halfway between two RGB stops.
    const auto units = *testing::ReadJson(
        Make(Options(), Output(OutputFormat::Json, ColorSpace::Rgb, stops), u"abcdefghi").tags);
    EXPECT_EQ(units[1].color, u"#808000");
}

TEST(Stops, AOneCharacterTextGetsTheFirstStopAndAnEmptyTextIsRefused)
{
    const OutputOptions out = Output(OutputFormat::Json, ColorSpace::OkLab);
    const auto units = *testing::ReadJson(Make(Options(), out, u"a").tags);
    ASSERT_EQ(units.size(), 1U);
    EXPECT_EQ(units[0].color, u"#FF0000");
    const FormattedResult empty = GenerateFormatted(Options(), out, u"", kColors);
    EXPECT_EQ(empty.outcome, RunOutcome::Refused);
    EXPECT_FALSE(empty.report.message.empty());
    // The classic stepping keeps its own length check.
    EXPECT_EQ(GenerateFormatted(Options(), Output(OutputFormat::Json), u"a", kColors).outcome,
              RunOutcome::Refused);
}

TEST(Stops, PerceptualSpacesKeepTheClassicTwoColourSizes)
{
    // Three colour fields in OKLab: sizes run once over the whole text, as with two colours.
    const auto sizes = [](const OutputOptions& out, std::int16_t colorCount) {
        std::vector<long long> s;
        const auto units =
            testing::ReadJson(Make(Options(colorCount, 3), out, u"abcdefg").tags).value();
        s.reserve(units.size());
        for (const auto& unit : units) s.push_back(unit.size.value_or(-99));
        return s;
    };
    EXPECT_EQ(sizes(Output(OutputFormat::Json, ColorSpace::OkLab), 3),
              sizes(Output(OutputFormat::Json), 2));
}

// Records what a streaming sink receives.
class Recorder final : public StreamingSink {
public:
    void Append(std::u16string_view piece) override { pieces.emplace_back(piece); }
    std::vector<std::u16string> pieces;
};

TEST(Streaming, TheOpeningComesFirstAndTheWholeEqualsTheStringResult)
{
    TagOptions o = Options();
    o.h_BoldFlag = 1;
    for (const auto format : {OutputFormat::Font, OutputFormat::Span, OutputFormat::Json}) {
        const CharacterText text(u"abc");
        FormattedRun run(o, Output(format), text, kColors);
        Recorder sink;
        EXPECT_EQ(run.Write(sink, nullptr), RunOutcome::Completed);
        ASSERT_EQ(sink.pieces.size(), 5U);
        std::u16string whole;
        for (const auto& piece : sink.pieces) whole += piece;
        EXPECT_EQ(whole, Make(o, Output(format), u"abc").tags);
        EXPECT_EQ(sink.pieces[1].find(u'a') != std::u16string::npos, true);
    }
}

// Stops after `allowed` hook calls, counting them.
class StopAfter final : public RunHook {
public:
    explicit StopAfter(int allowed) : m_allowed(allowed) {}
    bool Continue(int remaining, int total) override
    {
        calls.emplace_back(remaining, total);
        return static_cast<int>(calls.size()) <= m_allowed;
    }
    std::vector<std::pair<int, int>> calls;

private:
    int m_allowed;
};

TEST(Stopping, AStoppedRunKeepsTheCharactersWithoutWrappers)
{
    TagOptions o = Options();
    o.h_BoldFlag = 1;
    StopAfter hook(1);
    const FormattedResult result = GenerateFormatted(
        o, Output(OutputFormat::Span, ColorSpace::OkLab), u"abcde", kColors, &hook);
    EXPECT_EQ(result.outcome, RunOutcome::Stopped);
    const std::vector<Rgb> ends = {Rgb{255, 0, 0}, Rgb{0, 0, 255}};
    EXPECT_EQ(result.tags, u"<span style=\"color:#FF0000\">a</span><span style=\"color:" +
                               HtmlColor(Gradient(ends, ColorSpace::OkLab).At(0.25)) +
                               u"\">b</span>");
    EXPECT_EQ(hook.calls, (std::vector<std::pair<int, int>>{{3, 5}, {2, 5}}));
}

TEST(Contrast, CharactersBelowFourAndAHalfToOneAreListedWithTheirColour)
{
    OutputOptions out = Output(OutputFormat::Span);
    out.contrastBackground = Rgb{255, 255, 255};
    const FixedColors colors(u"FFFF00", u"", u"000000");
    const FormattedResult result = GenerateFormatted(Options(), out, u"ab\U0001F600d", colors);
    ASSERT_EQ(result.outcome, RunOutcome::Completed);
    // Yellow and the pale yellows after it fall below 4.5:1 on white; black does not.
    ASSERT_GE(result.report.lowContrast.size(), 2U);
    const LowContrast& first = result.report.lowContrast[0];
    EXPECT_EQ(first.number, 1U);
    EXPECT_EQ(first.character, u"a");
    EXPECT_EQ(first.color, (Rgb{255, 255, 0}));
    EXPECT_EQ(FormatRatio(first.ratio), "1.07");
    for (const LowContrast& low : result.report.lowContrast) {
        EXPECT_LT(low.ratio, kMinimumContrast);
        EXPECT_NE(low.number, 4U);
    }
    const auto emoji =
        std::find_if(result.report.lowContrast.begin(), result.report.lowContrast.end(),
                     [](const LowContrast& l) { return l.number == 3; });
    if (emoji != result.report.lowContrast.end()) {
        EXPECT_EQ(emoji->character, u"\U0001F600");
    }
}

}  // namespace
}  // namespace kelvara::engine
