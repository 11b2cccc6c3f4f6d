// SPDX-License-Identifier: MIT
// The generated tags, byte for byte: colour steps, sizes, wrappers, vertical writing, runs
// that stop, and texts that are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kelvara/engine/characters.h"
#include "kelvara/engine/generator.h"

namespace kelvara::engine {
namespace {

const std::u16string kFace = u"MS Pゴシック";

TagOptions Options(std::int16_t colorCount = 2, std::int16_t fontflag = 0)
{
    TagOptions o;
    o.h_ColorCount = colorCount;
    o.h_fontflag = fontflag;
    o.h_NFontSize = 3;
    o.h_FontFace = kFace;
    return o;
}

std::u16string Tags(const TagOptions& o, std::u16string_view text, std::u16string first = u"FF0000",
                    std::u16string last = u"0000FF", std::u16string middle = u"00FF00")
{
    const GenerateResult result = Generate(o, text, FixedColors(first, middle, last));
    EXPECT_EQ(result.outcome, RunOutcome::Completed) << "message size " << result.message.size();
    return result.tags;
}

// The COLOR values of the characters, in order.
std::vector<std::u16string> Colors(const std::u16string& tags)
{
    std::vector<std::u16string> out;
    const std::u16string key = u"COLOR=\"#";
    for (auto at = tags.find(key); at != std::u16string::npos; at = tags.find(key, at + 1)) {
        out.push_back(tags.substr(at + key.size(), 6));
    }
    return out;
}

// The size values of the characters, in order, as written (quotes included).
std::vector<std::u16string> Sizes(const std::u16string& tags, const std::u16string& key)
{
    std::vector<std::u16string> out;
    for (auto at = tags.find(key); at != std::u16string::npos; at = tags.find(key, at + 1)) {
        const auto start = at + key.size();
        out.push_back(tags.substr(start, tags.find_first_of(u">p", start) - start));
    }
    return out;
}

using Texts = std::vector<std::u16string>;

TEST(Generator, WorkedExample)
{
    EXPECT_EQ(Tags(Options(), u"abc"),
              u"<FONT SIZE=\"3\" FACE=\"MS Pゴシック\"><FONT COLOR=\"#FF0000\">a</FONT>"
              u"<FONT COLOR=\"#7F0180\">b</FONT><FONT COLOR=\"#0000FF\">c</FONT></FONT>");
}

TEST(Generator, VerticalWritingWithShrinkingSizes)
{
    TagOptions o = Options(2, 1);
    o.h_styleflag = 1;
    EXPECT_EQ(Tags(o, u"abc"),
              u"<FONT FACE=\"MS Pゴシック\"><BR><FONT COLOR=\"#FF0000\" SIZE=7>a</FONT><BR>"
              u"<FONT COLOR=\"#7F0180\" SIZE=\"4\">b</FONT><BR>"
              u"<FONT COLOR=\"#0000FF\" SIZE=\"1\">c</FONT><BR></FONT>");
}

TEST(Generator, ThreeColoursOddLengthGivesTheExtraCharacterToTheSecondSegment)
{
    EXPECT_EQ(Tags(Options(3), u"abcde"),
              u"<FONT SIZE=\"3\" FACE=\"MS Pゴシック\"><FONT COLOR=\"#FF0000\">a</FONT>"
              u"<FONT COLOR=\"#54AB01\">b</FONT><FONT COLOR=\"#00FF00\">c</FONT>"
              u"<FONT COLOR=\"#017F80\">d</FONT><FONT COLOR=\"#0000FF\">e</FONT></FONT>");
}

TEST(Generator, ThreeColoursEvenLengthShowsTheMiddleColourTwice)
{
    const Texts colors = Colors(Tags(Options(3), u"abcdef"));
    ASSERT_EQ(colors.size(), 6U);
    EXPECT_EQ(colors[0], u"FF0000");
    EXPECT_EQ(colors[2], u"00FF00");
    EXPECT_EQ(colors[3], u"00FF00");
    EXPECT_EQ(colors[5], u"0000FF");
}

TEST(Generator, HtmlSizesCarryTheAccumulatedRoundingError)
{
    EXPECT_EQ(Sizes(Tags(Options(2, 1), u"abcdef"), u" SIZE="),
              (Texts{u"7", u"\"5\"", u"\"4\"", u"\"3\"", u"\"2\"", u"\"0\""}));
    EXPECT_EQ(Sizes(Tags(Options(2, 2), u"abc"), u" SIZE="), (Texts{u"1", u"\"4\"", u"\"7\""}));
}

TEST(Generator, PixelSizesAcrossTwoSegmentsWithWrappers)
{
    TagOptions o = Options(3, 3);
    o.h_MaxFontSize = 30;
    o.h_MinFontSize = 10;
    o.h_Centerflag = 1;
    o.h_BoldFlag = 1;
    const std::u16string tags = Tags(o, u"abcdef");
    EXPECT_EQ(Sizes(tags, u" STYLE=\"Font-Size:"),
              (Texts{u"30", u"26", u"22", u"19", u"14", u"10"}));
    EXPECT_TRUE(tags.starts_with(u"<CENTER><B><FONT FACE=\"MS Pゴシック\"><FONT COLOR="));
    EXPECT_TRUE(tags.ends_with(u"px;\">f</FONT></FONT></B></CENTER>"));
    EXPECT_NE(tags.find(u"<FONT COLOR=\"#FF0000\" STYLE=\"Font-Size:30px;\">a</FONT>"),
              std::u16string::npos);
}

TEST(Generator, EqualPixelBoundsDriftAwayFromTheValue)
{
    TagOptions o = Options(2, 3);
    o.h_MaxFontSize = 20;
    o.h_MinFontSize = 20;
    EXPECT_EQ(Sizes(Tags(o, u"abc"), u" STYLE=\"Font-Size:"), (Texts{u"20", u"20", u"21"}));
    o.h_fontflag = 4;
    EXPECT_EQ(Sizes(Tags(o, u"abc"), u" STYLE=\"Font-Size:"), (Texts{u"20", u"19", u"19"}));
}

TEST(Generator, EqualStartAndEndComponentsDriftUpAndComeBack)
{
    const Texts colors = Colors(Tags(Options(), u"abcdefghij", u"808080", u"808080"));
    EXPECT_EQ(colors, (Texts{u"808080", u"808080", u"808080", u"808080", u"808080", u"818181",
                             u"818181", u"818181", u"818181", u"808080"}));
}

TEST(Generator, AComponentBelowZeroShowsTheEndColourFromThenOn)
{
    const Texts colors = Colors(Tags(Options(), u"abcdefghij", u"01FF00", u"0000FF"));
    EXPECT_EQ(colors, (Texts{u"01FF00", u"01E31C", u"01C639", u"00AA55", u"008D72", u"0000FF",
                             u"0000FF", u"0000FF", u"0000FF", u"0000FF"}));
}

TEST(Generator, TwoCharactersShowStartAndEndColour)
{
    EXPECT_EQ(Colors(Tags(Options(), u"ab")), (Texts{u"FF0000", u"0000FF"}));
}

TEST(Generator, AllWrappersNestInTheirOrder)
{
    TagOptions o = Options(2, 1);
    o.h_Centerflag = o.h_BoldFlag = o.h_ItalicFlag = o.h_NotFlag = o.h_SubFlag = o.h_UpFlag =
        o.h_UnderFlag = o.h_marqueeFlag = o.h_BlinkFlag = 1;
    const std::u16string tags = Tags(o, u"ab");
    const std::u16string open =
        u"<CENTER><B><I><S><SUB><SUP><U><MARQUEE><BLINK><FONT FACE=\"MS Pゴシック\">";
    const std::u16string close = u"</FONT></BLINK></MARQUEE></U></SUP></SUB></S></I></B></CENTER>";
    EXPECT_EQ(tags.substr(0, open.size()), open);
    EXPECT_EQ(tags.substr(tags.size() - close.size()), close);
}

TEST(Generator, FlagsOtherThanOneActAsOff)
{
    TagOptions o = Options();
    o.h_BoldFlag = 2;
    o.h_styleflag = 2;
    o.h_Centerflag = -1;
    EXPECT_EQ(Tags(o, u"abc"), Tags(Options(), u"abc"));
}

TEST(Generator, BaseSizeOnlyMattersWithoutSizeSteps)
{
    TagOptions a = Options(2, 2);
    TagOptions b = a;
    b.h_NFontSize = 7;
    EXPECT_EQ(Tags(a, u"abc"), Tags(b, u"abc"));
    EXPECT_EQ(Tags(Options(), u"ab").substr(0, 15), u"<FONT SIZE=\"3\" ");
}

TEST(Generator, CharactersGoInUnchanged)
{
    const std::u16string tags = Tags(Options(), u"< &");
    EXPECT_NE(tags.find(u"\"><</FONT>"), std::u16string::npos);
    EXPECT_NE(tags.find(u"\"> </FONT>"), std::u16string::npos);
    EXPECT_NE(tags.find(u"\">&</FONT>"), std::u16string::npos);
}

// A quote would end the FACE attribute; it alone is escaped, in both forms of the element.
TEST(Generator, OnlyAQuoteInTheFaceIsEscaped)
{
    const struct {
        std::u16string face;
        std::u16string attribute;
    } cases[] = {
        {u"a\"b", u"FACE=\"a&quot;b\">"},
        {u"x\" onmouseover=\"alert(1)", u"FACE=\"x&quot; onmouseover=&quot;alert(1)\">"},
        {u"'<&amp;>' ゴ", u"FACE=\"'<&amp;>' ゴ\">"},
    };
    for (const auto& c : cases) {
        for (const std::int16_t fontflag : {0, 3}) {
            TagOptions o = Options(2, fontflag);
            o.h_FontFace = c.face;
            const std::u16string tags = Tags(o, u"ab");
            const std::u16string opening = tags.substr(0, tags.find(u"><FONT COLOR=") + 1);
            EXPECT_TRUE(opening.ends_with(c.attribute)) << "fontflag " << fontflag;
            EXPECT_EQ(std::count(opening.begin(), opening.end(), u'"'), fontflag == 0 ? 4 : 2);
        }
    }
}

TEST(Generator, EmojiAndHalfWidthSoundMarksGetOneElementPerCharacter)
{
    const std::u16string tags = Tags(Options(), u"😀ｶﾞ🇯🇵");
    EXPECT_EQ(Colors(tags).size(), 4U);
    EXPECT_NE(tags.find(u">😀</FONT>"), std::u16string::npos);
    EXPECT_NE(tags.find(u">ﾞ</FONT>"), std::u16string::npos);
    EXPECT_NE(tags.find(u">🇯🇵</FONT>"), std::u16string::npos);
}

TEST(GeneratorRefusal, TooShortTextsAreRefusedWithTheirMessage)
{
    const FixedColors colors(u"FF0000", u"00FF00", u"0000FF");
    GenerateResult r = Generate(Options(2), u"a", colors);
    EXPECT_EQ(r.outcome, RunOutcome::Refused);
    EXPECT_EQ(r.message, u"ﾃｷｽﾄを２文字以上入力して下さい。");
    EXPECT_TRUE(r.tags.empty());

    r = Generate(Options(3), u"ab", colors);
    EXPECT_EQ(r.message, u"ﾃｷｽﾄを３文字以上入力して下さい。");
    EXPECT_TRUE(r.tags.empty());

    // An emoji is one character however many code units it takes.
    EXPECT_EQ(Generate(Options(2), u"😀", colors).outcome, RunOutcome::Refused);
}

TEST(GeneratorRefusal, UnusualColourCountsRunAsTwoColours)
{
    const FixedColors colors(u"FF0000", u"00FF00", u"0000FF");
    EXPECT_EQ(Generate(Options(0), u"", colors).message, u"ﾃｷｽﾄを２文字以上入力して下さい。");
    EXPECT_EQ(Generate(Options(5), u"abc", colors).tags, Tags(Options(2), u"abc"));
}

TEST(GeneratorRefusal, TextsBeyond32767CharactersAreRefused)
{
    const FixedColors colors(u"FF0000", u"00FF00", u"0000FF");
    const GenerateResult r = Generate(Options(), std::u16string(32768, u'a'), colors);
    EXPECT_EQ(r.outcome, RunOutcome::Refused);
    EXPECT_EQ(r.message, u"ﾃｷｽﾄは32767文字以内で入力して下さい。");
    EXPECT_EQ(Generate(Options(), std::u16string(32767, u'a'), colors).outcome,
              RunOutcome::Completed);
}

struct RecordingHook : RunHook {
    std::vector<std::pair<int, int>> calls;
    std::size_t stopAt = 0;  // stop on this call (1-based); 0 never
    bool Continue(int remaining, int total) override
    {
        calls.emplace_back(remaining, total);
        return calls.size() != stopAt;
    }
};

TEST(GeneratorHook, CalledBeforeEveryCharacterButTheFirstOfASegment)
{
    const FixedColors colors(u"FF0000", u"00FF00", u"0000FF");
    RecordingHook two;
    Generate(Options(2), u"ab", colors, &two);
    EXPECT_EQ(two.calls, (std::vector<std::pair<int, int>>{{0, 2}}));

    RecordingHook three;
    Generate(Options(3), u"abcde", colors, &three);
    EXPECT_EQ(three.calls, (std::vector<std::pair<int, int>>{{3, 5}, {1, 5}, {0, 5}}));
}

TEST(GeneratorHook, AStopLeavesTheEmittedCharactersWithoutWrappers)
{
    const FixedColors colors(u"FF0000", u"00FF00", u"0000FF");
    RecordingHook hook;
    hook.stopAt = 2;
    const GenerateResult r = Generate(Options(), u"abcde", colors, &hook);
    EXPECT_EQ(r.outcome, RunOutcome::Stopped);
    EXPECT_EQ(r.tags, u"<FONT COLOR=\"#FF0000\">a</FONT><FONT COLOR=\"#BF0040\">b</FONT>");
}

// The owner may replace the text mid-run (an edit sent back); the run appends to the new text.
TEST(GeneratorHook, TheRunGoesOnAppendingToReplacedText)
{
    struct ReplacingHook : RunHook {
        StringSink* sink = nullptr;
        bool Continue(int remaining, int) override
        {
            if (remaining == 1) sink->Text() = u"edited";
            return true;
        }
    };
    StringSink sink;
    ReplacingHook hook;
    hook.sink = &sink;
    const TagOptions o = Options();
    const CharacterText text(u"abc");
    EXPECT_EQ(RunSegments(o, text, FixedColors(u"FF0000", u"", u"0000FF"), sink, &hook),
              RunOutcome::Completed);
    EXPECT_EQ(sink.Text(),
              u"<FONT SIZE=\"3\" FACE=\"MS Pゴシック\">edited<FONT COLOR=\"#7F0180\">b</FONT>"
              u"<FONT COLOR=\"#0000FF\">c</FONT></FONT>");
}

// Colours are read at the start of each segment, so a colour source is asked per segment.
TEST(GeneratorHook, ColoursAreReadAtTheStartOfEachSegment)
{
    struct CountingColors : ColorSource {
        mutable int reads = 0;
        std::u16string ColorText(ColorSlot) const override
        {
            ++reads;
            return u"000000";
        }
    } colors;
    Generate(Options(3), u"abcd", colors);
    EXPECT_EQ(colors.reads, 4);
}

}  // namespace
}  // namespace kelvara::engine
