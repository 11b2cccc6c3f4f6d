// SPDX-License-Identifier: MIT
// Fuzzes the number rules of the settings file: no input may crash them, strict reading must
// agree with lenient reading where both accept, and written numbers must read back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "kelvara/settings/numbers.h"

namespace {

void Check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kelvara::settings;

    // One character per byte: the grammar lives in ASCII, the rest is there to be refused.
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i) {
        text.push_back(static_cast<char16_t>(data[i]));
    }

    const double lenient = ParseLenient(text);
    RoundToInt16(lenient);
    if (const std::optional<double> strict = StrictNumber(text)) {
        Check(*strict == lenient);
        Check(StrictInteger(text) == RoundToInt16(lenient));
    } else {
        Check(!StrictInteger(text).has_value());
    }

    if (size >= 2) {
        const auto number =
            static_cast<std::int16_t>(static_cast<std::uint16_t>(data[0] | (data[1] << 8)));
        const std::u16string written = FormatSigned(number);
        Check(ParseLenient(written) == number);
        Check(StrictInteger(written) == number);
    }
    return 0;
}
