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

    [[nodiscard]] std::size_t size() const { return m_bounds.size() - 1; }
    [[nodiscard]] bool empty() const { return size() == 0; }
    // The whole text given to the constructor.
    [[nodiscard]] std::u16string_view Text() const { return m_text; }
    // Character i (0-based) as a view into the text given to the constructor.
    [[nodiscard]] std::u16string_view operator[](std::size_t i) const
    {
        return m_text.substr(m_bounds[i], m_bounds[i + 1] - m_bounds[i]);
    }

private:
    std::u16string_view m_text;
    std::vector<std::size_t> m_bounds;  // start offsets plus the end offset
};

}  // namespace kelvara::engine
