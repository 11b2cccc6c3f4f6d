// SPDX-License-Identifier: MIT
// Fuzzes colour reading with any text a colour field can hold: components stay in 0..255, the
// colour value agrees with them, and a composed colour text reads back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "kelvara/engine/color.h"

namespace {

void Check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

bool IsComponent(int value) { return value >= 0 && value <= 255; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kelvara::engine;
    kelvara::fuzz::FuzzInput input(data, size);
    const std::u16string text = input.Text(16);

    const Rgb rgb = ReadColorText(text);
    Check(IsComponent(rgb.red) && IsComponent(rgb.green) && IsComponent(rgb.blue));
    Check(HexToColor(text) ==
          static_cast<std::uint32_t>(rgb.red + 256 * rgb.green + 65536 * rgb.blue));

    const std::u16string composed = ComposeColorText(rgb.red, rgb.green, rgb.blue);
    Check(composed.size() == 6);
    Check(ReadColorText(composed) == rgb);
    Check(HtmlColor(rgb) == u"#" + composed);
    return 0;
}
