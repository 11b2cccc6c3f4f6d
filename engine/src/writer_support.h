// SPDX-License-Identifier: MIT
// Small pieces every output writer shares: decimal and hex numbers, code point counting, the
// wrapper options read from TagOptions, and HTML size keywords.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "kelvara/engine/characters.h"
#include "kelvara/engine/color.h"
#include "kelvara/engine/formats.h"
#include "kelvara/engine/tag_options.h"

namespace kelvara::engine::detail {

// What a writer may be made from.
struct WriterInput {
    const TagOptions& options;
    const CharacterText& text;
    const std::vector<Rgb>& gradientStops;  // evenly spaced, for a format of one gradient
};

// The writer of each format: a specialisation next to each writer, with
// `static Writer Make(const WriterInput&)`. A format row without one does not compile.
template <OutputFormat Format>
struct WriterFor;

// A short piece of text in an array of fixed size, copied whole as one block of known size
// (a few vector moves) rather than through a call to memcpy; the destination has room for
// the whole array.
struct ShortText {
    static constexpr std::size_t kCapacity = 24;

    ShortText() = default;
    // `front` followed by `back`, cut to the capacity.
    explicit ShortText(std::u16string_view front, std::u16string_view back = {})
    {
        size = front.copy(units.data(), kCapacity);
        size += back.copy(units.data() + size, kCapacity - size);
    }

    std::array<char16_t, kCapacity> units{};
    std::size_t size = 0;
};

inline char16_t* Put(char16_t* p, const ShortText& piece)
{
    std::memcpy(p, piece.units.data(), sizeof piece.units);
    return p + piece.size;
}

// A number's decimal digits at p (at most 20 and a sign); returns their end.
inline char16_t* PutDecimal(char16_t* p, long long value)
{
    unsigned long long magnitude = static_cast<unsigned long long>(value);
    if (value < 0) {
        *p++ = u'-';
        magnitude = 0ULL - magnitude;
    }
    if (magnitude < 100) {  // sizes: one or two digits, in narrow arithmetic
        const auto small = static_cast<unsigned>(magnitude);
        if (small >= 10) *p++ = static_cast<char16_t>(u'0' + small / 10);
        *p++ = static_cast<char16_t>(u'0' + small % 10);
        return p;
    }
    std::size_t digits = 3;
    for (unsigned long long rest = magnitude / 1000; rest != 0; rest /= 10) ++digits;
    char16_t* const end = p + digits;
    for (char16_t* digit = end; digit != p;) {
        *--digit = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    }
    return end;
}

inline void AppendDecimal(std::u16string& out, long long value)
{
    std::array<char16_t, 24> digits;  // written before it is read
    out.append(digits.data(),
               static_cast<std::size_t>(PutDecimal(digits.data(), value) - digits.data()));
}

// Copies `piece` to p and returns the position after it.
inline char16_t* Put(char16_t* p, std::u16string_view piece)
{
    return std::copy(piece.begin(), piece.end(), p);
}

// The six hex digits RRGGBB into `digits`, two at a time from a table of every byte.
inline void PutHexColor(char16_t* digits, const Rgb& color)
{
    static constexpr auto kPairs = [] {
        constexpr std::u16string_view kDigits = u"0123456789ABCDEF";
        std::array<std::array<char16_t, 2>, 256> pairs{};
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            pairs[i] = {kDigits[i >> 4U], kDigits[i & 0xFU]};
        }
        return pairs;
    }();
    std::memcpy(digits, kPairs[static_cast<std::uint8_t>(color.red)].data(), 4);
    std::memcpy(digits + 2, kPairs[static_cast<std::uint8_t>(color.green)].data(), 4);
    std::memcpy(digits + 4, kPairs[static_cast<std::uint8_t>(color.blue)].data(), 4);
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

// Terminal output: control characters other than tab and line feed would act on the
// terminal; they are shown as their control pictures (C1 controls as U+FFFD).
void AppendTerminalSafe(std::u16string& out, std::u16string_view text);

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

// The number, counted from 1, of the character of `text` that holds code unit `offset`.
std::size_t CharacterNumberAt(const CharacterText& text, std::size_t offset);

// Base of the writers whose opening does not depend on how the characters are grouped.
class PlainWriter {
public:
    void UseRunColors(const std::vector<Rgb>& /*colors*/) {}
};

}  // namespace kelvara::engine::detail
