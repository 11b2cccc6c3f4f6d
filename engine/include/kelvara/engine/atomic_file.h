// SPDX-License-Identifier: MIT
// Writing a file whole or not at all: a temporary file beside the target, then a rename. Used
// for every file Kelvara rewrites (Lum.ini, temp.html), so both behave the same way.
#pragma once

#include <chrono>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace kelvara::engine {

// Errors that the system has no code of its own for.
enum class FileErrc {
    NotARegularFile = 1,  // a device, pipe or socket where a file should be
};
const std::error_category& FileCategory();
std::error_code make_error_code(FileErrc code);

// Temporary files older than this are leftovers of a writer that was killed, not files that
// another writer is still filling.
inline constexpr std::chrono::minutes kStaleTemporaryAge{1};

// The file a path finally names, following symbolic links (relative ones from their own
// folder). The result need not exist. A chain that does not end gives ELOOP.
std::filesystem::path FinalTarget(const std::filesystem::path& path, std::error_code& error);

// A file whose mode has no write permission for anyone, or that this user may not write to.
// The mode is looked at first because the superuser may write to any file.
bool IsReadOnlyFile(const std::filesystem::path& path);
// A file whose mode has no read permission for anyone, or that this user may not read.
bool IsUnreadableFile(const std::filesystem::path& path);
// An existing folder in which this user may create files, judged the same way.
bool IsWritableFolder(const std::filesystem::path& folder);

// Writes all of bytes to an open descriptor, going on after interruptions and short writes.
// Returns the system's reason on failure.
std::error_code WriteAll(int descriptor, std::string_view bytes);

// Replaces the file at path by bytes: through a symbolic link (the link stays), never over a
// read-only file or a folder, and never leaving a half-written file. Leftover temporary files
// of earlier writes of the same file are removed first. Returns the system's reason on failure;
// the old file is then unchanged.
std::error_code WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace kelvara::engine

template <>
struct std::is_error_code_enum<kelvara::engine::FileErrc> : std::true_type {
};
