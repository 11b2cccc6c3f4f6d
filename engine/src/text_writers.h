// SPDX-License-Identifier: MIT
// Outputs for places that take no HTML: BBCode for forums, the inline syntax of
// PukiWiki-style wikis, ANSI colour sequences for terminals, and JSON for programs.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "kelvara/engine/characters.h"
#include "kelvara/engine/color.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/tag_options.h"
#include "plan.h"
#include "writer_support.h"

namespace kelvara::engine::detail {

class BbCodeWriter : public PlainWriter {
public:
    explicit BbCodeWriter(const TagOptions& options) : m_wrapping(options) {}

    void Open(std::u16string& out) const;
    void Close(std::u16string& out) const;
    void Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
              std::size_t first, std::size_t last, bool firstUnit) const;

private:
    Wrapping m_wrapping;
};

// PukiWiki's &color and &size calls. The text of a call is read as inline markup, so what
// could start a construct there is written as a numeric reference: always what would end the
// call or join the wrappers, and in a run of several characters also what begins a link, a
// footnote, a face mark or a COLOR()/SIZE() prefix. Sizes are kept to those PukiWiki shows.
class WikiWriter : public PlainWriter {
public:
    explicit WikiWriter(const TagOptions& options) : m_wrapping(options) {}

    // The pixel sizes &size shows; it draws any other as the nearest of them.
    static constexpr SizeRange kShownSizes{8, 60};

    void Open(std::u16string& out) const;
    void Close(std::u16string& out) const;
    void Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
              std::size_t first, std::size_t last, bool firstUnit) const;

    // The message for a text holding a control character that PukiWiki cannot show (it uses
    // U+0008 itself), or nothing.
    static std::optional<std::u16string> Refusal(const CharacterText& text);
    // The sizes the output can show when it writes sizes at all.
    [[nodiscard]] std::optional<SizeRange> ShownSizes() const;

private:
    Wrapping m_wrapping;
};

class AnsiWriter : public PlainWriter {
public:
    explicit AnsiWriter(const TagOptions& options) : m_wrapping(options) {}

    void Open(std::u16string& out) const;
    void Close(std::u16string& out) const;
    void Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
              std::size_t first, std::size_t last, bool firstUnit) const;

private:
    Wrapping m_wrapping;
};

class JsonWriter : public PlainWriter {
public:
    explicit JsonWriter(const TagOptions& options) : m_fontflag(options.h_fontflag) {}

    void Open(std::u16string& out) const;
    void Close(std::u16string& out) const;
    void Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
              std::size_t first, std::size_t last, bool firstUnit) const;

private:
    int m_fontflag;
};

template <>
struct WriterFor<OutputFormat::BbCode> {
    static BbCodeWriter Make(const WriterInput& in) { return BbCodeWriter(in.options); }
};
template <>
struct WriterFor<OutputFormat::Wiki> {
    static WikiWriter Make(const WriterInput& in) { return WikiWriter(in.options); }
};
template <>
struct WriterFor<OutputFormat::Ansi> {
    static AnsiWriter Make(const WriterInput& in) { return AnsiWriter(in.options); }
};
template <>
struct WriterFor<OutputFormat::Json> {
    static JsonWriter Make(const WriterInput& in) { return JsonWriter(in.options); }
};

}  // namespace kelvara::engine::detail
