// SPDX-License-Identifier: MIT
// Loading the picture module on demand: only a run that asks for a picture loads it (and with
// it Qt); it lies at the same place relative to the program in the build tree and installed.
#pragma once

#include <string>

#include "kelvara/picture/picture_abi.h"
#include "kelvara/picture/picture_limits.h"

namespace kelvara::picture {

struct PictureBytes {
    std::string bytes;
    std::string error;      // why nothing was drawn, when bytes is empty
    PictureSize size;       // in device pixels, worked out before drawing
    bool tooLarge = false;  // nothing drawn: the size is over the limits
};

// Draws the request with the module, loading it on the first call.
PictureBytes RenderWithModule(const KelvaraPictureRequest& request);

// Whether this process has loaded the module.
bool ModuleLoaded();

}  // namespace kelvara::picture
