// SPDX-License-Identifier: MIT
// The text to convert, read from standard input or an argument, refused as soon as it is
// certainly too long so that a huge input is never held in memory whole.
#pragma once

#include <cstddef>
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

}  // namespace kelvara::cli
