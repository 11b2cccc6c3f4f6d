// SPDX-License-Identifier: MIT
// Standard output of kelvara-gen: failed writes are errors, and the result is written as it
// is produced, through a fixed buffer, without ever holding it whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "gen_process.h"
#include "gen_run.h"
#include "kelvara/engine/generator.h"
#include "kelvara/engine/tag_options.h"
#include "kelvara/engine/utf8.h"
#include "utf8_writer.h"

namespace kelvara::cli {
namespace {

const std::vector<std::string> kEveryWrapper = {
    "--center",  "--bold",  "--italic",   "--strike",      "--sub",    "--sup",   "--underline",
    "--marquee", "--blink", "--vertical", "--font-mode=3", "--max=40", "--min=10"};

std::string Repeat(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

// An output that accepts nothing.
class RefusingBuffer final : public std::streambuf {
protected:
    int_type overflow(int_type /*c*/) override { return traits_type::eof(); }
    std::streamsize xsputn(const char* /*s*/, std::streamsize /*n*/) override { return 0; }
};

// An output that keeps every piece handed to it.
class RecordingBuffer final : public std::streambuf {
public:
    std::vector<std::string> m_writes;

protected:
    int_type overflow(int_type c) override
    {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            m_writes.emplace_back(1, traits_type::to_char_type(c));
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        m_writes.emplace_back(s, static_cast<std::size_t>(n));
        return n;
    }
};

TEST(CliFailedOutput, AnOutputThatTakesNothingIsAnError)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"abc"}, {"--print-settings"}, {"--help"}, {"--version"}}) {
        RefusingBuffer buffer;
        std::ostream out(&buffer);
        std::istringstream in;
        std::ostringstream err;
        EXPECT_EQ(RunCli(args, in, out, err), kExitFailed) << args[0];
        EXPECT_EQ(err.str(), "kelvara-gen: cannot write to standard output: write error\n");
    }
}

TEST(CliFailedOutput, AFullDiskIsReportedWithItsReason)
{
    ProcessRun run = RunGenProcess({"abc"}, {}, StdoutTarget::DevFull);
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.err, "kelvara-gen: cannot write to standard output: No space left on device\n");

    run = RunGenProcess({"--print-settings"}, {}, StdoutTarget::DevFull);
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_NE(run.err.find("No space left on device"), std::string::npos);
}

TEST(CliFailedOutput, AClosedOutputIsReportedAndNoFileTakesItsPlace)
{
    TempFolder dir;
    const std::string page = dir.File("page.html");
    const ProcessRun run = RunGenProcess({"--page=" + page, "ab"}, {}, StdoutTarget::Closed);
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.err, "kelvara-gen: cannot write to standard output: Bad file descriptor\n");
    // The page holds the page only, not the result meant for standard output.
    EXPECT_EQ(ReadFile(page).find("\n<FONT"), std::string::npos);
    EXPECT_EQ(ReadFile(page).substr(0, 5), "<BODY");
    EXPECT_TRUE(ReadFile(page).ends_with("</FONT>\r\n"));
}

// Runs kelvara-gen on a long text into `head -c 1` with SIGPIPE in the given disposition
// ("default" or "ignore"); its exit status as bash reports it, and its standard error.
std::pair<std::string, std::string> IntoHead(const TempFolder& dir, const std::string& disposition)
{
    const std::string text = dir.File("text.txt");
    const std::string errors = dir.File("err.txt");
    {
        std::ofstream file(text, std::ios::binary);
        file << std::string(30000, 'a');
    }
    const std::string command = "bash -c 'env --" + disposition + "-signal=PIPE \"" +
                                KELVARA_GEN_PATH + "\" --vertical < \"" + text + "\" 2>\"" +
                                errors + "\" | head -c 1 >/dev/null; echo ${PIPESTATUS[0]}'";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {};
    char status[16] = {};
    if (fgets(status, sizeof status, pipe) == nullptr) status[0] = 0;
    pclose(pipe);
    return {status, ReadFile(errors)};
}

TEST(CliFailedOutput, AReaderThatGoesAwayEndsTheProgramQuietly)
{
    TempFolder dir;
    // The output is far larger than a pipe holds, so the program is still writing.
    const auto [status, errors] = IntoHead(dir, "default");
    EXPECT_EQ(status, "141\n");  // 128 + SIGPIPE
    EXPECT_EQ(errors, "");
}

