// SPDX-License-Identifier: MIT
// Colour texts as users type them: lenient reading, upper-case writing.
#include <gtest/gtest.h>

#include "kelvara/engine/color.h"

namespace kelvara::engine {
namespace {

TEST(ColorReading, LowerCaseReadsLikeUpperCase)
{
    EXPECT_EQ(ReadColorText(u"ff8000"), (Rgb{255, 128, 0}));
    EXPECT_EQ(ReadColorText(u"FF8000"), (Rgb{255, 128, 0}));
}

TEST(ColorReading, OtherLengthsTakeBlueFromTheLastTwoCharacters)
{
    EXPECT_EQ(ReadColorText(u"12A45"), (Rgb{0x12, 0xA4, 0x45}));
    EXPECT_EQ(ReadColorText(u"12345678"), (Rgb{0x12, 0x34, 0x78}));
    EXPECT_EQ(ReadColorText(u"F"), (Rgb{15, 0, 15}));
    EXPECT_EQ(ReadColorText(u""), (Rgb{0, 0, 0}));
}

TEST(ColorReading, PairsStopAtTheFirstNonHexDigit)
{
    EXPECT_EQ(ReadColorText(u"GG0000").red, 0);
    EXPECT_EQ(ReadColorText(u"7G0000").red, 7);
    EXPECT_EQ(ReadColorText(u"GG0000"), (Rgb{0, 0, 0}));
    EXPECT_EQ(ReadColorText(u"#FF000").red, 0);
}

TEST(ColorReading, HexToColorPutsRedInTheLowestByte)
{
    EXPECT_EQ(HexToColor(u"0000FF"), 16711680U);
    EXPECT_EQ(HexToColor(u"FF0000"), 255U);
    EXPECT_EQ(HexToColor(u"00ff00"), 65280U);
}

TEST(ColorWriting, ComponentsAreTwoUpperCaseDigits)
{
    EXPECT_EQ(FormatComponent(0), u"00");
    EXPECT_EQ(FormatComponent(9), u"09");
    EXPECT_EQ(FormatComponent(10), u"0A");
    EXPECT_EQ(FormatComponent(15), u"0F");
    EXPECT_EQ(FormatComponent(16), u"10");
    EXPECT_EQ(FormatComponent(255), u"FF");
    EXPECT_EQ(ComposeColorText(255, 0, 128), u"FF0080");
    EXPECT_EQ(HtmlColor(Rgb{127, 1, 128}), u"#7F0180");
}

}  // namespace
}  // namespace kelvara::engine
