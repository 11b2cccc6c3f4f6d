// SPDX-License-Identifier: MIT
// The classic run on its own: FONT tags from the classic arithmetic, with no output options
// to look at, for the generator's classic entry points.
#pragma once

#include "kelvara/engine/characters.h"
#include "kelvara/engine/generator.h"
#include "kelvara/engine/tag_options.h"

namespace kelvara::engine::detail {

// The text must have passed CheckLength.
RunOutcome RunClassicFont(const TagOptions& options, const CharacterText& text,
                          const ColorSource& colors, TagSink& sink, RunHook* hook);

}  // namespace kelvara::engine::detail
