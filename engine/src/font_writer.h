// The classic output: one FONT element per character (or per run of characters when the
// output is fitted to a limit), the style elements around them, "<BR>" after every
// character in vertical writing. Nothing in the text is escaped.
#pragma once

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

    // Characters [first, last) in the colour and size of `look`.
    void Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
              std::size_t first, std::size_t last, bool firstUnit) const
    {
        if (firstUnit) out += m_separator;  // vertical writing also starts with "<BR>"
        // `<FONT COLOR="#RRGGBB"` built on the stack and appended at once.
        static constexpr std::u16string_view kOpen = u"<FONT COLOR=\"#";
        char16_t head[kOpen.size() + 7];
        kOpen.copy(head, kOpen.size());
        PutHexColor(head + kOpen.size(), look.color);
        head[kOpen.size() + 6] = u'"';
        out.append(head, sizeof head / sizeof head[0]);
        if (HasSizeSteps(m_fontflag)) {
            const bool html = m_fontflag == 1 || m_fontflag == 2;
            // The first character of a segment has its number unquoted, the others quoted.
            if (html) {
                out += look.segmentStart ? std::u16string_view(u" SIZE=") : u" SIZE=\"";
            } else {
                out += u" STYLE=\"Font-Size:";
            }
            AppendDecimal(out, look.size);
            if (!html) {
                out += u"px;\"";
            } else if (!look.segmentStart) {
                out += u"\"";
            }
        }
        out += u'>';
        out += text[first];
        for (std::size_t i = first + 1; i < last; ++i) {
            out += m_separator;
            out += text[i];
        }
        out += std::u16string_view(u"</FONT>");
        out += m_separator;
    }

private:
    const TagOptions& m_options;
    int m_fontflag;
    std::u16string_view m_separator;
};

}  // namespace kelvara::engine::detail
