// Small pieces every output writer shares: decimal and hex numbers, code point counting, the
// wrapper options read from TagOptions, and HTML size keywords.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "kelvara/engine/color.h"
#include "kelvara/engine/tag_options.h"

namespace kelvara::engine::detail {

inline void AppendDecimal(std::u16string& out, long long value)
{
    char16_t digits[24];
    std::size_t n = sizeof digits / sizeof digits[0];
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    do {
        digits[--n] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) digits[--n] = u'-';
    out.append(digits + n, sizeof digits / sizeof digits[0] - n);
}

// The six hex digits RRGGBB into `digits`.
inline void PutHexColor(char16_t* digits, const Rgb& color)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    const int components[3] = {color.red, color.green, color.blue};
    for (std::size_t i = 0; i < 3; ++i) {
        digits[2 * i] = kDigits[(components[i] >> 4) & 0xF];
        digits[2 * i + 1] = kDigits[components[i] & 0xF];
    }
}

// "#RRGGBB", appended at once (one append is much cheaper than seven single characters).
inline void AppendHexColor(std::u16string& out, const Rgb& color)
{
    char16_t text[7];
    text[0] = u'#';
    PutHexColor(text + 1, color);
    out.append(text, 7);
}

// Code points: a surrogate pair counts once, anything else (a lone surrogate too) once a unit.
std::size_t CodePoints(std::u16string_view text);

// &, <, >, " as entity references.
void AppendHtmlEscaped(std::u16string& out, std::u16string_view text);

// HTML size 1..7 (clamped) as its CSS keyword, x-small up to xxx-large.
std::u16string_view SizeKeyword(long long htmlSize);
long long ClampHtmlSize(long long htmlSize);

// The wrapper options, read once.
struct Wrapping {
    explicit Wrapping(const TagOptions& o);

    bool center;
    bool bold;
    bool italic;
    bool underline;
    bool strike;
    bool sub;
    bool sup;
    bool vertical;
    bool blink;
    bool marquee;
    int fontflag;
    long long baseSize;  // h_NFontSize, used in font mode 0
    std::u16string_view face;
};

// Base of the writers whose opening does not depend on how the characters are grouped.
class PlainWriter {
public:
    void UseRunColors(const std::vector<Rgb>& /*colors*/) {}
};

}  // namespace kelvara::engine::detail
