// SPDX-License-Identifier: MIT
// Conversion between UTF-16 and Shift-JIS (code page 932), the encoding of every file
// Kelvara writes, on every platform and whatever the locale.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvara::engine {

enum class Unmappable {
    DefaultChar,         // the code page's default character "?"
    CharacterReference,  // an HTML numeric character reference such as &#128512;
};

std::string EncodeShiftJis(std::u16string_view text, Unmappable unmappable);

// Invalid or unassigned bytes become U+FFFD; never fails.
std::u16string DecodeShiftJis(std::string_view bytes);

// Lead byte of a double-byte character in code page 932.
constexpr bool IsShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Second byte of a double-byte character. It can look like '[', ']', a backslash or a letter, but
// never like a control character, a blank, '=' or a digit.
constexpr bool IsShiftJisTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// The first at most maxBytes bytes; a double-byte character the cut would split is dropped
// whole. Bytes that do not form a character are kept as they are.
std::string_view CutShiftJis(std::string_view bytes, std::size_t maxBytes);

}  // namespace kelvara::engine
