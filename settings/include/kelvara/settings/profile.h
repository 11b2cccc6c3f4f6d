// SPDX-License-Identifier: MIT
// The profile store: an INI file in Shift-JIS with the behaviour of the classic Windows
// private-profile calls (case-insensitive names, blanks ignored, values cut to the read size).
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "kelvara/engine/file_read.h"

namespace kelvara::settings {

// One entry to read: the value comes back cut to size - 1 bytes of the file's encoding.
struct ProfileRead {
    std::u16string_view section;
    std::u16string_view key;
    std::size_t size;
};

// One entry to write.
struct ProfileWrite {
    std::u16string_view section;
    std::u16string_view key;
    std::u16string_view value;
    // Only replace a value the file already has (as the key's first write says); never add it.
    bool onlyIfPresent = false;
};

// One INI file held in memory as its bytes. Edits keep every other line as it was. A file that
// begins with a UTF-8 byte-order mark is read and written as UTF-8 and keeps its mark; every
// other file is Shift-JIS. Reading or writing many entries at once takes one pass over the file.
class ProfileFile {
public:
    ProfileFile();
    ~ProfileFile();
    ProfileFile(ProfileFile&&) noexcept;
    ProfileFile& operator=(ProfileFile&&) noexcept;

    // A missing file gives an empty profile and no error. One that exists but cannot be read
    // (no read permission in its mode, a folder, an I/O error) gives an empty profile and the
    // system's reason, so that a save does not replace it with a file holding only new entries.
    static engine::FileRead<ProfileFile> Load(const std::filesystem::path& path);
    static ProfileFile FromBytes(std::string_view bytes);

    // The value, cut to size - 1 bytes (no character split); empty when the section or key is
    // missing.
    [[nodiscard]] std::u16string Read(std::u16string_view section, std::u16string_view key,
                                      std::size_t size) const;
    // The values of all entries, in their order, as separate reads would give them.
    [[nodiscard]] std::vector<std::u16string> Read(std::span<const ProfileRead> entries) const;
    // Creates section and key as needed; new sections at the end, new keys at the end of
    // their section.
    void Write(std::u16string_view section, std::u16string_view key, std::u16string_view value);
    // All entries, in their order, with the same result as separate writes.
    void Write(std::span<const ProfileWrite> entries);

    [[nodiscard]] std::string Bytes() const;
    // Replaces the file at path whole (see engine::WriteFileAtomically: through a symbolic
    // link, never over a read-only file). Returns the system's reason on failure.
    [[nodiscard]] std::error_code Save(const std::filesystem::path& path) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// Classic per-call interface. Read returns the value cut to size - 1 bytes, or empty text.
std::u16string ReadProfileString(std::u16string_view section, std::u16string_view key,
                                 std::size_t size, const std::filesystem::path& path);
// Returns "1" when the write succeeded, "0" when it failed.
std::u16string WriteProfileString(std::u16string_view section, std::u16string_view key,
                                  std::u16string_view value, const std::filesystem::path& path);
// The text up to its first NUL character.
std::u16string TrimAtNul(std::u16string_view text);

}  // namespace kelvara::settings
