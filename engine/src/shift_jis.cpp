// SPDX-License-Identifier: MIT
// Shift-JIS conversion through ICU's Windows code page 932 table, so that every platform
// writes and reads the same bytes as a Japanese Windows system.
#include "kelvara/engine/shift_jis.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <stdexcept>

namespace kelvara::engine {
namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter OpenCodePage932()
{
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open("windows-932", &status));
    if (U_FAILURE(status) || !converter) {
        // Only a broken ICU installation gets here; nothing sensible can be written then.
        throw std::runtime_error("ICU has no converter for code page 932");
    }
    return converter;
}

// Every byte sequence that does not decode becomes exactly one U+FFFD. ICU's own substitute
// would give U+001A for some single bytes.
void ToUnicodeReplacement(const void* /*context*/, UConverterToUnicodeArgs* args,
                          const char* /*codeUnits*/, int32_t /*length*/,
                          UConverterCallbackReason reason, UErrorCode* status)
{
    if (reason > UCNV_IRREGULAR) {
        return;  // reset, close or clone: nothing to replace
    }
    *status = U_ZERO_ERROR;
    const UChar replacement = 0xFFFD;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, status);
}

// What a decoder without ICU's table can still tell: ASCII as it is, any other byte U+FFFD.
std::u16string DecodeAsciiOnly(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.push_back(byte < 0x80 ? static_cast<char16_t>(byte) : u'\uFFFD');
    }
    return text;
}

// ICU converts at most INT32_MAX bytes at a time; longer input goes in pieces cut between
// characters.
constexpr std::size_t kDecodePiece = std::size_t{1} << 30;

}  // namespace

std::string EncodeShiftJis(std::u16string_view text, Unmappable unmappable)
{
    if (text.empty()) {
        return {};
    }
    if (text.size() > static_cast<std::size_t>(INT32_MAX)) {
        throw std::length_error("text too long for Shift-JIS conversion");
    }
    Converter converter = OpenCodePage932();
    UErrorCode status = U_ZERO_ERROR;
    if (unmappable == Unmappable::DefaultChar) {
        // Windows' default character for code page 932; ICU's own is the double-byte FC FC.
        ucnv_setSubstChars(converter.get(), "?", 1, &status);
    } else {
        // Decimal references carry the whole code point, a surrogate pair as one number.
        ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_ESCAPE, UCNV_ESCAPE_XML_DEC,
                              nullptr, nullptr, &status);
    }
    if (U_FAILURE(status)) {
        throw std::runtime_error("cannot set up the Shift-JIS converter");
    }

    const auto* source = reinterpret_cast<const UChar*>(text.data());
    const auto sourceLength = static_cast<int32_t>(text.size());
    // Measure first: a reference such as "&#128512;" is far longer than any mapped character.
    const int32_t needed =
        ucnv_fromUChars(converter.get(), nullptr, 0, source, sourceLength, &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) {
        throw std::runtime_error("Shift-JIS conversion failed");
    }
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    status = U_ZERO_ERROR;
    ucnv_fromUChars(converter.get(), bytes.data(), needed, source, sourceLength, &status);
    if (U_FAILURE(status)) {
        throw std::runtime_error("Shift-JIS conversion failed");
    }
    return bytes;
}

std::u16string DecodeShiftJis(std::string_view bytes)
{
    if (bytes.empty()) {
        return {};
    }
    // Decoding never fails: without a usable converter the text still comes back, with
    // U+FFFD for what cannot be read.
    UErrorCode status = U_ZERO_ERROR;
    const Converter converter(ucnv_open("windows-932", &status));
    if (U_FAILURE(status) || !converter) return DecodeAsciiOnly(bytes);
    ucnv_setToUCallBack(converter.get(), ToUnicodeReplacement, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status)) return DecodeAsciiOnly(bytes);

    std::u16string text;
    std::u16string piece;
    while (!bytes.empty()) {
        std::string_view part = CutShiftJis(bytes, kDecodePiece);
        if (part.empty()) part = bytes.substr(0, 1);
        // Each byte gives at most one UTF-16 unit in this code page; one more for the
        // terminator.
        piece.assign(part.size() + 1, u'\0');
        status = U_ZERO_ERROR;
        const int32_t length =
            ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(piece.data()),
                          static_cast<int32_t>(piece.size()), part.data(),
                          static_cast<int32_t>(part.size()), &status);
        if (U_FAILURE(status)) {
            text += DecodeAsciiOnly(part);
        } else {
            text.append(piece, 0, static_cast<std::size_t>(length));
        }
        bytes.remove_prefix(part.size());
    }
    return text;
}

std::string_view CutShiftJis(std::string_view bytes, std::size_t maxBytes)
{
    const std::size_t limit = std::min(bytes.size(), maxBytes);
    // Walk from the start: a trail byte can hold a lead-byte value, so only the position of
    // each character tells whether the last byte begins one.
    std::size_t position = 0;
    while (position < limit) {
        const auto byte = static_cast<unsigned char>(bytes[position]);
        const bool pair = IsShiftJisLeadByte(byte) && position + 1 < bytes.size() &&
                          IsShiftJisTrailByte(static_cast<unsigned char>(bytes[position + 1]));
        if (!pair) {
            ++position;  // a single-byte character, or a stray byte that stays as it is
            continue;
        }
        if (position + 2 > limit) {
            return bytes.substr(0, position);  // the cut falls inside this character
        }
        position += 2;
    }
    return bytes.substr(0, limit);
}

}  // namespace kelvara::engine
