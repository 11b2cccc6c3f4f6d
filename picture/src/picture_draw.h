// SPDX-License-Identifier: MIT
// Drawing a laid-out picture: as pixels and a PNG file, or as an SVG file.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "kelvara/picture/picture_abi.h"
#include "picture_layout.h"

namespace kelvara::picture::detail {

// The picture in device pixels (scale times its size), premultiplied ARGB; null when its memory
// cannot be had.
QImage DrawImage(const KelvaraPictureRequest& request, const PictureLayout& layout);

// 8-bit RGBA PNG with `description` as its Description text (tEXt, iTXt when not ASCII); empty
// for a null image.
QByteArray PngBytes(const QImage& image, const QString& description);

// The SVG file: the text as text, a <text> element per line, with the same layout, outline,
// shadow and gradient.
QByteArray SvgBytes(const KelvaraPictureRequest& request, const PictureLayout& layout);

}  // namespace kelvara::picture::detail
