// SPDX-License-Identifier: MIT
// Wikidot's inline markup: every run as ##RRGGBB|TEXT##, bold **, italic //, underline __ and
// strike -- around all runs. Punctuation, which Wikidot may read as markup ("##" ends the
// colour, "|" divides it, "**", "//", "[[", "@@" and the rest start constructs), stands in
// Wikidot's raw text @@...@@; an "@", which raw text cannot hold next to its own markers, is
// written as the character reference @<&#64;>@.
#pragma once

#include <string>

#include "kelvara/engine/characters.h"
#include "kelvara/engine/tag_options.h"
#include "plan.h"
#include "writer_support.h"

namespace kelvara::engine::detail {

class WikidotWriter : public PlainWriter {
public:
    explicit WikidotWriter(const TagOptions& options) : m_wrapping(options) {}

    void Open(std::u16string& out) const;
    void Close(std::u16string& out) const;
    void Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
              std::size_t first, std::size_t last, bool firstUnit) const;

private:
    Wrapping m_wrapping;
};

template <>
struct WriterFor<OutputFormat::Wikidot> {
    static WikidotWriter Make(const WriterInput& in) { return WikidotWriter(in.options); }
};

}  // namespace kelvara::engine::detail
