// SPDX-License-Identifier: MIT
// kelvara-gen as scripts use it: output, exit status, standard input, settings files, pages.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_main.h"
#include "gen_run.h"

namespace kelvara::cli {
namespace {

const std::string kWorkedExample =
    "<FONT SIZE=\"3\" FACE=\"MS Pゴシック\"><FONT COLOR=\"#FF0000\">a</FONT>"
    "<FONT COLOR=\"#7F0180\">b</FONT><FONT COLOR=\"#0000FF\">c</FONT></FONT>\n";

TEST(CliConversion, DefaultsGiveTheWorkedExample)
{
    const GenRun run = Gen({"abc"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.out, kWorkedExample);
    EXPECT_EQ(run.err, "");
}

TEST(CliConversion, OptionsReachTheGenerator)
{
    EXPECT_EQ(Gen({"--font-mode=1", "--vertical", "abc"}).out,
              "<FONT FACE=\"MS Pゴシック\"><BR><FONT COLOR=\"#FF0000\" SIZE=7>a</FONT><BR>"
              "<FONT COLOR=\"#7F0180\" SIZE=\"4\">b</FONT><BR>"
              "<FONT COLOR=\"#0000FF\" SIZE=\"1\">c</FONT><BR></FONT>\n");
    EXPECT_EQ(Gen({"--colors=3", "abcde"}).out,
              "<FONT SIZE=\"3\" FACE=\"MS Pゴシック\"><FONT COLOR=\"#FF0000\">a</FONT>"
              "<FONT COLOR=\"#54AB01\">b</FONT><FONT COLOR=\"#00FF00\">c</FONT>"
              "<FONT COLOR=\"#017F80\">d</FONT><FONT COLOR=\"#0000FF\">e</FONT></FONT>\n");
    const GenRun styled = Gen({"--center", "--bold", "--font-mode=3", "--max=30", "--min=10",
                               "--face=Osaka", "--first=ff0000", "--last=00ff00", "ab"});
    EXPECT_EQ(
        styled.out,
        "<CENTER><B><FONT FACE=\"Osaka\"><FONT COLOR=\"#FF0000\" STYLE=\"Font-Size:30px;\">a</FONT>"
        "<FONT COLOR=\"#00FF00\" STYLE=\"Font-Size:11px;\">b</FONT></FONT></B></CENTER>\n");
}

TEST(CliConversion, AFlagValueOtherThanOneActsAsOff)
{
    EXPECT_EQ(Gen({"--bold=2", "abc"}).out, kWorkedExample);
    EXPECT_NE(Gen({"--bold=1", "abc"}).out.find("<B>"), std::string::npos);
}

TEST(CliInput, StandardInputLosesOneTrailingLineBreak)
{
    EXPECT_EQ(Gen({}, "abc\n").out, kWorkedExample);
    EXPECT_EQ(Gen({"-"}, "abc\r\n").out, kWorkedExample);
    // Only one line break goes: the second becomes a character of its own.
    EXPECT_NE(Gen({}, "ab\n\n").out.find(">\n</FONT>"), std::string::npos);
}

TEST(CliInput, EmojiAreOneCharacter)
{
    const GenRun run = Gen({"😀🇯🇵"});
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_NE(run.out.find(">😀</FONT>"), std::string::npos);
    EXPECT_NE(run.out.find(">🇯🇵</FONT>"), std::string::npos);
}

TEST(CliErrors, RefusedTextsGoToStandardErrorWithStatusOne)
{
    GenRun run = Gen({"a"});
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "kelvara-gen: ﾃｷｽﾄを２文字以上入力して下さい。\n");

    run = Gen({"--colors=3", "ab"});
    EXPECT_EQ(run.err, "kelvara-gen: ﾃｷｽﾄを３文字以上入力して下さい。\n");
    EXPECT_EQ(Gen({"--colors=0"}, "").status, kExitFailed);
    EXPECT_EQ(Gen({std::string(32768, 'a')}).err,
              "kelvara-gen: ﾃｷｽﾄは32767文字以内で入力して下さい。\n");
}

TEST(CliErrors, InvalidUtf8IsReportedNotConverted)
{
    for (const std::string bad : {"a\xff"
                                  "b",
                                  "\xc0\xaf", "\xed\xa0\x80", "ab\xe3\x81"}) {
        GenRun run = Gen({bad});
        EXPECT_EQ(run.status, kExitFailed);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("UTF-8"), std::string::npos);
        run = Gen({}, bad);
        EXPECT_EQ(run.status, kExitFailed);
    }
    EXPECT_EQ(Gen({"--face=\xff", "abc"}).status, kExitFailed);
}

TEST(CliErrors, UsageErrorsExitWithTwo)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--colour=3", "ab"},
                                                 {"--colors=x", "ab"},
                                                 {"--colors=99999", "ab"},
                                                 {"--max", "ab"},
                                                 {"ab", "cd"},
                                                 {"--bold=yes", "ab"},
                                                 {"--first"}}) {
        const GenRun run = Gen(args);
        EXPECT_EQ(run.status, kExitUsage) << args[0];
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("kelvara-gen: "), std::string::npos);
    }
    EXPECT_EQ(Gen({"--", "--bold"}).status, kExitOk);  // "--" ends the options
}

