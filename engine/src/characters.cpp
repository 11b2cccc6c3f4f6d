// SPDX-License-Identifier: MIT
// Splitting text into user-perceived characters (extended grapheme clusters), with the
// half-width sound marks counted on their own.
#include "kelvara/engine/characters.h"

#include <algorithm>
#include <functional>

#include "grapheme_clusters.h"
#include "kelvara/engine/utf8.h"

namespace kelvara::engine {
namespace {

constexpr char16_t kHalfwidthVoiced = 0xFF9E;
constexpr char16_t kHalfwidthSemiVoiced = 0xFF9F;

constexpr bool IsHalfwidthSoundMark(char16_t c)
{
    return c == kHalfwidthVoiced || c == kHalfwidthSemiVoiced;
}

// Code units that never join a neighbour into one cluster as long as every other code unit
// of the text is of this kind too: controls other than CR, Latin, CJK symbols, kana without
// the combining sound marks, unified ideographs and the half- and full-width forms.
constexpr bool IsSimpleUnit(char16_t c)
{
    if (c < 0x0300) return c != u'\r';
    if (c >= 0x3000 && c <= 0x30FF) return (c < 0x302A || c > 0x302F) && c != 0x3099 && c != 0x309A;
    if (c >= 0x4E00 && c <= 0x9FFF) return true;
    return c >= 0xFF00 && c <= 0xFFEF;
}

// Cluster ends that a splitter gave: rising, each within the text, the last at its end.
bool Usable(const std::vector<std::size_t>& ends, std::size_t size)
{
    return !ends.empty() && ends.back() == size && ends.front() > 0 &&
           std::adjacent_find(ends.begin(), ends.end(), std::greater_equal<>()) == ends.end();
}

}  // namespace

CharacterText::CharacterText(std::u16string_view text) : m_text(text)
{
    // One unit each. The lambda lets the test be inlined, which a function pointer is not.
    if (std::all_of(text.begin(), text.end(), [](char16_t c) { return IsSimpleUnit(c); })) {
        return;
    }
    m_bounds.reserve(text.size() + 1);

    std::vector<std::size_t> ends;
    if (!detail::ClusterEnds(text, ends) || !Usable(ends, text.size())) {
        // No splitter (ICU data or the browser's segmenter missing): code points rather
        // than fail.
        for (std::size_t i = 0; i < text.size(); ++i) {
            const bool trail = IsTrailSurrogate(text[i]);
            const bool afterLead = i > 0 && IsLeadSurrogate(text[i - 1]);
            if (!(trail && afterLead)) m_bounds.push_back(i);
        }
        m_bounds.push_back(text.size());
        return;
    }
    std::size_t start = 0;
    for (const std::size_t end : ends) {
        m_bounds.push_back(start);
        // A sound mark starts a character of its own inside the cluster it was joined into.
        for (auto i = start + 1; i < end; ++i) {
            if (IsHalfwidthSoundMark(text[i])) m_bounds.push_back(i);
        }
        start = end;
    }
    m_bounds.push_back(text.size());
}

}  // namespace kelvara::engine
