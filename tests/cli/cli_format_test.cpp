// SPDX-License-Identifier: MIT
// kelvara-gen's output options: formats, stops, colour spaces, fitting, the contrast report.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "gen_run.h"

namespace kelvara::cli {
namespace {

std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::size_t CodePoints(const std::string& utf8)
{
    std::size_t n = 0;
    for (const char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0U) != 0x80U ? 1 : 0;
    return n;
}

TEST(CliStops, TwoOrThreeStopsInRgbAreTheColourFieldsByteForByte)
{
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{},
          {"--font-mode=1", "--vertical"},
          {"--font-mode=3", "--max=30", "--min=10", "--bold", "--center"}}) {
        for (const std::string text : {"abc", "虹色のグラデーション文字", "😀🇯🇵abcdefghijklmnop"}) {
            const GenRun two = Gen(With(options, {"--stops=12ab34,FE0010", text}));
            EXPECT_EQ(two.status, kExitOk);
            EXPECT_EQ(
                two.out,
                Gen(With(options, {"--first=12AB34", "--last=fe0010", "--colors=2", text})).out);
            EXPECT_EQ(Gen(With(options, {"--space=rgb", "--stops=12ab34,FE0010", text})).out,
                      two.out);
            const GenRun three = Gen(With(options, {"--stops=ff0000,00ff00,0000ff", text}));
            EXPECT_EQ(three.out, Gen(With(options, {"--first=ff0000", "--middle=00ff00",
                                                    "--last=0000ff", "--colors=3", text}))
                                     .out);
            EXPECT_NE(three.out, two.out);
        }
    }
}

TEST(CliStops, MoreStopsAndOtherSpacesChangeTheColours)
{
    const GenRun four = Gen({"--stops=ff0000,00ff00,0000ff,ffffff", "abcdefgh"});
    EXPECT_EQ(four.status, kExitOk);
    EXPECT_NE(four.out.find("<FONT COLOR=\"#FF0000\">a</FONT>"), std::string::npos);
    EXPECT_NE(four.out.find("<FONT COLOR=\"#FFFFFF\">h</FONT>"), std::string::npos);

    // The space applies to the colour fields as well as to stops.
    const GenRun rgb = Gen({"--first=ff0000", "--last=0000ff", "abcdef"});
    const GenRun oklab = Gen({"--space=oklab", "--first=ff0000", "--last=0000ff", "abcdef"});
    EXPECT_EQ(oklab.status, kExitOk);
    EXPECT_NE(oklab.out, rgb.out);
    EXPECT_EQ(Gen({"--space=oklab", "--stops=ff0000,0000ff", "abcdef"}).out, oklab.out);
    EXPECT_NE(Gen({"--space=oklch", "--stops=ff0000,0000ff", "abcdef"}).out, oklab.out);
    const GenRun three = Gen({"--space=oklch", "--colors=3", "--first=ff0000", "--middle=00ff00",
                              "--last=0000ff", "abcdefg"});
    EXPECT_EQ(three.status, kExitOk);
    EXPECT_EQ(Gen({"--space=oklch", "--stops=ff0000,00ff00,0000ff", "abcdefg"}).out, three.out);
    EXPECT_NE(Gen({"--colors=3", "abcdefg"}).out, three.out);
}

TEST(CliFormats, TheChosenFormatReachesTheOutput)
{
    const std::vector<std::pair<std::string, std::string>> starts = {
        {"font", "<FONT SIZE=\"3\" FACE=\"MS Pゴシック\"><FONT COLOR=\"#FF0000\">a</FONT>"},
        {"span", "<span"},
        {"css", "<span"},
        {"bbcode", "[size=3][color=#FF0000]a[/color]"},
        {"wiki", "&color(#FF0000){a};"},
        {"ansi", "\x1b[38;2;255;0;0ma"},
        {"json", "[{\"text\":\"a\",\"color\":\"#FF0000\"}"},
        {"mfm", "$[fg.color=FF0000 a]$[fg.color=7F0180 b]"},
        {"minimessage", "<#FF0000>a<#7F0180>b"}};
    for (const auto& [format, start] : starts) {
        const GenRun run = Gen({"--format=" + format, "abc"});
        EXPECT_EQ(run.status, kExitOk) << format;
        EXPECT_EQ(run.out.rfind(start, 0), 0U) << format << ": " << run.out;
        EXPECT_TRUE(run.out.ends_with("\n")) << format;
    }
    EXPECT_NE(Gen({"--format=css", "abc"}).out.find("linear-gradient"), std::string::npos);
    EXPECT_EQ(Gen({"--format", "font", "abc"}).out, Gen({"abc"}).out);
}

