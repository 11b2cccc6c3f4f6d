// SPDX-License-Identifier: MIT
// Shared helpers of the output writers.
#include "writer_support.h"

#include <algorithm>
#include <array>

#include "kelvara/engine/utf8.h"

namespace kelvara::engine::detail {

std::size_t CodePoints(std::u16string_view text)
{
    std::size_t count = text.size();
    for (std::size_t i = 1; i < text.size(); ++i) {
        const bool trail = IsTrailSurrogate(text[i]);
        const bool lead = IsLeadSurrogate(text[i - 1]);
        if (trail && lead) {
            --count;
            ++i;  // a pair is done; the next unit cannot be its trail
        }
    }
    return count;
}

void AppendHtmlEscaped(std::u16string& out, std::u16string_view text)
{
    for (const char16_t c : text) {
        switch (c) {
            case u'&':
                out += u"&amp;";
                break;
            case u'<':
                out += u"&lt;";
                break;
            case u'>':
                out += u"&gt;";
                break;
            case u'"':
                out += u"&quot;";
                break;
            default:
                out.push_back(c);
                break;
        }
    }
}

void AppendTerminalSafe(std::u16string& out, std::u16string_view text)
{
    for (const char16_t c : text) {
        const bool control = (c < 0x20 && c != u'\t' && c != u'\n') || c == 0x7F;
        if (control) {
            out.push_back(c == 0x7F ? char16_t{0x2421} : static_cast<char16_t>(0x2400 + c));
        } else if (c >= 0x80 && c <= 0x9F) {
            out.push_back(0xFFFD);
        } else {
            out.push_back(c);
        }
    }
}

std::size_t CharacterNumberAt(const CharacterText& text, std::size_t offset)
{
    std::size_t number = 1;
    while (number < text.size() && text.Span(0, number).size() <= offset) ++number;
    return number;
}

long long ClampHtmlSize(long long htmlSize) { return std::clamp(htmlSize, 1LL, 7LL); }

std::u16string_view SizeKeyword(long long htmlSize)
{
    static constexpr std::array<std::u16string_view, 7> kKeywords = {
        u"x-small", u"small", u"medium", u"large", u"x-large", u"xx-large", u"xxx-large"};
    return kKeywords[static_cast<std::size_t>(ClampHtmlSize(htmlSize) - 1)];
}

Wrapping::Wrapping(const TagOptions& o)
    : center(IsSet(o.h_Centerflag)),
      bold(IsSet(o.h_BoldFlag)),
      italic(IsSet(o.h_ItalicFlag)),
      underline(IsSet(o.h_UnderFlag)),
      strike(IsSet(o.h_NotFlag)),
      sub(IsSet(o.h_SubFlag)),
      sup(IsSet(o.h_UpFlag)),
      vertical(IsSet(o.h_styleflag)),
      blink(IsSet(o.h_BlinkFlag)),
      marquee(IsSet(o.h_marqueeFlag)),
      fontflag(o.h_fontflag),
      baseSize(o.h_NFontSize),
      face(o.h_FontFace)
{
}

}  // namespace kelvara::engine::detail
