// SPDX-License-Identifier: MIT
// Box blurs of the text's coverage for the soft shadow.
#include "picture_blur.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kelvara::picture::detail {

int ShadowBlurRadius(double effect, int scale)
{
    return std::max(1, static_cast<int>(std::lround(effect * scale / 2)));
}

double ShadowDeviation(double effect, int scale)
{
    const double r = ShadowBlurRadius(effect, scale);
    return std::sqrt(r * (r + 1)) / scale;  // three boxes of 2r + 1: variance r(r + 1)
}

namespace {

// One box blur along a row or column of `count` values `stride` apart. An average of bytes is a
// byte: the coverage takes a quarter of the memory an int would.
void BoxLine(std::vector<unsigned char>& values, std::size_t start, std::size_t stride,
             std::size_t count, int radius, std::vector<unsigned char>& scratch)
{
    scratch.assign(count, 0);
    const auto r = static_cast<long>(radius);
    const long n = static_cast<long>(count);
    long sum = 0;
    auto at = [&](long i) {
        return i < 0 || i >= n ? 0 : values[start + static_cast<std::size_t>(i) * stride];
    };
    for (long i = -r; i <= r; ++i) sum += at(i);
    const long width = 2 * r + 1;
    for (long i = 0; i < n; ++i) {
        scratch[static_cast<std::size_t>(i)] = static_cast<unsigned char>(sum / width);
        sum += at(i + r + 1) - at(i - r);
    }
    for (long i = 0; i < n; ++i) {
        values[start + static_cast<std::size_t>(i) * stride] = scratch[static_cast<std::size_t>(i)];
    }
}

}  // namespace

QImage Shadow(const QImage& text, const QColor& color, int radius)
{
    const auto w = static_cast<std::size_t>(text.width());
    const auto h = static_cast<std::size_t>(text.height());
    std::vector<unsigned char> alpha(w * h);
    for (std::size_t y = 0; y < h; ++y) {
        const auto* line =
            reinterpret_cast<const QRgb*>(text.constScanLine(static_cast<int>(y)));  // NOLINT
        for (std::size_t x = 0; x < w; ++x) {
            alpha[y * w + x] = static_cast<unsigned char>(qAlpha(line[x]));
        }
    }
    std::vector<unsigned char> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (std::size_t y = 0; y < h; ++y) BoxLine(alpha, y * w, 1, w, radius, scratch);
        for (std::size_t x = 0; x < w; ++x) BoxLine(alpha, x, w, h, radius, scratch);
    }
    QImage shadow(text.size(), QImage::Format_ARGB32_Premultiplied);
    if (shadow.isNull()) return shadow;
    for (std::size_t y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(shadow.scanLine(static_cast<int>(y)));  // NOLINT
        for (std::size_t x = 0; x < w; ++x) {
            const int a = alpha[y * w + x];
            line[x] =
                qRgba(color.red() * a / 255, color.green() * a / 255, color.blue() * a / 255, a);
        }
    }
    return shadow;
}

}  // namespace kelvara::picture::detail
