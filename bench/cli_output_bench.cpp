// SPDX-License-Identifier: MIT
// kelvara-gen in-process: the longest text with every wrapper on, from the arguments to the
// bytes handed to standard output (here a stream that discards them), and its parts.
#include <benchmark/benchmark.h>

#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli_main.h"
#include "input_reader.h"
#include "utf8_writer.h"

namespace {

// Standard output that takes everything and keeps nothing.
class NullBuffer final : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char* /*s*/, std::streamsize n) override { return n; }
};

std::string LongestText()
{
    std::string text;
    for (int i = 0; i < 32767; ++i) text += "あ";
    return text;
}

const std::vector<std::string> kEveryWrapper = {
    "--center",  "--bold",  "--italic",   "--strike",      "--sub",    "--sup",   "--underline",
    "--marquee", "--blink", "--vertical", "--font-mode=3", "--max=40", "--min=10"};

void BM_CliLongestText(benchmark::State& state)
{
    std::vector<std::string> args = kEveryWrapper;
    args.push_back(LongestText());
    NullBuffer null;
    std::ostream out(&null);
    std::ostringstream err;
    for (auto _ : state) {
        std::istringstream in;
        benchmark::DoNotOptimize(kelvara::cli::RunCli(args, in, out, err));
    }
}
BENCHMARK(BM_CliLongestText)->Unit(benchmark::kMillisecond);

void BM_ReadLongestText(benchmark::State& state)
{
    const std::string text = LongestText();
    for (auto _ : state) {
        std::istringstream in(text);
        auto input = kelvara::cli::ReadText(in, true);
        benchmark::DoNotOptimize(input.text.data());
    }
}
BENCHMARK(BM_ReadLongestText)->Unit(benchmark::kMicrosecond);

void BM_WriteUtf8(benchmark::State& state)
{
    // One character's element as the FONT writer makes it, 32,767 times.
    const std::u16string piece = u"<FONT COLOR=\"#7F0180\" STYLE=\"Font-Size:25px;\">あ</FONT><BR>";
    NullBuffer null;
    std::ostream out(&null);
    for (auto _ : state) {
        kelvara::cli::Utf8Writer writer(out);
        for (int i = 0; i < 32767; ++i) writer.Write(piece);
        benchmark::DoNotOptimize(writer.Flush());
    }
}
BENCHMARK(BM_WriteUtf8)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
