// SPDX-License-Identifier: MIT
// Colour spaces for gradients beyond the classic RGB stepping: OKLab and its polar form
// OKLCH (sRGB transfer function), interpolation over evenly spaced stops, and the WCAG 2
// contrast ratio.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "kelvara/engine/color.h"

namespace kelvara::engine {

enum class ColorSpace { Rgb, OkLab, OkLch };

struct OkLab {
    double L = 0;
    double a = 0;
    double b = 0;
};

struct OkLch {
    double L = 0;
    double C = 0;
    double h = 0;  // degrees, 0 up to 360
};

// sRGB component 0..255 to linear light 0..1, and linear light to an sRGB value 0..1
// (unrounded, unclipped).
double SrgbToLinear(int component);
double LinearToSrgb(double linear);

OkLab ToOkLab(const Rgb& rgb);
// Rounded to the nearest integer and clipped to 0..255 per component.
Rgb FromOkLab(const OkLab& lab);
OkLch ToOkLch(const OkLab& lab);
OkLab FromOkLch(const OkLch& lch);

// Colours along stops spaced evenly over [0, 1], interpolated in one space: linear per
// component for Rgb, linear in L, a, b for OkLab, the shorter way round the hue circle for
// OkLch (a grey end takes the other end's hue). Results are rounded and clipped to 0..255.
class Gradient {
public:
    // `stops` holds at least one colour.
    Gradient(std::span<const Rgb> stops, ColorSpace space);

    // t of 0 or less gives the first stop exactly, 1 or more the last, a t on a stop that stop.
    [[nodiscard]] Rgb At(double t) const;
    [[nodiscard]] const std::vector<Rgb>& Stops() const { return m_stops; }
    [[nodiscard]] ColorSpace Space() const { return m_space; }

private:
    std::vector<Rgb> m_stops;
    ColorSpace m_space;
    std::vector<OkLab> m_lab;
    std::vector<OkLch> m_lch;
};

// The index of the colour of `palette` (not empty) nearest to `color` by distance in OKLab;
// the first of equally near ones.
std::size_t NearestInOkLab(std::span<const Rgb> palette, const Rgb& color);

// WCAG 2 relative luminance (0..1) and contrast ratio (1..21).
double RelativeLuminance(const Rgb& rgb);
double ContrastRatio(const Rgb& first, const Rgb& second);

}  // namespace kelvara::engine
