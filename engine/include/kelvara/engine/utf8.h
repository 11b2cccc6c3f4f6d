// SPDX-License-Identifier: MIT
// The program's one UTF-8 codec: single sequences read and written in place, and whole texts
// converted to and from UTF-16.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelvara::engine {

// Begins a text file that an editor saved as UTF-8 with a byte-order mark.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

constexpr bool IsLeadSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsTrailSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
constexpr bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The code point of a lead surrogate followed by a trail surrogate.
constexpr char32_t CombineSurrogates(char32_t lead, char32_t trail)
{
    return 0x10000 + ((lead - 0xD800) << 10U) + (trail - 0xDC00);
}

// Appends a code point as one UTF-16 unit, or two beyond U+FFFF.
inline void AppendUtf16(std::u16string& text, char32_t cp)
{
    if (cp >= 0x10000) {
        text.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10U)));
        text.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FFU)));
    } else {
        text.push_back(static_cast<char16_t>(cp));
    }
}

// Writes a code point from U+0800 to U+FFFF (not a surrogate), the common form of kana and
// kanji, as three bytes at p; returns the end.
constexpr char* PutUtf8ThreeByteForm(char* p, char32_t cp)
{
    p[0] = static_cast<char>(0xE0 | (cp >> 12U));
    p[1] = static_cast<char>(0x80 | ((cp >> 6U) & 0x3FU));
    p[2] = static_cast<char>(0x80 | (cp & 0x3FU));
    return p + 3;
}

// Writes the code point (not a surrogate) as one to four bytes at p; returns the end.
constexpr char* PutUtf8(char* p, char32_t cp)
{
    if (cp < 0x80) {
        *p++ = static_cast<char>(cp);
    } else if (cp < 0x800) {
        *p++ = static_cast<char>(0xC0 | (cp >> 6U));
        *p++ = static_cast<char>(0x80 | (cp & 0x3FU));
    } else if (cp < 0x10000) {
        p = PutUtf8ThreeByteForm(p, cp);
    } else {
        *p++ = static_cast<char>(0xF0 | (cp >> 18U));
        *p++ = static_cast<char>(0x80 | ((cp >> 12U) & 0x3FU));
        *p++ = static_cast<char>(0x80 | ((cp >> 6U) & 0x3FU));
        *p++ = static_cast<char>(0x80 | (cp & 0x3FU));
    }
    return p;
}

// One UTF-8 sequence read from the front of some bytes.
struct Utf8Sequence {
    enum class Kind { Complete, Incomplete, Invalid };
    Kind kind = Kind::Invalid;
    char32_t codePoint = 0;  // when Complete
    std::size_t length = 0;  // bytes used, when Complete
};

// Reads the sequence at the front of non-empty bytes. Incomplete: a valid start that the
// bytes end in the middle of (more bytes may complete it). Overlong forms, surrogates and
// values beyond U+10FFFF are invalid.
constexpr Utf8Sequence ReadUtf8(std::string_view bytes)
{
    using Kind = Utf8Sequence::Kind;
    const auto b0 = static_cast<unsigned char>(bytes[0]);
    char32_t cp = 0;
    std::size_t length = 0;
    if (b0 < 0x80) {
        return {Kind::Complete, b0, 1};
    }
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        cp = b0 & 0x1FU;
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        cp = b0 & 0x0FU;
        length = 3;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        cp = b0 & 0x07U;
        length = 4;
    } else {
        return {};
    }
    const std::size_t present = std::min(length, bytes.size());
    for (std::size_t k = 1; k < present; ++k) {
        const auto b = static_cast<unsigned char>(bytes[k]);
        if ((b & 0xC0U) != 0x80U) return {};
        cp = (cp << 6U) | (b & 0x3FU);
    }
    if (present < length) return {Kind::Incomplete, 0, 0};
    const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || IsSurrogate(cp)) return {};
    return {Kind::Complete, cp, length};
}

// The common three-byte form (kana, kanji) at bytes[i], read without the general checks: a
// lead byte E1..EF other than ED (E0 may be overlong, ED a surrogate) and two continuation
// bytes. False when bytes[i] does not begin one; cp is then left alone.
constexpr bool ReadUtf8ThreeByteForm(std::string_view bytes, std::size_t i, char32_t& cp)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0xE1 || lead > 0xEF || lead == 0xED || i + 2 >= bytes.size()) return false;
    const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    const auto b2 = static_cast<unsigned char>(bytes[i + 2]);
    if ((b1 & 0xC0U) != 0x80U || (b2 & 0xC0U) != 0x80U) return false;
    cp = ((lead & 0x0FU) << 12U) | ((b1 & 0x3FU) << 6U) | (b2 & 0x3FU);
    return true;
}

// No value for malformed UTF-8 (overlong forms, surrogates, truncated sequences included).
std::optional<std::u16string> FromUtf8(std::string_view bytes);
// Every byte that does not begin a well-formed sequence becomes U+FFFD; never fails.
std::u16string FromUtf8Lenient(std::string_view bytes);
// An unpaired surrogate, which UTF-8 cannot hold, becomes `unpaired`.
std::string ToUtf8(std::u16string_view text, char32_t unpaired = U'\uFFFD');
// The first at most maxBytes bytes; a character the cut would split is dropped whole.
std::string_view CutUtf8(std::string_view bytes, std::size_t maxBytes);

}  // namespace kelvara::engine
