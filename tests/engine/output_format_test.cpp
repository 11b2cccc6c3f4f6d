// SPDX-License-Identifier: MIT
// Format and colour-space names, the stop list, and which options each format leaves out.
#include "kelvara/engine/output_format.h"

#include <gtest/gtest.h>

namespace kelvara::engine {
namespace {

TEST(OutputFormatNames, EveryNameParsesAndWritesBack)
{
    for (const auto format :
         {OutputFormat::Font, OutputFormat::Span, OutputFormat::Css, OutputFormat::BbCode,
          OutputFormat::Wiki, OutputFormat::Ansi, OutputFormat::Json}) {
        EXPECT_EQ(ParseOutputFormat(OutputFormatName(format)), format);
    }
    EXPECT_EQ(ParseOutputFormat("bbcode"), OutputFormat::BbCode);
    EXPECT_FALSE(ParseOutputFormat("html").has_value());
    EXPECT_FALSE(ParseOutputFormat("Span").has_value());
    EXPECT_FALSE(ParseOutputFormat("").has_value());
    EXPECT_EQ(ParseColorSpace("oklch"), ColorSpace::OkLch);
    EXPECT_EQ(ParseColorSpace("rgb"), ColorSpace::Rgb);
    EXPECT_FALSE(ParseColorSpace("lab").has_value());
    EXPECT_FALSE(FormatSupportsFit(OutputFormat::Json));
    EXPECT_FALSE(FormatSupportsFit(OutputFormat::Ansi));
    EXPECT_TRUE(FormatSupportsFit(OutputFormat::Wiki));
}

TEST(StopList, TwoToSixteenColoursOfSixHexDigits)
{
    EXPECT_EQ(ParseStopList("FF0000,00ff00"), (std::vector<Rgb>{Rgb{255, 0, 0}, Rgb{0, 255, 0}}));
    std::string sixteen = "000000";
    for (int i = 1; i < 16; ++i) sixteen += ",123456";
    EXPECT_EQ(ParseStopList(sixteen)->size(), 16U);
    EXPECT_FALSE(ParseStopList(sixteen + ",ABCDEF").has_value());
    EXPECT_FALSE(ParseStopList("FF0000").has_value());
    EXPECT_FALSE(ParseStopList("FF0000,").has_value());
    EXPECT_FALSE(ParseStopList("FF0000,0000G0").has_value());
    EXPECT_FALSE(ParseStopList("#FF0000,0000FF").has_value());
    EXPECT_FALSE(ParseStopList("FF0000, 0000FF").has_value());
    EXPECT_FALSE(ParseStopList("FF000,0000FF").has_value());
    EXPECT_FALSE(ParseStopList("").has_value());
}

TagOptions Everything(std::int16_t fontflag)
{
    TagOptions o;
    o.h_fontflag = fontflag;
    o.h_NFontSize = 3;
    o.h_FontFace = u"MS Pゴシック";
    o.h_Centerflag = o.h_BoldFlag = o.h_ItalicFlag = o.h_NotFlag = o.h_SubFlag = o.h_UpFlag =
        o.h_UnderFlag = o.h_marqueeFlag = o.h_BlinkFlag = o.h_styleflag = 1;
    return o;
}

using Omitted = std::vector<OmittedOption>;
using enum OmittedOption;

TEST(OmittedOptions, WhatEachFormatCannotExpress)
{
    EXPECT_EQ(OmittedOptions(Everything(1), OutputFormat::Font), Omitted{});
    EXPECT_EQ(OmittedOptions(Everything(3), OutputFormat::Span), (Omitted{Blink, Marquee}));
    EXPECT_EQ(OmittedOptions(Everything(0), OutputFormat::Css), (Omitted{Blink, Marquee}));
    EXPECT_EQ(OmittedOptions(Everything(2), OutputFormat::Css), (Omitted{Size, Blink, Marquee}));
    EXPECT_EQ(OmittedOptions(Everything(1), OutputFormat::BbCode),
              (Omitted{Subscript, Superscript, Vertical, Blink, Marquee}));
    EXPECT_EQ(OmittedOptions(Everything(4), OutputFormat::BbCode),
              (Omitted{Size, Subscript, Superscript, Vertical, Blink, Marquee}));
    EXPECT_EQ(OmittedOptions(Everything(3), OutputFormat::Wiki),
              (Omitted{Subscript, Superscript, Vertical, Blink, Marquee}));
    EXPECT_EQ(OmittedOptions(Everything(1), OutputFormat::Wiki),
              (Omitted{Size, Subscript, Superscript, Vertical, Blink, Marquee}));
    EXPECT_EQ(OmittedOptions(Everything(0), OutputFormat::Ansi),
              (Omitted{Subscript, Superscript, Center, Vertical, Marquee}));
    EXPECT_EQ(OmittedOptions(Everything(1), OutputFormat::Json),
              (Omitted{Bold, Italic, Underline, Strike, Subscript, Superscript, Center, Vertical,
                       Blink, Marquee}));
}

TEST(OmittedOptions, TheNormalBaseSizeAndTheFaceNeedNoNote)
{
    TagOptions o;
    o.h_NFontSize = 3;
    o.h_FontFace = u"MS Pゴシック";  // always set, so a note would come with every run
    EXPECT_EQ(OmittedOptions(o, OutputFormat::Ansi), Omitted{});
    EXPECT_EQ(OmittedOptions(o, OutputFormat::Json), Omitted{});
    o.h_NFontSize = 5;
    EXPECT_EQ(OmittedOptions(o, OutputFormat::Wiki), (Omitted{Size}));
    EXPECT_EQ(OmittedOptions(o, OutputFormat::BbCode), Omitted{});
}

TEST(OmittedOptions, NotesNameTheOptionAndTheFormat)
{
    EXPECT_EQ(NoteText(OutputFormat::Span, Blink),
              "blinking is left out: the span format cannot express it");
    EXPECT_EQ(NoteText(OutputFormat::Wiki, Vertical),
              "vertical writing is left out: the wiki format cannot express it");
}

}  // namespace
}  // namespace kelvara::engine
