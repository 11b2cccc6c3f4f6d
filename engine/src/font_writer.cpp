// SPDX-License-Identifier: MIT
// The classic FONT writer's wrappers: style elements outside in, the FONT element innermost.
#include "font_writer.h"

namespace kelvara::engine::detail {
namespace {

struct Row {
    std::int16_t TagOptions::*flag;
    std::u16string_view open;
    std::u16string_view close;
};

constexpr Row kRows[] = {
    {&TagOptions::h_Centerflag, u"<CENTER>", u"</CENTER>"},
    {&TagOptions::h_BoldFlag, u"<B>", u"</B>"},
    {&TagOptions::h_ItalicFlag, u"<I>", u"</I>"},
    {&TagOptions::h_NotFlag, u"<S>", u"</S>"},
    {&TagOptions::h_SubFlag, u"<SUB>", u"</SUB>"},
    {&TagOptions::h_UpFlag, u"<SUP>", u"</SUP>"},
    {&TagOptions::h_UnderFlag, u"<U>", u"</U>"},
    {&TagOptions::h_marqueeFlag, u"<MARQUEE>", u"</MARQUEE>"},
    {&TagOptions::h_BlinkFlag, u"<BLINK>", u"</BLINK>"},
};

}  // namespace

FontWriter::FontWriter(const TagOptions& options)
    : m_options(options),
      m_fontflag(options.h_fontflag),
      m_sized(HasSizeSteps(m_fontflag)),
      m_separator(IsSet(options.h_styleflag) ? u"<BR>" : u"")
{
    constexpr std::u16string_view kLead = u"<FONT COLOR=\"#";
    m_firstLead = ShortText(m_separator, kLead);
    m_lead = ShortText(kLead);
    m_tail = ShortText(u"</FONT>", m_separator);
    if (m_fontflag == 1 || m_fontflag == 2) {
        m_segmentStart = {ShortText(u"\" SIZE="), ShortText(u">")};
        m_inside = {ShortText(u"\" SIZE=\""), ShortText(u"\">")};
    } else if (m_sized) {
        m_segmentStart = {ShortText(u"\" STYLE=\"Font-Size:"), ShortText(u"px;\">")};
        m_inside = m_segmentStart;
    } else {
        m_segmentStart = {ShortText(u"\""), ShortText(u">")};
        m_inside = m_segmentStart;
    }
}

void FontWriter::Open(std::u16string& out) const
{
    for (const Row& row : kRows) {
        if (IsSet(m_options.*row.flag)) out += row.open;
    }
    if (m_fontflag == 0) {
        out += u"<FONT SIZE=\"";
        AppendDecimal(out, m_options.h_NFontSize);
        out += u"\" FACE=\"";
    } else {
        out += u"<FONT FACE=\"";
    }
    // A quote in the face would end the attribute and let the rest of the face act as markup.
    for (const char16_t c : m_options.h_FontFace) {
        if (c == u'"') {
            out += u"&quot;";
        } else {
            out += c;
        }
    }
    out += u"\">";
}

void FontWriter::Close(std::u16string& out) const
{
    out += u"</FONT>";
    for (auto row = std::rbegin(kRows); row != std::rend(kRows); ++row) {
        if (IsSet(m_options.*row->flag)) out += row->close;
    }
}

}  // namespace kelvara::engine::detail
