// SPDX-License-Identifier: MIT
// A run in any output format of the table in formats.h: colour stops and colour spaces, fitting
// the output into a length limit, and the report of low-contrast characters. With the default
// OutputOptions a run writes exactly the classic FONT tags.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kelvara/engine/color.h"
#include "kelvara/engine/color_space.h"
#include "kelvara/engine/formats.h"
#include "kelvara/engine/generator.h"
#include "kelvara/engine/tag_options.h"

namespace kelvara::engine {

class CharacterText;
struct RunPlan;

inline constexpr std::size_t kMinStops = 2;
inline constexpr std::size_t kMaxStops = 16;

// "FF0000,00FF00,0000FF": kMinStops to kMaxStops colours of exactly six hex digits each,
// separated by commas; nothing when the list is malformed.
std::optional<std::vector<Rgb>> ParseStopList(std::string_view text);

struct OutputOptions {
    OutputFormat format = OutputFormat::Font;
    ColorSpace space = ColorSpace::Rgb;
    // Colour stops replacing the colour fields (kMinStops to kMaxStops expected). Empty: the
    // first and last colour field, with the middle one between them when h_ColorCount is 3.
    std::vector<Rgb> stops;
    // The most code points the result may have; nothing: no limit. Ignored by the formats that
    // cannot group characters.
    std::optional<std::size_t> fit;
    // How the limit counts the result's length.
    LengthUnit fitUnit = LengthUnit::CodePoints;
    // Draw with the colours this format can show instead of the format's own (the span
    // preview of a format with few colours); nothing: the format's own.
    std::optional<OutputFormat> colorsOf;
    // Report characters whose colour contrasts less than kMinimumContrast with this colour.
    std::optional<Rgb> contrastBackground;

    friend bool operator==(const OutputOptions&, const OutputOptions&) = default;
};

inline constexpr double kMinimumContrast = 4.5;

// What a browser shows for a run with `output`: a format it does not render becomes HTML5 spans
// in the colours that format can show (Discord's eight), without the limit sized for the format
// and without the contrast check; a format it renders is shown as it is.
OutputOptions PreviewOptions(const OutputOptions& output);

// The options that `format` leaves out with these settings, in the order of the enum.
// OptionsLeftOut: the on/off options that are set and not among `expressed`, likewise.
std::vector<OmittedOption> OptionsLeftOut(const TagOptions& options, OptionSet expressed);
std::vector<OmittedOption> OmittedOptions(const TagOptions& options, OutputFormat format);
// One line for the user, without a program prefix or a newline, e.g.
// "blinking is left out: the span format cannot express it".
std::string NoteText(OutputFormat format, OmittedOption option);

// Sizes from `least` to `most`, both included.
struct SizeRange {
    long long least = 0;
    long long most = 0;
    friend bool operator==(const SizeRange&, const SizeRange&) = default;
};

// One line for the user when sizes outside `shown` were written as the nearest size in it, e.g.
// "sizes below 8 px are written as 8 px and sizes above 60 px as 60 px: the wiki format shows
// no others".
std::string SizeRangeNote(OutputFormat format, const SizeRange& shown);

// A character whose colour contrasts too little with the background.
struct LowContrast {
    std::size_t number = 0;  // counted from 1
    std::u16string character;
    Rgb color;
    double ratio = 0;
};

// "R.RR", truncated (not rounded) so that a ratio below 4.5 never shows as 4.50.
std::string FormatRatio(double ratio);

struct RunReport {
    // Refused: the length message (a text too short or too long for these options) ...
    std::u16string message;
    // ... or, for a limit the output cannot meet, the fewest code points any output needs
    // (counted as the limit counts) and how many characters of the text would fit it in one
    // colour ...
    std::optional<std::size_t> fitNeeded;
    std::size_t fitCharacters = 0;
    std::vector<OmittedOption> notes;
    // The sizes the format shows, when some planned sizes lay outside and were written as the
    // nearest of them.
    std::optional<SizeRange> sizesKeptWithin;
    // Filled by Write, in character order, with the colours as written.
    std::vector<LowContrast> lowContrast;
    // Colour elements written; fewer than the characters when the output was fitted.
    std::size_t runs = 0;
};

// One run in any format. The constructor checks the text length and, with a limit, works out
// the grouping (reading the colours once for that); Write then streams the result into the
// sink. The options, the text and the colour source must outlive the object.
//
// Sinks: a TagSink whose Streams() is false gets today's semantics (characters appended as
// they are made, Wrap(open, close) on completion, only the characters when stopped); a
// streaming sink gets the opening text through Append before the first character and the
// closing text after the last.
//
// The hook is called before every character but the first of a colour segment (a gradient of
// stops is one segment; fitted, before every run but the first), as in the classic run, with
// the characters remaining after it and the total; returning false stops the run.
class FormattedRun {
public:
    FormattedRun(const TagOptions& options, const OutputOptions& output, const CharacterText& text,
                 const ColorSource& colors);
    ~FormattedRun();
    FormattedRun(const FormattedRun&) = delete;
    FormattedRun& operator=(const FormattedRun&) = delete;

    [[nodiscard]] bool Refused() const;
    [[nodiscard]] const RunReport& Report() const;
    // Refused runs write nothing and return RunOutcome::Refused.
    RunOutcome Write(TagSink& sink, RunHook* hook);
    // The runs Write would write, as text, colour and size, into `plan` (nothing when refused).
    void Plan(RunPlan& plan) const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

struct FormattedResult {
    RunOutcome outcome = RunOutcome::Refused;
    std::u16string tags;  // the result (partial without wrappers when stopped)
    RunReport report;
};

// A whole run into a string.
FormattedResult GenerateFormatted(const TagOptions& options, const OutputOptions& output,
                                  std::u16string_view text, const ColorSource& colors,
                                  RunHook* hook = nullptr);

}  // namespace kelvara::engine
