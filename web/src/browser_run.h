// SPDX-License-Identifier: MIT
// kelvara-gen in the page: the command line's own parser and run path, with standard input,
// output and error as strings, and without the options that read or write files.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace kelvara::web {

struct BrowserResult {
    int status = 0;
    std::string out;  // standard output
    std::string err;  // standard error
};

// What `printf '%s' input | kelvara-gen args...` gives.
BrowserResult RunInBrowser(std::span<const std::string> args, std::string_view input);

// The same run as `kelvara-gen --image=FILE.png args...`: on success `out` holds the picture's
// pieces and look as JSON for the page to draw; refusals and notes as kelvara-gen gives them.
BrowserResult PictureInBrowser(std::span<const std::string> args, std::string_view input);

}  // namespace kelvara::web
