// SPDX-License-Identifier: MIT
// OKLab / OKLCH conversions (Björn Ottosson's matrices), stop interpolation and the WCAG 2
// contrast ratio. Linear light goes back to 8-bit sRGB through a table of rounding
// thresholds, so a gradient of many characters costs no power function per character.
#include "kelvara/engine/color_space.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

namespace kelvara::engine {
namespace {

double Decode(double encoded)
{
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

// Linear-light values at which the rounded sRGB component steps from k to k + 1.
const std::array<double, 255>& Thresholds()
{
    static const std::array<double, 255> table = [] {
        std::array<double, 255> t{};
        for (std::size_t k = 0; k < t.size(); ++k) {
            t[k] = Decode((static_cast<double>(k) + 0.5) / 255.0);
        }
        return t;
    }();
    return table;
}

const std::array<double, 256>& LinearTable()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (std::size_t k = 0; k < t.size(); ++k) t[k] = Decode(static_cast<double>(k) / 255.0);
        return t;
    }();
    return table;
}

// floor(255 * encode(linear) + 0.5), clipped to 0..255.
int SearchedComponent(double linear)
{
    const auto& t = Thresholds();
    return static_cast<int>(std::upper_bound(t.begin(), t.end(), linear) - t.begin());
}

constexpr int kGuesses = 4096;

// The component at the start of each of kGuesses equal steps of linear light.
const std::array<std::uint8_t, kGuesses + 1>& Guesses()
{
    static const std::array<std::uint8_t, kGuesses + 1> table = [] {
        std::array<std::uint8_t, kGuesses + 1> g{};
        for (int i = 0; i <= kGuesses; ++i) {
            g[static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(SearchedComponent(static_cast<double>(i) / kGuesses));
        }
        return g;
    }();
    return table;
}

// As SearchedComponent, from a table guess corrected by a step or two: cheaper than a
// search per component when every character needs a colour.
int RoundedComponent(double linear)
{
    if (!(linear > 0)) return SearchedComponent(linear);  // also NaN
    if (linear >= 1) return 255;
    const auto& t = Thresholds();
    int k = Guesses()[static_cast<std::size_t>(linear * kGuesses)];
    while (k < 255 && linear >= t[static_cast<std::size_t>(k)]) ++k;
    while (k > 0 && linear < t[static_cast<std::size_t>(k - 1)]) --k;
    return k;
}

int RoundClip(double value)
{
    const double rounded = std::floor(value + 0.5);
    return static_cast<int>(std::clamp(rounded, 0.0, 255.0));
}

constexpr double kDegrees = 180.0 / std::numbers::pi;
// Below this chroma a colour counts as grey and its hue carries no meaning.
constexpr double kGreyChroma = 1e-4;

}  // namespace

double SrgbToLinear(int component)
{
    return LinearTable()[static_cast<std::size_t>(component & 0xFF)];
}

double LinearToSrgb(double linear)
{
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

OkLab ToOkLab(const Rgb& rgb)
{
    const double r = SrgbToLinear(rgb.red);
    const double g = SrgbToLinear(rgb.green);
    const double b = SrgbToLinear(rgb.blue);
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return OkLab{0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
                 1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
                 0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

Rgb FromOkLab(const OkLab& lab)
{
    const double l1 = lab.L + 0.3963377774 * lab.a + 0.2158037573 * lab.b;
    const double m1 = lab.L - 0.1055613458 * lab.a - 0.0638541728 * lab.b;
    const double s1 = lab.L - 0.0894841775 * lab.a - 1.2914855480 * lab.b;
    const double l = l1 * l1 * l1;
    const double m = m1 * m1 * m1;
    const double s = s1 * s1 * s1;
    return Rgb{RoundedComponent(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s),
               RoundedComponent(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s),
               RoundedComponent(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s)};
}

OkLch ToOkLch(const OkLab& lab)
{
    double h = std::atan2(lab.b, lab.a) * kDegrees;
    if (h < 0) h += 360.0;
    return OkLch{lab.L, std::hypot(lab.a, lab.b), h};
}

OkLab FromOkLch(const OkLch& lch)
{
    const double radians = lch.h / kDegrees;
    return OkLab{lch.L, lch.C * std::cos(radians), lch.C * std::sin(radians)};
}

Gradient::Gradient(std::span<const Rgb> stops, ColorSpace space)
    : m_stops(stops.begin(), stops.end()), m_space(space)
{
    if (m_stops.empty()) m_stops.push_back(Rgb{});
    if (space == ColorSpace::Rgb) return;
    for (const Rgb& stop : m_stops) m_lab.push_back(ToOkLab(stop));
    if (space == ColorSpace::OkLch) {
        for (const OkLab& lab : m_lab) m_lch.push_back(ToOkLch(lab));
    }
}

Rgb Gradient::At(double t) const
{
    const std::size_t last = m_stops.size() - 1;
    if (last == 0 || t <= 0) return m_stops.front();
    if (t >= 1) return m_stops.back();
    const double position = t * static_cast<double>(last);
    const auto segment = std::min(static_cast<std::size_t>(position), last - 1);
    const double u = position - static_cast<double>(segment);
    if (u <= 0) return m_stops[segment];
    if (u >= 1) return m_stops[segment + 1];

    switch (m_space) {
        case ColorSpace::Rgb: {
            const Rgb& a = m_stops[segment];
            const Rgb& b = m_stops[segment + 1];
            return Rgb{RoundClip(a.red + (b.red - a.red) * u),
                       RoundClip(a.green + (b.green - a.green) * u),
                       RoundClip(a.blue + (b.blue - a.blue) * u)};
        }
        case ColorSpace::OkLab: {
            const OkLab& a = m_lab[segment];
            const OkLab& b = m_lab[segment + 1];
            return FromOkLab(
                OkLab{a.L + (b.L - a.L) * u, a.a + (b.a - a.a) * u, a.b + (b.b - a.b) * u});
        }
        case ColorSpace::OkLch: {
            const OkLch& a = m_lch[segment];
            const OkLch& b = m_lch[segment + 1];
            double h1 = a.h;
            double h2 = b.h;
            if (a.C < kGreyChroma) h1 = h2;
            if (b.C < kGreyChroma) h2 = h1;
            double dh = h2 - h1;
            if (dh > 180) dh -= 360;
            if (dh < -180) dh += 360;
            return FromOkLab(
                FromOkLch(OkLch{a.L + (b.L - a.L) * u, a.C + (b.C - a.C) * u, h1 + dh * u}));
        }
    }
    return m_stops.front();
}

std::size_t NearestInOkLab(std::span<const Rgb> palette, const Rgb& color)
{
    const OkLab lab = ToOkLab(color);
    std::size_t nearest = 0;
    double least = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const OkLab other = ToOkLab(palette[i]);
        const double dL = lab.L - other.L;
        const double da = lab.a - other.a;
        const double db = lab.b - other.b;
        const double distance = dL * dL + da * da + db * db;
        if (distance < least) {
            least = distance;
            nearest = i;
        }
    }
    return nearest;
}

double RelativeLuminance(const Rgb& rgb)
{
    return 0.2126 * SrgbToLinear(rgb.red) + 0.7152 * SrgbToLinear(rgb.green) +
           0.0722 * SrgbToLinear(rgb.blue);
}

double ContrastRatio(const Rgb& first, const Rgb& second)
{
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

}  // namespace kelvara::engine
