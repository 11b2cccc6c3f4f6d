// SPDX-License-Identifier: MIT
// The page's end of kelvara-gen --image: instead of a file, the picture's pieces and look as
// JSON for the page's canvas.
#pragma once

#include <string>

namespace kelvara::web {

// The last picture planned by a run with --image, taken (and cleared) by whoever asked.
std::string TakePicture();

}  // namespace kelvara::web
