// SPDX-License-Identifier: MIT
// Fuzzes the output formats: any format, colour space, stop list (also of the wrong length),
// length limit and contrast background, with options as a hand-edited settings file can hold
// them and any short text. Checks that a fitted output keeps to its limit, that a refusal
// says why, and that a streaming sink receives the same text as a string.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "kelvara/engine/characters.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/tag_options.h"

namespace {

void Check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

std::int16_t Option(kelvara::fuzz::FuzzInput& input)
{
    const std::uint8_t choice = input.Byte();
    if (choice >= 0xF0) {
        return input.Int16();
    }
    return static_cast<std::int16_t>(choice % 9) - 1;
}

std::size_t CodePoints(std::u16string_view text)
{
    std::size_t count = text.size();
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] >= 0xDC00 && text[i] <= 0xDFFF && text[i - 1] >= 0xD800 &&
            text[i - 1] <= 0xDBFF) {
            --count;
            ++i;
        }
    }
    return count;
}

class Collect final : public kelvara::engine::StreamingSink {
public:
    void Append(std::u16string_view piece) override { text.append(piece); }
    std::u16string text;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kelvara::engine;
    kelvara::fuzz::FuzzInput input(data, size);

    TagOptions options;
    for (std::int16_t TagOptions::*field :
         {&TagOptions::h_NFontSize, &TagOptions::h_fontflag, &TagOptions::h_styleflag,
          &TagOptions::h_ColorCount, &TagOptions::h_Centerflag, &TagOptions::h_ItalicFlag,
          &TagOptions::h_BoldFlag, &TagOptions::h_NotFlag, &TagOptions::h_SubFlag,
          &TagOptions::h_UpFlag, &TagOptions::h_UnderFlag, &TagOptions::h_marqueeFlag,
          &TagOptions::h_BlinkFlag}) {
        options.*field = Option(input);
    }
    options.h_MaxFontSize = static_cast<std::int16_t>(input.Byte() % 64);
    options.h_MinFontSize = static_cast<std::int16_t>(input.Byte() % 64);
    options.h_FontFace = input.Text(6);

    OutputOptions output;
    output.format = kFormats[input.Byte() % kFormats.size()].format;
    output.space = static_cast<ColorSpace>(input.Byte() % 3);
    const std::size_t stops = input.Byte() % 20;  // 1 and 17 to 19 are outside the usual range
    for (std::size_t i = 0; i < stops; ++i) {
        output.stops.push_back(Rgb{input.Byte(), input.Byte(), input.Byte()});
    }
    if (const std::uint8_t fit = input.Byte(); fit >= 0x80) {
        output.fit = static_cast<std::size_t>(input.Int16() & 0x1FFF);
    }
    if (input.Byte() >= 0x80) output.contrastBackground = Rgb{input.Byte(), input.Byte(), 0};
    if (input.Byte() >= 0x80) output.fitUnit = LengthUnit::Utf16Units;

    const std::u16string first = input.Text(8);
    const std::u16string last = input.Text(8);
    const std::u16string text = input.Text(24);
    const FixedColors colors(first, u"00FF00", last);

    const FormattedResult result = GenerateFormatted(options, output, text, colors);
    Check(result.outcome != RunOutcome::Stopped);
    if (result.outcome == RunOutcome::Refused) {
        Check(!result.report.message.empty() || result.report.fitNeeded.has_value());
        if (result.report.fitNeeded) Check(output.fit && *result.report.fitNeeded > *output.fit);
        return 0;
    }
    if (output.fit && FormatSupportsFit(output.format)) {
        const std::size_t length =
            output.fitUnit == LengthUnit::Utf16Units ? result.tags.size() : CodePoints(result.tags);
        Check(length <= *output.fit);
    }
    for (const LowContrast& low : result.report.lowContrast) {
        Check(low.number >= 1 && low.ratio < kMinimumContrast);
    }

    const CharacterText characters(text);
    FormattedRun run(options, output, characters, colors);
    Collect sink;
    Check(run.Write(sink, nullptr) == RunOutcome::Completed);
    Check(sink.text == result.tags);
    return 0;
}
