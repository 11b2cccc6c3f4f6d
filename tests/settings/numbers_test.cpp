// SPDX-License-Identifier: MIT
// Numbers in the settings file and the settings dialog: writing, lenient and strict reading.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "kelvara/settings/numbers.h"

namespace kelvara::settings {
namespace {

TEST(NumbersFormat, BlankStandsForThePlusSign)
{
    EXPECT_EQ(FormatSigned(0), u" 0");
    EXPECT_EQ(FormatSigned(3), u" 3");
    EXPECT_EQ(FormatSigned(12), u" 12");
    EXPECT_EQ(FormatSigned(-1), u"-1");
    EXPECT_EQ(FormatSigned(-32768), u"-32768");
}

TEST(NumbersLenient, ReadsWhatItCanAndStops)
{
    EXPECT_EQ(ParseLenient(u""), 0.0);
    EXPECT_EQ(ParseLenient(u" 1"), 1.0);
    EXPECT_EQ(ParseLenient(u"12abc"), 12.0);
    EXPECT_EQ(ParseLenient(u"2.5"), 2.5);
    EXPECT_EQ(ParseLenient(u"abc"), 0.0);
    EXPECT_EQ(ParseLenient(u"1.5.5"), 1.5);
    EXPECT_EQ(ParseLenient(u".5"), 0.5);
    EXPECT_EQ(ParseLenient(u"3."), 3.0);
    EXPECT_EQ(ParseLenient(u"."), 0.0);
    EXPECT_EQ(ParseLenient(u"-"), 0.0);
    EXPECT_EQ(ParseLenient(u"１"), 0.0);  // full-width digits are not digits here
}

TEST(NumbersLenient, BlanksTabsAndLineFeedsAreIgnoredAnywhere)
{
    EXPECT_EQ(ParseLenient(u"1 2\t3\n4"), 1234.0);
    EXPECT_EQ(ParseLenient(u" - 5"), -5.0);
    EXPECT_EQ(ParseLenient(u"+ 7 . 2 5"), 7.25);
    EXPECT_EQ(ParseLenient(u"& h 1 F"), 31.0);
    // A carriage return is not among them.
    EXPECT_EQ(ParseLenient(u"\r1"), 0.0);
}

TEST(NumbersLenient, ExponentWithEOrD)
{
    EXPECT_EQ(ParseLenient(u"1E3"), 1000.0);
    EXPECT_EQ(ParseLenient(u"1d3"), 1000.0);
    EXPECT_EQ(ParseLenient(u"2.5e-1"), 0.25);
    EXPECT_EQ(ParseLenient(u"1D+2x"), 100.0);
    // A letter without digits after it is where the number ends.
    EXPECT_EQ(ParseLenient(u"1E"), 1.0);
    EXPECT_EQ(ParseLenient(u"1E+"), 1.0);
    EXPECT_EQ(ParseLenient(u"E5"), 0.0);
}

TEST(NumbersLenient, HugeAndTinyNumbersDoNotFail)
{
    EXPECT_TRUE(std::isinf(ParseLenient(u"1E400")));
    EXPECT_LT(ParseLenient(u"-1E400"), 0.0);
    EXPECT_EQ(ParseLenient(u"1E-400"), 0.0);
    EXPECT_TRUE(std::isinf(ParseLenient(u"1" + std::u16string(400, u'0'))));
    EXPECT_TRUE(std::isinf(ParseLenient(u"1E99999999999999999999999")));
}

TEST(NumbersLenient, HexAndOctalWithinSixteenBitsAreSigned)
{
    EXPECT_EQ(ParseLenient(u"&H1F"), 31.0);
    EXPECT_EQ(ParseLenient(u"&hff"), 255.0);
    EXPECT_EQ(ParseLenient(u"&HFFFF"), -1.0);
    EXPECT_EQ(ParseLenient(u"&H8000"), -32768.0);
    EXPECT_EQ(ParseLenient(u"&H7FFF"), 32767.0);
    EXPECT_EQ(ParseLenient(u"&O17"), 15.0);
    EXPECT_EQ(ParseLenient(u"&o177777"), -1.0);
}

TEST(NumbersLenient, LongerHexAndOctalAreThirtyTwoBitSigned)
{
    EXPECT_EQ(ParseLenient(u"&H10000"), 65536.0);
    EXPECT_EQ(ParseLenient(u"&HFFFFFFFF"), -1.0);
    EXPECT_EQ(ParseLenient(u"&H80000000"), -2147483648.0);
    EXPECT_EQ(ParseLenient(u"&O200000"), 65536.0);
    // Beyond 32 bits the low 32 bits remain.
    EXPECT_EQ(ParseLenient(u"&H100000001"), 1.0);
}

TEST(NumbersLenient, PrefixWithoutDigitsIsZero)
{
    EXPECT_EQ(ParseLenient(u"&H"), 0.0);
    EXPECT_EQ(ParseLenient(u"&HG"), 0.0);
    EXPECT_EQ(ParseLenient(u"&H1G"), 1.0);
    EXPECT_EQ(ParseLenient(u"&O8"), 0.0);
    EXPECT_EQ(ParseLenient(u"&"), 0.0);
    EXPECT_EQ(ParseLenient(u"&X1"), 0.0);
    EXPECT_EQ(ParseLenient(u"-&H1"), 0.0);
}

TEST(NumbersRound, TiesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundToInt16(2.5), 2);
    EXPECT_EQ(RoundToInt16(3.5), 4);
    EXPECT_EQ(RoundToInt16(0.5), 0);
    EXPECT_EQ(RoundToInt16(-2.5), -2);
    EXPECT_EQ(RoundToInt16(-3.5), -4);
    EXPECT_EQ(RoundToInt16(2.4999), 2);
    EXPECT_EQ(RoundToInt16(2.5001), 3);
    EXPECT_EQ(RoundToInt16(-0.7), -1);
}

TEST(NumbersRound, OutOfRangeSaturates)
{
    EXPECT_EQ(RoundToInt16(32767.4), 32767);
    EXPECT_EQ(RoundToInt16(32767.5), 32767);
    EXPECT_EQ(RoundToInt16(40000.0), 32767);
    EXPECT_EQ(RoundToInt16(-32768.5), -32768);
    EXPECT_EQ(RoundToInt16(-40000.0), -32768);
    EXPECT_EQ(RoundToInt16(std::numeric_limits<double>::infinity()), 32767);
    EXPECT_EQ(RoundToInt16(-std::numeric_limits<double>::infinity()), -32768);
    EXPECT_EQ(RoundToInt16(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(NumbersStrict, AcceptsDecimalNotationWithSurroundingBlanks)
{
    EXPECT_EQ(StrictInteger(u"3"), 3);
    EXPECT_EQ(StrictInteger(u" 3 "), 3);
    EXPECT_EQ(StrictInteger(u"\t-7"), -7);
    EXPECT_EQ(StrictInteger(u"+4"), 4);
    EXPECT_EQ(StrictInteger(u"2.5"), 2);
    EXPECT_EQ(StrictInteger(u"3.5"), 4);
    EXPECT_EQ(StrictInteger(u".5"), 0);
    EXPECT_EQ(StrictInteger(u"5."), 5);
    EXPECT_EQ(StrictNumber(u"-2.25"), -2.25);
}

TEST(NumbersStrict, RefusesEmptyAndNonNumericText)
{
    for (const std::u16string text : {u"", u"   ", u"abc", u"3x", u"x3", u"1e3", u"&H1", u"1.2.3",
                                      u"- 3", u"3 4", u".", u"+", u"-", u"１"}) {
        EXPECT_EQ(StrictNumber(text), std::nullopt);
        EXPECT_EQ(StrictInteger(text), std::nullopt);
    }
}

TEST(NumbersStrict, LargeNumbersSaturate)
{
    EXPECT_EQ(StrictInteger(u"99999"), 32767);
    EXPECT_EQ(StrictInteger(u"-99999"), -32768);
    EXPECT_EQ(StrictInteger(u"1" + std::u16string(400, u'0')), 32767);
    EXPECT_EQ(StrictInteger(u"0." + std::u16string(400, u'0') + u"1"), 0);
}

}  // namespace
}  // namespace kelvara::settings
