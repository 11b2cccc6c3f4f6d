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

const std::string kTooShort = "ﾃｷｽﾄを２文字以上入力して下さい。";

// What a run on each text alone writes, one line each; "" for an empty or refused text.
std::string SingleRuns(const std::vector<std::string>& texts, std::vector<std::string> args)
{
    args.emplace_back("--");
    args.emplace_back();
    std::string out;
    for (const std::string& text : texts) {
        args.back() = text;
        const GenRun run = Gen(args);
        out += (text.empty() || run.status != kExitOk) ? "\n" : run.out;
    }
    return out;
}

TEST(CliLines, EveryLineIsConvertedAsIfAlone)
{
    const std::vector<std::string> texts = {"虹色の", "", "ab", "😀🇯🇵か\xe3\x82\x99", "", "abc"};
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{},
          {"--format=json"},
          {"--format=wiki", "--fit=60"},
          {"--stops=ff0000,00ff00,0000ff", "--space=oklch", "--format=span"}}) {
        std::string lf;
        std::string crlf;
        for (const std::string& text : texts) {
            lf += text + "\n";
            crlf += text + "\r\n";
        }
        const std::string expected = SingleRuns(texts, args);
        std::vector<std::string> withLines = args;
        withLines.emplace_back("--lines");
        for (const std::string& input : {lf, crlf, lf.substr(0, lf.size() - 1)}) {
            const GenRun run = Gen(withLines, input);
            EXPECT_EQ(run.status, kExitOk) << run.err;
            EXPECT_EQ(run.out, expected) << input;
        }
        // TEXT is split the same way.
        withLines.push_back(crlf);
        EXPECT_EQ(Gen(withLines).out, expected);
    }
}

TEST(CliLines, ARefusedLineIsEmptyNamedOnStandardErrorAndTheOthersGoOn)
{
    struct Case {
        std::vector<std::string> args;
        std::string bad;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{}, "x", kTooShort},
        {{}, "a\xff", "the text is not valid UTF-8"},
        {{}, std::string(32768, 'a'), "ﾃｷｽﾄは32767文字以内で入力して下さい。"},
        {{"--format=wiki", "--fit=30"},
         "abcdefghijklmnopqrstuvwxyz",
         "the output cannot fit in 30 characters (at least 44 needed)"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.emplace_back("--lines");
        const GenRun run = Gen(args, "ab\n" + c.bad + "\ncd\n");
        EXPECT_EQ(run.status, kExitFailed);
        EXPECT_EQ(run.err, "kelvara-gen: line 2: " + c.message + "\n");
        EXPECT_EQ(run.out, SingleRuns({"ab", "", "cd"}, c.args));
    }
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

TEST(CliLines, PageAndLinesTogetherAreAUsageError)
{
    const GenRun run = Gen({"--lines", "--page=x.html"}, "ab\n");
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(run.out, "");
}

#if !defined(__SANITIZE_ADDRESS__)
// Many lines through a pipe with a 20 MB line among them: the long line is refused without
// being held, the lines after it still come, and the program stays small.
TEST(CliLines, AHugeInputNeedsLittleMemory)
{
    if (!CanMeasureMemory()) GTEST_SKIP() << "needs /usr/bin/time";
    const std::string line = "虹色のグラデーション\n";
    std::string lines;
    while (lines.size() < std::size_t{1} << 20) lines += line;
    const std::string huge(std::size_t{1} << 20, 'a');
    const ProcessRun run = RunGenProcess(
        {"--lines"},
        [&](int fd) {
            for (int i = 0; i < 2 && WriteAll(fd, lines); ++i) {
            }
            for (int i = 0; i < 20 && WriteAll(fd, huge); ++i) {
            }
            WriteAll(fd, "\nab\n");
        },
        StdoutTarget::Capture, true);
    const std::size_t count = 2 * lines.size() / line.size();
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.err, "kelvara-gen: line " + std::to_string(count + 1) +
                           ": ﾃｷｽﾄは32767文字以内で入力して下さい。\n");
    EXPECT_EQ(static_cast<std::size_t>(std::count(run.out.begin(), run.out.end(), '\n')),
              count + 2);
    EXPECT_TRUE(run.out.ends_with("\n\n" + Gen({"ab"}).out));
    EXPECT_GT(run.maxRssKiB, 0);
    EXPECT_LE(run.maxRssKiB, 32L * 1024);
}
#endif

}  // namespace
}  // namespace kelvara::cli
