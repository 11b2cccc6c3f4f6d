// SPDX-License-Identifier: MIT
// The page has no files: the options of kelvara-gen that read or write one are refused.
#pragma once

#include <iosfwd>
#include <string_view>

#include "cli_options.h"

namespace kelvara::web {

// The first option of the request that needs a file ("--settings", ...), or --wrap, or an
// empty view.
std::string_view FileOption(const cli::CliRequest& r);

// "kelvara-gen: OPTION is not available in the browser" on err; the exit status, that of wrong
// usage.
int RefuseInBrowser(std::string_view option, std::ostream& err);

}  // namespace kelvara::web
