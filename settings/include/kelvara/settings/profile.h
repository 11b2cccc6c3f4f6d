// The profile store: an INI file in Shift-JIS with the behaviour of the classic Windows
// private-profile calls (case-insensitive names, blanks ignored, values cut to the read size).
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kelvara::settings {

// One INI file held in memory as its lines. Edits keep every other line as it was.
class ProfileFile {
public:
    ProfileFile();
    ~ProfileFile();
    ProfileFile(ProfileFile&&) noexcept;
    ProfileFile& operator=(ProfileFile&&) noexcept;

    // A missing or unreadable file gives an empty profile.
    static ProfileFile Load(const std::filesystem::path& path);
    // A missing file gives an empty profile; one that exists but cannot be read gives nothing,
    // so that a save does not replace it with a file holding only the new entries.
    static std::optional<ProfileFile> TryLoad(const std::filesystem::path& path);
    static ProfileFile FromBytes(std::string_view bytes);

    // The value, cut to size - 1 bytes of Shift-JIS (no dangling lead byte); empty when
    // the section or key is missing.
    [[nodiscard]] std::u16string Read(std::u16string_view section, std::u16string_view key,
                                      std::size_t size) const;
    // Creates section and key as needed; new sections at the end, new keys at the end of
    // their section.
    void Write(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    [[nodiscard]] std::string Bytes() const;
    // Writes a temporary file beside path and renames it over path. False on failure.
    bool Save(const std::filesystem::path& path) const;

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
