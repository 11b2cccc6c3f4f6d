// A generator run written out as it is produced: the opening tags first, then every
// character's element as the generator makes it, then the closing tags.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "kelvara/engine/generator.h"
#include "utf8_writer.h"

namespace kelvara::cli {

// Runs the generator into out. Returns the refusal message, with nothing written, when the
// text cannot be run with these options.
std::optional<std::u16string> StreamTags(const engine::TagOptions& options,
                                         std::u16string_view text,
                                         const engine::ColorSource& colors, Utf8Writer& out);

}  // namespace kelvara::cli
