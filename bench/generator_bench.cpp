// Generation speed: 2 to 32,767 characters in every size mode with every wrapper on.
#include <benchmark/benchmark.h>

#include <string>

#include "kelvara/engine/generator.h"

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

BENCHMARK_MAIN();
