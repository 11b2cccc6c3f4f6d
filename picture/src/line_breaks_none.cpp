// SPDX-License-Identifier: MIT
// The browser page has no line breaking to offer: lines end only at the text's line breaks.
#include "line_breaks.h"

namespace kelvara::picture::detail {

std::vector<std::size_t> LineBreaks(std::u16string_view /*text*/) { return {}; }

}  // namespace kelvara::picture::detail
