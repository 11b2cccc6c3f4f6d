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

TempFolder::TempFolder()
{
    // The suite's name tells whose folder a leftover is (a parameterised suite's "/" would
    // make a subfolder); the random part keeps tests that run at the same time apart, and a
    // name already taken is simply drawn again.
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string suite = test != nullptr ? test->test_suite_name() : "test";
    std::replace(suite.begin(), suite.end(), '/', '-');
    std::random_device random;
    do {
        m_path = fs::temp_directory_path() / ("kelvara-" + suite + "-" + std::to_string(random()));
    } while (!fs::create_directory(m_path));
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_path, ignored);
}

void TempFolderTest::SetUp() { m_folder = m_temp.emplace().Path(); }

void TempFolderTest::TearDown() { m_temp.reset(); }

}  // namespace kelvara::test
