// SPDX-License-Identifier: MIT
// kelvara-gen's command-line conventions: -h, values as the next argument, "--", messages.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "gen_run.h"

namespace kelvara::cli {
namespace {

TEST(CliConventions, DashHIsHelp)
{
    const GenRun run = Gen({"-h"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.out.rfind("Usage: kelvara-gen", 0), 0U);
    EXPECT_EQ(run.out, Gen({"--help"}).out);
    EXPECT_EQ(run.err, "");
}

TEST(CliConventions, AValueMayFollowAsTheNextArgument)
{
    const GenRun joined = Gen({"--first=00ff00", "--colors=3", "--middle=123456", "--face=Osaka",
                               "--font-mode=4", "--max=20", "--min=-2", "abcd"});
    const GenRun separate =
        Gen({"--first", "00ff00", "--colors", "3", "--middle", "123456", "--face", "Osaka",
             "--font-mode", "4", "--max", "20", "--min", "-2", "abcd"});
    EXPECT_EQ(joined.status, kExitOk);
    EXPECT_EQ(separate.status, kExitOk);
    EXPECT_EQ(separate.out, joined.out);
    EXPECT_NE(separate.out.find("FACE=\"Osaka\""), std::string::npos);
    EXPECT_NE(separate.out.find("Font-Size:-2px"), std::string::npos);
}

TEST(CliConventions, FlagsTakeANumberOnlyAfterAnEqualsSign)
{
    const GenRun run = Gen({"--bold", "12"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.out.rfind("<B><FONT", 0), 0U);
    EXPECT_NE(run.out.find(">1</FONT>"), std::string::npos);
    EXPECT_NE(run.out.find(">2</FONT>"), std::string::npos);
}

TEST(CliConventions, DoubleDashEndsTheOptions)
{
    const GenRun run = Gen({"--bold", "--", "-h"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_NE(run.out.find(">-</FONT>"), std::string::npos);
    EXPECT_NE(run.out.find(">h</FONT>"), std::string::npos);
}

TEST(CliConventions, EveryMessageLineStartsWithTheProgramName)
{
    TempFolder dir;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-x"},
          {"--colour=3", "ab"},
          {"--face"},
          {"--help=1"},
          {"a"},
          {"--colors=3", "ab"},
          {std::string(32768, 'a')},
          {"a\xff"},
          {"--settings=" + dir.File("missing.ini")},
          {"--page=" + dir.File("no/dir/p.html"), "ab"},
          {"--save-settings=" + dir.File("no/dir/Lum.ini"), "ab"}}) {
        const GenRun run = Gen(args);
        EXPECT_NE(run.status, kExitOk) << args[0];
        ASSERT_FALSE(run.err.empty()) << args[0];
        std::istringstream lines(run.err);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_EQ(line.rfind("kelvara-gen: ", 0), 0U) << line;
        }
    }
}

TEST(CliConventions, ShortOptionsOtherThanHelpAreUsageErrors)
{
    for (const char* arg : {"-x", "-5", "-hh"}) {
        const GenRun run = Gen({arg});
        EXPECT_EQ(run.status, kExitUsage) << arg;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(Gen({"-"}, "ab").status, kExitOk);  // a lone "-" is standard input
}

TEST(CliConventions, HelpListsEveryOptionAtTheStartOfALine)
{
    const std::string help = Gen({"--help"}).out;
    for (const char* option :
         {"  -h, --help",    "  --version",   "  --first=",         "  --middle=",
          "  --last=",       "  --colors=",   "  --font-mode=",     "  --base-size=",
          "  --face=",       "  --max=",      "  --min=",           "  --center",
          "  --bold",        "  --italic",    "  --strike",         "  --sub",
          "  --sup",         "  --underline", "  --marquee",        "  --blink",
          "  --vertical",    "  --settings=", "  --print-settings", "  --save-settings=",
          "  --background=", "  --page=",     "  --format=",        "  --stops=",
          "  --space=",      "  --fit=",      "  --contrast=",      "  --lines"}) {
        EXPECT_NE(help.find(std::string("\n") + option), std::string::npos) << option;
    }
}

TEST(CliConventions, OutputOptionUsageErrors)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--format=html", "ab"},
                                                 {"--format", "FONT", "ab"},
                                                 {"--space=hsv", "ab"},
                                                 {"--stops=ff0000", "ab"},
                                                 {"--stops=ff0000,00ff00,", "ab"},
                                                 {"--stops=ff0000,gg0000", "ab"},
                                                 {"--stops=ff0000,00ff0", "ab"},
                                                 {"--stops=#ff0000,00ff00", "ab"},
                                                 {"--stops=ff0000,00ff00", "--first=00ff00", "ab"},
                                                 {"--fit=x", "ab"},
                                                 {"--fit=-1", "ab"},
                                                 {"--fit=10", "--format=json", "ab"},
                                                 {"--format=ansi", "--fit", "10", "ab"},
                                                 {"--contrast=fff", "ab"},
                                                 {"--lines", "--page=x.html", "ab"},
                                                 {"--lines", "--image=x.png", "ab"}}) {
        const GenRun run = Gen(args);
        EXPECT_EQ(run.status, kExitUsage) << args[0];
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("kelvara-gen: ", 0), 0U) << args[0];
    }
    std::string seventeen = "000000";
    for (int i = 0; i < 16; ++i) seventeen += ",000000";
    EXPECT_EQ(Gen({"--stops=" + seventeen, "ab"}).status, kExitUsage);
}

}  // namespace
}  // namespace kelvara::cli