TEST(CliFailedOutput, WithSigpipeIgnoredTheBrokenPipeIsAnError)
{
    TempFolder dir;
    const auto [status, errors] = IntoHead(dir, "ignore");
    EXPECT_EQ(status, "1\n");
    EXPECT_EQ(errors, "kelvara-gen: cannot write to standard output: Broken pipe\n");
}

TEST(CliStreamingOutput, TheResultLeavesInBufferSizedPiecesOpeningTagsFirst)
{
    std::vector<std::string> args = kEveryWrapper;
    args.push_back(Repeat("あ", 32767));
    RecordingBuffer buffer;
    std::ostream out(&buffer);
    std::istringstream in;
    std::ostringstream err;
    ASSERT_EQ(RunCli(args, in, out, err), kExitOk);

    ASSERT_GT(buffer.m_writes.size(), 10U);
    std::size_t largest = 0;
    std::string whole;
    for (const std::string& piece : buffer.m_writes) {
        largest = std::max(largest, piece.size());
        whole += piece;
    }
    EXPECT_LE(largest, 64U * 1024);
    EXPECT_EQ(buffer.m_writes.front().rfind(
                  "<CENTER><B><I><S><SUB><SUP><U><MARQUEE><BLINK><FONT FACE=\"MS Pゴシック\"><BR>"
                  "<FONT COLOR=\"#FF0000\" STYLE=\"Font-Size:40px;\">あ</FONT><BR>",
                  0),
              0U);

    // The same bytes as the whole result built in memory.
    engine::TagOptions options;
    for (auto flag : {&engine::TagOptions::h_Centerflag, &engine::TagOptions::h_BoldFlag,
                      &engine::TagOptions::h_ItalicFlag, &engine::TagOptions::h_NotFlag,
                      &engine::TagOptions::h_SubFlag, &engine::TagOptions::h_UpFlag,
                      &engine::TagOptions::h_UnderFlag, &engine::TagOptions::h_marqueeFlag,
                      &engine::TagOptions::h_BlinkFlag, &engine::TagOptions::h_styleflag}) {
        options.*flag = 1;
    }
    options.h_ColorCount = 2;
    options.h_fontflag = 3;
    options.h_MaxFontSize = 40;
    options.h_MinFontSize = 10;
    options.h_NFontSize = 3;
    options.h_FontFace = u"MS Pゴシック";
    const engine::FixedColors colors(u"FF0000", u"00FF00", u"0000FF");
    const auto text = engine::FromUtf8(args.back());
    ASSERT_TRUE(text);
    const engine::GenerateResult result = engine::Generate(options, *text, colors);
    EXPECT_EQ(whole, engine::ToUtf8(result.tags) + "\n");
}

TEST(CliStreamingOutput, EverySizeModeAndColourCountGivesTheGeneratorsBytes)
{
    const std::string text = "虹色の😀🇯🇵ｶﾞ Gradient テキスト";
    const auto text16 = engine::FromUtf8(text);
    ASSERT_TRUE(text16);
    const engine::FixedColors colors(u"12AB34", u"00FF00", u"FE0010");
    for (std::int16_t fontflag = 0; fontflag <= 4; ++fontflag) {
        for (std::int16_t count : {2, 3}) {
            for (std::int16_t vertical : {0, 1}) {
                engine::TagOptions options;
                options.h_fontflag = fontflag;
                options.h_ColorCount = count;
                options.h_styleflag = vertical;
                options.h_BoldFlag = 1;
                options.h_NFontSize = 5;
                options.h_MaxFontSize = 36;
                options.h_MinFontSize = 8;
                options.h_FontFace = u"ＭＳ 明朝";
                const GenRun run = Gen({"--font-mode=" + std::to_string(fontflag),
                                        "--colors=" + std::to_string(count),
                                        "--vertical=" + std::to_string(vertical), "--bold",
                                        "--base-size=5", "--max=36", "--min=8", "--face=ＭＳ 明朝",
                                        "--first=12AB34", "--last=FE0010", text});
                EXPECT_EQ(run.status, kExitOk);
                EXPECT_EQ(run.out,
                          engine::ToUtf8(engine::Generate(options, *text16, colors).tags) + "\n")
                    << fontflag << ' ' << count << ' ' << vertical;
            }
        }
    }
}

