// SPDX-License-Identifier: MIT
// The colour codes of Minecraft chat plug-ins: every run as &#RRGGBB followed by its text,
// bold &l, italic &o, underline &n and strike &m after every colour code, which resets them.
// The syntax has no escape: a text with "&" before a character the plug-ins read as a code
// cannot be written.
#pragma once

#include <optional>
#include <string>

#include "kelvara/engine/characters.h"
#include "kelvara/engine/tag_options.h"
#include "plan.h"
#include "writer_support.h"

namespace kelvara::engine::detail {

class AmpHexWriter : public PlainWriter {
public:
    explicit AmpHexWriter(const TagOptions& options);

    void Open(std::u16string& out) const;
    void Close(std::u16string& out) const;
    void Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
              std::size_t first, std::size_t last, bool firstUnit) const;

    // "&" followed by 0-9, a-f, k-o, r, x or "#", in either case: the message, or nothing.
    static std::optional<std::u16string> Refusal(const CharacterText& text);

private:
    ShortText m_head;  // "&#RRGGBB" is written over its colour digits, the style codes follow
};

template <>
struct WriterFor<OutputFormat::AmpHex> {
    static AmpHexWriter Make(const WriterInput& in) { return AmpHexWriter(in.options); }
};

}  // namespace kelvara::engine::detail
