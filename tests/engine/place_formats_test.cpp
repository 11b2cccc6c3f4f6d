// SPDX-License-Identifier: MIT
// The formats for places that strip colour from HTML, read back as those places read them:
// latex by KaTeX (Zenn) and MathJax 3 with and without textmacros (GitHub), discord by a
// terminal emulator, wikidot and amp-hex by readers of their published syntax. Every character
// comes back as typed, in its planned colour (in Discord the nearest of its eight), fitted or
// not; the options each can show come back too, and the texts they cannot hold are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "format_readers.h"
#include "kelvara/engine/characters.h"
#include "kelvara/engine/color_space.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/run_plan.h"

namespace kelvara::engine {
namespace {

using testing::ColoredText;

const FixedColors kColors(u"FF0000", u"00FF00", u"0000FF");

// What the places could take for markup or change: TeX's specials, dashes, quotes, runs of
// spaces, ideographic spaces, Wikidot's markup and raw markers, "&" before characters that are
// no codes; kana, a decomposed kana and an emoji.
const std::u16string kText =
    u"@a\\b{c}d$e&!f#g%h_i^j~k'l`m--n---o  p   q\u3000\u3000rかなカ\u304B\u3099\U0001F600s##t|u"
    u"@@v@<w>@x**y//z[[]]{{}}^^,,&&z&\"<>@";

struct Place {
    OutputFormat format;
    const char* renderer;  // for latex: "katex", "mathjax" or "mathjax-textmacros"
};

std::string PrintPlace(const ::testing::TestParamInfo<Place>& info)
{
    std::string name(OutputFormatName(info.param.format));
    if (info.param.format == OutputFormat::Latex) name += std::string("_") + info.param.renderer;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

std::optional<std::vector<ColoredText>> Read(const Place& place, std::u16string_view output,
                                             std::vector<std::u16string>* styles)
{
    switch (place.format) {
        case OutputFormat::Latex:
            return testing::ReadLatex(output, place.renderer, styles);
        case OutputFormat::Discord:
            return testing::ReadDiscord(output, styles);
        case OutputFormat::Wikidot:
            return testing::ReadWikidot(output, styles);
        case OutputFormat::AmpHex:
            return testing::ReadAmpHex(output, styles);
        default:
            return std::nullopt;
    }
}

TagOptions Options()
{
    TagOptions o;
    o.h_ColorCount = 3;
    o.h_NFontSize = 3;
    return o;
}

OutputOptions Output(OutputFormat format, std::optional<std::size_t> fit = std::nullopt)
{
    OutputOptions out;
    out.format = format;
    out.fit = fit;
    return out;
}

std::size_t CodePointsOf(std::u16string_view text)
{
    return text.size() -
           static_cast<std::size_t>(std::count_if(
               text.begin(), text.end(), [](char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }));
}

// The colour of every character, as read, and the text read into `text`; a character whose
// code units came in two colours gets "mixed".
std::vector<std::u16string> ColorsRead(const std::vector<ColoredText>& pieces, std::u16string& text)
{
    std::vector<std::u16string> unitColors;
    for (const ColoredText& piece : pieces) {
        text += piece.text;
        unitColors.insert(unitColors.end(), piece.text.size(), piece.color);
    }
    const CharacterText characters(text);
    std::vector<std::u16string> colors;
    std::size_t unit = 0;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const std::size_t size = characters[i].size();
        const bool same = std::all_of(unitColors.begin() + unit, unitColors.begin() + unit + size,
                                      [&](const auto& c) { return c == unitColors[unit]; });
        colors.push_back(same ? unitColors[unit] : u"mixed");
        unit += size;
    }
    return colors;
}

// The nearest of Discord's eight colours to "#RRGGBB", by distance in OKLab.
std::u16string NearestDiscordColor(const std::u16string& color)
{
    const OkLab lab = ToOkLab(ReadColorText(color.substr(1)));
    auto distance = [&](const Rgb& other) {
        const OkLab o = ToOkLab(other);
        return (lab.L - o.L) * (lab.L - o.L) + (lab.a - o.a) * (lab.a - o.a) +
               (lab.b - o.b) * (lab.b - o.b);
    };
    const auto nearest =
        std::min_element(kDiscordColors.begin(), kDiscordColors.end(),
                         [&](const Rgb& a, const Rgb& b) { return distance(a) < distance(b); });
    return HtmlColor(*nearest);
}

// The planned colours: those of the FONT output, one per character; in Discord the nearest
// of its eight.
std::vector<std::u16string> PlannedColors(OutputFormat format, std::size_t characters)
{
    std::vector<std::u16string> plan;
    const std::u16string plain(characters, u'x');
    for (const auto& piece :
         testing::ReadHtml(GenerateFormatted(Options(), OutputOptions{}, plain, kColors).tags)
             .visible) {
        plan.push_back(format == OutputFormat::Discord ? NearestDiscordColor(piece.color)
                                                       : piece.color);
    }
    return plan;
}

class PlaceFormat : public ::testing::TestWithParam<Place> {};

TEST_P(PlaceFormat, EveryCharacterComesBackAsTypedInItsPlannedColour)
{
    const Place place = GetParam();
    const CharacterText characters(kText);
    const std::vector<std::u16string> plan = PlannedColors(place.format, characters.size());
    ASSERT_EQ(plan.size(), characters.size());

    // Limits that keep the text and two thirds or half of the markup.
    const std::size_t plain = CodePointsOf(kText);
    const std::size_t markup =
        CodePointsOf(GenerateFormatted(Options(), Output(place.format), kText, kColors).tags) -
        plain;
    for (const std::optional<std::size_t> fit :
         {std::optional<std::size_t>{}, std::optional<std::size_t>{plain + markup * 2 / 3},
          std::optional<std::size_t>{plain + markup / 2}}) {
        const FormattedResult result =
            GenerateFormatted(Options(), Output(place.format, fit), kText, kColors);
        ASSERT_EQ(result.outcome, RunOutcome::Completed);
        const auto pieces = Read(place, result.tags, nullptr);
        ASSERT_TRUE(pieces.has_value()) << std::string(result.tags.begin(), result.tags.end());
        std::u16string back;
        const std::vector<std::u16string> colors = ColorsRead(*pieces, back);
        EXPECT_EQ(back, kText);
        if (back != kText) continue;

        // Each run takes the colour planned for its middle character.
        std::vector<std::u16string> expected;
        std::size_t next = 0;
        for (const PlannedRun& run :
             PlanRun(Options(), Output(place.format, fit), kText, kColors).runs) {
            const std::size_t first = next;
            next += CharacterText(run.text).size();
            expected.insert(expected.end(), next - first, plan[first + (next - first - 1) / 2]);
        }
        EXPECT_EQ(colors, expected);
        if (place.format == OutputFormat::Discord) {
            // A code only where Discord's colour changes.
            const auto changes = std::inner_product(
                colors.begin() + 1, colors.end(), colors.begin(), std::ptrdiff_t{1}, std::plus<>(),
                [](const auto& a, const auto& b) { return a == b ? 0 : 1; });
            EXPECT_EQ(std::count(result.tags.begin(), result.tags.end(), u'\x1b'), changes);
        }
        if (fit) {
            EXPECT_LT(result.report.runs, characters.size());
        } else {
            EXPECT_EQ(colors, plan);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Places, PlaceFormat,
                         ::testing::Values(Place{OutputFormat::Latex, "katex"},
                                           Place{OutputFormat::Latex, "mathjax"},
                                           Place{OutputFormat::Latex, "mathjax-textmacros"},
                                           Place{OutputFormat::Discord, ""},
                                           Place{OutputFormat::Wikidot, ""},
                                           Place{OutputFormat::AmpHex, ""}),
                         PrintPlace);

struct StyleCase {
    Place place;
    bool italicOnly;  // italic without bold; otherwise every option is set
    std::vector<std::u16string> styles;
    std::vector<OmittedOption> notes;
};

TEST(PlaceFormats, StylesComeBackAndWhatCannotBeShownGetsANote)
{
    using O = OmittedOption;
    const std::vector<O> layout = {O::Subscript, O::Superscript, O::Center,
                                   O::Vertical,  O::Blink,       O::Marquee};
    auto with = [&](std::vector<O> first) {
        first.insert(first.end(), layout.begin(), layout.end());
        return first;
    };
    const std::vector<StyleCase> cases = {
        // MathJax cannot show bold and italic together: bold wins.
        {{OutputFormat::Latex, "katex"},
         false,
         {u"bold"},
         with({O::Size, O::Italic, O::Underline, O::Strike})},
        {{OutputFormat::Latex, "mathjax"},
         false,
         {u"bold"},
         with({O::Size, O::Italic, O::Underline, O::Strike})},
        {{OutputFormat::Latex, "mathjax-textmacros"}, true, {u"italic"}, {}},
        {{OutputFormat::Discord, ""},
         false,
         {u"bold", u"underline"},
         with({O::Size, O::Italic, O::Strike})},
        {{OutputFormat::Wikidot, ""},
         false,
         {u"**", u"//", u"__", u"--", u"--", u"__", u"//", u"**"},
         with({O::Size})},
        // After every colour code, which resets them.
        {{OutputFormat::AmpHex, ""},
         false,
         {u"l", u"o", u"n", u"m", u"l", u"o", u"n", u"m", u"l", u"o", u"n", u"m"},
         with({O::Size})},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(PrintPlace({c.place, 0}));
        TagOptions o = Options();
        o.h_ItalicFlag = 1;
        if (!c.italicOnly) {
            o.h_fontflag = 1;
            o.h_BoldFlag = o.h_UnderFlag = o.h_NotFlag = o.h_Centerflag = 1;
            o.h_SubFlag = o.h_UpFlag = o.h_styleflag = o.h_BlinkFlag = o.h_marqueeFlag = 1;
        }
        const FormattedResult result =
            GenerateFormatted(o, Output(c.place.format), u"a b", kColors);
        std::vector<std::u16string> styles;
        const auto pieces = Read(c.place, result.tags, &styles);
        ASSERT_TRUE(pieces.has_value()) << std::string(result.tags.begin(), result.tags.end());
        EXPECT_EQ(styles, c.styles);
        EXPECT_EQ(result.report.notes, c.notes);
    }
    EXPECT_EQ(NoteText(OutputFormat::Latex, O::Italic),
              "italic is left out with bold: the latex format cannot show both");
}

struct RefusalCase {
    OutputFormat format;
    std::u16string text;
    std::size_t number;  // 0: written
    std::u16string characters;
};

TEST(PlaceFormats, TextsTheSyntaxCannotHoldAreRefusedWithTheirPlace)
{
    const std::vector<RefusalCase> cases = {
        {OutputFormat::Discord, u"ab```c", 3, u"```"},
        {OutputFormat::Discord, u"か\u3099😀````", 3, u"```"},
        {OutputFormat::Discord, u"``a``b`", 0, u""},
        {OutputFormat::AmpHex, u"x&a", 2, u"&a"},
        {OutputFormat::AmpHex, u"か\u3099😀&#123456", 3, u"&#"},
        {OutputFormat::AmpHex, u"ab&L", 3, u"&L"},
        {OutputFormat::AmpHex, u"&Xyz", 1, u"&X"},
        {OutputFormat::AmpHex, u"a&9", 2, u"&9"},
        {OutputFormat::AmpHex, u"a&r", 2, u"&r"},
        {OutputFormat::AmpHex, u"a&&z & &g&p&", 0, u""},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        const FormattedResult result =
            GenerateFormatted(Options(), Output(c.format), c.text, kColors);
        if (c.number == 0) {
            ASSERT_EQ(result.outcome, RunOutcome::Completed);
            const auto pieces = Read(Place{c.format, ""}, result.tags, nullptr);
            ASSERT_TRUE(pieces.has_value());
            std::u16string back;
            ColorsRead(*pieces, back);
            EXPECT_EQ(back, c.text);
            continue;
        }
        EXPECT_EQ(result.outcome, RunOutcome::Refused);
        // The message names the character by its number and shows what cannot be written.
        const std::u16string& message = result.report.message;
        EXPECT_NE(message.find(u"ﾃｷｽﾄの" + std::u16string(1, u'0' + c.number) + u"文字目"),
                  std::u16string::npos);
        EXPECT_NE(message.find(u"「" + c.characters + u"」"), std::u16string::npos);
    }
}

}  // namespace
}  // namespace kelvara::engine
