// SPDX-License-Identifier: MIT
// The LaTeX math writer. Inside \text{} KaTeX and MathJax disagree on many characters: both
// reject & # _ ^, read % as a comment and ~ as a no-break space; KaTeX makes -- a dash,
// quotes and the backtick typographic, collapses runs of spaces; MathJax with textmacros
// curls the quotes, without it shows \& with its backslash. What all three read back: the
// escapes \{ \} \$ \& \# \% \_ in math mode, {\ } for a space, and \verb|...| for the
// backslash, ^, ~, the quote, the backtick and the ideographic space.
#include "latex_writer.h"

namespace kelvara::engine::detail {
namespace {

enum class Piece { None, Text, Escape, Space, Verbatim };

constexpr Piece PieceOf(char16_t c)
{
    switch (c) {
        case u'{':
        case u'}':
        case u'$':
        case u'&':
        case u'#':
        case u'%':
        case u'_':
            return Piece::Escape;
        case u' ':
            return Piece::Space;
        case u'\\':
        case u'^':
        case u'~':
        case u'\'':
        case u'`':
        case u'\u3000':
            return Piece::Verbatim;
        default:
            return Piece::Text;
    }
}

}  // namespace

LatexWriter::LatexWriter(const TagOptions& options)
{
    const Wrapping wrapping(options);
    m_textOpen = wrapping.bold ? u"\\textbf{" : wrapping.italic ? u"\\textit{" : u"\\text{";
}

void LatexWriter::Open(std::u16string& out) const { out += u'$'; }

void LatexWriter::Close(std::u16string& out) const { out += u'$'; }

void LatexWriter::Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
                       std::size_t first, std::size_t last, bool /*firstUnit*/) const
{
    out += u"\\color{";
    AppendHexColor(out, look.color);
    out += u'}';
    // The piece open at the end of `out`: text in \text{...} or characters in \verb|...|.
    Piece open = Piece::None;
    char16_t previous = 0;
    auto close = [&] {
        if (open == Piece::Text) out += u'}';
        if (open == Piece::Verbatim) out += u'|';
        open = Piece::None;
    };
    for (const char16_t c : text.Span(first, last)) {
        const Piece piece = PieceOf(c);
        // A hyphen after a hyphen starts a new \text{}, where KaTeX cannot join them to a dash.
        const bool dash = c == u'-' && previous == u'-' && open == Piece::Text;
        if (piece != open || dash) {
            close();
            if (piece == Piece::Text) out += m_textOpen;
            if (piece == Piece::Verbatim) out += u"\\verb|";
            if (piece == Piece::Text || piece == Piece::Verbatim) open = piece;
        }
        if (piece == Piece::Escape) out += u'\\';
        if (piece == Piece::Space) {
            out += u"{\\ }";
        } else {
            out.push_back(c);
        }
        previous = c;
    }
    close();
}

}  // namespace kelvara::engine::detail
