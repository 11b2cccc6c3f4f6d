// SPDX-License-Identifier: MIT
// Splits text into the characters a user sees: extended grapheme clusters, except that the
// half-width sound marks U+FF9E and U+FF9F count on their own, as in the Shift-JIS code page.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kelvara::engine {

class CharacterText {
public:
    explicit CharacterText(std::u16string_view text);

    [[nodiscard]] std::size_t size() const
    {
        return m_bounds.empty() ? m_text.size() : m_bounds.size() - 1;
    }
    [[nodiscard]] bool empty() const { return size() == 0; }
    // The whole text given to the constructor.
    [[nodiscard]] std::u16string_view Text() const { return m_text; }
    // Character i (0-based) as a view into the text given to the constructor.
    [[nodiscard]] std::u16string_view operator[](std::size_t i) const { return Span(i, i + 1); }
    // Characters [first, last) as one view into the text.
    [[nodiscard]] std::u16string_view Span(std::size_t first, std::size_t last) const
    {
        return m_text.substr(Offset(first), Offset(last) - Offset(first));
    }

private:
    [[nodiscard]] std::size_t Offset(std::size_t i) const
    {
        return m_bounds.empty() ? i : m_bounds[i];
    }

    std::u16string_view m_text;
    // Start offsets plus the end offset; empty when every code unit is a character of its
    // own (the usual Japanese or Latin text), which spares a long text an array eight times
    // its size.
    std::vector<std::size_t> m_bounds;
};

}  // namespace kelvara::engine
