// UTF-8 <-> UTF-16 for the command line, which speaks UTF-8 whatever the locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvara::cli {

// No value for malformed UTF-8 (overlong forms, surrogates, truncated sequences included).
std::optional<std::u16string> FromUtf8(std::string_view bytes);
// Unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);

}  // namespace kelvara::cli
