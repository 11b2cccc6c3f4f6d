// SPDX-License-Identifier: MIT
// ReadLatex and ReadDiscord: the output read by KaTeX, MathJax and xterm.js, run under node
// from the scripts in tests/renderers.
#include <algorithm>

#include "format_readers.h"
#include "node_reader.h"

namespace kelvara::engine::testing {

std::optional<std::vector<ColoredText>> ReadLatex(std::u16string_view text,
                                                  std::string_view renderer,
                                                  std::vector<std::u16string>* variants)
{
    auto pieces =
        ReadWithNode(KELVARA_RENDERERS "/read_math.cjs", std::string(renderer), text, variants);
    // MathML writes the spaces of text as no-break spaces; a reader sees spaces.
    if (pieces) {
        for (ColoredText& piece : *pieces)
            std::replace(piece.text.begin(), piece.text.end(), u'\u00A0', u' ');
    }
    return pieces;
}

std::optional<std::vector<ColoredText>> ReadDiscord(std::u16string_view text,
                                                    std::vector<std::u16string>* styles)
{
    return ReadWithNode(KELVARA_RENDERERS "/read_terminal.cjs", "", text, styles);
}

}  // namespace kelvara::engine::testing
