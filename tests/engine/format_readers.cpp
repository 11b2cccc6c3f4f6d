// SPDX-License-Identifier: MIT
// Test-side readers of the generated formats (see format_readers.h).
#include "format_readers.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <ostream>

#include "kelvara/engine/utf8.h"

namespace kelvara::engine::testing {
namespace {

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

std::u16string LowerText(std::u16string_view text)
{
    std::u16string out;
    for (const char16_t c : text) out.push_back(Lower(c));
    return out;
}

void AppendCodePoint(std::u16string& out, unsigned long value)
{
    if (value >= 0x10000) {
        value -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(value));
    }
}

// "&name;" or "&#NN;" / "&#xHH;" at text[at]: appends the character and returns the length,
// or 0 when nothing known starts there.
std::size_t DecodeReference(std::u16string_view text, std::size_t at, std::u16string& out)
{
    static const std::map<std::u16string, char16_t> kNames = {
        {u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}};
    const std::size_t semicolon = text.find(u';', at);
    if (text[at] != u'&' || semicolon == std::u16string_view::npos || semicolon - at > 10) {
        return 0;
    }
    const std::u16string_view body = text.substr(at + 1, semicolon - at - 1);
    if (body.size() > 1 && body[0] == u'#') {
        const bool hex = body[1] == u'x' || body[1] == u'X';
        unsigned long value = 0;
        for (std::size_t i = hex ? 2 : 1; i < body.size(); ++i) {
            const char16_t c = body[i];
            int digit = -1;
            if (c >= u'0' && c <= u'9') digit = c - u'0';
            if (hex && c >= u'a' && c <= u'f') digit = c - u'a' + 10;
            if (hex && c >= u'A' && c <= u'F') digit = c - u'A' + 10;
            if (digit < 0) return 0;
            value = value * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
        }
        AppendCodePoint(out, value);
        return semicolon - at + 1;
    }
    const auto found = kNames.find(std::u16string(body));
    if (found == kNames.end()) return 0;
    out.push_back(found->second);
    return semicolon - at + 1;
}

std::u16string DecodeHtml(std::u16string_view text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t used = text[i] == u'&' ? DecodeReference(text, i, out) : 0;
        if (used > 0) {
            i += used;
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

struct Element {
    std::u16string name;
    std::map<std::u16string, std::u16string> attributes;
};

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// Parses the tag starting after '<' at text[at]; returns the index after '>'.
std::size_t ReadTag(std::u16string_view text, std::size_t at, Element& element, bool& end)
{
    end = text[at] == u'/';
    if (end) ++at;
    const std::size_t nameStart = at;
    while (at < text.size() && !IsSpace(text[at]) && text[at] != u'>' && text[at] != u'/') ++at;
    element.name = LowerText(text.substr(nameStart, at - nameStart));
    while (at < text.size() && text[at] != u'>') {
        if (IsSpace(text[at]) || text[at] == u'/') {
            ++at;
            continue;
        }
        const std::size_t keyStart = at;
        while (at < text.size() && !IsSpace(text[at]) && text[at] != u'=' && text[at] != u'>') ++at;
        const std::u16string key = LowerText(text.substr(keyStart, at - keyStart));
        std::u16string value;
        if (at < text.size() && text[at] == u'=') {
            ++at;
            if (text[at] == u'"' || text[at] == u'\'') {
                const char16_t quote = text[at++];
                const std::size_t close = text.find(quote, at);
                value = DecodeHtml(text.substr(at, close - at));
                at = close + 1;
            } else {
                const std::size_t valueStart = at;
                while (at < text.size() && !IsSpace(text[at]) && text[at] != u'>') ++at;
                value = DecodeHtml(text.substr(valueStart, at - valueStart));
            }
        }
        element.attributes[key] = value;
    }
    return at + 1;
}

bool IsVoid(const std::u16string& name) { return name == u"br"; }

}  // namespace

std::u16string CssProperty(std::u16string_view style, std::u16string_view property)
{
    std::size_t at = 0;
    while (at < style.size()) {
        std::size_t end = at;
        int depth = 0;  // semicolons inside parentheses or quotes do not end a declaration
        bool quoted = false;
        while (end < style.size() && (style[end] != u';' || depth > 0 || quoted)) {
            if (style[end] == u'\\') {  // an escaped character
                end += 2;
                continue;
            }
            if (style[end] == u'\'') quoted = !quoted;
            if (style[end] == u'(') ++depth;
            if (style[end] == u')') --depth;
            ++end;
        }
        const std::u16string_view declaration = style.substr(at, end - at);
        const std::size_t colon = declaration.find(u':');
        if (colon != std::u16string_view::npos && declaration.substr(0, colon) == property) {
            return std::u16string(declaration.substr(colon + 1));
        }
        at = end + 1;
    }
    return {};
}

void PrintTo(const ColoredText& unit, std::ostream* out)
{
    *out << '"' << ToUtf8(unit.text) << "\" " << ToUtf8(unit.color) << ' ' << ToUtf8(unit.sizeText);
}

HtmlReading ReadHtml(std::u16string_view html)
{
    HtmlReading reading;
    std::vector<Element> stack;
    std::size_t at = 0;
    while (at < html.size()) {
        if (html[at] == u'<') {
            Element element;
            bool end = false;
            at = ReadTag(html, at + 1, element, end);
            if (end) {
                if (stack.empty() || stack.back().name != element.name) {
                    reading.wellFormed = false;
                } else {
                    stack.pop_back();
                }
            } else {
                reading.elements.push_back(element.name);
                reading.styles.push_back(element.attributes[u"style"]);
                if (!IsVoid(element.name)) stack.push_back(std::move(element));
            }
            continue;
        }
        const std::size_t next = std::min(html.find(u'<', at), html.size());
        const std::u16string text = DecodeHtml(html.substr(at, next - at));
        at = next;
        ColoredText piece{text, {}, std::nullopt, {}};
        bool shown = true;
        bool spoken = true;
        for (const Element& e : stack) {
            const auto style = e.attributes.find(u"style");
            const std::u16string css = style == e.attributes.end() ? u"" : style->second;
            if (css.find(u"position:absolute") != std::u16string::npos &&
                css.find(u"clip:") != std::u16string::npos) {
                shown = false;
            }
            const auto hidden = e.attributes.find(u"aria-hidden");
            if (hidden != e.attributes.end() && hidden->second == u"true") spoken = false;
            if (auto color = CssProperty(css, u"color"); !color.empty()) piece.color = color;
            if (auto c = e.attributes.find(u"color"); c != e.attributes.end()) {
                piece.color = c->second;
            }
            if (auto size = CssProperty(css, u"font-size"); !size.empty()) piece.sizeText = size;
            if (auto z = e.attributes.find(u"size"); z != e.attributes.end()) {
                piece.sizeText = z->second;
            }
        }
        if (shown) {
            reading.shown += text;
            reading.visible.push_back(piece);
        }
        if (spoken) reading.spoken += text;
    }
    if (!stack.empty()) reading.wellFormed = false;
    return reading;
}

std::vector<ColoredText> ReadBbCode(std::u16string_view text, std::vector<std::u16string>* tags)
{
    std::vector<ColoredText> units;
    std::vector<long long> sizes;
    ColoredText current;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == u'[') {
            const std::size_t close = text.find(u']', at);
            const std::u16string tag(text.substr(at + 1, close - at - 1));
            at = close + 1;
            if (tag.rfind(u"color=", 0) == 0) {
                current = ColoredText{{}, tag.substr(6), std::nullopt, {}};
                if (!sizes.empty()) current.size = sizes.back();
            } else if (tag == u"/color") {
                units.push_back(current);
                current = {};
            } else {
                if (tag.rfind(u"size=", 0) == 0) {
                    sizes.push_back(std::stoll(std::string(tag.begin() + 5, tag.end())));
                }
                if (tag == u"/size" && !sizes.empty()) sizes.pop_back();
                if (tags != nullptr) tags->push_back(tag);
            }
            continue;
        }
        if (text.substr(at, 5) == u"&#91;" || text.substr(at, 5) == u"&#93;") {
            current.text.push_back(text[at + 3] == u'1' ? u'[' : u']');
            at += 5;
            continue;
        }
        current.text.push_back(text[at++]);
    }
    return units;
}

