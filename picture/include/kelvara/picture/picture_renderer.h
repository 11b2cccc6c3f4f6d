// SPDX-License-Identifier: MIT
// The one renderer of pictures, for the picture module and the window: lays the pieces out
// with Qt and draws them as pixels, PNG or SVG. Needs a QGuiApplication.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "kelvara/picture/picture_abi.h"

namespace kelvara::picture {

// The picture in device pixels (scale times its size), premultiplied ARGB.
QImage RenderImage(const KelvaraPictureRequest& request);

// 8-bit RGBA PNG with `description` as its Description text (tEXt, iTXt when not ASCII).
QByteArray PngBytes(const QImage& image, const QString& description);

// The SVG file: the text as text, with the same layout, outline, shadow and gradient.
QByteArray SvgBytes(const KelvaraPictureRequest& request);

// PNG or SVG, as the request's kind says.
QByteArray RenderPicture(const KelvaraPictureRequest& request);

}  // namespace kelvara::picture
