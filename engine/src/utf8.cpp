// SPDX-License-Identifier: MIT
// Whole texts between UTF-8 and UTF-16: strict and lenient decoding, encoding, cutting.
#include "kelvara/engine/utf8.h"

#include <array>

namespace kelvara::engine {

std::optional<std::u16string> FromUtf8(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const Utf8Sequence sequence = ReadUtf8(bytes.substr(i));
        if (sequence.kind != Utf8Sequence::Kind::Complete) return std::nullopt;
        AppendUtf16(out, sequence.codePoint);
        i += sequence.length;
    }
    return out;
}

std::u16string FromUtf8Lenient(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        // A sequence the bytes end inside is as bad as any other: its lead byte is replaced
        // and what follows is read again.
        const Utf8Sequence sequence = ReadUtf8(bytes.substr(i));
        if (sequence.kind != Utf8Sequence::Kind::Complete) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        AppendUtf16(out, sequence.codePoint);
        i += sequence.length;
    }
    return out;
}

std::string ToUtf8(std::u16string_view text, char32_t unpaired)
{
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (IsLeadSurrogate(cp) && i + 1 < text.size() && IsTrailSurrogate(text[i + 1])) {
            cp = CombineSurrogates(cp, text[i + 1]);
            ++i;
        } else if (IsSurrogate(cp)) {
            cp = unpaired;
        }
        std::array<char, 4> bytes{};
        out.append(bytes.data(), PutUtf8(bytes.data(), cp));
    }
    return out;
}

std::string_view CutUtf8(std::string_view bytes, std::size_t maxBytes)
{
    if (bytes.size() <= maxBytes) return bytes;
    std::size_t position = 0;
    while (position < maxBytes) {
        // A byte that begins no well-formed sequence counts as one character of its own.
        const Utf8Sequence sequence = ReadUtf8(bytes.substr(position));
        const std::size_t length =
            sequence.kind == Utf8Sequence::Kind::Complete ? sequence.length : 1;
        if (position + length > maxBytes) break;  // the cut falls inside this character
        position += length;
    }
    return bytes.substr(0, position);
}

}  // namespace kelvara::engine
