// SPDX-License-Identifier: MIT
// What reading a file hands back: its contents, or, when it cannot be read, the contents of a
// missing file together with the system's reason. Writes return just the reason.
#pragma once

#include <system_error>

namespace kelvara::engine {

// The value read; when the file exists but cannot be read, value is what a missing file gives
// and error says why. A missing file is not an error unless the reader says otherwise.
template <class T>
struct [[nodiscard]] FileRead {
    T value;
    std::error_code error;
};

}  // namespace kelvara::engine