TEST(CliErrors, HelpAndVersion)
{
    EXPECT_NE(Gen({"--help"}).out.find("Usage: kelvara-gen"), std::string::npos);
    EXPECT_EQ(Gen({"--version"}).out.rfind("kelvara-gen ", 0), 0U);
}

TEST(CliSettings, SavedValuesComeBackExactly)
{
    TempFolder dir;
    const std::string ini = dir.File("Lum.ini");
    const std::vector<std::string> set = {"--save-settings=" + ini,
                                          "--colors=3",
                                          "--font-mode=4",
                                          "--base-size=5",
                                          "--face=ＭＳ 明朝",
                                          "--max=40",
                                          "--min=-2",
                                          "--bold",
                                          "--italic=2",
                                          "--strike",
                                          "--sub",
                                          "--sup",
                                          "--underline",
                                          "--marquee",
                                          "--blink",
                                          "--vertical",
                                          "--center",
                                          "--first=ff8000",
                                          "--middle=123",
                                          "--last=0000FF",
                                          "--background=000000",
                                          "--format=span",
                                          "--space=oklab",
                                          "--fit=200",
                                          "--contrast=FFFFFF",
                                          "グラデーション"};
    ASSERT_EQ(Gen(set).status, kExitOk);
    const GenRun printed = Gen({"--settings=" + ini, "--print-settings"});
    EXPECT_EQ(printed.status, kExitOk);
    EXPECT_EQ(printed.out,
              "txtFor=グラデーション\n"
              "SavedColors(0)=\nSavedColors(1)=\nSavedColors(2)=\nSavedColors(3)=\n"
              "SavedColors(4)=\nSavedColors(5)=\nSavedColors(6)=\nSavedColors(7)=\n"
              "SavedColors(8)=\nSavedColors(9)=\nSavedColors(10)=\nSavedColors(11)=\n"
              "h_textflag=0\nh_fontflag=4\nh_styleflag=1\nh_instantflag=0\nh_ColorCount=3\n"
              "h_Centerflag=1\nh_ItalicFlag=2\nh_BoldFlag=1\nh_NotFlag=1\nh_SubFlag=1\nh_UpFlag=1\n"
              "h_UnderFlag=1\nh_MaxFontSize=40\nh_MinFontSize=-2\nh_marqueeFlag=1\nh_BlinkFlag=1\n"
              "txtCfor=ff8000\ntxtClat=0000FF\ntxtCmid=123\ntxtBack=000000\n"
              "h_NFontSize=5\nh_FontFace=ＭＳ 明朝\n"
              "Format=span\nSpace=oklab\nStops=\nFit=200\nContrast=1\n");
}

