// SPDX-License-Identifier: MIT
// Replacing a file whole: through links, never over read-only files, tidying up after writers
// that were killed, and always with the system's reason when it cannot be done.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>

#include "kelvara/engine/atomic_file.h"
#include "temp_folder.h"

namespace kelvara::engine {
namespace {

namespace fs = std::filesystem;

using test::ReadFile;
using test::WriteFile;

class AtomicFile : public test::TempFolderTest {
protected:
    [[nodiscard]] std::set<std::string> Names(const fs::path& folder) const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }
};

TEST_F(AtomicFile, WritesANewFileAndReplacesAnOldOne)
{
    const fs::path file = m_folder / "Lum.ini";
    EXPECT_FALSE(WriteFileAtomically(file, "first, and longer"));
    EXPECT_FALSE(WriteFileAtomically(file, "second"));
    EXPECT_EQ(ReadFile(file), "second");
    EXPECT_EQ(Names(m_folder), std::set<std::string>{"Lum.ini"});
}

TEST_F(AtomicFile, SymbolicLinkStaysAndItsTargetIsUpdated)
{
    fs::create_directories(m_folder / "real");
    fs::create_directories(m_folder / "program");
    WriteFile(m_folder / "real" / "Lum.ini", "old");
    // A relative link counts from the link's own folder, and links may follow links.
    fs::create_symlink("../real/Lum.ini", m_folder / "program" / "middle.ini");
    fs::create_symlink("middle.ini", m_folder / "program" / "Lum.ini");

    EXPECT_FALSE(WriteFileAtomically(m_folder / "program" / "Lum.ini", "new"));

    EXPECT_TRUE(fs::is_symlink(m_folder / "program" / "Lum.ini"));
    EXPECT_TRUE(fs::is_symlink(m_folder / "program" / "middle.ini"));
    EXPECT_EQ(ReadFile(m_folder / "real" / "Lum.ini"), "new");
    EXPECT_EQ(Names(m_folder / "real"), std::set<std::string>{"Lum.ini"});
    EXPECT_EQ(Names(m_folder / "program"), (std::set<std::string>{"Lum.ini", "middle.ini"}));
}

TEST_F(AtomicFile, LinkToAFileNotYetThereCreatesIt)
{
    fs::create_symlink(m_folder / "target.ini", m_folder / "Lum.ini");
    EXPECT_FALSE(WriteFileAtomically(m_folder / "Lum.ini", "made"));
    EXPECT_TRUE(fs::is_symlink(m_folder / "Lum.ini"));
    EXPECT_EQ(ReadFile(m_folder / "target.ini"), "made");
}

TEST_F(AtomicFile, LinkLoopIsReported)
{
    fs::create_symlink("b.ini", m_folder / "a.ini");
    fs::create_symlink("a.ini", m_folder / "b.ini");
    EXPECT_EQ(WriteFileAtomically(m_folder / "a.ini", "x"),
              std::errc::too_many_symbolic_link_levels);
    EXPECT_TRUE(fs::is_symlink(m_folder / "a.ini"));
}

TEST_F(AtomicFile, ReadOnlyFileIsNeverReplaced)
{
    // Even the superuser, whom the system lets write anywhere, leaves it alone.
    const fs::path file = m_folder / "Lum.ini";
    WriteFile(file, "keep");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    const std::error_code error = WriteFileAtomically(file, "lost");
    EXPECT_EQ(error, std::errc::permission_denied);
    EXPECT_EQ(error.message(), "Permission denied");
    EXPECT_EQ(ReadFile(file), "keep");
    EXPECT_EQ(Names(m_folder), std::set<std::string>{"Lum.ini"});
}

TEST_F(AtomicFile, ReplacementKeepsTheFilesPermissions)
{
    const fs::path file = m_folder / "Lum.ini";
    WriteFile(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_FALSE(WriteFileAtomically(file, "new"));
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(AtomicFile, FolderOrDeviceInThePlaceOfTheFileIsReported)
{
    fs::create_directories(m_folder / "Lum.ini");
    EXPECT_EQ(WriteFileAtomically(m_folder / "Lum.ini", "x"), std::errc::is_a_directory);
    EXPECT_TRUE(fs::is_directory(m_folder / "Lum.ini"));

    ASSERT_EQ(::mkfifo((m_folder / "pipe").c_str(), 0644), 0);
    const std::error_code error = WriteFileAtomically(m_folder / "pipe", "x");
    EXPECT_EQ(error, FileErrc::NotARegularFile);
    EXPECT_EQ(error.message(), "Not a regular file");
    EXPECT_EQ(fs::status(m_folder / "pipe").type(), fs::file_type::fifo);
}

TEST_F(AtomicFile, MissingFolderGivesTheSystemsReason)
{
    const std::error_code error = WriteFileAtomically(m_folder / "none" / "Lum.ini", "x");
    EXPECT_EQ(error.message(), "No such file or directory");

    WriteFile(m_folder / "file", "x");
    EXPECT_EQ(WriteFileAtomically(m_folder / "file" / "Lum.ini", "x").message(), "Not a directory");
}

TEST_F(AtomicFile, OldLeftoversOfKilledWritesAreRemoved)
{
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    for (const char* name : {"Lum.ini.tmp123", "Lum.ini.tmp4", "Lum.ini.tmp", "Lum.ini.tmpx1",
                             "Lum.ini.tmp12.bak", "Other.ini.tmp55", "temp.html.tmp77"}) {
        WriteFile(m_folder / name, "left over");
        fs::last_write_time(m_folder / name, old);
    }
    // A writer that is still busy has a fresh one: it stays.
    WriteFile(m_folder / "Lum.ini.tmp999", "busy");

    ASSERT_FALSE(WriteFileAtomically(m_folder / "Lum.ini", "x"));
    EXPECT_EQ(Names(m_folder),
              (std::set<std::string>{"Lum.ini", "Lum.ini.tmp", "Lum.ini.tmpx1", "Lum.ini.tmp12.bak",
                                     "Other.ini.tmp55", "temp.html.tmp77", "Lum.ini.tmp999"}));
}

TEST_F(AtomicFile, LeftoversAreLookedForBesideTheLinksTarget)
{
    fs::create_directories(m_folder / "real");
    fs::create_symlink("real/target.ini", m_folder / "Lum.ini");
    WriteFile(m_folder / "real" / "target.ini.tmp1", "left over");
    fs::last_write_time(m_folder / "real" / "target.ini.tmp1",
                        fs::file_time_type::clock::now() - std::chrono::minutes(5));
    ASSERT_FALSE(WriteFileAtomically(m_folder / "Lum.ini", "x"));
    EXPECT_EQ(Names(m_folder / "real"), std::set<std::string>{"target.ini"});
}

TEST_F(AtomicFile, ModeBitsDecideWhatIsReadOnlyOrUnreadable)
{
    const fs::path file = m_folder / "Lum.ini";
    WriteFile(file, "x");
    EXPECT_FALSE(IsReadOnlyFile(file));
    EXPECT_FALSE(IsUnreadableFile(file));
    fs::permissions(file, fs::perms::none);
    EXPECT_TRUE(IsReadOnlyFile(file));
    EXPECT_TRUE(IsUnreadableFile(file));
    EXPECT_FALSE(IsReadOnlyFile(m_folder / "missing"));

    EXPECT_TRUE(IsWritableFolder(m_folder));
    EXPECT_FALSE(IsWritableFolder(file));
    EXPECT_FALSE(IsWritableFolder(m_folder / "missing"));
    fs::permissions(m_folder, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(IsWritableFolder(m_folder));
}

}  // namespace
}  // namespace kelvara::engine
