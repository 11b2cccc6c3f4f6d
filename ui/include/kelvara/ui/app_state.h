// SPDX-License-Identifier: MIT
// The state every window shares, owned by the application and handed to each window.
#pragma once

#include <QString>
#include <array>

#include "kelvara/engine/tag_options.h"
#include "kelvara/settings/output_settings.h"

namespace kelvara::ui {

struct AppState {
    engine::TagOptions TagOptions;
    QString ResultTags;                   // the last generated (or sent-back) tag string
    std::array<QString, 12> SavedColors;  // 0 = most recently saved; empty = nothing saved
    QString ProgramFolder;                // where temp.html lives (and Lum.ini, unless set below)
    QString SettingsFile;  // Lum.ini read at start-up, written at exit; empty: ProgramFolder's
    QString FallbackSettingsFile;     // read at start-up instead while SettingsFile does not exist
    settings::OutputSettings Output;  // format, colour space, extra stops, limit, contrast
};

}  // namespace kelvara::ui
