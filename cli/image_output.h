// SPDX-License-Identifier: MIT
// kelvara-gen --image: the run drawn as a PNG or SVG file instead of written as text.
#pragma once

#include <iosfwd>

#include "image_options.h"
#include "kelvara/engine/generator.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/tag_options.h"
#include "kelvara/settings/settings_file.h"

namespace kelvara::cli {

// Draws the settings' text into request.file; the exit status. Nothing goes to standard output.
// The picture options given on the command line override those of the settings (section
// Output: ImagePx, ImageBack with the background colour, Outline, Shadow, ImageWrap).
int WriteImage(const ImageRequest& request, const settings::StoredSettings& settings,
               const engine::OutputOptions& output, const engine::ColorSource& colors,
               std::ostream& err);

}  // namespace kelvara::cli
