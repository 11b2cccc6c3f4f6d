// SPDX-License-Identifier: MIT
// Line breaking from ICU's strict Japanese rules.
#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <memory>

#include "line_breaks.h"

namespace kelvara::picture::detail {

std::vector<std::size_t> LineBreaks(std::u16string_view text)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::BreakIterator> iterator(icu::BreakIterator::createLineInstance(
        icu::Locale::createFromName("ja@lb=strict"), status));
    std::vector<std::size_t> breaks;
    if (U_FAILURE(status) || !iterator) return breaks;
    const icu::UnicodeString alias(false, text.data(), static_cast<int32_t>(text.size()));
    iterator->setText(alias);
    for (int32_t at = iterator->next(); at != icu::BreakIterator::DONE; at = iterator->next()) {
        breaks.push_back(static_cast<std::size_t>(at));
    }
    return breaks;
}

}  // namespace kelvara::picture::detail
