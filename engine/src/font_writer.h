// SPDX-License-Identifier: MIT
// The classic output: one FONT element per character (or per run of characters when the
// output is fitted to a limit), the style elements around them, "<BR>" after every
// character in vertical writing. Nothing in the text is escaped.
#pragma once

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "kelvara/engine/characters.h"
#include "kelvara/engine/tag_options.h"
#include "plan.h"
#include "writer_support.h"

namespace kelvara::engine::detail {

class FontWriter : public PlainWriter {
public:
    explicit FontWriter(const TagOptions& options);

    void Open(std::u16string& out) const;
    void Close(std::u16string& out) const;

    // Characters [first, last) in the colour and size of `look`. The element is written
    // into a buffer on the stack and appended at once: appending its dozen short pieces one
    // at a time, each with its own capacity check and copy call, cost several times the
    // writing itself. Only an element too long for that buffer is written in `out` itself.
    void Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
              std::size_t first, std::size_t last, bool firstUnit) const
    {
        // The most the element can take: the five fixed pieces (the number among them) at
        // their arrays' full size, the colour, the characters and the separators between.
        const std::size_t most = 5 * ShortText::kCapacity + kColorDigits +
                                 text.Span(first, last).size() +
                                 (last - first - 1) * m_separator.size();
        constexpr std::size_t kBuffer = 256;
        if (most <= kBuffer) {
            std::array<char16_t, kBuffer> buffer;  // every unit appended is written first
            const char16_t* end = Write(buffer.data(), look, text, first, last, firstUnit);
            out.append(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
        } else {
            const std::size_t start = out.size();
            out.resize(start + most);
            const char16_t* end = Write(out.data() + start, look, text, first, last, firstUnit);
            out.resize(static_cast<std::size_t>(end - out.data()));
        }
    }

private:
    // Writes the element at p, which has room for ShortText::kCapacity units beyond it, and
    // returns its end.
    char16_t* Write(char16_t* p, const PlannedCharacter& look, const CharacterText& text,
                    std::size_t first, std::size_t last, bool firstUnit) const
    {
        // The first character of a colour segment has its size unquoted in font modes 1, 2.
        const Pieces& pieces = look.segmentStart ? m_segmentStart : m_inside;
        p = Put(p, firstUnit ? m_firstLead : m_lead);
        PutHexColor(p, look.color);
        p += kColorDigits;
        p = Put(p, pieces.afterColor);
        if (m_sized) p = PutDecimal(p, look.size);
        p = Put(p, pieces.afterSize);
        for (std::size_t i = first; i < last; ++i) {
            if (i != first) p = Put(p, m_separator);
            const std::u16string_view character = text[i];
            if (character.size() == 1) {  // nearly always: no call to copy one unit
                *p++ = character.front();
            } else {
                p = Put(p, character);
            }
        }
        return Put(p, m_tail);
    }

    static constexpr std::size_t kColorDigits = 6;

    struct Pieces {
        ShortText afterColor;  // closing quote of the colour, the size attribute's start
        ShortText afterSize;   // the size attribute's end and the end of the start tag
    };

    const TagOptions& m_options;
    int m_fontflag;
    bool m_sized;
    std::u16string_view m_separator;
    ShortText m_firstLead;  // vertical writing also starts with "<BR>"
    ShortText m_lead;
    Pieces m_segmentStart;
    Pieces m_inside;
    ShortText m_tail;
};

template <>
struct WriterFor<OutputFormat::Font> {
    static FontWriter Make(const WriterInput& in) { return FontWriter(in.options); }
};

}  // namespace kelvara::engine::detail
