// SPDX-License-Identifier: MIT
// Names of the formats and colour spaces, the stop list, the options each format leaves out,
// and the contrast ratio as text; all that a format is comes from its row in the table.
#include "kelvara/engine/output_format.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "kelvara/engine/options.h"

namespace kelvara::engine {
namespace {

std::string_view OptionName(OmittedOption option)
{
    if (option == OmittedOption::Face) return "the font face";
    if (option == OmittedOption::Size) return "the font size";
    const OptionRow* row = OptionOf(option);
    return row != nullptr ? row->note : "an option";
}

bool SizeLeftOut(const TagOptions& o, const FormatRow& row)
{
    if (o.h_fontflag == 1 || o.h_fontflag == 2) return !row.htmlSizes;
    if (o.h_fontflag == 3 || o.h_fontflag == 4) return !row.pixelSizes;
    // The base size matters only when it is not the normal size 3.
    return o.h_NFontSize != 3 && !row.baseSize;
}

}  // namespace

std::optional<OutputFormat> ParseOutputFormat(std::string_view name)
{
    for (const FormatRow& row : kFormats) {
        if (row.name == name) return row.format;
    }
    return std::nullopt;
}

std::string_view OutputFormatName(OutputFormat format) { return RowOf(format).name; }

std::optional<ColorSpace> ParseColorSpace(std::string_view name)
{
    for (const ColorSpaceRow& row : kColorSpaces) {
        if (row.name == name) return row.space;
    }
    return std::nullopt;
}

std::string_view ColorSpaceName(ColorSpace space) { return RowOf(space).name; }

bool FormatSupportsFit(OutputFormat format) { return RowOf(format).fits; }

std::optional<std::vector<Rgb>> ParseStopList(std::string_view text)
{
    std::vector<Rgb> stops;
    while (true) {
        const std::size_t comma = text.find(',');
        const auto color = ReadStrictColor(text.substr(0, comma));
        if (!color) return std::nullopt;
        stops.push_back(*color);
        if (stops.size() > kMaxStops) return std::nullopt;
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    if (stops.size() < kMinStops) return std::nullopt;
    return stops;
}

std::vector<OmittedOption> OptionsLeftOut(const TagOptions& options, OptionSet expressed)
{
    static constexpr auto kNoteOrder = OptionsInNoteOrder();
    std::vector<OmittedOption> out;
    for (const OptionRow* row : kNoteOrder) {
        if (IsSet(options.*row->field) && !expressed.Has(row->omitted)) out.push_back(row->omitted);
    }
    return out;
}

std::vector<OmittedOption> OmittedOptions(const TagOptions& o, OutputFormat format)
{
    const FormatRow& row = RowOf(format);
    std::vector<OmittedOption> out;
    // The face is not noted: it is always set (the window and kelvara-gen default to one), so a
    // note would come with every run of a format that has no syntax for it.
    if (SizeLeftOut(o, row)) out.push_back(OmittedOption::Size);
    OptionSet expressed = row.expresses;
    // Bold wins where a format cannot show both.
    if (row.boldHidesItalic && IsSet(o.h_BoldFlag) && expressed.Has(OmittedOption::Bold)) {
        expressed = expressed.Without(OmittedOption::Italic);
    }
    const std::vector<OmittedOption> options = OptionsLeftOut(o, expressed);
    out.insert(out.end(), options.begin(), options.end());
    return out;
}

std::string NoteText(OutputFormat format, OmittedOption option)
{
    const FormatRow& row = RowOf(format);
    if (option == OmittedOption::Size && !row.sizeNote.empty()) return std::string(row.sizeNote);
    std::string text(OptionName(option));
    if (option == OmittedOption::Italic && row.boldHidesItalic) {
        text += " is left out with bold: the ";
        text += row.name;
        text += " format cannot show both";
        return text;
    }
    text += " is left out: the ";
    text += row.name;
    text += " format cannot express it";
    return text;
}

std::string SizeRangeNote(OutputFormat format, const SizeRange& shown)
{
    const std::string least = std::to_string(shown.least) + " px";
    const std::string most = std::to_string(shown.most) + " px";
    return "sizes below " + least + " are written as " + least + " and sizes above " + most +
           " as " + most + ": the " + std::string(RowOf(format).name) + " format shows no others";
}

OutputOptions PreviewOptions(const OutputOptions& output)
{
    if (RowOf(output.format).preview != Preview::AsSpans) return output;
    OutputOptions span = output;
    span.format = OutputFormat::Span;
    span.colorsOf = output.format;
    span.fit.reset();
    span.contrastBackground.reset();
    return span;
}

std::string FormatRatio(double ratio)
{
    const double hundredths = std::floor(ratio * 100.0 + 1e-9);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", hundredths / 100.0);
    return buffer;
}

}  // namespace kelvara::engine
