// SPDX-License-Identifier: MIT
// The wiki format as PukiWiki 1.5.4 itself shows it: however the characters are grouped to meet
// a length limit, the page shows the text as typed, every character in its planned colour and
// size, and nothing of it turns into a link, a face mark, a footnote or other markup.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "format_readers.h"
#include "kelvara/engine/run_plan.h"
#include "kelvara/engine/utf8.h"

namespace kelvara::engine {
namespace {

const FixedColors kColors(u"FF0000", u"00FF00", u"0000FF");

// Texts that PukiWiki reads as markup when they reach it as they stand.
const std::vector<std::u16string> kMarkup = {u"[[リンク]]",
                                             u"今日も元気 (^^)",
                                             u"元気 :)",
                                             u"元気 :D",
                                             u"元気 XD",
                                             u"全角の空白　XD",
                                             u"a (^-^ (..; (--; (^^;) (^_-) X( :( :p",
                                             u"((注釈))",
                                             u"WikiName",
                                             u"AbCdEfGhIj",
                                             u"https://example.jp",
                                             u"ftp://x.jp/a",
                                             u"mail@example.jp",
                                             u"mailto:a",
                                             u"[http://x.jp リンク]",
                                             u"[./x y]",
                                             u"[[別名>FrontPage]]",
                                             u"[[a:b]]",
                                             u"COLOR(red):赤",
                                             u"SIZE(5):大",
                                             u"COLOR(red){赤}SIZE(20){大}",
                                             u"&color(red){x};&br;&t;",
                                             u"''太字''%%消%%'''斜'''",
                                             u"タブ\tと改行\r\nと\n"};

// Random texts of markup pieces, for constructs the list above misses.
std::vector<std::u16string> RandomMarkup()
{
    const std::u16string_view pieces[] = {
        u"(",    u")",      u"((",    u"))",   u"[",   u"]",    u"[[",   u"]]", u":",
        u"@",    u"/",      u".",     u" ",    u"　",  u"\t",   u"\n",   u"X",  u"D",
        u"^",    u"-",      u";",     u"~",    u"#",   u"&",    u"'",    u"%",  u"{",
        u"}",    u">",      u"<",     u"\"",   u"=",   u"Wiki", u"Name", u"Ab", u"http",
        u"s://", u"mailto", u"COLOR", u"SIZE", u"red", u"5",    u"a",    u"字"};
    std::mt19937 random(22);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::vector<std::u16string> texts(1000);
    for (std::u16string& text : texts) {
        const std::size_t length = 3 + random() % 14;
        while (text.size() < length) text += pieces[piece(random)];
    }
    return texts;
}

struct Output {
    std::u16string text;
    TagOptions options;
    OutputOptions output;
    std::u16string wiki;
};

// Per character, as one run, and in runs between the two; plain, or with every wrapper and
// pixel sizes above PukiWiki's 60 (and below 0 where the classic arithmetic takes a maximum
// smaller than the minimum).
void AddOutputs(std::vector<Output>& outputs, const std::u16string& text)
{
    const std::array<std::int16_t, 3> looks[] = {{0, 30, 10}, {3, 80, 20}, {3, 20, 80}};
    for (const auto [fontflag, max, min] : looks) {
        TagOptions o;
        o.h_ColorCount = 3;
        o.h_NFontSize = 3;
        o.h_fontflag = fontflag;
        o.h_MaxFontSize = max;
        o.h_MinFontSize = min;
        o.h_BoldFlag = o.h_NotFlag = o.h_ItalicFlag = o.h_UnderFlag = o.h_Centerflag = max / 80;
        OutputOptions out;
        out.format = OutputFormat::Wiki;
        const std::size_t whole = GenerateFormatted(o, out, text, kColors).tags.size();
        out.fit = 1;
        const auto oneRun = GenerateFormatted(o, out, text, kColors).report.fitNeeded.value();
        for (const auto fit : {std::optional<std::size_t>(), std::optional(oneRun),
                               std::optional(oneRun + whole / 3)}) {
            out.fit = fit;
            outputs.push_back({text, o, out, GenerateFormatted(o, out, text, kColors).tags});
        }
    }
}

// The page against the plan: the text, each character's colour and size, no other markup.
void Check(const Output& o, const testing::PukiWikiPage& page)
{
    const std::string trace = ToUtf8(o.wiki);
    EXPECT_EQ(page.notes, u"") << trace;
    const std::vector<std::u16string> allowed = {u"p",  u"span", u"div", u"strong",
                                                 u"em", u"del",  u"ins"};
    for (const std::u16string& element : page.body.elements) {
        EXPECT_EQ(std::ranges::count(allowed, element), 1) << ToUtf8(element) << " in " << trace;
    }
    std::u16string planned;  // colour and size per code unit
    for (const PlannedRun& run : PlanRun(o.options, o.output, o.text, kColors).runs) {
        std::string look = ToUtf8(HtmlColor(run.color));
        if (o.options.h_fontflag == 3)
            look += std::to_string(std::clamp(run.size, 8LL, 60LL)) + "px";
        for (std::size_t i = 0; i < run.text.size(); ++i) planned += FromUtf8Lenient(look + "|");
    }
    std::u16string shown;
    std::u16string looks;
    for (const testing::ColoredText& piece : page.body.visible) {
        if (piece.color.empty() && piece.text.find_first_not_of(u'\n') == std::u16string::npos) {
            continue;  // between the page's elements
        }
        shown += piece.text;
        for (std::size_t i = 0; i < piece.text.size(); ++i)
            looks += piece.color + piece.sizeText + u'|';
    }
    EXPECT_EQ(shown, o.text) << trace;
    EXPECT_EQ(looks, planned) << trace;
}

TEST(PukiWiki, MarkupInTheTextStaysTextInEveryGrouping)
{
    if (!testing::PukiWikiFound()) {
        GTEST_SKIP() << "no PukiWiki tree with render.php: set KELVARA_PUKIWIKI_DIR";
    }
    std::vector<Output> outputs;
    for (const std::u16string& text : kMarkup) AddOutputs(outputs, text);
    for (const std::u16string& text : RandomMarkup()) AddOutputs(outputs, text);
    std::vector<std::u16string> texts;
    for (const Output& o : outputs) texts.push_back(o.wiki);
    const auto pages = testing::ReadPukiWiki(texts);
    ASSERT_TRUE(pages.has_value()) << "render.php of " KELVARA_PUKIWIKI_DIR " failed";
    for (std::size_t i = 0; i < outputs.size(); ++i) Check(outputs[i], (*pages)[i]);
}

}  // namespace
}  // namespace kelvara::engine
