// SPDX-License-Identifier: MIT
// The page's ends of kelvara-gen's file steps: every one refuses, as the page refuses the
// options that lead to them before a run starts.
#include "browser_files.h"

#include <ostream>

#include "cli_files.h"
#include "cli_main.h"

namespace kelvara::web {

std::string_view FileOption(const cli::CliRequest& r)
{
    if (r.settingsFile) return "--settings";
    if (r.saveSettingsFile) return "--save-settings";
    if (r.printSettings) return "--print-settings";
    if (r.pageFile) return "--page";
    if (r.image.file) return "--image";
    return {};
}

int RefuseInBrowser(std::string_view option, std::ostream& err)
{
    err << "kelvara-gen: " << option << " is not available in the browser\n";
    return cli::kExitUsage;
}

}  // namespace kelvara::web

namespace kelvara::cli {

Outcome LoadSettingsFile(const std::string& /*path*/, settings::StoredSettings& /*s*/,
                         std::ostream& err)
{
    return web::RefuseInBrowser("--settings", err);
}

Outcome StoreSettings(const CliRequest& r, const settings::StoredSettings& /*s*/,
                      std::ostream& /*out*/, std::ostream& err)
{
    if (r.saveSettingsFile) return web::RefuseInBrowser("--save-settings", err);
    if (r.printSettings) return web::RefuseInBrowser("--print-settings", err);
    return std::nullopt;
}

Outcome WritePage(const std::string& /*path*/, const settings::StoredSettings& /*s*/,
                  std::u16string_view /*result*/, std::ostream& err)
{
    return web::RefuseInBrowser("--page", err);
}

}  // namespace kelvara::cli