TEST(CliFormats, OptionsAFormatCannotExpressAreNotedOnePerLine)
{
    const GenRun run = Gen({"--format=span", "--blink", "--marquee", "--bold", "abc"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.err,
              "kelvara-gen: blinking is left out: the span format cannot express it\n"
              "kelvara-gen: the marquee is left out: the span format cannot express it\n");
    EXPECT_EQ(run.out.find("BLINK"), std::string::npos);
    EXPECT_EQ(run.out.find("MARQUEE"), std::string::npos);

    // FONT tags express everything: no notes.
    EXPECT_EQ(Gen({"--blink", "--marquee", "--vertical", "--sub", "--center", "abc"}).err, "");
}

TEST(CliContrast, LowContrastCharactersAreListedAndTheStatusStays)
{
    const GenRun run = Gen({"--contrast=FFFFFF", "--stops=ffff00,0000ff", "abcd"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.err, "1\ta\t#FFFF00\t1.07:1\n2\tb\t#AAAA55\t2.44:1\n");
    EXPECT_EQ(run.out, Gen({"--stops=ffff00,0000ff", "abcd"}).out);
    EXPECT_EQ(Gen({"--contrast=000000", "--first=ffffff", "--last=ffff00", "ab"}).err, "");
    EXPECT_EQ(Gen({"--contrast", "ffffff", "--first=ffffff", "--last=ffffff", "😀あ"}).err,
              "1\t😀\t#FFFFFF\t1.00:1\n2\tあ\t#FFFFFF\t1.00:1\n");
}

TEST(CliFit, TheOutputKeepsToTheLimitOrIsRefused)
{
    const std::string text = "abcdefghijklmnopqrstuvwxyz";
    const std::size_t whole = CodePoints(Gen({text}).out) - 1;
    for (const std::size_t limit : {whole, whole - 1, std::size_t{200}, std::size_t{120}}) {
        const GenRun run = Gen({"--fit=" + std::to_string(limit), text});
        EXPECT_EQ(run.status, kExitOk) << limit;
        EXPECT_LE(CodePoints(run.out) - 1, limit);
    }
    EXPECT_EQ(Gen({"--fit=" + std::to_string(whole), text}).out, Gen({text}).out);

    const GenRun refused = Gen({"--fit=10", "abcdefghij"});
    EXPECT_EQ(refused.status, kExitFailed);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err,
              "kelvara-gen: the output cannot fit in 10 characters (at least 77 needed)\n");
    // Limits between one run and one element per character.
    for (const auto& [format, limit] : std::vector<std::pair<std::string, std::size_t>>{
             {"span", 600}, {"bbcode", 320}, {"wiki", 250}}) {
        const GenRun run = Gen({"--format=" + format, "--fit=" + std::to_string(limit), text});
        EXPECT_EQ(run.status, kExitOk) << format;
        EXPECT_LE(CodePoints(run.out) - 1, limit) << format;
        EXPECT_LT(CodePoints(run.out), CodePoints(Gen({"--format=" + format, text}).out));
    }
    // A css gradient of two colours is as short as it gets.
    EXPECT_EQ(Gen({"--format=css", "--fit=233", text}).err,
              "kelvara-gen: the output cannot fit in 233 characters (at least 234 needed)\n");
}

TEST(CliWiki, PixelSizesAreKeptWithinWhatPukiWikiShowsWithOneNote)
{
    const std::string note =
        "kelvara-gen: sizes below 8 px are written as 8 px and sizes above 60 px as 60 px: the "
        "wiki format shows no others\n";
    using Row = std::tuple<std::vector<std::string>, std::string, std::string>;
    for (const auto& [args, sizes, err] : std::vector<Row>{
             {{"--font-mode=3", "--min=20", "--max=80"}, "60 60 60 60 53 47 40 34 27 20 ", note},
             {{"--font-mode=3", "--min=20", "--max=80", "--fit=200"}, "60 60 60 47 40 27 ", note},
             {{"--font-mode=3", "--min=80", "--max=20"}, "20 13 8 8 8 8 8 8 8 8 ", note},
             {{"--font-mode=4", "--min=8", "--max=60"}, "8 13 19 25 30 36 42 47 53 58 ", ""}}) {
        const GenRun run = Gen(With(args, {"--format=wiki", "グラデーションの文字"}));
        std::string written;
        for (std::size_t at = 0; (at = run.out.find("&size(", at)) != std::string::npos;) {
            written += std::to_string(std::stoll(run.out.substr(at += 6))) + " ";
        }
        EXPECT_EQ(written, sizes);
        EXPECT_EQ(run.err, err);
    }
}

}  // namespace
}  // namespace kelvara::cli
