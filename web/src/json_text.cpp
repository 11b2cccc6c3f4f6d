// SPDX-License-Identifier: MIT
// Writing the module's JSON.
#include "json_text.h"

#include <array>

#include "kelvara/engine/utf8.h"

namespace kelvara::web {

std::string JsonString(std::string_view utf8)
{
    constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                           '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string json = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            json += "\\u00";
            json += kHex[byte >> 4U];
            json += kHex[byte & 0xFU];
        } else {
            json += c;
        }
    }
    return json + '"';
}

std::string JsonString(std::u16string_view text) { return JsonString(engine::ToUtf8(text)); }

JsonObject& JsonObject::Raw(std::string_view name, std::string_view json)
{
    if (m_json.size() > 1) m_json += ',';
    m_json += JsonString(name);
    m_json += ':';
    m_json += json;
    return *this;
}

JsonObject& JsonObject::Text(std::string_view name, std::string_view utf8)
{
    return Raw(name, JsonString(utf8));
}

JsonObject& JsonObject::Text(std::string_view name, std::u16string_view text)
{
    return Raw(name, JsonString(text));
}

JsonObject& JsonObject::Number(std::string_view name, long long value)
{
    return Raw(name, std::to_string(value));
}

JsonObject& JsonObject::Flag(std::string_view name, bool value)
{
    return Raw(name, value ? "true" : "false");
}

}  // namespace kelvara::web
