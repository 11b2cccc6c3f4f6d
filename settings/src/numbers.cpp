// SPDX-License-Identifier: MIT
// How the settings file writes and reads numbers: signed decimal with a blank for the sign,
// a lenient reader that takes what it can, and a strict one for fields the user types.
#include "kelvara/settings/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace kelvara::settings {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsLenientBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n'; }

bool IsStrictBlank(char16_t c) { return c == u' ' || c == u'\t'; }

char16_t Upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

// A decimal number already checked to be "[-]digits[.digits][e[+-]digits]" in ASCII.
// from_chars does not depend on the C locale, which a GUI program may have changed.
double DecimalValue(const std::string& number)
{
    double value = 0.0;
    const char* first = number.data();
    const char* last = first + number.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc::result_out_of_range) {
        return value;
    }
    // Too large or too small for a double: tell which from the decimal order of magnitude.
    const bool negative = number.front() == '-';
    long long order = 0;
    bool leading = true;
    bool afterPoint = false;
    std::size_t i = negative ? 1 : 0;
    for (; i < number.size() && number[i] != 'e'; ++i) {
        if (number[i] == '.') {
            afterPoint = true;
        } else if (leading && number[i] == '0') {
            if (afterPoint) {
                --order;
            }
        } else {
            leading = false;
            if (!afterPoint) {
                ++order;
            }
        }
    }
    if (i < number.size()) {
        long long exponent = 0;
        bool exponentNegative = false;
        for (++i; i < number.size(); ++i) {
            if (number[i] == '-') {
                exponentNegative = true;
            } else if (number[i] != '+' && exponent < 1'000'000'000) {
                exponent = exponent * 10 + (number[i] - '0');
            }
        }
        order += exponentNegative ? -exponent : exponent;
    }
    if (order <= 0) {
        return negative ? -0.0 : 0.0;
    }
    const double infinity = std::numeric_limits<double>::infinity();
    return negative ? -infinity : infinity;
}

// "&H..." or "&O..." after the prefix: the digits as far as they go, the low 32 bits kept.
double PrefixedValue(std::u16string_view text, std::size_t position, unsigned base)
{
    std::uint32_t value = 0;
    for (; position < text.size(); ++position) {
        const char16_t c = Upper(text[position]);
        if (IsLenientBlank(c)) {
            continue;
        }
        unsigned digit = 0;
        if (IsDigit(c)) {
            digit = static_cast<unsigned>(c - u'0');
        } else if (base == 16 && c >= u'A' && c <= u'F') {
            digit = static_cast<unsigned>(c - u'A' + 10);
        } else {
            break;
        }
        if (digit >= base) {
            break;
        }
        value = value * base + digit;  // unsigned: wraps, keeping the low 32 bits
    }
    // Up to four hex digits' worth is a 16-bit number: "&HFFFF" is -1, "&H10000" is 65536.
    if (value <= 0xFFFF) {
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::u16string FormatSigned(int value)
{
    const std::string digits = std::to_string(value);
    std::u16string text = value < 0 ? u"" : u" ";
    text.append(digits.begin(), digits.end());
    return text;
}

double ParseLenient(std::u16string_view text)
{
    std::size_t position = 0;
    // The next character that is not a blank, tab or line feed, or 0 at the end.
    auto peek = [&]() -> char16_t {
        while (position < text.size() && IsLenientBlank(text[position])) {
            ++position;
        }
        return position < text.size() ? text[position] : u'\0';
    };

    if (peek() == u'&') {
        ++position;
        const char16_t kind = Upper(peek());
        if (kind == u'H' || kind == u'O') {
            return PrefixedValue(text, position + 1, kind == u'H' ? 16 : 8);
        }
        return 0.0;
    }

    std::string number;
    if (const char16_t sign = peek(); sign == u'+' || sign == u'-') {
        if (sign == u'-') {
            number.push_back('-');
        }
        ++position;
    }
    bool digits = false;
    bool point = false;
    for (char16_t c = peek(); IsDigit(c) || (c == u'.' && !point); c = peek()) {
        if (c == u'.') {
            point = true;
        } else {
            digits = true;
        }
        number.push_back(static_cast<char>(c));
        ++position;
    }
    if (!digits) {
        return 0.0;
    }
    // An exponent counts only when digits follow its letter (and sign): "1E" is 1.
    if (const char16_t letter = Upper(peek()); letter == u'E' || letter == u'D') {
        const std::size_t afterNumber = position;
        ++position;
        std::string exponent = "e";
        if (const char16_t sign = peek(); sign == u'+' || sign == u'-') {
            exponent.push_back(static_cast<char>(sign));
            ++position;
        }
        bool exponentDigits = false;
        for (char16_t c = peek(); IsDigit(c); c = peek()) {
            exponent.push_back(static_cast<char>(c));
            exponentDigits = true;
            ++position;
        }
        if (exponentDigits) {
            number += exponent;
        } else {
            position = afterNumber;
        }
    }
    return DecimalValue(number);
}

std::int16_t RoundToInt16(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    if (value <= -32768.0) {
        return std::numeric_limits<std::int16_t>::min();
    }
    if (value >= 32767.0) {
        return std::numeric_limits<std::int16_t>::max();
    }
    // Ties go to the even neighbour: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2.
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        rounded = below + 1.0;
    }
    return static_cast<std::int16_t>(rounded);
}

std::optional<double> StrictNumber(std::u16string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsStrictBlank(text[first])) {
        ++first;
    }
    while (last > first && IsStrictBlank(text[last - 1])) {
        --last;
    }
    std::u16string_view body = text.substr(first, last - first);

    std::string number;
    if (!body.empty() && (body.front() == u'+' || body.front() == u'-')) {
        if (body.front() == u'-') {
            number.push_back('-');
        }
        body.remove_prefix(1);
    }
    bool digits = false;
    bool point = false;
    for (const char16_t c : body) {
        if (IsDigit(c)) {
            digits = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
        number.push_back(static_cast<char>(c));
    }
    if (!digits) {
        return std::nullopt;
    }
    return DecimalValue(number);
}

std::optional<std::int16_t> StrictInteger(std::u16string_view text)
{
    const std::optional<double> number = StrictNumber(text);
    if (!number) {
        return std::nullopt;
    }
    return RoundToInt16(*number);
}

}  // namespace kelvara::settings
