// SPDX-License-Identifier: MIT
// Runs a reader script of another program's parser under node. The scripts answer in two
// lines: the coloured text as JSON (as the json format's reader reads it), then words that
// describe it (wrappers, styles), separated by spaces.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format_readers.h"

namespace kelvara::engine::testing {

// `node SCRIPT ARGUMENTS FILE`, FILE holding `text` in UTF-8, and its answer; nothing when the
// script failed or answered otherwise. `arguments` are words without quotes.
std::optional<std::vector<ColoredText>> ReadWithNode(const std::string& script,
                                                     const std::string& arguments,
                                                     std::u16string_view text,
                                                     std::vector<std::u16string>* words);

}  // namespace kelvara::engine::testing
