// SPDX-License-Identifier: MIT
// The soft shadow: the text's coverage blurred (three box blurs, close to a Gaussian) and
// tinted; the SVG filter uses the same spread.
#pragma once

#include <QColor>
#include <QImage>

namespace kelvara::picture::detail {

// The box radius in device pixels for an effect width in picture pixels.
int ShadowBlurRadius(double effect, int scale);
// The standard deviation of three box blurs of that radius, in picture pixels.
double ShadowDeviation(double effect, int scale);

QImage Shadow(const QImage& text, const QColor& color, int radius);

}  // namespace kelvara::picture::detail
