// SPDX-License-Identifier: MIT
// Lum.ini: what Kelvara remembers between starts, and its load and save steps.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "kelvara/engine/file_read.h"
#include "kelvara/engine/tag_options.h"
#include "kelvara/settings/output_settings.h"

namespace kelvara::settings {

inline constexpr std::string_view kSettingsFileName = "Lum.ini";
inline constexpr std::int16_t kDefaultNFontSize = 3;

struct StoredSettings {
    std::u16string txtFor;                       // the last input text
    std::array<std::u16string, 12> SavedColors;  // 0 = most recently saved
    engine::TagOptions TagOptions;
    std::u16string txtCfor;
    std::u16string txtClat;
    std::u16string txtCmid;
    std::u16string txtBack;
    OutputSettings Output;  // section "Output", after all the others

    friend bool operator==(const StoredSettings&, const StoredSettings&) = default;
};

// The load step; a missing file gives empty texts and zero numbers (base size 3). So does a
// file that exists but cannot be read; error then tells why.
engine::FileRead<StoredSettings> LoadSettings(const std::filesystem::path& iniPath);

// The save step, written in one piece (temporary file renamed over the old one, through a
// symbolic link), keeping every other section, key and line of an existing file. Returns the
// system's reason when the file cannot be written, when it is read-only, or when it exists but
// cannot be read; the file is then left as it is.
[[nodiscard]] std::error_code SaveSettings(const StoredSettings& settings,
                                           const std::filesystem::path& iniPath);

}  // namespace kelvara::settings
