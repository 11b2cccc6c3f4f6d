// Lum.ini: what Kelvara remembers between starts, and its load and save steps.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

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

// The load step; a missing file gives empty texts and zero numbers (base size 3).
StoredSettings LoadSettings(const std::filesystem::path& iniPath);

// The save step, written in one piece (temporary file renamed over the old one), keeping
// every other section, key and line of an existing file. False when the file cannot be written,
// or when it exists but cannot be read (it is then left as it is).
bool SaveSettings(const StoredSettings& settings, const std::filesystem::path& iniPath);

}  // namespace kelvara::settings
