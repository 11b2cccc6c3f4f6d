// SPDX-License-Identifier: MIT
// The Wikidot writer.
#include "wikidot_writer.h"

namespace kelvara::engine::detail {
namespace {

// ASCII punctuation but "@": each may start or end a construct.
constexpr bool NeedsRaw(char16_t c)
{
    return c != u'@' && ((c >= u'!' && c <= u'/') || (c >= u':' && c <= u'?') ||
                         (c >= u'[' && c <= u'`') || (c >= u'{' && c <= u'~'));
}

}  // namespace

void WikidotWriter::Open(std::u16string& out) const
{
    const Wrapping& w = m_wrapping;
    if (w.bold) out += u"**";
    if (w.italic) out += u"//";
    if (w.underline) out += u"__";
    if (w.strike) out += u"--";
}

void WikidotWriter::Close(std::u16string& out) const
{
    const Wrapping& w = m_wrapping;
    if (w.strike) out += u"--";
    if (w.underline) out += u"__";
    if (w.italic) out += u"//";
    if (w.bold) out += u"**";
}

void WikidotWriter::Unit(std::u16string& out, const PlannedCharacter& look,
                         const CharacterText& text, std::size_t first, std::size_t last,
                         bool /*firstUnit*/) const
{
    char16_t head[9] = {u'#', u'#'};
    PutHexColor(head + 2, look.color);
    head[8] = u'|';
    out.append(head, 9);
    bool raw = false;  // inside @@...@@
    for (const char16_t c : text.Span(first, last)) {
        if (NeedsRaw(c) != raw) {
            out += u"@@";
            raw = !raw;
        }
        if (c == u'@') {
            out += u"@<&#64;>@";
        } else {
            out.push_back(c);
        }
    }
    if (raw) out += u"@@";
    out += u"##";
}

}  // namespace kelvara::engine::detail
