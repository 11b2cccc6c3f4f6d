// SPDX-License-Identifier: MIT
// kelvara-gen --image: the run drawn as a PNG or SVG file instead of written as text.
#pragma once

#include <iosfwd>

#include "image_options.h"
#include "kelvara/engine/generator.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/tag_options.h"

namespace kelvara::cli {

// Draws the text into request.file; the exit status. Nothing goes to standard output.
int WriteImage(const ImageRequest& request, const engine::TagOptions& options,
               const engine::OutputOptions& output, std::u16string_view text,
               const engine::ColorSource& colors, std::ostream& err);

}  // namespace kelvara::cli
