// SPDX-License-Identifier: MIT
// A fresh folder for each test that touches files, and the small helpers to fill and read them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace kelvara::test {

// The whole file as bytes; empty when it cannot be opened.
std::string ReadFile(const std::filesystem::path& path);
// Replaces the file by exactly these bytes.
void WriteFile(const std::filesystem::path& path, std::string_view bytes);

// Gives each test an empty folder of its own under the system's temporary folder, and removes
// it afterwards, even when the test took away its permissions.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path m_folder;
};

}  // namespace kelvara::test
