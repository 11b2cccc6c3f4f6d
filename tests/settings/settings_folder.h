// SPDX-License-Identifier: MIT
// A temporary folder holding one Lum.ini, for the tests of what a start reads and a shut-down
// writes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "kelvara/settings/settings_file.h"
#include "temp_folder.h"

namespace kelvara::settings {

class SettingsFolderTest : public test::TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        m_ini = m_folder / kSettingsFileName;
    }

    void Put(std::string_view bytes) const { test::WriteFile(m_ini, bytes); }
    [[nodiscard]] std::string Contents() const { return test::ReadFile(m_ini); }

    std::filesystem::path m_ini;
};

}  // namespace kelvara::settings
