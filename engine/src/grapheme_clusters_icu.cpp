// SPDX-License-Identifier: MIT
// Grapheme clusters from ICU's character break iterator.
#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <memory>

#include "grapheme_clusters.h"

namespace kelvara::engine::detail {

bool ClusterEnds(std::u16string_view text, std::vector<std::size_t>& ends)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::BreakIterator> iterator(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status) || !iterator) return false;  // ICU data missing
    // Read-only alias of the caller's text: no copy.
    const icu::UnicodeString alias(false, text.data(), static_cast<int32_t>(text.size()));
    iterator->setText(alias);
    for (int32_t end = iterator->next(); end != icu::BreakIterator::DONE; end = iterator->next()) {
        ends.push_back(static_cast<std::size_t>(end));
    }
    return true;
}

}  // namespace kelvara::engine::detail
