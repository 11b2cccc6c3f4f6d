// SPDX-License-Identifier: MIT
// Generation speed: 2 to 32,767 characters in every size mode with every wrapper on, and
// every output format and colour space at 32,767 characters (the markup formats also on a text
// full of their markup).
#include <benchmark/benchmark.h>

#include <string>

#include "kelvara/engine/generator.h"
#include "kelvara/engine/output_format.h"

namespace {

using kelvara::engine::FixedColors;
using kelvara::engine::TagOptions;

std::u16string Text(std::int64_t length, std::u16string_view pattern)
{
    std::u16string text;
    while (text.size() < static_cast<std::size_t>(length)) text += pattern;
    text.resize(static_cast<std::size_t>(length));
    return text;
}

TagOptions AllWrappers(std::int16_t fontflag, std::int64_t length)
{
    TagOptions o;
    o.h_fontflag = fontflag;
    o.h_NFontSize = 3;
    o.h_FontFace = u"MS Pゴシック";
    o.h_ColorCount = length >= 3 ? 3 : 2;  // three colours need three characters
    o.h_MaxFontSize = 40;
    o.h_MinFontSize = 10;
    o.h_Centerflag = o.h_BoldFlag = o.h_ItalicFlag = o.h_NotFlag = o.h_SubFlag = o.h_UpFlag =
        o.h_UnderFlag = o.h_marqueeFlag = o.h_BlinkFlag = o.h_styleflag = 1;
    return o;
}

void Run(benchmark::State& state, std::u16string_view pattern)
{
    const auto fontflag = static_cast<std::int16_t>(state.range(0));
    const TagOptions options = AllWrappers(fontflag, state.range(1));
    const std::u16string text = Text(state.range(1), pattern);
    const FixedColors colors(u"FF0000", u"00FF00", u"0000FF");
    for (auto _ : state) {
        auto result = kelvara::engine::Generate(options, text, colors);
        benchmark::DoNotOptimize(result.tags.data());
    }
    state.SetComplexityN(state.range(1));
    state.SetItemsProcessed(state.iterations() * state.range(1));
}

// Kana, kanji and ASCII: the everyday text.
void BM_Generate(benchmark::State& state) { Run(state, u"グラデーション文字列 Gradient text "); }
// Emoji force the full cluster rules for the whole text.
void BM_GenerateEmoji(benchmark::State& state) { Run(state, u"虹色😀テキスト🇯🇵"); }

void BM_GenerateScaling(benchmark::State& state)
{
    Run(state, u"グラデーション文字列 Gradient text ");
}

// One output format and colour space over 32,767 characters, size mode 3, every wrapper on.
// The colour fields give three stops: FONT with rgb is the classic run.
void BM_Format(benchmark::State& state)
{
    using namespace kelvara::engine;
    const TagOptions options = AllWrappers(3, 32767);
    const std::u16string text = Text(32767, u"グラデーション文字列 Gradient text ");
    const FixedColors colors(u"FF0000", u"00FF00", u"0000FF");
    OutputOptions output;
    output.format = static_cast<OutputFormat>(state.range(0));
    output.space = static_cast<ColorSpace>(state.range(1));
    state.SetLabel(std::string(OutputFormatName(output.format)) + "/" +
                   std::string(ColorSpaceName(output.space)));
    for (auto _ : state) {
        auto result = GenerateFormatted(options, output, text, colors);
        benchmark::DoNotOptimize(result.tags.data());
    }
    state.SetItemsProcessed(state.iterations() * 32767);
}

// Every format over 32,767 characters where every other one is markup to one format or another
// (a format may have to escape it, or set it apart in an element of its own).
void BM_FormatMarkupText(benchmark::State& state)
{
    using namespace kelvara::engine;
    const TagOptions options = AllWrappers(3, 32767);
    const std::u16string text = Text(32767, u"a]b[c$d*e_f~g<h>i:j@k#l\\m`n http://x ");
    const FixedColors colors(u"FF0000", u"00FF00", u"0000FF");
    OutputOptions output;
    output.format = static_cast<OutputFormat>(state.range(0));
    state.SetLabel(std::string(OutputFormatName(output.format)));
    for (auto _ : state) {
        auto result = GenerateFormatted(options, output, text, colors);
        benchmark::DoNotOptimize(result.tags.data());
    }
    state.SetItemsProcessed(state.iterations() * 32767);
}

// Fitting the span format to half its length: the grouping search writes the output
// about twenty times to measure it.
void BM_FormatFitted(benchmark::State& state)
{
    using namespace kelvara::engine;
    const TagOptions options = AllWrappers(3, 32767);
    const std::u16string text = Text(32767, u"グラデーション文字列 Gradient text ");
    const FixedColors colors(u"FF0000", u"00FF00", u"0000FF");
    OutputOptions output;
    output.format = OutputFormat::Span;
    const std::size_t whole = GenerateFormatted(options, output, text, colors).tags.size();
    output.fit = whole / 2;
    for (auto _ : state) {
        auto result = GenerateFormatted(options, output, text, colors);
        benchmark::DoNotOptimize(result.tags.data());
    }
}

void FormatArguments(benchmark::internal::Benchmark* b)
{
    for (const kelvara::engine::FormatRow& row : kelvara::engine::kFormats) {
        const int format = static_cast<int>(row.format);
        for (int space = 0; space <= 2; ++space) b->Args({format, space});
    }
}

void EveryFormat(benchmark::internal::Benchmark* b)
{
    for (const kelvara::engine::FormatRow& row : kelvara::engine::kFormats) {
        b->Arg(static_cast<int>(row.format));
    }
}

void Arguments(benchmark::internal::Benchmark* b)
{
    for (int mode = 0; mode <= 4; ++mode) {
        for (int length : {2, 100, 1000, 32767}) b->Args({mode, length});
    }
}

}  // namespace

BENCHMARK(BM_Generate)->Apply(Arguments)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GenerateEmoji)->Args({0, 32767})->Args({3, 32767})->Unit(benchmark::kMicrosecond);
// Time must grow linearly with the length.
BENCHMARK(BM_GenerateScaling)
    ->RangeMultiplier(2)
    ->Ranges({{0, 0}, {1024, 32767}})
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_Format)->Apply(FormatArguments)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormatMarkupText)->Apply(EveryFormat)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FormatFitted)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
