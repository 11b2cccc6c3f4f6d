// SPDX-License-Identifier: MIT
// ReadWithNode: the text handed to a reader script through a temporary file, its answer read
// back.
#include "node_reader.h"

#include "command_output.h"

#include <unicode/unistr.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace kelvara::engine::testing {

std::optional<std::vector<ColoredText>> ReadWithNode(const std::string& script,
                                                     const std::string& arguments,
                                                     std::u16string_view text,
                                                     std::vector<std::u16string>* words)
{
    static std::atomic<int> count{0};
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("kelvara-reader-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
    std::string bytes;
    icu::UnicodeString(false, text.data(), static_cast<int32_t>(text.size())).toUTF8String(bytes);
    std::ofstream(file, std::ios::binary) << bytes;

    const std::string command = "node '" + script + "' " + arguments + " '" + file.string() + "'";
    const std::optional<std::string> output = test::CommandOutput(command);
    std::filesystem::remove(file);
    if (!output) return std::nullopt;
    const std::string& answer = *output;

    const icu::UnicodeString decoded = icu::UnicodeString::fromUTF8(answer);
    const std::u16string lines(decoded.getBuffer(), static_cast<std::size_t>(decoded.length()));
    const std::size_t first = lines.find(u'\n');
    const std::size_t second = lines.find(u'\n', first + 1);
    if (first == std::u16string::npos || second == std::u16string::npos) return std::nullopt;
    if (words != nullptr) {
        words->clear();
        for (std::size_t at = first + 1; at < second;) {
            const std::size_t end = std::min(lines.find(u' ', at), second);
            words->push_back(lines.substr(at, end - at));
            at = end + 1;
        }
    }
    return ReadJson(std::u16string_view(lines).substr(0, first));
}

}  // namespace kelvara::engine::testing
