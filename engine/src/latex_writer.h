// SPDX-License-Identifier: MIT
// Math markup for GitHub and Zenn, whose Markdown strips colour from HTML: the whole text in
// one $...$, every run as \color{#RRGGBB} followed by its text. The text is written only in
// ways that KaTeX (Zenn) and MathJax 3 with or without its textmacros extension (GitHub)
// all read back exactly: letters inside \text{}, the characters \text{} would change or
// reject outside it, as math-mode escapes, {\ } or \verb|...|.
#pragma once

#include <string>

#include "kelvara/engine/characters.h"
#include "kelvara/engine/tag_options.h"
#include "plan.h"
#include "writer_support.h"

namespace kelvara::engine::detail {

class LatexWriter : public PlainWriter {
public:
    explicit LatexWriter(const TagOptions& options);

    void Open(std::u16string& out) const;
    void Close(std::u16string& out) const;
    void Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
              std::size_t first, std::size_t last, bool firstUnit) const;

private:
    // \text{, or \textbf{ for bold, or \textit{ for italic alone (MathJax cannot show both).
    std::u16string_view m_textOpen;
};

template <>
struct WriterFor<OutputFormat::Latex> {
    static LatexWriter Make(const WriterInput& in) { return LatexWriter(in.options); }
};

}  // namespace kelvara::engine::detail