std::vector<ColoredText> ReadWiki(std::u16string_view text, std::u16string* outside)
{
    std::vector<ColoredText> units;
    struct Open {
        bool color;
        std::u16string value;
    };
    std::vector<Open> open;
    ColoredText current;
    for (std::size_t at = 0; at < text.size();) {
        const std::u16string_view rest = text.substr(at);
        if (rest.starts_with(u"&color(") || rest.starts_with(u"&size(")) {
            const bool color = rest.starts_with(u"&color(");
            const std::size_t paren = rest.find(u')');
            std::u16string value(rest.substr(color ? 7 : 6, paren - (color ? 7 : 6)));
            if (rest[paren + 1] != u'{') return {};
            if (color) current = ColoredText{{}, value, current.size, {}};
            if (!color) current.size = std::stoll(std::string(value.begin(), value.end()));
            open.push_back(Open{color, value});
            at += paren + 2;
            continue;
        }
        if (rest.starts_with(u"};")) {
            if (open.empty()) return {};
            if (open.back().color) {
                units.push_back(current);
                current = {};
            }
            open.pop_back();
            at += 2;
            continue;
        }
        std::u16string decoded;
        std::size_t used = rest.starts_with(u"&#") ? DecodeReference(text, at, decoded) : 0;
        if (used == 0) {
            decoded.assign(1, text[at]);
            used = 1;
        }
        at += used;
        if (open.empty()) {
            if (outside != nullptr) *outside += decoded;
        } else {
            current.text += decoded;
        }
    }
    return units;
}

