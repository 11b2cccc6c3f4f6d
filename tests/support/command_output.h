// SPDX-License-Identifier: MIT
// The standard output of a shell command that the tests run (another program's parser or
// renderer), or nothing when it could not start or exited with a status other than 0.
#pragma once

#include <optional>
#include <string>

namespace kelvara::test {

std::optional<std::string> CommandOutput(const std::string& command);

}  // namespace kelvara::test
