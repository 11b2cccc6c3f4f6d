// SPDX-License-Identifier: MIT
// Where a wrapped line may end in the browser page: the browser's own Japanese line breaking,
// reached through a function the page's script library defines.
#include <algorithm>
#include <cstdint>

#include "line_breaks.h"

extern "C" {
// Writes the offsets a line may end before into `breaks` (room for length values) and returns
// how many it wrote; 0 when the host has no line breaking.
std::size_t kelvara_host_line_breaks(const char16_t* text, std::size_t length,
                                     std::uint32_t* breaks);
}

namespace kelvara::picture::detail {

std::vector<std::size_t> LineBreaks(std::u16string_view text)
{
    std::vector<std::uint32_t> found(text.size());
    const std::size_t count = kelvara_host_line_breaks(text.data(), text.size(), found.data());
    std::vector<std::size_t> breaks;
    for (std::size_t i = 0; i < std::min(count, found.size()); ++i) {
        if (found[i] > 0 && found[i] < text.size()) breaks.push_back(found[i]);
    }
    // The cutter searches them: in order, each once, whatever the host gave.
    std::sort(breaks.begin(), breaks.end());
    breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());
    return breaks;
}

}  // namespace kelvara::picture::detail