std::vector<ColoredText> ReadAnsi(std::u16string_view text, std::vector<std::u16string>* codes)
{
    std::vector<ColoredText> units;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == 0x1B && at + 1 < text.size() && text[at + 1] == u'[') {
            const std::size_t end = text.find(u'm', at);
            const std::u16string params(text.substr(at + 2, end - at - 2));
            at = end + 1;
            if (params.rfind(u"38;2;", 0) == 0) {
                int rgb[3] = {};
                std::size_t p = 5;
                for (int& component : rgb) {
                    while (p < params.size() && params[p] != u';') {
                        component = component * 10 + (params[p++] - u'0');
                    }
                    ++p;
                }
                static constexpr char16_t kHex[] = u"0123456789ABCDEF";
                std::u16string color = u"#";
                for (const int component : rgb) {
                    color.push_back(kHex[component >> 4]);
                    color.push_back(kHex[component & 15]);
                }
                units.push_back(ColoredText{{}, color, std::nullopt, {}});
            } else if (codes != nullptr) {
                codes->push_back(params);
            }
            continue;
        }
        if (units.empty()) return {};
        units.back().text.push_back(text[at++]);
    }
    return units;
}

namespace {

// Strict JSON values (RFC 8259 grammar) over UTF-16 text.
class JsonReader {
public:
    explicit JsonReader(std::u16string_view text) : m_text(text) {}

    std::optional<std::vector<ColoredText>> Document()
    {
        Space();
        std::vector<ColoredText> out;
        if (!Take(u'[')) return std::nullopt;
        Space();
        if (!Take(u']')) {
            do {
                Space();
                auto object = Object();
                if (!object) return std::nullopt;
                out.push_back(*object);
                Space();
            } while (Take(u','));
            if (!Take(u']')) return std::nullopt;
        }
        Space();
        if (m_at != m_text.size()) return std::nullopt;
        return out;
    }

private:
    std::optional<ColoredText> Object()
    {
        if (!Take(u'{')) return std::nullopt;
        ColoredText out;
        bool hasText = false;
        bool hasColor = false;
        Space();
        if (Take(u'}')) return std::nullopt;
        do {
            Space();
            auto key = String();
            Space();
            if (!key || !Take(u':')) return std::nullopt;
            Space();
            if (*key == u"size") {
                auto number = Number();
                if (!number) return std::nullopt;
                out.size = *number;
            } else {
                auto value = String();
                if (!value) return std::nullopt;
                if (*key == u"text") {
                    out.text = *value;
                    hasText = true;
                } else if (*key == u"color") {
                    out.color = *value;
                    hasColor = true;
                } else {
                    return std::nullopt;
                }
            }
            Space();
        } while (Take(u','));
        if (!Take(u'}') || !hasText || !hasColor) return std::nullopt;
        return out;
    }

