// SPDX-License-Identifier: MIT
// The Misskey (MFM) and Minecraft (MiniMessage) formats read back by their own rules: MFM by
// Misskey's parser, MiniMessage by a reader of its published rules. Every character of a text
// full of their markup comes back as typed, in the colour planned for it, fitted or not.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "format_readers.h"
#include "kelvara/engine/characters.h"
#include "kelvara/engine/output_format.h"

namespace kelvara::engine {
namespace {

using testing::ColoredText;

const FixedColors kColors(u"FF0000", u"00FF00", u"0000FF");

// Every character MFM or MiniMessage could take for markup, an emoji, a decomposed kana, the
// end of MFM's literal element, and line breaks where that element would drop them.
const std::u16string kMarkup =
    u"\na]b[c$d*e_f~g<h>i:j@k#l\\m`n http://x \U0001F600\u304B\u3099</plain>\\<#FF0000>\r\n";

std::optional<std::vector<ColoredText>> Read(OutputFormat format, const std::u16string& output,
                                             std::vector<std::u16string>* wrappers)
{
    return format == OutputFormat::Mfm ? testing::ReadMfm(output, wrappers)
                                       : testing::ReadMiniMessage(output, wrappers);
}

FormattedResult Convert(OutputFormat format, const TagOptions& o, std::optional<std::size_t> fit)
{
    OutputOptions out;
    out.format = format;
    out.fit = fit;
    return GenerateFormatted(o, out, kMarkup, kColors);
}

TagOptions Options()
{
    TagOptions o;
    o.h_ColorCount = 3;
    o.h_NFontSize = 3;
    return o;
}

class MarkupFormat : public ::testing::TestWithParam<OutputFormat> {};

TEST_P(MarkupFormat, EveryRunComesBackAsTypedInItsPlannedColour)
{
    const OutputFormat format = GetParam();
    const CharacterText characters(kMarkup);
    // The planned colours: those of the FONT output, one element per character.
    std::vector<std::u16string> plan;
    const std::u16string plain(characters.size(), u'x');
    OutputOptions font;
    for (const auto& piece :
         testing::ReadHtml(GenerateFormatted(Options(), font, plain, kColors).tags).visible) {
        plan.push_back(piece.color);
    }
    ASSERT_EQ(plan.size(), characters.size());

    const std::size_t whole = Convert(format, Options(), std::nullopt).tags.size();
    for (const std::optional<std::size_t> fit :
         {std::optional<std::size_t>{}, std::optional<std::size_t>{whole * 2 / 3},
          std::optional<std::size_t>{whole / 3}}) {
        const FormattedResult result = Convert(format, Options(), fit);
        ASSERT_EQ(result.outcome, RunOutcome::Completed);
        const auto runs = Read(format, result.tags, nullptr);
        ASSERT_TRUE(runs.has_value()) << std::string(result.tags.begin(), result.tags.end());
        ASSERT_EQ(runs->size(), result.report.runs);
        if (fit) {
            EXPECT_LT(runs->size(), characters.size());
        }
        // Each run holds whole characters and takes the colour planned for its middle one.
        std::size_t next = 0;
        for (const ColoredText& run : *runs) {
            const std::size_t first = next;
            std::u16string expected;
            while (expected.size() < run.text.size() && next < characters.size()) {
                expected += characters[next++];
            }
            EXPECT_EQ(run.text, expected);
            EXPECT_EQ(run.color, plan[first + (next - first - 1) / 2]);
        }
        EXPECT_EQ(next, characters.size());
    }
}

TEST_P(MarkupFormat, StylesAroundAllRunsAndNotesForWhatCannotBeExpressed)
{
    const OutputFormat format = GetParam();
    TagOptions o = Options();
    o.h_fontflag = 1;
    o.h_Centerflag = o.h_BoldFlag = o.h_ItalicFlag = o.h_UnderFlag = o.h_NotFlag = 1;
    o.h_SubFlag = o.h_UpFlag = o.h_styleflag = o.h_BlinkFlag = o.h_marqueeFlag = 1;
    o.h_FontFace = u"MS Pゴシック";
    const FormattedResult result = Convert(format, o, std::nullopt);
    std::vector<std::u16string> styles;
    const auto runs = Read(format, result.tags, &styles);
    ASSERT_TRUE(runs.has_value());
    EXPECT_EQ(runs->size(), CharacterText(kMarkup).size());
    using O = OmittedOption;
    if (format == OutputFormat::Mfm) {
        EXPECT_EQ(styles, (std::vector<std::u16string>{u"center", u"bold", u"italic", u"strike"}));
        EXPECT_EQ(result.report.notes,
                  (std::vector<O>{O::Size, O::Underline, O::Subscript, O::Superscript, O::Vertical,
                                  O::Blink, O::Marquee}));
    } else {
        // Opened once before the first colour and never closed.
        EXPECT_EQ(styles, (std::vector<std::u16string>{u"b", u"i", u"u", u"st"}));
        EXPECT_TRUE(result.tags.starts_with(u"<b><i><u><st><#"));
        EXPECT_EQ(result.report.notes,
                  (std::vector<O>{O::Size, O::Subscript, O::Superscript, O::Center, O::Vertical,
                                  O::Blink, O::Marquee}));
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, MarkupFormat,
                         ::testing::Values(OutputFormat::Mfm, OutputFormat::MiniMessage));

}  // namespace
}  // namespace kelvara::engine
