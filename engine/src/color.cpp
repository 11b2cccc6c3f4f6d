// SPDX-License-Identifier: MIT
// Colour notation: reading RRGGBB texts leniently and writing components as hex.
#include "kelvara/engine/color.h"

namespace kelvara::engine {
namespace {

template <class Char>
int HexDigit(Char c)
{
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// A pair read as hex as far as it goes: "7G" is 7, "GG" and "" are 0.
int ReadPair(std::u16string_view pair)
{
    int value = 0;
    for (char16_t c : pair) {
        const int digit = HexDigit(c);
        if (digit < 0) break;
        value = value * 16 + digit;
    }
    return value;
}

std::u16string_view Slice(std::u16string_view text, std::size_t start, std::size_t length)
{
    if (start >= text.size()) return {};
    return text.substr(start, length);
}

template <class Char>
std::optional<Rgb> StrictColor(std::basic_string_view<Char> text)
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

}  // namespace

std::optional<Rgb> ReadStrictColor(std::string_view text) { return StrictColor(text); }
std::optional<Rgb> ReadStrictColor(std::u16string_view text) { return StrictColor(text); }

Rgb ReadColorText(std::u16string_view text)
{
    const std::size_t blueStart = text.size() >= 2 ? text.size() - 2 : 0;
    return Rgb{ReadPair(Slice(text, 0, 2)), ReadPair(Slice(text, 2, 2)),
               ReadPair(Slice(text, blueStart, 2))};
}

std::uint32_t HexToColor(std::u16string_view text)
{
    const Rgb rgb = ReadColorText(text);
    return static_cast<std::uint32_t>(rgb.red) + 256U * static_cast<std::uint32_t>(rgb.green) +
           65536U * static_cast<std::uint32_t>(rgb.blue);
}

std::u16string FormatComponent(int value)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    const auto v = static_cast<unsigned>(value) & 0xFFU;
    return {kDigits[v >> 4U], kDigits[v & 0xFU]};
}

std::u16string ComposeColorText(int red, int green, int blue)
{
    return FormatComponent(red) + FormatComponent(green) + FormatComponent(blue);
}

std::u16string HtmlColor(const Rgb& rgb)
{
    return u"#" + ComposeColorText(rgb.red, rgb.green, rgb.blue);
}

}  // namespace kelvara::engine
