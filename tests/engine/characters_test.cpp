// SPDX-License-Identifier: MIT
// What counts as one character: what a user sees as one, never half of a surrogate pair.
#include <gtest/gtest.h>
#include <unicode/uchar.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kelvara/engine/characters.h"

namespace kelvara::engine {
namespace {

std::vector<std::u16string> Split(std::u16string_view text)
{
    const CharacterText characters(text);
    std::vector<std::u16string> out;
    for (std::size_t i = 0; i < characters.size(); ++i) out.emplace_back(characters[i]);
    return out;
}

using Pieces = std::vector<std::u16string>;

TEST(Characters, PlainJapaneseAndAsciiAreOneCodeUnitEach)
{
    EXPECT_EQ(Split(u"aあ漢ｱ　!"), (Pieces{u"a", u"あ", u"漢", u"ｱ", u"　", u"!"}));
    EXPECT_TRUE(CharacterText(u"").empty());
}

TEST(Characters, EmojiAndRareKanjiStayWhole)
{
    EXPECT_EQ(Split(u"a😀b"), (Pieces{u"a", u"😀", u"b"}));
    EXPECT_EQ(Split(u"𠮷野家"), (Pieces{u"𠮷", u"野", u"家"}));
    EXPECT_EQ(Split(u"🇯🇵🇫🇷"), (Pieces{u"🇯🇵", u"🇫🇷"}));
    EXPECT_EQ(Split(u"👍🏽!"), (Pieces{u"👍🏽", u"!"}));
    EXPECT_EQ(Split(u"👨‍👩‍👧"), (Pieces{u"👨‍👩‍👧"}));
}

TEST(Characters, CombiningMarksJoinTheirBase)
{
    EXPECT_EQ(Split(u"か\u3099き"), (Pieces{u"か\u3099", u"き"}));
    EXPECT_EQ(Split(u"e\u0301!"), (Pieces{u"e\u0301", u"!"}));
    EXPECT_EQ(Split(u"a\r\nb"), (Pieces{u"a", u"\r\n", u"b"}));
}

TEST(Characters, HalfWidthSoundMarksCountOnTheirOwn)
{
    EXPECT_EQ(Split(u"ｶﾞｷﾟ"), (Pieces{u"ｶ", u"ﾞ", u"ｷ", u"ﾟ"}));
    // Also when the rest of the text takes the full cluster rules.
    EXPECT_EQ(Split(u"ｶﾞ😀"), (Pieces{u"ｶ", u"ﾞ", u"😀"}));
    EXPECT_EQ(Split(u"ﾞ"), (Pieces{u"ﾞ"}));
}

// The quick path treats these code units as characters of their own; that is only right
// when none of them joins a neighbour under the cluster rules.
TEST(Characters, QuickPathCodeUnitsNeverJoinANeighbour)
{
    auto check = [](char16_t from, char16_t to, std::vector<char16_t> except) {
        for (char32_t c = from; c <= to; ++c) {
            if (std::find(except.begin(), except.end(), c) != except.end()) continue;
            const auto kind =
                u_getIntPropertyValue(static_cast<UChar32>(c), UCHAR_GRAPHEME_CLUSTER_BREAK);
            EXPECT_TRUE(kind == U_GCB_OTHER || kind == U_GCB_CONTROL || kind == U_GCB_LF)
                << "U+" << std::hex << static_cast<unsigned>(c);
        }
    };
    check(0x0000, 0x02FF, {u'\r'});
    check(0x3000, 0x30FF, {0x302A, 0x302B, 0x302C, 0x302D, 0x302E, 0x302F, 0x3099, 0x309A});
    check(0x4E00, 0x9FFF, {});
    check(0xFF00, 0xFFEF, {0xFF9E, 0xFF9F});
}

}  // namespace
}  // namespace kelvara::engine
