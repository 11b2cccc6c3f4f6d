// SPDX-License-Identifier: MIT
// The minimessage writer.
#include "minimessage_writer.h"

namespace kelvara::engine::detail {

void AppendMiniMessageEscaped(std::u16string& out, std::u16string_view text)
{
    for (const char16_t c : text) {
        if (c == u'\\' || c == u'<') out += u'\\';
        out += c;
    }
}

void MiniMessageWriter::Open(std::u16string& out) const
{
    const Wrapping& w = m_wrapping;
    if (w.bold) out += u"<b>";
    if (w.italic) out += u"<i>";
    if (w.underline) out += u"<u>";
    if (w.strike) out += u"<st>";
}

// A MiniMessage text needs no closing tags: each style holds to its end.
void MiniMessageWriter::Close(std::u16string& /*out*/) const {}

void MiniMessageWriter::Unit(std::u16string& out, const PlannedCharacter& look,
                             const CharacterText& text, std::size_t first, std::size_t last,
                             bool /*firstUnit*/) const
{
    char16_t tag[9] = {u'<', u'#'};
    PutHexColor(tag + 2, look.color);
    tag[8] = u'>';
    out.append(tag, 9);
    AppendMiniMessageEscaped(out, text.Span(first, last));
}

}  // namespace kelvara::engine::detail
