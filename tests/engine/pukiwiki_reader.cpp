// SPDX-License-Identifier: MIT
// ReadPukiWiki: the texts handed to PukiWiki's own renderer (render.php --jsonl under php, one
// JSON string a line) through a temporary file, and its answers read back.
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "command_output.h"
#include "format_readers.h"
#include "kelvara/engine/utf8.h"

namespace kelvara::engine::testing {
namespace {

std::string JsonString(std::u16string_view text)
{
    std::string json = "\"";
    for (const char c : ToUtf8(text)) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            std::array<char, 8> escape{};
            std::snprintf(escape.data(), escape.size(), "\\u%04x", static_cast<unsigned>(c));
            json += escape.data();
        } else {
            json += c;
        }
    }
    return json + "\"";
}

// The string value of "key" in one line of the answer, as PHP's json_encode writes it.
std::optional<std::u16string> JsonField(std::string_view line, std::string_view key)
{
    const std::string start = "\"" + std::string(key) + "\":\"";
    std::size_t at = line.find(start);
    if (at == std::string_view::npos) return std::nullopt;
    std::u16string value;
    std::string plain;  // UTF-8 not yet decoded
    for (at += start.size(); at < line.size() && line[at] != '"'; ++at) {
        if (line[at] != '\\') {
            plain += line[at];
            continue;
        }
        value += FromUtf8Lenient(plain);
        plain.clear();
        const char escaped = line[++at];
        const std::string_view simple = "\"\\/bfnrt";
        const std::u16string_view meaning = u"\"\\/\b\f\n\r\t";
        if (escaped == 'u') {
            value.push_back(static_cast<char16_t>(
                std::stoul(std::string(line.substr(at + 1, 4)), nullptr, 16)));
            at += 4;
        } else if (simple.find(escaped) != std::string_view::npos) {
            value.push_back(meaning[simple.find(escaped)]);
        }
    }
    if (at >= line.size()) return std::nullopt;
    return value + FromUtf8Lenient(plain);
}

}  // namespace

bool PukiWikiFound() { return std::string_view(KELVARA_PUKIWIKI_DIR) != ""; }

std::optional<std::vector<PukiWikiPage>> ReadPukiWiki(const std::vector<std::u16string>& texts)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("kelvara-pukiwiki-" + std::to_string(::getpid()));
    {
        std::ofstream lines(file, std::ios::binary);
        for (const std::u16string& text : texts) lines << JsonString(text) << '\n';
    }
    const std::string command = "php '" KELVARA_PUKIWIKI_DIR "/render.php' --jsonl '" +
                                std::string(KELVARA_PUKIWIKI_DIR) + "' < '" + file.string() + "'";
    const std::optional<std::string> output = test::CommandOutput(command);
    std::filesystem::remove(file);
    if (!output) return std::nullopt;
    const std::string& answer = *output;

    std::vector<PukiWikiPage> pages;
    for (std::size_t at = 0; at < answer.size();) {
        const std::size_t end = answer.find('\n', at);
        const std::string_view line = std::string_view(answer).substr(at, end - at);
        const auto html = JsonField(line, "html");
        const auto notes = JsonField(line, "notes");
        if (!html || !notes) return std::nullopt;
        const HtmlReading reading = ReadHtml(*html);
        PukiWikiPage& page = pages.emplace_back();
        for (const ColoredText& piece : reading.visible) {
            if (!piece.color.empty() ||
                piece.text.find_first_not_of(u'\n') != std::u16string::npos) {
                page.units.push_back(piece);
            }
        }
        for (const std::u16string& element : reading.elements) {
            const std::u16string_view allowed = u" p span div strong em del ins ";
            if (allowed.find(u' ' + element + u' ') == std::u16string_view::npos) {
                page.markup.push_back(element);
            }
        }
        if (!notes->empty()) page.markup.emplace_back(u"footnote");
        at = end == std::string::npos ? answer.size() : end + 1;
    }
    if (pages.size() != texts.size()) return std::nullopt;
    return pages;
}

}  // namespace kelvara::engine::testing
