// SPDX-License-Identifier: MIT
// A fresh folder for each test that touches files, and the small helpers to fill and read them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kelvara::test {

// The whole file as bytes; empty when it cannot be opened.
std::string ReadFile(const std::filesystem::path& path);
// Replaces the file by exactly these bytes.
void WriteFile(const std::filesystem::path& path, std::string_view bytes);

// An empty folder of its own under the system's temporary folder, named after the running
// test, and removed at the end of its life, even when the test took away its permissions.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return m_path; }
    // The path of a file in the folder, as a command line takes it.
    [[nodiscard]] std::string File(std::string_view name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Gives each test such a folder as m_folder.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path m_folder;

private:
    std::optional<TempFolder> m_temp;
};

}  // namespace kelvara::test
