// SPDX-License-Identifier: MIT
// Number rules of the settings file (and of the settings dialog's fields).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvara::settings {

// " 3", " 0", "-1": one leading blank when not negative.
std::u16string FormatSigned(int value);

// Lenient reading: blanks, tabs and line feeds ignored anywhere; sign, decimals, exponent
// (E or D); "&H" hex and "&O" octal. Stops at the first character that does not fit; 0 when
// nothing fits.
double ParseLenient(std::u16string_view text);

// Nearest integer, ties to even, saturated to -32768..32767.
std::int16_t RoundToInt16(double value);

// Strict reading: optional surrounding blanks, then decimal notation with an optional sign and
// at most one point. No value for empty or non-numeric text.
std::optional<double> StrictNumber(std::u16string_view text);
// StrictNumber rounded with RoundToInt16.
std::optional<std::int16_t> StrictInteger(std::u16string_view text);

}  // namespace kelvara::settings
