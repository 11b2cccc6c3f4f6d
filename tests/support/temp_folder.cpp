// SPDX-License-Identifier: MIT
// The per-test temporary folder and the file helpers shared by the tests that touch files.
#include "temp_folder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace kelvara::test {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void TempFolderTest::SetUp()
{
    // The suite's name tells whose folder a leftover is (a parameterised suite's "/" would
    // make a subfolder); the random part keeps tests that run at the same time apart, and a
    // name already taken is simply drawn again.
    std::string suite = ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name();
    std::replace(suite.begin(), suite.end(), '/', '-');
    std::random_device random;
    do {
        m_folder =
            fs::temp_directory_path() / ("kelvara-" + suite + "-" + std::to_string(random()));
    } while (!fs::create_directory(m_folder));
}

void TempFolderTest::TearDown()
{
    std::error_code ignored;
    fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_folder, ignored);
}

}  // namespace kelvara::test