// Section Output of a settings file is honoured, printed and saved as the window does.
TEST(CliSettings, SectionOutputIsHonouredAndOverridden)
{
    TempFolder dir;
    const std::string ini = dir.File("Lum.ini");
    {
        std::ofstream file(ini, std::ios::binary);
        file << "[Color]\r\nFor=FF0000\r\nLast=0000FF\r\nMid=00FF00\r\nBack=FFFFFF\r\n"
                "[Set]\r\nn=2\r\n[Output]\r\nFormat=span\r\nStops=FFFF00\r\nContrast=1\r\n";
    }
    const GenRun fromFile = Gen({"--settings=" + ini, "abc"});
    EXPECT_EQ(fromFile.out,
              Gen({"--format=span", "--stops=FF0000,FFFF00,0000FF", "--face=", "abc"}).out);
    // Reported against the file's background, white, or the colour of --contrast.
    EXPECT_EQ(fromFile.err, "1\ta\t#FF0000\t3.99:1\n2\tb\t#FFFF00\t1.07:1\n");
    EXPECT_EQ(Gen({"--settings=" + ini, "--contrast=000000", "abc"}).err,
              "3\tc\t#0000FF\t2.44:1\n");
    EXPECT_EQ(Gen({"--settings=" + ini, "--format=font", "--stops=FF0000,0000FF",
                   "--face=MS Pゴシック", "abc"})
                  .out,
              kWorkedExample);
    EXPECT_EQ(Gen({"--settings=" + ini, "--fit=5", "--format=json", "abc"}).status, kExitUsage);

    // --stops saves as two colours and the stops between them; sixteen stops need the middle.
    const std::string saved = dir.File("saved.ini");
    ASSERT_EQ(Gen({"--settings=" + ini, "--save-settings=" + saved, "--stops=111111,222222,333333"})
                  .status,
              kExitOk);
    const std::string printed = Gen({"--settings=" + saved, "--print-settings"}).out;
    EXPECT_NE(printed.find("h_ColorCount=2\n"), std::string::npos) << printed;
    EXPECT_NE(printed.find("txtCfor=111111\ntxtClat=333333\n"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Format=span\nSpace=rgb\nStops=222222\nFit=\nContrast=1\n"),
              std::string::npos)
        << printed;
    std::string sixteen = "000000";
    for (int i = 1; i < 16; ++i) sixteen += ",0000" + std::to_string(10 + i);
    ASSERT_EQ(Gen({"--save-settings=" + saved, "--stops=" + sixteen}).status, kExitOk);
    EXPECT_EQ(Gen({"--settings=" + saved, "abcdefghijklmnop"}).out,
              Gen({"--stops=" + sixteen, "abcdefghijklmnop"}).out);
}

TEST(CliSettings, TheFileTextIsConvertedAndOptionsOverrideTheFile)
{
    TempFolder dir;
    const std::string ini = dir.File("Lum.ini");
    ASSERT_EQ(Gen({"--save-settings=" + ini, "--bold", "abc"}).status, kExitOk);
    EXPECT_NE(Gen({"--settings=" + ini}).out.find("<B><FONT SIZE=\"3\""), std::string::npos);
    EXPECT_EQ(Gen({"--settings=" + ini, "--bold=0"}).out, kWorkedExample);
    EXPECT_NE(Gen({"--settings=" + ini, "xyz"}).out.find(">z</FONT>"), std::string::npos);
    EXPECT_EQ(Gen({"--settings=" + dir.File("missing.ini"), "abc"}).status, kExitFailed);
}

TEST(CliPage, ThePageHoldsBackgroundAndTagsInShiftJis)
{
    TempFolder dir;
    const std::string page = dir.File("page.html");
    ASSERT_EQ(Gen({"--page=" + page, "--background=000000", "ab"}).status, kExitOk);
    EXPECT_EQ(ReadFile(page),
              "<BODY BGCOLOR=\"#000000\" > <FONT SIZE=\"3\" FACE=\"MS P\x83S\x83V\x83\x62\x83N\">"
              "<FONT COLOR=\"#FF0000\">a</FONT><FONT COLOR=\"#0000FF\">b</FONT></FONT>\r\n");
    EXPECT_EQ(Gen({"--page=" + dir.File("no/such/dir/page.html"), "ab"}).status, kExitFailed);
}

TEST(CliPage, AQuoteInTheFaceStaysInsideItsAttributeInOutputAndPage)
{
    TempFolder dir;
    const std::string page = dir.File("page.html");
    const GenRun run = Gen({"--face=x\" onmouseover=\"alert(1)", "--page=" + page, "ab"});
    ASSERT_EQ(run.status, kExitOk);
    const std::string opening = "<FONT SIZE=\"3\" FACE=\"x&quot; onmouseover=&quot;alert(1)\">";
    EXPECT_TRUE(run.out.starts_with(opening)) << run.out;
    EXPECT_NE(ReadFile(page).find("> " + opening), std::string::npos);
}

TEST(CliFiles, ReadOnlySettingsFileIsNotOverwrittenAndTheReasonIsGiven)
{
    TempFolder dir;
    const std::string ini = dir.File("Lum.ini");
    ASSERT_EQ(Gen({"--save-settings=" + ini, "--bold", "abc"}).status, kExitOk);
    const std::string before = ReadFile(ini);
    std::filesystem::permissions(ini, std::filesystem::perms::owner_read);
    const GenRun run = Gen({"--save-settings=" + ini, "xyz"});
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.err, "kelvara-gen: cannot write settings file " + ini + ": Permission denied\n");
    EXPECT_EQ(ReadFile(ini), before);
}

