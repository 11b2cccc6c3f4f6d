// SPDX-License-Identifier: MIT
// The one renderer of pictures, for the picture module and the window: lays the pieces out
// with Qt and draws them as pixels, PNG or SVG. Needs a QGuiApplication.
#pragma once

#include <QByteArray>

#include "kelvara/picture/picture_abi.h"
#include "kelvara/picture/picture_limits.h"

namespace kelvara::picture {

struct RenderedPicture {
    QByteArray bytes;  // PNG or SVG; empty when the size is over the limits or drawing failed
    PictureSize size;  // in device pixels, worked out before anything is drawn

    [[nodiscard]] bool TooLarge() const { return OverLimit(size) != SizeLimit::None; }
};

// PNG (8-bit RGBA, the text as its Description) or SVG (the text as text), as the request's
// kind says; nothing at all when the picture would be larger than the limits.
RenderedPicture RenderPicture(const KelvaraPictureRequest& request);

}  // namespace kelvara::picture
