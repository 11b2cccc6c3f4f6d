// SPDX-License-Identifier: MIT
// Grapheme clusters from the program that hosts the engine: in the browser page, the
// browser's Intl.Segmenter, reached through a function the page's script library defines.
#include <cstdint>

#include "grapheme_clusters.h"

extern "C" {
// Writes the end offset of every cluster of text[0, length) into `ends` (room for length
// values) and returns how many it wrote; 0 when the host has no splitter.
std::size_t kelvara_host_cluster_ends(const char16_t* text, std::size_t length,
                                      std::uint32_t* ends);
}

namespace kelvara::engine::detail {

bool ClusterEnds(std::u16string_view text, std::vector<std::size_t>& ends)
{
    std::vector<std::uint32_t> found(text.size());
    const std::size_t count = kelvara_host_cluster_ends(text.data(), text.size(), found.data());
    if (count == 0 || count > found.size() || found[count - 1] != text.size()) return false;
    ends.assign(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(count));
    return true;
}

}  // namespace kelvara::engine::detail
