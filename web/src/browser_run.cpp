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

// The picture's own --image, put in front of the arguments: a PNG, handed over, not written.
constexpr std::string_view kPictureFile = "kelvara.png";

// Runs kelvara-gen unless the arguments ask for a file; the picture's --image goes in front.
BrowserResult Run(std::span<const std::string> args, std::string_view input, bool picture)
{
    std::vector<std::string> list;
    if (picture) list.push_back("--image=" + std::string(kPictureFile));
    list.insert(list.end(), args.begin(), args.end());
    std::ostringstream out;
    std::ostringstream err;
    // Wrong usage is reported as kelvara-gen reports it, before a file option is refused.
    const cli::ParseOutcome parsed = cli::ParseCommandLine(list);
    if (parsed.request) {
        cli::CliRequest request = *parsed.request;
        if (picture && request.image.file == kPictureFile) request.image.file.reset();
        if (const std::string_view option = FileOption(request); !option.empty()) {
            const int status = RefuseInBrowser(option, err);
            return {status, {}, err.str()};
        }
    }
    std::istringstream in{std::string(input)};
    const int status = cli::RunCli(list, in, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace

BrowserResult RunInBrowser(std::span<const std::string> args, std::string_view input)
{
    return Run(args, input, false);
}

BrowserResult PictureInBrowser(std::span<const std::string> args, std::string_view input)
{
    BrowserResult result = Run(args, input, true);
    std::string picture = TakePicture();
    if (result.status == cli::kExitOk) result.out = std::move(picture);
    return result;
}

}  // namespace kelvara::web
