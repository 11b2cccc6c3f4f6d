// SPDX-License-Identifier: MIT
// UTF-8 <-> UTF-16 conversion with strict validation of the input side.
#include "utf8.h"

#include <algorithm>

namespace kelvara::cli {

Utf8Sequence DecodeUtf8(std::string_view bytes)
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
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
    return {Kind::Complete, cp, length};
}

std::optional<std::u16string> FromUtf8(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const Utf8Sequence sequence = DecodeUtf8(bytes.substr(i));
        if (sequence.kind != Utf8Sequence::Kind::Complete) return std::nullopt;
        char32_t cp = sequence.codePoint;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10U)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FFU)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += sequence.length;
    }
    return out;
}

std::string ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10U) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6U)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3FU)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12U)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6U) & 0x3FU)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3FU)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18U)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12U) & 0x3FU)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6U) & 0x3FU)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3FU)));
        }
    }
    return out;
}

}  // namespace kelvara::cli
