// SPDX-License-Identifier: MIT
// The text to convert, read from standard input or an argument, refused as soon as it is
// certainly too long so that a huge input is never held in memory whole.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace kelvara::cli {

// More UTF-8 than this is refused whatever the characters.
inline constexpr std::size_t kMaxTextBytes = std::size_t{4} << 20U;

enum class TextRefusal { None, NotUtf8, TooManyCharacters, TooLarge };

struct TextInput {
    TextRefusal refusal = TextRefusal::None;
    std::u16string text;  // when not refused
};

// Reads everything (one trailing line break, LF or CR LF, removed), stopping early when the
// text cannot be accepted: malformed UTF-8, more than kMaxTextBytes, or (with
// limitCharacters) certainly more than the generator's maximum of characters.
TextInput ReadText(std::istream& in, bool limitCharacters);

// The same checks for a text given whole (an argument); nothing is removed from it.
TextInput CheckText(std::string_view bytes, bool limitCharacters);

// Every line of the input as a text of its own, with the same checks, handed to `take` in order
// with its number (from 1) as soon as its LF (or the end of the input) is read; a CR before the
// LF is removed. No line break after the last line means no further line. A line refused
// before its end is skipped to it without being kept, so memory stays bounded whatever the
// input's size. Reading stops early when `take` returns false.
void ReadLines(std::istream& in, const std::function<bool(std::size_t, TextInput)>& take);

}  // namespace kelvara::cli
