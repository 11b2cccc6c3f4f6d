// SPDX-License-Identifier: MIT
#include "command_output.h"

#include <array>
#include <cstdio>

namespace kelvara::test {

std::optional<std::string> CommandOutput(const std::string& command)
{
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return std::nullopt;
    std::string answer;
    std::array<char, 4096> chunk;  // filled by fread
    for (std::size_t n; (n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0;) {
        answer.append(chunk.data(), n);
    }
    if (::pclose(pipe) != 0) return std::nullopt;
    return answer;
}

}  // namespace kelvara::test
