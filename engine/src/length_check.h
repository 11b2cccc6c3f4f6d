// SPDX-License-Identifier: MIT
// The length check of a gradient run, which takes a single character too.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace kelvara::engine::detail {

// The message for an empty or too long text, or nothing.
std::optional<std::u16string> CheckGradientLength(std::size_t characters);

}  // namespace kelvara::engine::detail
