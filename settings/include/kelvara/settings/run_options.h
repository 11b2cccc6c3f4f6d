// SPDX-License-Identifier: MIT
// From settings to a run: the one way the window and kelvara-gen turn the loaded settings,
// with kelvara-gen's command-line overrides, into the engine's options.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "kelvara/engine/color.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/tag_options.h"
#include "kelvara/engine/targets.h"
#include "kelvara/settings/output_settings.h"
#include "kelvara/settings/settings_file.h"

namespace kelvara::settings {

// Output choices given on kelvara-gen's command line; unset ones leave the settings alone.
struct OutputOverrides {
    std::optional<engine::OutputFormat> format;
    std::optional<engine::ColorSpace> space;
    std::optional<std::vector<engine::Rgb>> stops;  // replaces every colour of the settings
    std::optional<std::size_t> fit;
    std::optional<engine::Rgb> contrast;  // checked against this colour instead of the background
    // Sets the format and the limit (before the format and limit given here).
    const engine::TargetRow* target = nullptr;
};

// The overrides become the settings as they would be saved. Stops become the first colour, the
// last colour, two colours and the extra stops between them (three colours, the second stop the
// middle one, when the extra stops could not hold the rest). A contrast colour turns the check
// on; the colour itself is a run's, not a setting (see ContrastBackground).
void ApplyOverrides(StoredSettings& settings, const OutputOverrides& overrides);

// The colour texts of a run, as the colour fields hold them.
struct RunColors {
    std::u16string_view first;
    std::u16string_view middle;
    std::u16string_view last;
    std::u16string_view background;  // what the contrast is checked against
};

// The engine's options for a run with these choices. With extra stops the stops are the first
// colour, the middle one when h_ColorCount is 3, the extra stops in order, and the last colour;
// without, the engine reads the colour fields itself. The contrast is checked against the
// background colour when Contrast is 1.
engine::OutputOptions RunOptions(const OutputSettings& output, const engine::TagOptions& options,
                                 const RunColors& colors);

}  // namespace kelvara::settings
