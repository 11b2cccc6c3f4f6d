// SPDX-License-Identifier: MIT
// Discord's ansi code block: "```ansi", a line break, the text with ANSI colour codes, a line
// break, "```". Discord draws only eight text colours (kDiscordColors); the run gives every
// character the nearest of them, and a code is written only where that colour changes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "kelvara/engine/characters.h"
#include "kelvara/engine/tag_options.h"
#include "plan.h"
#include "writer_support.h"

namespace kelvara::engine::detail {

class DiscordWriter : public PlainWriter {
public:
    explicit DiscordWriter(const TagOptions& options);

    void Open(std::u16string& out) const;
    void Close(std::u16string& out) const;
    // Not const: it remembers the colour in force, so as to write a code only on a change.
    void Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
              std::size_t first, std::size_t last, bool firstUnit);

    // "```" in the text would end the code block: the message, or nothing.
    static std::optional<std::u16string> Refusal(const CharacterText& text);

private:
    std::u16string_view m_styles;  // "1;" for bold, "4;" for underline, both, or none
    std::size_t m_code = 0;        // the colour in force, an index into kDiscordColors
};

template <>
struct WriterFor<OutputFormat::Discord> {
    static DiscordWriter Make(const WriterInput& in) { return DiscordWriter(in.options); }
};

}  // namespace kelvara::engine::detail
