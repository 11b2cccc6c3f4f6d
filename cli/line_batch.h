// SPDX-License-Identifier: MIT
// kelvara-gen --lines: every line of the input converted on its own, one result per line.
#pragma once

#include <iosfwd>

#include "kelvara/engine/generator.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/tag_options.h"
#include "kelvara/engine/targets.h"

namespace kelvara::cli {

// Converts the lines of `in` with the same options and colours and writes one result per line
// to `out`, each ending in a newline; a refused line gives an empty line there and
// "kelvara-gen: line N: ..." on `err`. The notes on options left out come once, the contrast
// report per line with the line number in front. False when any line was refused; the caller
// checks the output stream.
// With a target, its limit is named in the messages.
bool ConvertLines(const engine::TagOptions& options, const engine::OutputOptions& output,
                  const engine::ColorSource& colors, std::istream& in, std::ostream& out,
                  std::ostream& err, const engine::TargetRow* target = nullptr);

}  // namespace kelvara::cli
