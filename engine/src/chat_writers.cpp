// SPDX-License-Identifier: MIT
// The writers of Misskey Flavored Markup and MiniMessage.
#include "chat_writers.h"

#include <algorithm>

namespace kelvara::engine::detail {
namespace {

constexpr std::u16string_view kPlainClose = u"</plain>";

// Characters that start or end an MFM construct inside a function's text: its closing
// bracket, links, functions, emphasis, strike, tags, emoji codes, mentions, hashtags, math
// and code.
constexpr bool IsMfmSyntax(char16_t c)
{
    switch (c) {
        case u']':
        case u'[':
        case u'$':
        case u'*':
        case u'_':
        case u'~':
        case u'<':
        case u'>':
        case u':':
        case u'@':
        case u'#':
        case u'\\':
        case u'`':
            return true;
        default:
            return false;
    }
}

constexpr bool IsLineBreak(char16_t c) { return c == u'\n' || c == u'\r'; }

// One <plain> element holding `piece` (which does not contain "</plain>").
void AppendPlainPiece(std::u16string& out, std::u16string_view piece)
{
    if (piece.empty()) return;
    out += u"<plain>";
    // <plain> takes one line break after its opening and one before its closing as layout.
    if (IsLineBreak(piece.front())) out += u'\n';
    out += piece;
    if (IsLineBreak(piece.back())) out += piece.back();
    out += kPlainClose;
}

}  // namespace

bool ReadableAsMfm(std::u16string_view text)
{
    return std::any_of(text.begin(), text.end(), IsMfmSyntax) ||
           text.find(u"http") != std::u16string_view::npos;
}

void AppendMfmPlain(std::u16string& out, std::u16string_view text)
{
    // "</plain>" in the text is split after its "</": the first element ends with "</", the
    // next begins with "plain>", and neither closes early.
    for (auto at = text.find(kPlainClose); at != std::u16string_view::npos;
         at = text.find(kPlainClose)) {
        AppendPlainPiece(out, text.substr(0, at + 2));
        text.remove_prefix(at + 2);
    }
    AppendPlainPiece(out, text);
}

void MfmWriter::Open(std::u16string& out) const
{
    const Wrapping& w = m_wrapping;
    if (w.center) out += u"<center>";
    if (w.bold) out += u"<b>";
    if (w.italic) out += u"<i>";
    if (w.strike) out += u"<s>";
}

void MfmWriter::Close(std::u16string& out) const
{
    const Wrapping& w = m_wrapping;
    if (w.strike) out += u"</s>";
    if (w.italic) out += u"</i>";
    if (w.bold) out += u"</b>";
    if (w.center) out += u"</center>";
}

void MfmWriter::Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
                     std::size_t first, std::size_t last, bool /*firstUnit*/) const
{
    char16_t head[18] = {u'$', u'[', u'f', u'g', u'.', u'c', u'o', u'l', u'o', u'r', u'='};
    PutHexColor(head + 11, look.color);
    head[17] = u' ';
    out.append(head, 18);
    const std::u16string_view run = text.Span(first, last);
    if (ReadableAsMfm(run)) {
        AppendMfmPlain(out, run);
    } else {
        out += run;
    }
    out += u']';
}

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
