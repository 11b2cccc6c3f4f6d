// SPDX-License-Identifier: MIT
// Where the extended grapheme clusters of a text end, from whichever splitter the build has:
// ICU on the desktop, the browser's Intl.Segmenter in the page.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kelvara::engine::detail {

// The end offset of every cluster in order, the last one text.size(); false (and `ends` left
// empty) when no splitter is at hand.
bool ClusterEnds(std::u16string_view text, std::vector<std::size_t>& ends);

}  // namespace kelvara::engine::detail
