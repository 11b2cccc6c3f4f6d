// SPDX-License-Identifier: MIT
// Outputs for chat and social services that colour text with their own markup.
// Misskey Flavored Markup: every run as $[fg.color=RRGGBB TEXT], the text kept literal by
// <plain> wherever MFM could read it as markup, bold, italic, strike and centring as tags
// around all runs. MiniMessage, the text format of Minecraft servers on Paper and Adventure:
// every run as <#RRGGBB>TEXT with no closing tag, bold, italic, underline and strike opened
// once before.
#pragma once

#include <string>
#include <string_view>

#include "kelvara/engine/characters.h"
#include "kelvara/engine/tag_options.h"
#include "plan.h"
#include "writer_support.h"

namespace kelvara::engine::detail {

class MfmWriter : public PlainWriter {
public:
    explicit MfmWriter(const TagOptions& options) : m_wrapping(options) {}

    void Open(std::u16string& out) const;
    void Close(std::u16string& out) const;
    void Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
              std::size_t first, std::size_t last, bool firstUnit) const;

private:
    Wrapping m_wrapping;
};

// Whether MFM could read something in `text` as markup rather than as the text itself.
bool ReadableAsMfm(std::u16string_view text);

// `text` inside <plain> elements, so that MFM shows it exactly: split where it contains
// "</plain>", and with a line break at either end doubled, since <plain> drops one there.
void AppendMfmPlain(std::u16string& out, std::u16string_view text);

template <>
struct WriterFor<OutputFormat::Mfm> {
    static MfmWriter Make(const WriterInput& in) { return MfmWriter(in.options); }
};

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
