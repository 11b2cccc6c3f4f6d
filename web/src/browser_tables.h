// SPDX-License-Identifier: MIT
// The engine's tables as the page shows them: formats, colour spaces, on/off options, the
// defaults and the limits, so the page never writes a list of its own.
#pragma once

#include <string>

namespace kelvara::web {

std::string TablesJson();

}  // namespace kelvara::web