TEST(CliStreamingOutput, WithAPageTheResultIsTheSame)
{
    TempFolder dir;
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{}, kEveryWrapper, {"--colors=3", "--font-mode=1", "--bold"}}) {
        std::vector<std::string> args = options;
        args.push_back("虹色の😀🇯🇵テキスト");
        const GenRun streamed = Gen(args);
        args.push_back("--page=" + dir.File("page.html"));
        EXPECT_EQ(Gen(args).out, streamed.out);
        EXPECT_EQ(streamed.status, kExitOk);
    }
}

TEST(CliStreamingOutput, Utf8WriterMatchesAWholeConversion)
{
    std::u16string text;
    for (int i = 0; i < 40000; ++i) {
        text += u"a\u00E9\u3042";
        text += char16_t{0xD83D};  // U+1F600 as a pair
        text += char16_t{0xDE00};
        if (i % 1000 == 0) text += char16_t{0xDC00};  // unpaired trail
        if (i % 1500 == 0) text += u"\xD800z";        // unpaired lead
    }
    text += char16_t{0xD83D};  // a lead at the very end
    std::ostringstream out;
    {
        Utf8Writer writer(out);
        // Pieces of every length, splitting pairs between calls now and then.
        std::size_t at = 0;
        for (std::size_t step = 1; at < text.size(); step = step % 97 + 1) {
            const std::size_t n = std::min(step, text.size() - at);
            writer.Write(std::u16string_view(text).substr(at, n));
            at += n;
        }
        writer.Write(text.substr(0, 0));
        ASSERT_TRUE(writer.Flush());
    }
    EXPECT_EQ(out.str(), engine::ToUtf8(text));

    std::ostringstream big;
    Utf8Writer writer(big);
    writer.Write(text);  // one piece far larger than the buffer
    writer.WriteBytes(std::string(std::size_t{100} * 1024, 'x'));
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(big.str(), engine::ToUtf8(text) + std::string(std::size_t{100} * 1024, 'x'));
}

TEST(CliStreamingOutput, Utf8WriterKeepsAsciiRunsOfEveryLengthAroundOtherCharacters)
{
    // ASCII runs of 0 to 40 units (the writer copies ASCII in blocks of 16 and 8) ending in
    // each kind of other unit, so that every block meets one at every position.
    const std::u16string others[] = {u"\u00E9", u"\u3042", u"\U0001F600", u"\xDC00"};
    std::u16string text;
    for (std::size_t run = 0; run <= 40; ++run) {
        for (const auto& other : others) {
            for (std::size_t i = 0; i < run; ++i) text += static_cast<char16_t>(u'A' + i % 26);
            text += other;
        }
    }
    text += u"trailing ASCII after the last one";
    for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{61}, text.size()}) {
        std::ostringstream out;
        {
            Utf8Writer writer(out);
            for (std::size_t at = 0; at < text.size(); at += piece) {
                writer.Write(std::u16string_view(text).substr(at, piece));
            }
            ASSERT_TRUE(writer.Flush());
        }
        EXPECT_EQ(out.str(), engine::ToUtf8(text)) << "pieces of " << piece;
    }
}

#if !defined(__SANITIZE_ADDRESS__)
TEST(CliStreamingOutput, TheLongestTextNeedsLittleMemory)
{
    if (!CanMeasureMemory()) GTEST_SKIP() << "needs /usr/bin/time";
    const std::string text = Repeat("あ", 32767);
    const ProcessRun run = RunGenProcess(
        kEveryWrapper, [&](int fd) { WriteAll(fd, text); }, StdoutTarget::Capture, true);
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_GT(run.out.size(), 1900U * 1000);
    // The program itself takes about 4 MiB; the result held whole would add about 6 MiB more
    // (4 MiB of UTF-16, 2 MiB of UTF-8).
    EXPECT_GT(run.maxRssKiB, 0);
    EXPECT_LE(run.maxRssKiB, 8 * 1024);
}
#endif

}  // namespace
}  // namespace kelvara::cli
