// SPDX-License-Identifier: MIT
// The wiki format as PukiWiki 1.5.4 itself shows it: however the characters are grouped to meet
// a length limit, the page shows every run as typed in its planned colour and size, and nothing
// of the text turns into a link, a face mark, a footnote or other markup.
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

// Texts that PukiWiki reads as markup when they reach it as they stand, then random texts of
// markup pieces, for constructs the list misses.
std::vector<std::u16string> Texts()
{
    std::vector<std::u16string> texts = {u"[[リンク]]",
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
    const std::u16string_view pieces[] = {
        u"(",    u")",      u"((",    u"))",   u"[",   u"]",    u"[[",   u"]]", u":",
        u"@",    u"/",      u".",     u" ",    u"　",  u"\t",   u"\n",   u"X",  u"D",
        u"^",    u"-",      u";",     u"~",    u"#",   u"&",    u"'",    u"%",  u"{",
        u"}",    u">",      u"<",     u"\"",   u"=",   u"Wiki", u"Name", u"Ab", u"http",
        u"s://", u"mailto", u"COLOR", u"SIZE", u"red", u"5",    u"a",    u"字"};
    std::mt19937 random(22);
    for (int i = 0; i < 1000; ++i) {
        std::u16string& text = texts.emplace_back();
        for (const auto length = 3 + random() % 14; text.size() < length;) {
            text += pieces[random() % std::size(pieces)];
        }
    }
    return texts;
}

TEST(PukiWiki, MarkupInTheTextStaysTextInEveryGrouping)
{
    if (!testing::PukiWikiFound()) {
        GTEST_SKIP() << "no PukiWiki tree with render.php: set KELVARA_PUKIWIKI_DIR";
    }
    const FixedColors colors(u"FF0000", u"00FF00", u"0000FF");
    // Plain; with every wrapper and pixel sizes above PukiWiki's 60; with sizes below 0, as
    // the classic arithmetic gives them for a maximum below the minimum.
    const std::array<std::int16_t, 3> looks[] = {{0, 30, 10}, {3, 80, 20}, {3, 20, 80}};
    std::vector<std::vector<testing::ColoredText>> planned;
    std::vector<std::u16string> outputs;
    for (const std::u16string& text : Texts()) {
        for (const auto [fontflag, max, min] : looks) {
            TagOptions o;
            o.h_ColorCount = 3;
            o.h_fontflag = fontflag;
            o.h_MaxFontSize = max;
            o.h_MinFontSize = min;
            o.h_BoldFlag = o.h_NotFlag = o.h_ItalicFlag = o.h_UnderFlag = o.h_Centerflag = max / 80;
            OutputOptions out;
            out.format = OutputFormat::Wiki;
            out.fit = 1;
            const std::size_t oneRun =
                GenerateFormatted(o, out, text, colors).report.fitNeeded.value();
            // One element per character, one run, and runs between the two.
            for (const auto fit : {std::optional<std::size_t>(), std::optional(oneRun),
                                   std::optional(oneRun * 3 / 2)}) {
                out.fit = fit;
                auto& units = planned.emplace_back();
                for (const PlannedRun& run : PlanRun(o, out, text, colors).runs) {
                    const auto px = std::to_string(std::clamp(run.size, 8LL, 60LL)) + "px";
                    units.push_back({run.text, HtmlColor(run.color), std::nullopt,
                                     fontflag == 3 ? FromUtf8Lenient(px) : u""});
                }
                outputs.push_back(GenerateFormatted(o, out, text, colors).tags);
            }
        }
    }
    const auto pages = testing::ReadPukiWiki(outputs);
    ASSERT_TRUE(pages.has_value()) << "render.php of " KELVARA_PUKIWIKI_DIR " failed";
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        EXPECT_EQ((*pages)[i].units, planned[i]) << ToUtf8(outputs[i]);
        EXPECT_EQ((*pages)[i].markup, std::vector<std::u16string>{}) << ToUtf8(outputs[i]);
    }
}

}  // namespace
}  // namespace kelvara::engine
