// SPDX-License-Identifier: MIT
// A picture as kelvara-gen --image plans it, before anything is drawn: the run's plan, the notes
// on what a picture cannot show, and the look (pixel size, scale, background, outline, shadow)
// from the command line over the settings. The file writer and the browser page both start
// from it.
#pragma once

#include <iosfwd>

#include "image_options.h"
#include "kelvara/engine/generator.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/run_plan.h"
#include "kelvara/picture/picture_job.h"
#include "kelvara/settings/settings_file.h"

namespace kelvara::cli {

struct PlannedPicture {
    int status = 0;  // kExitFailed when the text was refused (the message is written)
    engine::RunPlan plan;
    picture::PictureOptions look;
};

// Plans the settings' text; writes the refusal, or the notes, to err.
PlannedPicture PlanPicture(const ImageRequest& request, const settings::StoredSettings& settings,
                           const engine::OutputOptions& output, const engine::ColorSource& colors,
                           std::ostream& err);

}  // namespace kelvara::cli
