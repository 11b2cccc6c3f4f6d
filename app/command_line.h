// SPDX-License-Identifier: MIT
// The command line of the window program: help and version, which print and exit before any
// window exists, and the refusal of anything else.
#pragma once

#include <QStringList>
#include <optional>

namespace kelvara::app {

// Handles --help and --version from the raw arguments, before the application object (and so
// before any display connection) exists: prints to standard output and returns exit status 0.
// Returns nothing when neither is asked for.
std::optional<int> HandleInformationOptions(int argc, const char* const* argv);

// Checks the arguments left once the application object has taken Qt's own options
// (-platform, -style, ...): anything else is wrong usage, reported on standard error with
// exit status 2. Returns nothing when the program may start.
std::optional<int> CheckRemainingArguments(const QStringList& arguments);

}  // namespace kelvara::app
