// SPDX-License-Identifier: MIT
// HTML5 output. `span`: every character in its own coloured span, the wrapper options as CSS
// on one wrapper span, the whole text once as visually hidden text for screen readers and
// the coloured characters hidden from them. `css`: the text once, painted by one linear
// gradient clipped to the glyphs.
#pragma once

#include <string>
#include <vector>

#include "kelvara/engine/characters.h"
#include "kelvara/engine/color.h"
#include "kelvara/engine/tag_options.h"
#include "plan.h"
#include "writer_support.h"

namespace kelvara::engine::detail {

class SpanWriter : public PlainWriter {
public:
    SpanWriter(const TagOptions& options, const CharacterText& text);

    void Open(std::u16string& out) const;
    void Close(std::u16string& out) const;
    void Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
              std::size_t first, std::size_t last, bool firstUnit) const;

private:
    Wrapping m_wrapping;
    std::u16string_view m_whole;
};

class CssWriter {
public:
    // `stops`: the gradient's colours, evenly spaced.
    CssWriter(const TagOptions& options, std::vector<Rgb> stops);

    void Open(std::u16string& out) const;
    void Close(std::u16string& out) const;
    void Unit(std::u16string& out, const PlannedCharacter& look, const CharacterText& text,
              std::size_t first, std::size_t last, bool firstUnit) const;
    // A fitted output: one gradient stop per run, in the run's colour.
    void UseRunColors(std::vector<Rgb> colors);
    [[nodiscard]] std::size_t StopCount() const { return m_stops.size(); }

private:
    Wrapping m_wrapping;
    std::vector<Rgb> m_stops;
};

template <>
struct WriterFor<OutputFormat::Span> {
    static SpanWriter Make(const WriterInput& in) { return {in.options, in.text}; }
};
template <>
struct WriterFor<OutputFormat::Css> {
    static CssWriter Make(const WriterInput& in) { return {in.options, in.gradientStops}; }
};

}  // namespace kelvara::engine::detail
