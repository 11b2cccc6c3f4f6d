// SPDX-License-Identifier: MIT
// Where a wrapped line of a picture may end: ICU's strict Japanese line breaking on the desktop,
// the browser's (CSS line-break: strict for Japanese) in the browser page.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kelvara::picture::detail {

// Never before 、。」』）ー・！？ or small kana, never after 「『（, between other kana and
// kanji, after the spaces of Latin text. Nothing when no line breaking is at hand: the lines
// then end only at line breaks.
std::vector<std::size_t> LineBreaks(std::u16string_view text);

}  // namespace kelvara::picture::detail
