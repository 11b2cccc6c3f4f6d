// SPDX-License-Identifier: MIT
// kelvara-gen's run in the page. (Provisional: calls RunCli whole until its steps are split.)
#include "browser_run.h"

#include <sstream>
#include <vector>

#include "cli_main.h"
#include "cli_options.h"

namespace kelvara::web {
namespace {

// The first option given that needs a file, or nothing.
const char* FileOption(const cli::CliRequest& r)
{
    if (r.settingsFile) return "--settings";
    if (r.saveSettingsFile) return "--save-settings";
    if (r.printSettings) return "--print-settings";
    if (r.pageFile) return "--page";
    if (r.image.file) return "--image";
    return nullptr;
}

}  // namespace

BrowserResult RunInBrowser(std::span<const std::string> args, std::string_view input)
{
    const std::vector<std::string> list(args.begin(), args.end());
    const cli::ParseOutcome parsed = cli::ParseCommandLine(list);
    if (parsed.request) {
        if (const char* option = FileOption(*parsed.request)) {
            return {cli::kExitUsage, {},
                    std::string("kelvara-gen: ") + option + " is not available in the browser\n"};
        }
    }
    std::istringstream in{std::string(input)};
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunCli(list, in, out, err);
    return {status, out.str(), err.str()};
}

BrowserResult PictureInBrowser(std::span<const std::string> /*args*/, std::string_view /*input*/)
{
    return {cli::kExitUsage, {}, "kelvara-gen: pictures are not drawn yet\n"};
}

}  // namespace kelvara::web
