// SPDX-License-Identifier: MIT
// The windowing platform chosen from WAYLAND_DISPLAY, DISPLAY and QT_QPA_PLATFORM.
#include "kelvara/ui/display_platform.h"

namespace kelvara::ui {
namespace {

bool IsSet(const std::optional<std::string>& value) { return value && !value->empty(); }

// Qt takes a list of platforms separated by ";" and uses the first one that loads.
bool NamesWaylandFirst(const std::string& platforms) { return platforms.starts_with("wayland"); }

}  // namespace

PlatformChoice ChoosePlatform(const EnvironmentLookup& environment)
{
    const std::optional<std::string> chosen = environment("QT_QPA_PLATFORM");
    if (IsSet(chosen)) return {std::nullopt, NamesWaylandFirst(*chosen)};
    const bool wayland = IsSet(environment("WAYLAND_DISPLAY"));
    const bool x11 = IsSet(environment("DISPLAY"));
    if (wayland && x11) return {"xcb", false};
    return {std::nullopt, wayland};
}

}  // namespace kelvara::ui
