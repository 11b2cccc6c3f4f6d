// SPDX-License-Identifier: MIT
// ReadMfm: the text handed to Misskey's parser (tests/mfm/read_mfm.cjs under node) through a
// temporary file, and its answer read back.
#include <unicode/unistr.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "format_readers.h"

namespace kelvara::engine::testing {

std::optional<std::vector<ColoredText>> ReadMfm(std::u16string_view text,
                                                std::vector<std::u16string>* wrappers)
{
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("kelvara-mfm-" + std::to_string(::getpid()));
    std::string bytes;
    icu::UnicodeString(false, text.data(), static_cast<int32_t>(text.size())).toUTF8String(bytes);
    std::ofstream(file, std::ios::binary) << bytes;

    const std::string command = "node '" KELVARA_MFM_READER "' '" + file.string() + "'";
    std::string answer;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    std::array<char, 4096> chunk;  // filled by fread
    for (std::size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0;) {
        answer.append(chunk.data(), n);
    }
    const int status = ::pclose(pipe);
    std::filesystem::remove(file);
    if (status != 0) return std::nullopt;

    const icu::UnicodeString decoded = icu::UnicodeString::fromUTF8(answer);
    const std::u16string lines(decoded.getBuffer(), static_cast<std::size_t>(decoded.length()));
    const std::size_t first = lines.find(u'\n');
    const std::size_t second = lines.find(u'\n', first + 1);
    if (first == std::u16string::npos || second == std::u16string::npos) return std::nullopt;
    if (wrappers != nullptr) {
        wrappers->clear();
        for (std::size_t at = first + 1; at < second;) {
            const std::size_t end = std::min(lines.find(u' ', at), second);
            wrappers->push_back(lines.substr(at, end - at));
            at = end + 1;
        }
    }
    return ReadJson(std::u16string_view(lines).substr(0, first));
}

}  // namespace kelvara::engine::testing
