// SPDX-License-Identifier: MIT
// The output formats and colour spaces, one table row each: names, captions, what a format can
// express. Everything else about a format (parsing its name, the notes on options it leaves
// out, the window's list and preview, kelvara-gen's help) is derived from these rows; its
// writer is found from its enum value at compile time.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "kelvara/engine/color.h"
#include "kelvara/engine/color_space.h"

namespace kelvara::engine {

enum class OutputFormat {
    Font,
    Span,
    Css,
    BbCode,
    Wiki,
    Ansi,
    Json,
    Mfm,
    MiniMessage,
    Latex,
    Discord,
    Wikidot,
    AmpHex,
};

// How a place counts the length of a text: in code points, or in UTF-16 code units as Java
// and JavaScript count (a character outside the BMP, such as most emoji, counts 2).
enum class LengthUnit { CodePoints, Utf16Units };

// The eight text colours Discord draws in an ansi code block, for the codes 30 to 37: gray,
// red, green, yellow, blue, pink, cyan, white.
inline constexpr std::array<Rgb, 8> kDiscordColors{{
    {0x4F, 0x54, 0x5C},
    {0xDC, 0x32, 0x2F},
    {0x85, 0x99, 0x00},
    {0xB5, 0x89, 0x00},
    {0x26, 0x8B, 0xD2},
    {0xD3, 0x36, 0x82},
    {0x2A, 0xA1, 0x98},
    {0xFF, 0xFF, 0xFF},
}};

// Options a format may have no syntax for; they are left out of its output.
enum class OmittedOption {
    Face,
    Size,
    Bold,
    Italic,
    Underline,
    Strike,
    Subscript,
    Superscript,
    Center,
    Vertical,
    Blink,
    Marquee,
};

// A set of OmittedOption values.
class OptionSet {
public:
    constexpr OptionSet() = default;
    template <class... Options>
    constexpr explicit OptionSet(Options... options) : m_bits((Bit(options) | ... | 0U))
    {
    }
    [[nodiscard]] constexpr bool Has(OmittedOption option) const
    {
        return (m_bits & Bit(option)) != 0;
    }
    [[nodiscard]] constexpr OptionSet With(OptionSet other) const
    {
        OptionSet both;
        both.m_bits = m_bits | other.m_bits;
        return both;
    }
    [[nodiscard]] constexpr OptionSet Without(OmittedOption option) const
    {
        OptionSet rest;
        rest.m_bits = m_bits & ~Bit(option);
        return rest;
    }

private:
    static constexpr std::uint32_t Bit(OmittedOption option)
    {
        return 1U << static_cast<unsigned>(option);
    }
    std::uint32_t m_bits = 0;
};

// Where the window's preview shows a format.
enum class Preview {
    Direct,   // a browser renders the output itself
    AsSpans,  // the equivalent HTML5 spans, with the format named in the status line
};

struct FormatRow {
    OutputFormat format;
    std::string_view name;      // --format and Lum.ini
    std::string_view caption;   // UTF-8, the window's list; empty: kelvara-gen only
    std::string_view helpNote;  // after the name in kelvara-gen's help, "" for none
    Preview preview;
    // Groups characters into runs to meet a length limit.
    bool fits;
    // One element filled with a gradient through sampled stops, not one colour per character.
    bool oneGradient;
    // Sizes: the base HTML size of font mode 0, HTML sizes (modes 1, 2), pixel sizes (3, 4).
    bool baseSize;
    bool htmlSizes;
    bool pixelSizes;
    // Wrappers and other options it writes; the face is always written or silently left out.
    OptionSet expresses;
    // Replaces the usual note when sizes that change are left out; "" for the usual note.
    std::string_view sizeNote;
    // The only colours it can show, each character taking the nearest in OKLab; empty: any.
    std::span<const Rgb> palette{};
    // Bold and italic cannot be shown together: with both set, italic is left out.
    bool boldHidesItalic = false;
};

namespace formats_detail {
using enum OmittedOption;
inline constexpr OptionSet kStyles{Bold, Italic, Underline, Strike};
inline constexpr OptionSet kHtml =
    kStyles.With(OptionSet{Subscript, Superscript, Center, Vertical});
inline constexpr OptionSet kEverything = kHtml.With(OptionSet{Blink, Marquee});
inline constexpr std::span<const Rgb> kAnyColor{};
}  // namespace formats_detail

// In the order of the window's list and of kelvara-gen's help; the first is the classic one.
inline constexpr std::array<FormatRow, 13> kFormats{{
    {OutputFormat::Font, "font", "FONT ﾀｸﾞ", "FONT tags", Preview::Direct, true, false, true, true,
     true, formats_detail::kEverything, ""},
    {OutputFormat::Span, "span", "HTML5 span", "", Preview::Direct, true, false, true, true, true,
     formats_detail::kHtml, ""},
    {OutputFormat::Css, "css", "CSS ｸﾞﾗﾃﾞｰｼｮﾝ", "", Preview::Direct, true, true, true, false, false,
     formats_detail::kHtml,
     "the sizes that change from character to character are left out: the css format has one "
     "element for the whole text"},
    {OutputFormat::BbCode, "bbcode", "BBCode", "", Preview::AsSpans, true, false, true, true, false,
     formats_detail::kStyles.With(OptionSet{OmittedOption::Center}), ""},
    {OutputFormat::Wiki, "wiki", "Wiki", "", Preview::AsSpans, true, false, false, false, true,
     formats_detail::kStyles.With(OptionSet{OmittedOption::Center}), ""},
    {OutputFormat::Ansi, "ansi", "", "", Preview::Direct, false, false, false, false, false,
     formats_detail::kStyles.With(OptionSet{OmittedOption::Blink}), ""},
    {OutputFormat::Json, "json", "JSON", "", Preview::AsSpans, false, false, false, true, true,
     OptionSet{}, ""},
    {OutputFormat::Mfm, "mfm", "Misskey MFM", "Misskey", Preview::AsSpans, true, false, false,
     false, false,
     OptionSet{OmittedOption::Bold, OmittedOption::Italic, OmittedOption::Strike,
               OmittedOption::Center},
     ""},
    {OutputFormat::MiniMessage, "minimessage", "MiniMessage", "Minecraft", Preview::AsSpans, true,
     false, false, false, false, formats_detail::kStyles, ""},
    {OutputFormat::Latex, "latex", "LaTeX (GitHub・Zenn)", "GitHub, Zenn", Preview::AsSpans, true,
     false, false, false, false, OptionSet{OmittedOption::Bold, OmittedOption::Italic}, "",
     formats_detail::kAnyColor, true},
    {OutputFormat::Discord, "discord", "Discord", "", Preview::AsSpans, true, false, false, false,
     false, OptionSet{OmittedOption::Bold, OmittedOption::Underline}, "", kDiscordColors},
    {OutputFormat::Wikidot, "wikidot", "Wikidot", "", Preview::AsSpans, true, false, false, false,
     false, formats_detail::kStyles, ""},
    {OutputFormat::AmpHex, "amp-hex", "Minecraft &#RRGGBB", "Minecraft chat plug-ins",
     Preview::AsSpans, true, false, false, false, false, formats_detail::kStyles, ""},
}};
// A row left out of the array's count would be an empty one.
static_assert([] {
    for (const FormatRow& row : kFormats) {
        if (row.name.empty()) return false;
    }
    return true;
}());

struct ColorSpaceRow {
    ColorSpace space;
    std::string_view name;     // --space and Lum.ini
    std::string_view caption;  // the window's list
};

inline constexpr std::array<ColorSpaceRow, 3> kColorSpaces{{
    {ColorSpace::Rgb, "rgb", "RGB"},
    {ColorSpace::OkLab, "oklab", "OKLab"},
    {ColorSpace::OkLch, "oklch", "OKLCH"},
}};

// The row of a format or space (every enum value has one).
constexpr const FormatRow& RowOf(OutputFormat format)
{
    for (const FormatRow& row : kFormats) {
        if (row.format == format) return row;
    }
    return kFormats.front();
}
constexpr const ColorSpaceRow& RowOf(ColorSpace space)
{
    for (const ColorSpaceRow& row : kColorSpaces) {
        if (row.space == space) return row;
    }
    return kColorSpaces.front();
}

// Whether the window offers the format (it has a caption).
constexpr bool InWindow(const FormatRow& row) { return !row.caption.empty(); }

// Names as typed on the command line, exactly.
std::optional<OutputFormat> ParseOutputFormat(std::string_view name);
std::string_view OutputFormatName(OutputFormat format);
std::optional<ColorSpace> ParseColorSpace(std::string_view name);
std::string_view ColorSpaceName(ColorSpace space);

bool FormatSupportsFit(OutputFormat format);

// "font, span, css or json": the names of the rows that pass `keep`, for help and messages.
template <class Rows, class Keep>
std::string NameList(const Rows& rows, Keep keep, std::string_view last = " or ")
{
    std::string list;
    std::size_t count = 0;
    for (const auto& row : rows) count += keep(row) ? 1 : 0;
    std::size_t written = 0;
    for (const auto& row : rows) {
        if (!keep(row)) continue;
        if (written > 0) list += written + 1 == count ? last : std::string_view(", ");
        list += row.name;
        ++written;
    }
    return list;
}

}  // namespace kelvara::engine
