// SPDX-License-Identifier: MIT
// Colour notation: six hex digits RRGGBB without prefix, read leniently, written upper case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvara::engine {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Red from the first two characters, green from the two starting at the third,
// blue from the last two; each pair read as hex as far as it goes (0 if nothing).
Rgb ReadColorText(std::u16string_view text);

// Exactly six hexadecimal digits, either case, and nothing else: the colour, or nothing. The
// one strict reader of RRGGBB, for command-line options and stop lists.
std::optional<Rgb> ReadStrictColor(std::string_view text);
std::optional<Rgb> ReadStrictColor(std::u16string_view text);

// red + 256 * green + 65536 * blue, red in the lowest byte.
std::uint32_t HexToColor(std::u16string_view text);

// 0..255 as two upper-case hex digits: 0 -> "00", 10 -> "0A".
std::u16string FormatComponent(int value);

// Six upper-case hex digits RRGGBB.
std::u16string ComposeColorText(int red, int green, int blue);

// "#RRGGBB".
std::u16string HtmlColor(const Rgb& rgb);

}  // namespace kelvara::engine
