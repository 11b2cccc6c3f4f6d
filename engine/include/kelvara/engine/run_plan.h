// SPDX-License-Identifier: MIT
// A run without markup: the text of every character (or of every group, when the output is
// fitted into a length limit) with its colour and size, for outputs that draw rather than write.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "kelvara/engine/color.h"
#include "kelvara/engine/generator.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/tag_options.h"

namespace kelvara::engine {

struct PlannedRun {
    std::u16string text;
    Rgb color;
    // HTML size 1..7 as written (font modes 0 to 2; mode 0 gives h_NFontSize), or the pixel
    // size (modes 3 and 4).
    long long size = 0;
};

struct RunPlan {
    std::vector<PlannedRun> runs;  // empty when refused
    // The css format's one gradient: its colours, evenly spaced from start to end.
    std::vector<Rgb> gradient;
    RunReport report;
    bool refused = false;
};

// The same characters, colours, sizes and grouping that GenerateFormatted writes.
RunPlan PlanRun(const TagOptions& options, const OutputOptions& output, std::u16string_view text,
                const ColorSource& colors);

}  // namespace kelvara::engine
