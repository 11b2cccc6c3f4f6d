// SPDX-License-Identifier: MIT
// The page's end of kelvara-gen --image: instead of a file, the picture's pieces and look as
// JSON for the page's canvas.
#pragma once

#include <cstdint>
#include <string>

namespace kelvara::web {

// The last picture planned by a run with --image, taken (and cleared) by whoever asked.
std::string TakePicture();

// kelvara-gen's message for the last picture when the page's layout makes it too large to
// open (over kMaxSide or kMaxArea device pixels), or nothing.
std::string TooLargeMessage(std::int64_t width, std::int64_t height);

}  // namespace kelvara::web
