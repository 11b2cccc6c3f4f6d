// SPDX-License-Identifier: MIT
// Names of the formats and colour spaces, the stop list, the options each format leaves out,
// and the contrast ratio as text.
#include "kelvara/engine/output_format.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <utility>

namespace kelvara::engine {
namespace {

constexpr std::array<std::pair<std::string_view, OutputFormat>, 9> kFormats{{
    {"font", OutputFormat::Font},
    {"span", OutputFormat::Span},
    {"css", OutputFormat::Css},
    {"bbcode", OutputFormat::BbCode},
    {"wiki", OutputFormat::Wiki},
    {"ansi", OutputFormat::Ansi},
    {"json", OutputFormat::Json},
    {"mfm", OutputFormat::Mfm},
    {"minimessage", OutputFormat::MiniMessage},
}};

constexpr std::array<std::pair<std::string_view, ColorSpace>, 3> kSpaces{{
    {"rgb", ColorSpace::Rgb},
    {"oklab", ColorSpace::OkLab},
    {"oklch", ColorSpace::OkLch},
}};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<Rgb> StrictColor(std::string_view text)
{
    if (text.size() != 6) return std::nullopt;
    int values[3] = {};
    for (std::size_t i = 0; i < 6; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0) return std::nullopt;
        values[i / 2] = values[i / 2] * 16 + digit;
    }
    return Rgb{values[0], values[1], values[2]};
}

std::string_view OptionName(OmittedOption option)
{
    switch (option) {
        case OmittedOption::Face:
            return "the font face";
        case OmittedOption::Size:
            return "the font size";
        case OmittedOption::Bold:
            return "bold";
        case OmittedOption::Italic:
            return "italic";
        case OmittedOption::Underline:
            return "underline";
        case OmittedOption::Strike:
            return "strike-through";
        case OmittedOption::Subscript:
            return "subscript";
        case OmittedOption::Superscript:
            return "superscript";
        case OmittedOption::Center:
            return "centring";
        case OmittedOption::Vertical:
            return "vertical writing";
        case OmittedOption::Blink:
            return "blinking";
        case OmittedOption::Marquee:
            return "the marquee";
    }
    return "an option";
}

// Whether the format can write the base HTML size of size mode 0.
bool WritesBaseSize(OutputFormat format)
{
    return format == OutputFormat::Font || format == OutputFormat::Span ||
           format == OutputFormat::Css || format == OutputFormat::BbCode;
}

// Whether the format can write the per-character sizes of size mode `fontflag` (1 to 4).
bool WritesSizes(OutputFormat format, int fontflag)
{
    const bool html = fontflag == 1 || fontflag == 2;
    switch (format) {
        case OutputFormat::Font:
        case OutputFormat::Span:
        case OutputFormat::Json:
            return true;
        case OutputFormat::BbCode:
            return html;
        case OutputFormat::Wiki:
            return !html;
        case OutputFormat::Css:
        case OutputFormat::Ansi:
        case OutputFormat::Mfm:
        case OutputFormat::MiniMessage:
            return false;
    }
    return false;
}

bool SizeLeftOut(const TagOptions& o, OutputFormat format)
{
    if (o.h_fontflag >= 1 && o.h_fontflag <= 4) return !WritesSizes(format, o.h_fontflag);
    // The base size matters only when it is not the normal size 3.
    return o.h_NFontSize != 3 && !WritesBaseSize(format);
}

}  // namespace

std::optional<OutputFormat> ParseOutputFormat(std::string_view name)
{
    for (const auto& [text, format] : kFormats) {
        if (text == name) return format;
    }
    return std::nullopt;
}

std::string_view OutputFormatName(OutputFormat format)
{
    for (const auto& [text, value] : kFormats) {
        if (value == format) return text;
    }
    return "font";
}

std::optional<ColorSpace> ParseColorSpace(std::string_view name)
{
    for (const auto& [text, space] : kSpaces) {
        if (text == name) return space;
    }
    return std::nullopt;
}

std::string_view ColorSpaceName(ColorSpace space)
{
    for (const auto& [text, value] : kSpaces) {
        if (value == space) return text;
    }
    return "rgb";
}

bool FormatSupportsFit(OutputFormat format)
{
    return format != OutputFormat::Json && format != OutputFormat::Ansi;
}

std::optional<std::vector<Rgb>> ParseStopList(std::string_view text)
{
    std::vector<Rgb> stops;
    while (true) {
        const std::size_t comma = text.find(',');
        const auto color = StrictColor(text.substr(0, comma));
        if (!color) return std::nullopt;
        stops.push_back(*color);
        if (stops.size() > kMaxStops) return std::nullopt;
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    if (stops.size() < kMinStops) return std::nullopt;
    return stops;
}

std::vector<OmittedOption> OmittedOptions(const TagOptions& o, OutputFormat format)
{
    std::vector<OmittedOption> out;
    if (format == OutputFormat::Font) return out;
    const bool markupStyles = format != OutputFormat::Json;
    const bool html = format == OutputFormat::Span || format == OutputFormat::Css;
    const bool text = format == OutputFormat::BbCode || format == OutputFormat::Wiki ||
                      format == OutputFormat::Ansi;
    auto leaveOut = [&out](bool set, bool expressible, OmittedOption option) {
        if (set && !expressible) out.push_back(option);
    };
    // The face is not noted: it is always set (the window and kelvara-gen default to one), so a
    // note would come with every run of a format that has no syntax for it.
    leaveOut(SizeLeftOut(o, format), false, OmittedOption::Size);
    leaveOut(IsSet(o.h_BoldFlag), markupStyles, OmittedOption::Bold);
    leaveOut(IsSet(o.h_ItalicFlag), markupStyles, OmittedOption::Italic);
    leaveOut(IsSet(o.h_UnderFlag), markupStyles && format != OutputFormat::Mfm,
             OmittedOption::Underline);
    leaveOut(IsSet(o.h_NotFlag), markupStyles, OmittedOption::Strike);
    leaveOut(IsSet(o.h_SubFlag), html, OmittedOption::Subscript);
    leaveOut(IsSet(o.h_UpFlag), html, OmittedOption::Superscript);
    leaveOut(IsSet(o.h_Centerflag),
             html || (text && format != OutputFormat::Ansi) || format == OutputFormat::Mfm,
             OmittedOption::Center);
    leaveOut(IsSet(o.h_styleflag), html, OmittedOption::Vertical);
    // Terminals blink (SGR 5); HTML5 and the text markups have nothing for it.
    leaveOut(IsSet(o.h_BlinkFlag), format == OutputFormat::Ansi, OmittedOption::Blink);
    leaveOut(IsSet(o.h_marqueeFlag), false, OmittedOption::Marquee);
    return out;
}

std::string NoteText(OutputFormat format, OmittedOption option)
{
    std::string text(OptionName(option));
    text += " is left out: the ";
    text += OutputFormatName(format);
    text += " format cannot express it";
    if (option == OmittedOption::Size && format == OutputFormat::Css) {
        text =
            "the sizes that change from character to character are left out: the css format "
            "has one element for the whole text";
    }
    return text;
}

std::string FormatRatio(double ratio)
{
    const double hundredths = std::floor(ratio * 100.0 + 1e-9);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", hundredths / 100.0);
    return buffer;
}

}  // namespace kelvara::engine
