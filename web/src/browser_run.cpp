// SPDX-License-Identifier: MIT
// kelvara-gen's run in the page. (Provisional: calls RunCli whole until its steps are split.)
#include "browser_run.h"

#include <sstream>
#include <vector>

#include "browser_picture.h"
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

// Runs kelvara-gen unless the arguments ask for a file; `extra` goes in front of them.
BrowserResult Run(std::span<const std::string> args, std::string_view input, const char* extra)
{
    std::vector<std::string> list(args.begin(), args.end());
    const cli::ParseOutcome parsed = cli::ParseCommandLine(list);
    if (parsed.request) {
        if (const char* option = FileOption(*parsed.request)) {
            return {cli::kExitUsage,
                    {},
                    std::string("kelvara-gen: ") + option + " is not available in the browser\n"};
        }
    }
    if (extra != nullptr) list.insert(list.begin(), extra);
    std::istringstream in{std::string(input)};
    std::ostringstream out;
    std::ostringstream err;
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