TEST(CliFiles, UnreadableSettingsFileFailsWithTheReason)
{
    TempFolder dir;
    const std::string ini = dir.File("Lum.ini");
    std::ofstream(ini) << "[text]\nlast=abc\n";
    std::filesystem::permissions(ini, std::filesystem::perms::owner_write);
    GenRun run = Gen({"--settings=" + ini, "--print-settings"});
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "kelvara-gen: cannot read settings file " + ini + ": Permission denied\n");

    const std::string folder = dir.File("folder.ini");
    std::filesystem::create_directories(folder);
    run = Gen({"--settings=" + folder});
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.err, "kelvara-gen: cannot read settings file " + folder + ": Is a directory\n");

    run = Gen({"--settings=" + dir.File("missing.ini"), "abc"});
    EXPECT_EQ(run.err, "kelvara-gen: cannot read settings file " + dir.File("missing.ini") +
                           ": No such file or directory\n");
}

TEST(CliFiles, PageErrorsNameTheFileAndTheReason)
{
    TempFolder dir;
    std::ofstream(dir.File("file")) << "x";
    const std::string under = dir.File("file") + "/temp.html";
    GenRun run = Gen({"--page=" + under, "ab"});
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.err, "kelvara-gen: cannot write page " + under + ": Not a directory\n");

    run = Gen({"--page=" + dir.File(""), "ab"});
    EXPECT_EQ(run.err, "kelvara-gen: cannot write page " + dir.File("") + ": Is a directory\n");
}

TEST(CliFiles, SettingsAreSavedThroughASymbolicLink)
{
    TempFolder dir;
    const std::string real = dir.File("real.ini");
    const std::string link = dir.File("Lum.ini");
    std::filesystem::create_symlink("real.ini", link);
    ASSERT_EQ(Gen({"--save-settings=" + link, "abc"}).status, kExitOk);
    ASSERT_EQ(Gen({"--save-settings=" + link, "xyz"}).status, kExitOk);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Gen({"--settings=" + real, "--print-settings"}).out.rfind("txtFor=xyz\n", 0), 0U);
}

// The real executable, as a script calls it.
TEST(CliProcess, ExecutableWritesTagsAndStatus)
{
    FILE* pipe = popen(KELVARA_GEN_PATH " abc", "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(out, kWorkedExample);

    EXPECT_NE(std::system("printf 'a' | " KELVARA_GEN_PATH " 2>/dev/null >/dev/null"), 0);
}

}  // namespace
}  // namespace kelvara::cli
