// SPDX-License-Identifier: MIT
// Whole-or-nothing file replacement with the system's reason on failure.
#include "kelvara/engine/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>

namespace kelvara::engine {
namespace {

namespace fs = std::filesystem;

// As many links as the system itself follows before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;
constexpr int kNameAttempts = 16;

constexpr fs::perms kAnyWrite =
    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
constexpr fs::perms kAnyRead =
    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;

class FileCategoryImpl final : public std::error_category {
public:
    [[nodiscard]] const char* name() const noexcept override { return "kelvara.file"; }
    [[nodiscard]] std::string message(int code) const override
    {
        return code == static_cast<int>(FileErrc::NotARegularFile) ? "Not a regular file"
                                                                   : "Unknown file error";
    }
};

std::error_code LastError() { return {errno, std::system_category()}; }

bool AccessDenied(const fs::path& path, int mode)
{
    return ::access(path.c_str(), mode) != 0 && errno == EACCES;
}

// "Lum.ini.tmp" followed by digits only: the names this writer gives its temporary files.
bool IsOwnTemporaryName(const std::string& name, const std::string& prefix)
{
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return false;
        }
    }
    return true;
}

void RemoveStaleTemporaries(const fs::path& target)
{
    const std::string prefix = target.filename().string() + ".tmp";
    const auto limit = fs::file_time_type::clock::now() - kStaleTemporaryAge;
    std::error_code error;
    fs::directory_iterator it(target.parent_path().empty() ? fs::path(".") : target.parent_path(),
                              fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code ignored;
        if (!IsOwnTemporaryName(it->path().filename().string(), prefix) ||
            !it->is_regular_file(ignored) || it->is_symlink(ignored)) {
            continue;
        }
        const auto written = it->last_write_time(ignored);
        if (!ignored && written < limit) {
            fs::remove(it->path(), ignored);
        }
    }
}

// Creates a new file beside target under a name no other writer picks at the same moment.
int CreateTemporary(const fs::path& target, fs::path& temporary, std::error_code& error)
{
    std::random_device device;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary = target;
        temporary += ".tmp" + std::to_string(device());
        const int descriptor =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) {
            error = descriptor >= 0 ? std::error_code() : LastError();
            return descriptor;
        }
    }
    error = std::make_error_code(std::errc::file_exists);
    return -1;
}

}  // namespace

std::error_code WriteAll(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return LastError();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

const std::error_category& FileCategory()
{
    static const FileCategoryImpl category;
    return category;
}

std::error_code make_error_code(FileErrc code) { return {static_cast<int>(code), FileCategory()}; }

fs::path FinalTarget(const fs::path& path, std::error_code& error)
{
    error.clear();
    fs::path current = path;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        const fs::file_status status = fs::symlink_status(current, error);
        if (error && status.type() != fs::file_type::not_found) {
            return current;
        }
        error.clear();
        if (status.type() != fs::file_type::symlink) {
            return current;
        }
        const fs::path link = fs::read_symlink(current, error);
        if (error) {
            return current;
        }
        current = link.is_absolute() ? link : current.parent_path() / link;
    }
    error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return current;
}

bool IsReadOnlyFile(const fs::path& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::is_regular_file(status)) {
        return false;
    }
    return (status.permissions() & kAnyWrite) == fs::perms::none || AccessDenied(path, W_OK);
}

bool IsUnreadableFile(const fs::path& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error || !fs::is_regular_file(status)) {
        return false;
    }
    return (status.permissions() & kAnyRead) == fs::perms::none || AccessDenied(path, R_OK);
}

bool IsWritableFolder(const fs::path& folder)
{
    std::error_code error;
    const fs::file_status status = fs::status(folder, error);
    if (error || !fs::is_directory(status)) {
        return false;
    }
    return (status.permissions() & kAnyWrite) != fs::perms::none &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::error_code WriteFileAtomically(const fs::path& path, std::string_view bytes)
{
    // The link stays a link: the new file takes the place of the file it points to.
    std::error_code error;
    const fs::path target = FinalTarget(path, error);
    if (error) {
        return error;
    }
    const fs::file_status status = fs::status(target, error);
    const bool exists = !error && fs::exists(status);
    if (error && status.type() != fs::file_type::not_found) {
        return error;
    }
    if (exists) {
        if (fs::is_directory(status)) {
            return std::make_error_code(std::errc::is_a_directory);
        }
        if (!fs::is_regular_file(status)) {
            return FileErrc::NotARegularFile;
        }
        // A rename ignores the mode of the file it replaces; the user's "read-only" must not.
        if (IsReadOnlyFile(target)) {
            return std::make_error_code(std::errc::permission_denied);
        }
    }

    RemoveStaleTemporaries(target);
    fs::path temporary;
    const int descriptor = CreateTemporary(target, temporary, error);
    if (descriptor < 0) {
        return error;
    }
    error = WriteAll(descriptor, bytes);
    // The replacement keeps the permissions the user gave the old file.
    if (!error && exists &&
        ::fchmod(descriptor, static_cast<mode_t>(status.permissions() & fs::perms::mask)) != 0) {
        error = LastError();
    }
    if (::close(descriptor) != 0 && !error) {
        error = LastError();
    }
    if (!error) {
        fs::rename(temporary, target, error);
    }
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    }
    return error;
}

}  // namespace kelvara::engine
