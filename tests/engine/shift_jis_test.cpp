// SPDX-License-Identifier: MIT
// Shift-JIS conversion: the bytes of the settings file and the preview page.
#include <gtest/gtest.h>

#include <string>

#include "kelvara/engine/shift_jis.h"

namespace kelvara::engine {
namespace {

TEST(ShiftJisEncode, JapaneseTakesTwoBytesAndHalfWidthKatakanaOne)
{
    EXPECT_EQ(EncodeShiftJis(u"aあ", Unmappable::DefaultChar), "a\x82\xA0");
    EXPECT_EQ(EncodeShiftJis(u"ﾌｫﾝﾄ", Unmappable::DefaultChar), "\xCC\xAB\xDD\xC4");
    EXPECT_EQ(EncodeShiftJis(u"（表）", Unmappable::DefaultChar), "\x81\x69\x95\x5C\x81\x6A");
}

TEST(ShiftJisEncode, UnmappableBecomesOneQuestionMarkPerCharacter)
{
    EXPECT_EQ(EncodeShiftJis(u"caf\u00e9", Unmappable::DefaultChar), "caf?");
    // An emoji is one character even though it takes two UTF-16 units.
    EXPECT_EQ(EncodeShiftJis(u"a\U0001F600b", Unmappable::DefaultChar), "a?b");
}

TEST(ShiftJisEncode, UnmappableBecomesDecimalReferenceOfTheWholeCodePoint)
{
    EXPECT_EQ(EncodeShiftJis(u"\U0001F600", Unmappable::CharacterReference), "&#128512;");
    EXPECT_EQ(EncodeShiftJis(u"caf\u00e9あ", Unmappable::CharacterReference), "caf&#233;\x82\xA0");
}

TEST(ShiftJisEncode, LoneSurrogateDoesNotBreakTheRest)
{
    const std::u16string text = {u'a', char16_t{0xD800}, u'b'};
    EXPECT_EQ(EncodeShiftJis(text, Unmappable::DefaultChar), "a?b");
    const std::string referenced = EncodeShiftJis(text, Unmappable::CharacterReference);
    EXPECT_EQ(referenced.front(), 'a');
    EXPECT_EQ(referenced.back(), 'b');
}

TEST(ShiftJisDecode, JapaneseRoundTrips)
{
    const std::u16string text = u"ｸﾞﾗﾃﾞｰｼｮﾝ グラデーション ソ表";
    EXPECT_EQ(DecodeShiftJis(EncodeShiftJis(text, Unmappable::DefaultChar)), text);
}

TEST(ShiftJisDecode, InvalidBytesBecomeReplacementCharacters)
{
    // A lead byte before a blank: the blank survives on its own.
    EXPECT_EQ(DecodeShiftJis("\x81 a"), u"\uFFFD a");
    EXPECT_EQ(DecodeShiftJis("a\xFD"), u"a\uFFFD");
    // A lead byte cut off at the end.
    EXPECT_EQ(DecodeShiftJis("a\x82"), u"a\uFFFD");
}

TEST(ShiftJisDecode, NulBytesAreKept)
{
    EXPECT_EQ(DecodeShiftJis(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(ShiftJisCut, DropsTheLeadByteOfACharacterCutInHalf)
{
    const std::string text = "\x82\xA0\x82\xA2";  // あい
    EXPECT_EQ(CutShiftJis(text, 3), "\x82\xA0");
    EXPECT_EQ(CutShiftJis(text, 4), text);
    EXPECT_EQ(CutShiftJis(text, 1), "");
    EXPECT_EQ(CutShiftJis(text, 100), text);
}

TEST(ShiftJisCut, TrailByteThatLooksLikeALeadByteIsKept)
{
    const std::string text = "\x88\x9F\x88\x9F";  // 亜亜: the trail byte 9F is in the lead range
    EXPECT_EQ(CutShiftJis(text, 2), "\x88\x9F");
    EXPECT_EQ(CutShiftJis(text, 3), "\x88\x9F");
    EXPECT_EQ(CutShiftJis("a\x88\x9F"
                          "b",
                          3),
              "a\x88\x9F");
}

TEST(ShiftJisCut, StrayLeadByteThatWasNotCutStays)
{
    // Not a character cut in half but a broken one; it decodes to U+FFFD.
    EXPECT_EQ(CutShiftJis("a\x82", 5), "a\x82");
    EXPECT_EQ(CutShiftJis("a\x82=b", 2), "a\x82");
}

TEST(ShiftJisCut, HalfWidthKatakanaAreSingleBytes)
{
    EXPECT_EQ(CutShiftJis("\xCC\xAB\xDD", 2), "\xCC\xAB");
}

}  // namespace
}  // namespace kelvara::engine
