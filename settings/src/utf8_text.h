// SPDX-License-Identifier: MIT
// UTF-8 for Lum.ini files that an editor saved with a byte-order mark.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvara::settings {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// A lone surrogate, which UTF-8 cannot hold, becomes "?" as an unmappable character does in
// Shift-JIS.
std::string EncodeUtf8(std::u16string_view text);
// Every byte that does not begin a well-formed sequence becomes U+FFFD; never fails.
std::u16string DecodeUtf8(std::string_view bytes);
// The first at most maxBytes bytes; a character the cut would split is dropped whole.
std::string_view CutUtf8(std::string_view bytes, std::size_t maxBytes);

}  // namespace kelvara::settings
