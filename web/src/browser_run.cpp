// SPDX-License-Identifier: MIT
// kelvara-gen's run in the page: its own parser and run path (RunCli), with string streams for
// standard input, output and error, after the options that need files are refused.
#include "browser_run.h"

#include <sstream>
#include <vector>

#include "browser_files.h"
#include "browser_picture.h"
#include "cli_main.h"
#include "cli_options.h"

namespace kelvara::web {
namespace {

// Runs kelvara-gen unless the arguments ask for a file; `extra` goes in front of them.
BrowserResult Run(std::span<const std::string> args, std::string_view input, const char* extra)
{
    std::vector<std::string> list(args.begin(), args.end());
    std::ostringstream out;
    std::ostringstream err;
    // Wrong usage is reported as kelvara-gen reports it, before a file option is refused.
    const cli::ParseOutcome parsed = cli::ParseCommandLine(list);
    if (parsed.request) {
        if (const std::string_view option = FileOption(*parsed.request); !option.empty()) {
            const int status = RefuseInBrowser(option, err);
            return {status, {}, err.str()};
        }
    }
    if (extra != nullptr) list.insert(list.begin(), extra);
    std::istringstream in{std::string(input)};
    const int status = cli::RunCli(list, in, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace

BrowserResult RunInBrowser(std::span<const std::string> args, std::string_view input)
{
    return Run(args, input, nullptr);
}

BrowserResult PictureInBrowser(std::span<const std::string> args, std::string_view input)
{
    // The file name only says PNG: the picture is handed over, not written.
    BrowserResult result = Run(args, input, "--image=kelvara.png");
    std::string picture = TakePicture();
    if (result.status == cli::kExitOk) result.out = std::move(picture);
    return result;
}

}  // namespace kelvara::web