    std::optional<std::u16string> String()
    {
        if (!Take(u'"')) return std::nullopt;
        std::u16string out;
        while (m_at < m_text.size()) {
            const char16_t c = m_text[m_at++];
            if (c == u'"') return out;
            if (c < 0x20) return std::nullopt;
            if (c != u'\\') {
                out.push_back(c);
                continue;
            }
            if (m_at >= m_text.size()) return std::nullopt;
            const char16_t e = m_text[m_at++];
            static const std::u16string_view kSimple = u"\"\\/bfnrt";
            static const std::u16string_view kValues = u"\"\\/\b\f\n\r\t";
            if (const auto k = kSimple.find(e); k != std::u16string_view::npos) {
                out.push_back(kValues[k]);
            } else if (e == u'u' && m_at + 4 <= m_text.size()) {
                unsigned value = 0;
                for (int i = 0; i < 4; ++i) {
                    const char16_t h = m_text[m_at++];
                    if (!std::isxdigit(static_cast<unsigned char>(h)) || h > 0x7F) {
                        return std::nullopt;
                    }
                    value = value * 16 +
                            static_cast<unsigned>(h <= u'9' ? h - u'0' : (Lower(h) - u'a' + 10));
                }
                out.push_back(static_cast<char16_t>(value));
            } else {
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::optional<long long> Number()
    {
        const std::size_t start = m_at;
        Take(u'-');
        if (Take(u'0')) {
        } else if (m_at < m_text.size() && m_text[m_at] >= u'1' && m_text[m_at] <= u'9') {
            while (m_at < m_text.size() && m_text[m_at] >= u'0' && m_text[m_at] <= u'9') ++m_at;
        } else {
            return std::nullopt;
        }
        // The format writes integers only.
        return std::stoll(std::string(m_text.begin() + static_cast<std::ptrdiff_t>(start),
                                      m_text.begin() + static_cast<std::ptrdiff_t>(m_at)));
    }

    void Space()
    {
        while (m_at < m_text.size() && IsSpace(m_text[m_at])) ++m_at;
    }

    bool Take(char16_t c)
    {
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    std::u16string_view m_text;
    std::size_t m_at = 0;
};

}  // namespace

std::optional<std::vector<ColoredText>> ReadJson(std::u16string_view text)
{
    return JsonReader(text).Document();
}

namespace {

// The decorations of MiniMessage by name and short name, as their short names.
const std::map<std::u16string, std::u16string> kDecorations = {
    {u"bold", u"b"},   {u"b", u"b"},
    {u"italic", u"i"}, {u"i", u"i"},
    {u"em", u"i"},     {u"underlined", u"u"},
    {u"u", u"u"},      {u"strikethrough", u"st"},
    {u"st", u"st"},    {u"obfuscated", u"obf"},
    {u"obf", u"obf"}};

// A tag's colour, "#RRGGBB" in upper case: <#RRGGBB>, or <color:#RRGGBB> (also colour, c);
// "" for any other tag. (Colours by name never occur here and are read as no colour.)
std::u16string TagColor(const std::u16string& name, std::u16string_view argument)
{
    std::u16string value = name;
    if (name == u"color" || name == u"colour" || name == u"c") {
        value = argument;
    } else if (!argument.empty()) {
        return {};
    }
    if (value.size() != 7 || value[0] != u'#') return {};
    for (const char16_t c : std::u16string_view(value).substr(1)) {
        if (!std::isxdigit(static_cast<unsigned char>(c)) || c > 0x7F) return {};
    }
    for (char16_t& c : value)
        c = static_cast<char16_t>(std::toupper(static_cast<unsigned char>(c)));
    return value;
}

bool IsTagNameCharacter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-';
}

}  // namespace

std::optional<std::vector<ColoredText>> ReadMiniMessage(std::u16string_view text,
                                                        std::vector<std::u16string>* styles)
{
    std::vector<ColoredText> units;
    std::vector<std::u16string> colors;  // open colour tags, innermost last
    auto addText = [&](char16_t c) {
        if (colors.empty()) return false;
        if (units.back().color != colors.back()) units.push_back({{}, colors.back(), {}, {}});
        units.back().text.push_back(c);
        return true;
    };
    for (std::size_t at = 0; at < text.size();) {
        const char16_t c = text[at];
        if (c == u'\\' && at + 1 < text.size() && (text[at + 1] == u'<' || text[at + 1] == u'\\')) {
            if (!addText(text[at + 1])) return std::nullopt;
            at += 2;
            continue;
        }
        const std::size_t close = c == u'<' ? text.find(u'>', at) : std::u16string_view::npos;
        if (close != std::u16string_view::npos && text.find(u'<', at + 1) >= close) {
            std::u16string body = LowerText(text.substr(at + 1, close - at - 1));
            const bool closing = body.starts_with(u"/");
            if (closing) body.erase(0, 1);
            const std::size_t colon = std::min(body.find(u':'), body.size());
            const std::u16string name = body.substr(0, colon);
            const std::u16string_view argument =
                std::u16string_view(body).substr(std::min(colon + 1, body.size()));
            const bool validName =
                !name.empty() && std::all_of(name.begin() + (name[0] == u'#' ? 1 : 0), name.end(),
                                             IsTagNameCharacter);
            const std::u16string color = validName ? TagColor(name, argument) : u"";
            const bool decoration = validName && kDecorations.contains(name);
            if (!color.empty() && !closing) {
                colors.push_back(color);
                units.push_back({{}, color, {}, {}});
            } else if (!color.empty() && !colors.empty()) {
                colors.pop_back();
            } else if (decoration && styles != nullptr) {
                styles->push_back((closing ? u"/" : u"") + kDecorations.at(name));
            }
            if (!color.empty() || decoration) {
                at = close + 1;
                continue;
            }
        }
        if (!addText(c)) return std::nullopt;
        ++at;
    }
    // A colour tag followed by no text shows nothing.
    std::erase_if(units, [](const ColoredText& unit) { return unit.text.empty(); });
    return units;
}

namespace {

bool IsHex(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (Lower(c) >= u'a' && Lower(c) <= u'f');
}

std::u16string UpperHex(std::u16string_view digits)
{
    std::u16string out(u"#");
    for (const char16_t c : digits) out.push_back(c >= u'a' && c <= u'f' ? c - 32 : c);
    return out;
}

}  // namespace

std::optional<std::vector<ColoredText>> ReadWikidot(std::u16string_view text,
                                                    std::vector<std::u16string>* styles)
{
    // Markup of two characters; in text they would start or end a construct.
    static constexpr std::u16string_view kStyles[] = {u"**", u"//", u"__", u"--"};
    static constexpr std::u16string_view kOther[] = {u"{{", u"}}", u"^^", u",,", u"[[",
                                                     u"]]", u"``", u"''", u"<<", u">>"};
    std::vector<ColoredText> units;
    bool inColor = false;
    for (std::size_t at = 0; at < text.size();) {
        const std::u16string_view rest = text.substr(at);
        if (rest.starts_with(u"@@") || rest.starts_with(u"@<")) {
            // Raw text: as it stands up to "@@", or up to ">@" with references decoded.
            const bool angle = rest[1] == u'<';
            const std::size_t end = rest.find(angle ? u">@" : u"@@", 2);
            if (!inColor || end == std::u16string_view::npos) return std::nullopt;
            const std::u16string_view raw = rest.substr(2, end - 2);
            if (raw.find(u'\n') != std::u16string_view::npos) return std::nullopt;
            for (std::size_t i = 0; i < raw.size();) {
                const std::size_t taken = angle ? DecodeReference(raw, i, units.back().text) : 0;
                if (taken == 0) units.back().text.push_back(raw[i]);
                i += taken == 0 ? 1 : taken;
            }
            at += end + 2;
        } else if (rest.starts_with(u"##")) {
            if (inColor) {
                inColor = false;
                at += 2;
                continue;
            }
            const std::size_t bar = rest.find(u'|');
            if (bar != 8 || !std::all_of(rest.begin() + 2, rest.begin() + 8, IsHex)) {
                return std::nullopt;
            }
            units.push_back({{}, UpperHex(rest.substr(2, 6)), {}, {}});
            inColor = true;
            at += 9;
        } else if (std::find(std::begin(kStyles), std::end(kStyles), rest.substr(0, 2)) !=
                   std::end(kStyles)) {
            if (inColor) return std::nullopt;
            if (styles != nullptr) styles->emplace_back(rest.substr(0, 2));
            at += 2;
        } else if (std::find(std::begin(kOther), std::end(kOther), rest.substr(0, 2)) !=
                       std::end(kOther) ||
                   !inColor || rest[0] == u'\n') {
            return std::nullopt;  // other markup, text outside a colour, a colour over lines
        } else {
            units.back().text.push_back(rest[0]);
            ++at;
        }
    }
    if (inColor) return std::nullopt;
    return units;
}

std::optional<std::vector<ColoredText>> ReadAmpHex(std::u16string_view text,
                                                   std::vector<std::u16string>* styles)
{
    std::vector<ColoredText> units;
    for (std::size_t at = 0; at < text.size();) {
        const std::u16string_view rest = text.substr(at);
        const char16_t code = rest.size() > 1 && rest[0] == u'&' ? Lower(rest[1]) : 0;
        if (code == u'#' && rest.size() >= 8 &&
            std::all_of(rest.begin() + 2, rest.begin() + 8, IsHex)) {
            units.push_back({{}, UpperHex(rest.substr(2, 6)), {}, {}});
            at += 8;
        } else if (code == u'x' || code == u'#' || IsHex(code)) {
            return std::nullopt;  // colour codes the writer never writes
        } else if ((code >= u'k' && code <= u'o') || code == u'r') {
            if (styles != nullptr) styles->emplace_back(1, code);
            at += 2;
        } else if (units.empty()) {
            return std::nullopt;  // text before the first colour
        } else {
            units.back().text.push_back(rest[0]);
            ++at;
        }
    }
    return units;
}

}  // namespace kelvara::engine::testing
