// SPDX-License-Identifier: MIT
// kelvara-gen --lines: one result per input line, as a run on that line alone would give it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gen_process.h"
#include "gen_run.h"

namespace kelvara::cli {
namespace {

// What a run on each text alone writes, one line each; an empty line for an empty or refused
// text.
std::string SingleRuns(const std::vector<std::string>& texts, std::vector<std::string> args)
{
    args.insert(args.end(), {"--", ""});
    std::string out;
    for (const std::string& text : texts) {
        args.back() = text;
        const GenRun run = Gen(args);
        out += text.empty() || run.status != kExitOk ? "\n" : run.out;
    }
    return out;
}

TEST(CliLines, EveryLineIsConvertedAsIfAloneAndRefusedLinesStayEmpty)
{
    struct Case {
        std::vector<std::string> args;
        std::string bad;  // refused, as line 3
        std::string message;
    };
    const std::vector<Case> cases = {
        {{}, "x", "ﾃｷｽﾄを２文字以上入力して下さい。"},
        {{"--format=json"}, "a\xff", "the text is not valid UTF-8"},
        {{"--stops=ff0000,00ff00,0000ff", "--space=oklch", "--format=span"},
         std::string(32768, 'a'),
         "ﾃｷｽﾄは32767文字以内で入力して下さい。"},
        {{"--format=wiki", "--fit=30"},
         "abcdefghijklmnopqrstuvwxyz",
         "the output cannot fit in 30 characters (at least 44 needed)"},
        {{"--format=wiki"}, "a\bc", "ﾃｷｽﾄの2文字目の制御文字(U+0008)はWiki形式では使えません。"},
        {{"--format=wiki", "--fit=40"},  // an emoji and a kana with its sound mark: one each
         "😀か\xe3\x82\x99\x1fz",
         "ﾃｷｽﾄの3文字目の制御文字(U+001F)はWiki形式では使えません。"}};
    const std::vector<std::string> texts = {"虹色の", "", "", "😀🇯🇵か\xe3\x82\x99", "ab"};
    for (Case c : cases) {
        const std::string expected = SingleRuns(texts, c.args);
        c.args.emplace_back("--lines");
        for (const std::string end : {"\n", "\r\n"}) {
            std::string input;
            for (std::size_t i = 0; i < texts.size(); ++i)
                input += (i == 2 ? c.bad : texts[i]) + end;
            for (const GenRun& run :
                 {Gen(c.args, input), Gen(c.args, input.substr(0, input.size() - end.size()))}) {
                EXPECT_EQ(run.status, kExitFailed);
                EXPECT_EQ(run.out, expected);
                EXPECT_EQ(run.err, "kelvara-gen: line 3: " + c.message + "\n");
            }
        }
    }
    // A TEXT is split into lines too.
    EXPECT_EQ(Gen({"--lines", "ab\r\n\nabc"}).out, SingleRuns({"ab", "", "abc"}, {}));
}

TEST(CliLines, NotesComeOnceAndContrastLinesCarryTheLineNumber)
{
    const GenRun run = Gen({"--lines", "--format=json", "--bold", "--contrast=FFFFFF",
                            "--first=FFFF00", "--last=0000FF"},
                           "abcd\n\nabcd\n");
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.err,
              "kelvara-gen: bold is left out: the json format cannot express it\n"
              "1\t1\ta\t#FFFF00\t1.07:1\n1\t2\tb\t#AAAA55\t2.44:1\n"
              "3\t1\ta\t#FFFF00\t1.07:1\n3\t2\tb\t#AAAA55\t2.44:1\n");
}

#if !defined(__SANITIZE_ADDRESS__)
// 2 MB of lines and a 20 MB line through a pipe: the long line is refused without being held,
// the line after it still comes, and the program stays small.
TEST(CliLines, AHugeInputNeedsLittleMemory)
{
    if (!CanMeasureMemory()) GTEST_SKIP() << "needs /usr/bin/time";
    const std::string line = "虹色のグラデーション\n";
    std::string lines;
    while (lines.size() < std::size_t{2} << 20) lines += line;
    const std::string huge(std::size_t{1} << 20, 'a');
    const ProcessRun run = RunGenProcess(
        {"--lines"},
        [&](int fd) {
            for (int i = 0; i < 21 && WriteAll(fd, i == 0 ? lines : huge); ++i) {
            }
            WriteAll(fd, "\nab\n");
        },
        StdoutTarget::Capture, true);
    const std::size_t count = lines.size() / line.size();
    EXPECT_EQ(run.err, "kelvara-gen: line " + std::to_string(count + 1) +
                           ": ﾃｷｽﾄは32767文字以内で入力して下さい。\n");
    EXPECT_EQ(static_cast<std::size_t>(std::count(run.out.begin(), run.out.end(), '\n')),
              count + 2);
    EXPECT_TRUE(run.out.ends_with("\n\n" + Gen({"ab"}).out));
    EXPECT_LE(run.maxRssKiB, 32L * 1024);
}
#endif

}  // namespace
}  // namespace kelvara::cli
