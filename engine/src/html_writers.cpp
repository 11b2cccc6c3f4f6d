// SPDX-License-Identifier: MIT
// The span and css writers.
#include "html_writers.h"

#include <utility>

namespace kelvara::engine::detail {
namespace {

// The standard "visually hidden" rule: out of sight and layout, still read by screen readers.
constexpr std::u16string_view kHidden =
    u"position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);"
    u"white-space:nowrap";

void AppendDeclaration(std::u16string& css, std::u16string_view declaration)
{
    if (!css.empty()) css += u';';
    css += declaration;
}

// The wrapper options as CSS declarations; the face as a quoted CSS string.
std::u16string WrapperCss(const Wrapping& w)
{
    std::u16string css;
    if (!w.face.empty()) {
        std::u16string family = u"font-family:'";
        for (const char16_t c : w.face) {
            if (c == u'\'' || c == u'\\') family += u'\\';
            if (c == u'\n') {
                family += u"\\a ";
                continue;
            }
            family += c;
        }
        family += u'\'';
        AppendDeclaration(css, family);
    }
    if (w.fontflag == 0) {
        AppendDeclaration(css, u"font-size:");
        css += SizeKeyword(w.baseSize);
    }
    if (w.bold) AppendDeclaration(css, u"font-weight:bold");
    if (w.italic) AppendDeclaration(css, u"font-style:italic");
    if (w.underline && w.strike) {
        AppendDeclaration(css, u"text-decoration:underline line-through");
    } else if (w.underline) {
        AppendDeclaration(css, u"text-decoration:underline");
    } else if (w.strike) {
        AppendDeclaration(css, u"text-decoration:line-through");
    }
    // Writing mode needs a block-level box; inline-block keeps it in the line.
    if (w.vertical) AppendDeclaration(css, u"display:inline-block;writing-mode:vertical-rl");
    return css;
}

void OpenWrappers(std::u16string& out, const Wrapping& w, bool wrapperAlways)
{
    if (w.center) out += u"<div style=\"text-align:center\">";
    const std::u16string css = WrapperCss(w);
    if (!css.empty()) {
        out += u"<span style=\"";
        AppendHtmlEscaped(out, css);
        out += u"\">";
    } else if (wrapperAlways) {
        out += u"<span>";
    }
    if (w.sub) out += u"<sub>";
    if (w.sup) out += u"<sup>";
}

void CloseWrappers(std::u16string& out, const Wrapping& w, bool wrapperAlways)
{
    if (w.sup) out += u"</sup>";
    if (w.sub) out += u"</sub>";
    if (wrapperAlways || !WrapperCss(w).empty()) out += u"</span>";
    if (w.center) out += u"</div>";
}

}  // namespace

SpanWriter::SpanWriter(const TagOptions& options, const CharacterText& text)
    : m_wrapping(options), m_whole(text.Text())
{
}

void SpanWriter::Open(std::u16string& out) const
{
    OpenWrappers(out, m_wrapping, true);
    out += u"<span style=\"";
    out += kHidden;
    out += u"\">";
    AppendHtmlEscaped(out, m_whole);
    out += u"</span><span aria-hidden=\"true\">";
}

void SpanWriter::Close(std::u16string& out) const
{
    out += u"</span>";
    CloseWrappers(out, m_wrapping, true);
}

void SpanWriter::Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
                      std::size_t first, std::size_t last, bool /*firstUnit*/) const
{
    out += u"<span style=\"color:";
    AppendHexColor(out, look.color);
    const int fontflag = m_wrapping.fontflag;
    if (fontflag == 1 || fontflag == 2) {
        out += u";font-size:";
        out += SizeKeyword(look.size);
    } else if (fontflag == 3 || fontflag == 4) {
        out += u";font-size:";
        AppendDecimal(out, look.size);
        out += u"px";
    }
    out += u"\">";
    for (std::size_t i = first; i < last; ++i) AppendHtmlEscaped(out, text[i]);
    out += u"</span>";
}

CssWriter::CssWriter(const TagOptions& options, std::vector<Rgb> stops)
    : m_wrapping(options), m_stops(std::move(stops))
{
}

void CssWriter::Open(std::u16string& out) const
{
    OpenWrappers(out, m_wrapping, false);
    out += m_wrapping.vertical
               ? std::u16string_view(u"<span style=\"background-image:linear-gradient(180deg")
               : u"<span style=\"background-image:linear-gradient(90deg";
    for (const Rgb& stop : m_stops) {
        out += u", ";
        AppendHexColor(out, stop);
    }
    // A single colour still needs two stops to make a gradient.
    if (m_stops.size() == 1) {
        out += u", ";
        AppendHexColor(out, m_stops.front());
    }
    out += u");-webkit-background-clip:text;background-clip:text;color:transparent\">";
}

void CssWriter::Close(std::u16string& out) const
{
    out += u"</span>";
    CloseWrappers(out, m_wrapping, false);
}

void CssWriter::Unit(std::u16string& out, const PlannedCharacter& /*look*/,
                     const CharacterText& text, std::size_t first, std::size_t last,
                     bool /*firstUnit*/) const
{
    for (std::size_t i = first; i < last; ++i) AppendHtmlEscaped(out, text[i]);
}

void CssWriter::UseRunColors(std::vector<Rgb> colors) { m_stops = std::move(colors); }

}  // namespace kelvara::engine::detail
