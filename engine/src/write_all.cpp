// SPDX-License-Identifier: MIT
// The one POSIX write loop: the atomic writer's, and kelvara-gen's standard output's (which
// the browser page has too, without the files).
#include <unistd.h>

#include <cerrno>

#include "kelvara/engine/atomic_file.h"

namespace kelvara::engine {

std::error_code WriteAll(int descriptor, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {errno, std::system_category()};
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

}  // namespace kelvara::engine
