// SPDX-License-Identifier: MIT
// The UTF-8 codec at its edges: what strict reading refuses, what lenient reading replaces,
// cutting, and lone surrogates on the way out.
#include "kelvara/engine/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvara::engine {
namespace {

struct Bad {
    std::string bytes;
    std::u16string lenient;  // one U+FFFD for each byte that begins no well-formed sequence
};

TEST(Utf8, MalformedBytesAreRefusedOrReplacedByteByByte)
{
    const Bad cases[] = {
        {"a\xE3\x81", u"a\uFFFD\uFFFD"},                    // truncated
        {"\xE3\x41", u"\uFFFDA"},                           // continuation missing
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong slash
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},            // overlong, three bytes
        {"\xF0\x80\x80\xAF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // overlong, four bytes
        {"\xED\xA0\x80z", u"\uFFFD\uFFFD\uFFFDz"},          // surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"\xF5\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\xFFx\x80", u"\uFFFDx\uFFFD"},
    };
    for (const Bad& c : cases) {
        EXPECT_FALSE(FromUtf8(c.bytes).has_value()) << c.bytes;
        EXPECT_EQ(FromUtf8Lenient(c.bytes), c.lenient) << c.bytes;
    }
}

TEST(Utf8, SequenceCutByTheEndOfAPieceWaitsForMoreUnlessAlreadyBroken)
{
    EXPECT_EQ(ReadUtf8("\xF0\x9F\x98").kind, Utf8Sequence::Kind::Incomplete);
    EXPECT_EQ(ReadUtf8("\xE3").kind, Utf8Sequence::Kind::Incomplete);
    EXPECT_EQ(ReadUtf8("\xE3z").kind, Utf8Sequence::Kind::Invalid);
}

TEST(Utf8, ThreeByteShortcutNeverAcceptsWhatTheFullReaderRefuses)
{
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
        for (unsigned b1 = 0; b1 <= 0xFF; ++b1) {
            for (unsigned b2 = 0; b2 <= 0xFF; b2 += 0x0F) {
                const std::string bytes = {static_cast<char>(lead), static_cast<char>(b1),
                                           static_cast<char>(b2)};
                char32_t fast = 0;
                if (!ReadUtf8ThreeByteForm(bytes, 0, fast)) continue;
                const Utf8Sequence full = ReadUtf8(bytes);
                ASSERT_EQ(full.kind, Utf8Sequence::Kind::Complete) << lead << ' ' << b1;
                ASSERT_EQ(full.codePoint, fast) << lead << ' ' << b1 << ' ' << b2;
            }
        }
    }
    char32_t cp = 0;  // the end comes before the third byte
    EXPECT_FALSE(ReadUtf8ThreeByteForm("\xE3\x81", 0, cp));
}

TEST(Utf8, CutNeverSplitsACharacter)
{
    const std::string text = "a\xE3\x81\x82\xF0\x9F\x98\x80\xFFz";  // a, あ, 😀, bad byte, z
    const std::size_t kept[] = {0, 1, 1, 1, 4, 4, 4, 4, 8, 9, 10};
    for (std::size_t max = 0; max < std::size(kept); ++max) {
        EXPECT_EQ(CutUtf8(text, max), text.substr(0, kept[max])) << max;
    }
}

TEST(Utf8, UnpairedSurrogatesTakeTheReplacementAndPairsRoundTrip)
{
    const std::u16string lone = {u'x', char16_t{0xD800}, u'y', char16_t{0xDC00}, char16_t{0xD83D}};
    EXPECT_EQ(ToUtf8(lone), "x\xEF\xBF\xBDy\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(ToUtf8(lone, U'?'), "x?y??");

    const std::u16string supplementary = u"\U00010000\U0001F600\U0010FFFF\uFFFF";
    const std::string bytes = ToUtf8(supplementary);
    EXPECT_EQ(bytes, "\xF0\x90\x80\x80\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF\xEF\xBF\xBF");
    EXPECT_EQ(FromUtf8(bytes), supplementary);
    EXPECT_EQ(FromUtf8Lenient(bytes), supplementary);
}

}  // namespace
}  // namespace kelvara::engine
