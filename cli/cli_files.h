// SPDX-License-Identifier: MIT
// The steps of a kelvara-gen run that read or write files: the settings file, the settings
// printed or saved, the preview page (the picture's is image_output.h). kelvara-gen's are in
// cli_files.cpp; the browser page, which has no files, brings its own (web/).
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "cli_options.h"
#include "kelvara/settings/settings_file.h"

namespace kelvara::cli {

// A step that may end the program: its exit status, or nothing to go on.
using Outcome = std::optional<int>;

// --settings=FILE: the settings replace `s`; a file that is missing or unreadable is an error.
Outcome LoadSettingsFile(const std::string& path, settings::StoredSettings& s, std::ostream& err);

// --save-settings and --print-settings.
Outcome StoreSettings(const CliRequest& r, const settings::StoredSettings& s, std::ostream& out,
                      std::ostream& err);

// --page=FILE: the preview page of the result on the settings' background.
Outcome WritePage(const std::string& path, const settings::StoredSettings& s,
                  std::u16string_view result, std::ostream& err);

}  // namespace kelvara::cli
