// SPDX-License-Identifier: MIT
// MiniMessage, the text format of Minecraft servers on Paper and Adventure: every run as
// <#RRGGBB>TEXT with no closing tag, bold, italic, underline and strike opened once before.
#pragma once

#include <string>
#include <string_view>

#include "kelvara/engine/characters.h"
#include "kelvara/engine/tag_options.h"
#include "plan.h"
#include "writer_support.h"

namespace kelvara::engine::detail {

class MiniMessageWriter : public PlainWriter {
public:
    explicit MiniMessageWriter(const TagOptions& options) : m_wrapping(options) {}

    void Open(std::u16string& out) const;
    void Close(std::u16string& out) const;
    void Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
              std::size_t first, std::size_t last, bool firstUnit) const;

private:
    Wrapping m_wrapping;
};

// `text` with MiniMessage's escapes: "\" as "\\", "<" as "\<"; nothing else changes.
void AppendMiniMessageEscaped(std::u16string& out, std::u16string_view text);

template <>
struct WriterFor<OutputFormat::MiniMessage> {
    static MiniMessageWriter Make(const WriterInput& in) { return MiniMessageWriter(in.options); }
};

}  // namespace kelvara::engine::detail
