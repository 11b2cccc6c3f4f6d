// SPDX-License-Identifier: MIT
// kelvara-gen as a function of its arguments and streams, so tests can run it in-process.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "kelvara/settings/settings_file.h"

namespace kelvara::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // refused text, unreadable input, unwritable file
inline constexpr int kExitUsage = 2;

// What the program holds before anything is loaded: the window's design-time values.
settings::StoredSettings DefaultSettings();

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

}  // namespace kelvara::cli
