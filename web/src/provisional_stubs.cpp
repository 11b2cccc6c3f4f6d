// SPDX-License-Identifier: MIT
// Provisional: what RunCli links but the page never reaches.
#include <system_error>

#include "kelvara/settings/settings_file.h"

namespace kelvara::settings {
engine::FileRead<StoredSettings> LoadSettings(const std::filesystem::path&) { return {}; }
std::error_code SaveSettings(const StoredSettings&, const std::filesystem::path&)
{
    return std::make_error_code(std::errc::not_supported);
}
}  // namespace kelvara::settings
#include "kelvara/engine/preview_page.h"
#include "kelvara/settings/output_settings.h"
namespace kelvara::engine {
std::string PreviewPageBytes(std::u16string_view, std::u16string_view, PageForm) { return {}; }
}  // namespace kelvara::engine
namespace kelvara::settings {
std::u16string JoinStops(const std::vector<std::u16string>&) { return {}; }
}  // namespace kelvara::settings
