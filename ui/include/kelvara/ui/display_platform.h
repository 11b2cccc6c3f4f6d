// SPDX-License-Identifier: MIT
// Which windowing platform the program asks Qt for, decided from the environment alone.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace kelvara::ui {

// A variable of the environment: its value, or nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

struct PlatformChoice {
    // The platform to ask for (QT_QPA_PLATFORM), or nothing to leave Qt's own choice.
    std::optional<std::string> platform;
    // The windows will be on Wayland, where a client can neither keep a window on top nor
    // place it: topmost mode does nothing there, and the user is told so once.
    bool topmostUnavailable = false;
};

// A Wayland session that also has an X server (XWayland) runs the windows on X, where topmost
// mode works; a Wayland-only session runs them on Wayland. A platform the user named in
// QT_QPA_PLATFORM is always kept.
PlatformChoice ChoosePlatform(const EnvironmentLookup& environment);

// The message for standard error when topmost mode is not available.
inline constexpr const char* kNoTopmostMessage =
    "kelvara: this display (Wayland) does not let a window stay on top of others; topmost mode "
    "is not available.\n";

}  // namespace kelvara::ui
