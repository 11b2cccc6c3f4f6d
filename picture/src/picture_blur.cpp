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

// One box blur along a row of `count` values from `start`. An average of bytes is a byte: the
// coverage takes a quarter of the memory an int would.
void BoxRow(std::vector<unsigned char>& values, std::size_t start, std::size_t count, int radius,
            std::vector<unsigned char>& scratch)
{
    scratch.assign(count, 0);
    const auto r = static_cast<long>(radius);
    const long n = static_cast<long>(count);
    long sum = 0;
    auto at = [&](long i) {
        return i < 0 || i >= n ? 0 : values[start + static_cast<std::size_t>(i)];
    };
    for (long i = -r; i <= r; ++i) sum += at(i);
    const long width = 2 * r + 1;
    for (long i = 0; i < n; ++i) {
        scratch[static_cast<std::size_t>(i)] = static_cast<unsigned char>(sum / width);
        sum += at(i + r + 1) - at(i - r);
    }
    for (long i = 0; i < n; ++i) {
        values[start + static_cast<std::size_t>(i)] = scratch[static_cast<std::size_t>(i)];
    }
}

// The same box blur down every column of a w x h coverage at once, a row at a time, so that
// the memory is read in the order it lies (a column at a time took most of a large picture's
// time).
void BoxColumns(std::vector<unsigned char>& values, std::size_t w, std::size_t h, int radius,
                std::vector<unsigned char>& out, std::vector<long>& sums)
{
    const auto r = static_cast<std::size_t>(radius);
    const long width = 2 * static_cast<long>(r) + 1;
    out.resize(values.size());
    sums.assign(w, 0);
    const auto addRow = [&](std::size_t y, long sign) {
        const unsigned char* row = values.data() + y * w;
        for (std::size_t x = 0; x < w; ++x) sums[x] += sign * row[x];
    };
    for (std::size_t y = 0; y <= r && y < h; ++y) addRow(y, 1);
    for (std::size_t y = 0; y < h; ++y) {
        unsigned char* row = out.data() + y * w;
        for (std::size_t x = 0; x < w; ++x) row[x] = static_cast<unsigned char>(sums[x] / width);
        if (y + r + 1 < h) addRow(y + r + 1, 1);
        if (y >= r) addRow(y - r, -1);
    }
    values.swap(out);
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
    std::vector<long> sums;
    for (int pass = 0; pass < 3; ++pass) {
        for (std::size_t y = 0; y < h; ++y) BoxRow(alpha, y * w, w, radius, scratch);
        BoxColumns(alpha, w, h, radius, scratch, sums);
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
