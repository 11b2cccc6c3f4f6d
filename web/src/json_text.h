// SPDX-License-Identifier: MIT
// The little JSON the module hands to the page: strings escaped, numbers and lists written out.
#pragma once

#include <string>
#include <string_view>

namespace kelvara::web {

// A JSON string of UTF-8 text (or of UTF-16 text, converted), quotes included.
std::string JsonString(std::string_view utf8);
std::string JsonString(std::u16string_view text);

// "name":value, with a comma before it unless it opens the object.
class JsonObject {
public:
    JsonObject& Raw(std::string_view name, std::string_view json);
    JsonObject& Text(std::string_view name, std::string_view utf8);
    JsonObject& Text(std::string_view name, std::u16string_view text);
    JsonObject& Number(std::string_view name, long long value);
    JsonObject& Flag(std::string_view name, bool value);
    [[nodiscard]] std::string Close() const { return m_json + '}'; }

private:
    std::string m_json = "{";
};

// [a,b,c] from JSON values.
template <class Range, class Each>
std::string JsonArray(const Range& range, Each each)
{
    std::string json = "[";
    for (const auto& item : range) {
        if (json.size() > 1) json += ',';
        json += each(item);
    }
    return json + ']';
}

}  // namespace kelvara::web
