// SPDX-License-Identifier: MIT
// Fuzzes the generator with any options a hand-edited settings file can give (flags of 2,
// unknown size modes and colour counts, extreme pixel sizes), any short text and any colour
// texts, then writes the result into a preview page.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "kelvara/engine/generator.h"
#include "kelvara/engine/preview_page.h"
#include "kelvara/engine/tag_options.h"

namespace {

void Check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

// Mostly values near the usual range, now and then any 16-bit number.
std::int16_t Option(kelvara::fuzz::FuzzInput& input)
{
    const std::uint8_t choice = input.Byte();
    if (choice >= 0xF0) {
        return input.Int16();
    }
    return static_cast<std::int16_t>(choice % 9) - 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kelvara::engine;
    kelvara::fuzz::FuzzInput input(data, size);

    TagOptions options;
    for (std::int16_t TagOptions::*field :
         {&TagOptions::h_NFontSize, &TagOptions::h_textflag, &TagOptions::h_fontflag,
          &TagOptions::h_styleflag, &TagOptions::h_instantflag, &TagOptions::h_ColorCount,
          &TagOptions::h_Centerflag, &TagOptions::h_ItalicFlag, &TagOptions::h_BoldFlag,
          &TagOptions::h_NotFlag, &TagOptions::h_SubFlag, &TagOptions::h_UpFlag,
          &TagOptions::h_UnderFlag, &TagOptions::h_marqueeFlag, &TagOptions::h_BlinkFlag}) {
        options.*field = Option(input);
    }
    // Pixel sizes: small ones mostly, so that the output stays small.
    options.h_MaxFontSize = static_cast<std::int16_t>(input.Byte() % 64);
    options.h_MinFontSize = static_cast<std::int16_t>(input.Byte() % 64);
    if (input.Byte() >= 0xF0) {
        options.h_MaxFontSize = input.Int16();
        options.h_MinFontSize = input.Int16();
    }
    options.h_FontFace = input.Text(8);

    const std::u16string first = input.Text(8);
    const std::u16string middle = input.Text(8);
    const std::u16string last = input.Text(8);
    const std::u16string text = input.Text(24);

    const FixedColors colors(first, middle, last);
    const GenerateResult result = Generate(options, text, colors);
    Check(result.outcome != RunOutcome::Stopped);  // nothing asked it to stop
    if (result.outcome == RunOutcome::Refused) {
        Check(!result.message.empty());
        return 0;
    }
    PreviewPageBytes(last, result.tags, PageForm::Normal);
    return 0;
}
