// SPDX-License-Identifier: MIT
// The text on standard input: refused as soon as it is certainly too long, never held whole.
#include <gtest/gtest.h>

#include <istream>
#include <streambuf>
#include <string>
#include <vector>

#include "gen_process.h"
#include "gen_run.h"
#include "input_reader.h"

namespace kelvara::cli {
namespace {

const std::string kTooLong = "kelvara-gen: ﾃｷｽﾄは32767文字以内で入力して下さい。\n";
const std::string kTooLarge = "kelvara-gen: the text is larger than 4 MiB\n";
const std::string kAcute = "\xcc\x81";  // U+0301, a combining mark: joins the character before

// A stream of head followed by pattern repeated up to total bytes, counting what was taken.
class PatternBuffer final : public std::streambuf {
public:
    PatternBuffer(std::string head, const std::string& pattern, std::size_t total)
        : m_head(std::move(head)), m_left(total)
    {
        while (!pattern.empty() && m_chunk.size() < std::size_t{64} * 1024) m_chunk += pattern;
    }
    [[nodiscard]] std::size_t Taken() const { return m_taken; }

protected:
    int_type underflow() override
    {
        std::string& source = m_head.empty() ? m_chunk : m_head;
        const std::size_t n = std::min(source.size(), m_left);
        if (n == 0) return traits_type::eof();
        m_current.assign(source, 0, n);
        m_head.clear();
        m_left -= n;
        m_taken += n;
        setg(m_current.data(), m_current.data(), m_current.data() + n);
        return traits_type::to_int_type(m_current[0]);
    }

private:
    std::string m_head;
    std::string m_chunk;
    std::string m_current;
    std::size_t m_left;
    std::size_t m_taken = 0;
};

struct StreamRun {
    GenRun run;
    std::size_t taken = 0;
};

StreamRun GenFromPattern(const std::string& head, const std::string& pattern, std::size_t total,
                         const std::vector<std::string>& args = {})
{
    PatternBuffer buffer(head, pattern, total);
    std::istream in(&buffer);
    std::ostringstream out;
    std::ostringstream err;
    StreamRun result;
    result.run.status = RunCli(args, in, out, err);
    result.run.out = out.str();
    result.run.err = err.str();
    result.taken = buffer.Taken();
    return result;
}

constexpr std::size_t k20MB = 20'000'000;

TEST(CliEarlyRefusal, TooManyCharactersStopsTheReading)
{
    for (const std::string pattern : {"a", "あ", "漢字とｶﾀｶﾅ\n"}) {
        const StreamRun r = GenFromPattern("", pattern, k20MB);
        EXPECT_EQ(r.run.status, kExitFailed) << pattern;
        EXPECT_EQ(r.run.err, kTooLong) << pattern;
        EXPECT_EQ(r.run.out, "");
        EXPECT_LT(r.taken, 512U * 1024) << pattern;
    }
}

TEST(CliEarlyRefusal, MoreThanFourMebibytesStopsTheReading)
{
    // One character that never ends: only the size can refuse it.
    const StreamRun r = GenFromPattern("a", kAcute, k20MB);
    EXPECT_EQ(r.run.status, kExitFailed);
    EXPECT_EQ(r.run.err, kTooLarge);
    EXPECT_LE(r.taken, kMaxTextBytes + std::size_t{2} * 64 * 1024);
}

TEST(CliEarlyRefusal, MalformedUtf8StopsTheReading)
{
    const StreamRun r = GenFromPattern("ab\xff", "a", k20MB);
    EXPECT_EQ(r.run.status, kExitFailed);
    EXPECT_EQ(r.run.err, "kelvara-gen: the text is not valid UTF-8\n");
    EXPECT_LT(r.taken, 512U * 1024);
}

TEST(CliEarlyRefusal, TextsAtTheLimitsAreAccepted)
{
    EXPECT_EQ(Gen({}, std::string(32767, 'a') + "\n").status, kExitOk);
    EXPECT_EQ(Gen({}, std::string(32767, 'a') + "\r\n").status, kExitOk);
    EXPECT_EQ(Gen({}, std::string(32768, 'a')).err, kTooLong);
    EXPECT_EQ(Gen({}, std::string(32767, 'a') + "\n\n").err, kTooLong);

    // Characters made of several code points are counted as the generator counts them.
    std::string joined;
    for (int i = 0; i < 32767; ++i) joined += (i % 2 == 0) ? "e" + kAcute : "🇯🇵";
    EXPECT_EQ(Gen({}, joined).status, kExitOk);
    EXPECT_EQ(Gen({}, joined + "x").err, kTooLong);

    // Kana alone, and kana among two-byte letters and kana with a mark on them.
    std::string kana;
    std::string mixed;
    for (int i = 0; i < 32767; ++i) {
        kana += "あ";
        mixed += (i % 3 == 0) ? "\u00E9" : (i % 3 == 1) ? "か" + kAcute : "x";
    }
    EXPECT_EQ(Gen({}, kana + "\n").status, kExitOk);
    EXPECT_EQ(Gen({}, kana + "あ").err, kTooLong);
    EXPECT_EQ(Gen({}, mixed).status, kExitOk);
    EXPECT_EQ(Gen({}, mixed + "か").err, kTooLong);

    // Exactly 4 MiB: two characters, the first with a long tail of marks.
    const std::size_t marks = (kMaxTextBytes - 2) / 2;
    std::string large = "a";
    large.reserve(kMaxTextBytes + 2);
    for (std::size_t i = 0; i < marks; ++i) large += kAcute;
    large += "b";
    ASSERT_EQ(large.size(), kMaxTextBytes);
    const StreamRun exact = GenFromPattern(large, "", large.size());
    EXPECT_EQ(exact.run.status, kExitOk);
    EXPECT_EQ(exact.run.err, "");
    EXPECT_EQ(GenFromPattern(large + "\r\n", "", large.size() + 2).run.status, kExitOk);
    EXPECT_EQ(GenFromPattern(large + "c", "", large.size() + 1).run.err, kTooLarge);
}

TEST(CliEarlyRefusal, AnArgumentHasTheSameLimits)
{
    std::string large = "a";
    while (large.size() <= kMaxTextBytes) large += kAcute;
    GenRun run = Gen({large + "b"});
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.err, kTooLarge);
    run = Gen({"--print-settings", large});
    EXPECT_EQ(run.err, kTooLarge);
    EXPECT_EQ(run.out, "");
}

TEST(CliEarlyRefusal, AStoredTextKeepsItsLength)
{
    // Without a conversion the text is only stored or printed; its length is no reason to refuse.
    const GenRun run = Gen({"--print-settings", "-"}, std::string(40000, 'a'));
    EXPECT_EQ(run.status, kExitOk);
    EXPECT_EQ(run.out.rfind("txtFor=" + std::string(40000, 'a') + "\n", 0), 0U);
}

#if !defined(__SANITIZE_ADDRESS__)
// 100 MB through a pipe: the program reads what it needs, refuses, and stays small.
TEST(CliEarlyRefusal, AHugeInputNeedsLittleMemory)
{
    if (!CanMeasureMemory()) GTEST_SKIP() << "needs /usr/bin/time";
    constexpr long kLimitKiB = 32L * 1024;
    const std::string chunk(1 << 20, 'a');
    std::size_t sent = 0;
    ProcessRun run = RunGenProcess(
        {},
        [&](int fd) {
            for (int i = 0; i < 100 && WriteAll(fd, chunk); ++i) sent += chunk.size();
        },
        StdoutTarget::Capture, true);
    EXPECT_TRUE(run.exited);
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.err, kTooLong);
    EXPECT_GT(run.maxRssKiB, 0);
    EXPECT_LE(run.maxRssKiB, kLimitKiB);
    EXPECT_LT(sent, std::size_t{100} << 20);

    std::string marks = "a";
    while (marks.size() < chunk.size()) marks += kAcute;
    run = RunGenProcess(
        {},
        [&](int fd) {
            for (int i = 0; i < 100 && WriteAll(fd, marks); ++i) {
            }
        },
        StdoutTarget::Capture, true);
    EXPECT_EQ(run.status, kExitFailed);
    EXPECT_EQ(run.err, kTooLarge);
    EXPECT_LE(run.maxRssKiB, kLimitKiB);
}
#endif

}  // namespace
}  // namespace kelvara::cli
