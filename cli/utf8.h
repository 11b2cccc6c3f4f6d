// SPDX-License-Identifier: MIT
// UTF-8 <-> UTF-16 for the command line, which speaks UTF-8 whatever the locale.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelvara::cli {

// One UTF-8 sequence read from the front of some bytes.
struct Utf8Sequence {
    enum class Kind { Complete, Incomplete, Invalid };
    Kind kind = Kind::Invalid;
    char32_t codePoint = 0;  // when Complete
    std::size_t length = 0;  // bytes used, when Complete
};

// Reads the sequence at the front of non-empty bytes. Incomplete: a valid start that the
// bytes end in the middle of (more bytes may complete it). Overlong forms, surrogates and
// values beyond U+10FFFF are invalid.
Utf8Sequence DecodeUtf8(std::string_view bytes);

// No value for malformed UTF-8 (overlong forms, surrogates, truncated sequences included).
std::optional<std::u16string> FromUtf8(std::string_view bytes);
// Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);

}  // namespace kelvara::cli
