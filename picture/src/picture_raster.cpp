// SPDX-License-Identifier: MIT
// Drawing a picture as pixels: shadow, outline, fill; and its PNG file with the text as the
// picture's description.
#include <zlib.h>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "picture_blur.h"
#include "picture_draw.h"

namespace kelvara::picture::detail {
namespace {

// The gradient of the css format along one line: its stretch of the one gradient that runs over
// the whole text, left to right (top to bottom), line after line.
QLinearGradient TextGradient(const KelvaraPictureRequest& r, const PlacedLine& line)
{
    QLinearGradient gradient(line.gradientStart, line.gradientEnd);
    const std::size_t n = r.gradientCount;
    for (std::size_t i = 0; i < n; ++i) {
        const double at = n > 1 ? static_cast<double>(i) / static_cast<double>(n - 1) : 0.0;
        gradient.setColorAt(at, ColorOf(r.gradient[i]));
    }
    return gradient;
}

// Null when the memory cannot be had.
QImage Blank(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull()) image.fill(Qt::transparent);
    return image;
}

// The pieces in their colours, or in one gradient, drawn over `target`; false when the memory
// for the gradient's layer cannot be had.
bool DrawFill(const KelvaraPictureRequest& r, const PictureLayout& layout, QImage& target,
              int scale)
{
    const bool gradient = r.gradientCount > 0;
    // A gradient is painted into the glyphs' own coverage, so it needs a layer of its own.
    QImage layer = gradient ? Blank(target.size()) : QImage();
    if (gradient && layer.isNull()) return false;
    {
        QPainter painter(gradient ? &layer : &target);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(scale, scale);
        for (const PlacedPiece& piece : layout.pieces) {
            painter.setPen(piece.color);
            piece.layout->draw(&painter, piece.origin);
        }
        if (gradient) {
            painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
            for (const PlacedLine& line : layout.lines) {
                painter.fillRect(line.band, TextGradient(r, line));
            }
        }
    }
    if (gradient) QPainter(&target).drawImage(0, 0, layer);
    return true;
}

void DrawOutline(const KelvaraPictureRequest& r, const PictureLayout& layout, QImage& target,
                 int scale)
{
    const QColor color = ColorOf(static_cast<std::uint32_t>(r.outline));
    QPainter painter(&target);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    // Twice the width, centred on the edge: the fill covers the inner half.
    painter.setPen(QPen(color, 2 * layout.effect, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(color);
    painter.drawPath(GlyphOutlines(layout));
}

// Appends a PNG chunk: length, type, data, CRC of type and data.
void AppendChunk(QByteArray& out, const char* type, const QByteArray& data)
{
    const auto length = static_cast<std::uint32_t>(data.size());
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.append(static_cast<char>((length >> static_cast<unsigned>(shift)) & 0xFFU));
    }
    QByteArray body(type, 4);
    body.append(data);
    out.append(body);
    const auto crc = static_cast<std::uint32_t>(
        crc32(0L, reinterpret_cast<const Bytef*>(body.constData()),  // NOLINT
              static_cast<uInt>(body.size())));
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.append(static_cast<char>((crc >> static_cast<unsigned>(shift)) & 0xFFU));
    }
}

bool IsPlainAscii(const QString& text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; });
}

// The Description text chunk: tEXt for printable ASCII, uncompressed iTXt (UTF-8) otherwise.
QByteArray DescriptionChunk(const QString& description)
{
    QByteArray chunk;
    QByteArray data("Description");
    data.append('\0');
    if (IsPlainAscii(description)) {
        data.append(description.toLatin1());
        AppendChunk(chunk, "tEXt", data);
    } else {
        data.append('\0');  // not compressed
        data.append('\0');  // compression method
        data.append('\0');  // no language tag
        data.append('\0');  // no translated keyword
        data.append(description.toUtf8());
        AppendChunk(chunk, "iTXt", data);
    }
    return chunk;
}

// Row y as filter type 1 (each byte less the one four bytes before), straight RGBA.
void FilterRow(const QImage& source, int y, std::vector<unsigned char>& row)
{
    const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));  // NOLINT
    unsigned char* out = row.data();
    *out++ = 1;
    std::array<unsigned char, 4> before{};
    const std::size_t width = (row.size() - 1) / 4;
    for (std::size_t x = 0; x < width; ++x) {
        const QRgb p = qUnpremultiply(line[x]);
        const std::array<unsigned char, 4> rgba{
            static_cast<unsigned char>(qRed(p)), static_cast<unsigned char>(qGreen(p)),
            static_cast<unsigned char>(qBlue(p)), static_cast<unsigned char>(qAlpha(p))};
        for (std::size_t c = 0; c < 4; ++c) {
            *out++ = static_cast<unsigned char>(rgba[c] - before[c]);
        }
        before = rgba;
    }
}

}  // namespace

QImage DrawImage(const KelvaraPictureRequest& r, const PictureLayout& layout)
{
    const int scale = std::clamp(r.scale, kMinScale, kMaxScale);
    const QSize size = layout.size * scale;
    QImage picture = Blank(size);
    if (picture.isNull()) return {};
    if (r.back != kKelvaraNoColor) picture.fill(ColorOf(static_cast<std::uint32_t>(r.back)));
    const bool shadow = r.shadow != kKelvaraNoColor;
    // Outline and fill go straight onto the picture, or onto a layer of their own that casts
    // the shadow.
    QImage text = shadow ? Blank(size) : QImage();
    if (shadow && text.isNull()) return {};
    QImage& target = shadow ? text : picture;
    if (r.outline != kKelvaraNoColor) DrawOutline(r, layout, target, scale);
    if (!DrawFill(r, layout, target, scale)) return {};
    if (shadow) {
        const QImage cast = Shadow(text, ColorOf(static_cast<std::uint32_t>(r.shadow)),
                                   ShadowBlurRadius(layout.effect, scale));
        if (cast.isNull()) return {};
        const double offset = layout.effect * scale;
        QPainter painter(&picture);
        painter.drawImage(QPointF(offset, offset), cast);
        painter.drawImage(0, 0, text);
    }
    return picture;
}

// Written here rather than through QImageWriter: one fixed row filter instead of libpng trying
// all five on every row, which for a wide picture of text took longer than all the drawing.
// The rows are filtered and deflated one at a time, so the only copy of the picture besides the
// image itself is the compressed data.
QByteArray PngBytes(const QImage& image, const QString& description)
{
    // A fast level: the file comes out a tenth larger than at zlib's default, several times
    // sooner.
    constexpr int kDeflateLevel = 3;
    constexpr qsizetype kOutChunk = qsizetype{1} << 16U;
    if (image.isNull()) return {};
    const QImage source = image.format() == QImage::Format_ARGB32_Premultiplied
                              ? image
                              : image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const auto width = static_cast<std::size_t>(source.width());
    const auto height = static_cast<std::size_t>(source.height());
    z_stream stream{};
    if (deflateInit(&stream, kDeflateLevel) != Z_OK) return {};
    QByteArray packed;
    std::vector<unsigned char> row(1 + 4 * width);
    bool failed = false;
    for (std::size_t y = 0; y <= height && !failed; ++y) {
        const bool last = y == height;
        if (!last) FilterRow(source, static_cast<int>(y), row);
        stream.next_in = last ? nullptr : row.data();
        stream.avail_in = last ? 0 : static_cast<uInt>(row.size());
        do {
            const qsizetype at = packed.size();
            packed.resize(at + kOutChunk);
            stream.next_out = reinterpret_cast<Bytef*>(packed.data() + at);  // NOLINT
            stream.avail_out = static_cast<uInt>(kOutChunk);
            const int status = deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            packed.resize(at + kOutChunk - static_cast<qsizetype>(stream.avail_out));
            failed = status == Z_STREAM_ERROR;
        } while (stream.avail_out == 0 && !failed);
    }
    deflateEnd(&stream);
    if (failed) return {};

    QByteArray header;
    for (const std::size_t value : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            header.append(static_cast<char>((value >> static_cast<unsigned>(shift)) & 0xFFU));
        }
    }
    header.append("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, filtered rows, whole
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    AppendChunk(png, "IHDR", header);
    png.append(DescriptionChunk(description));
    AppendChunk(png, "IDAT", packed);
    AppendChunk(png, "IEND", QByteArray());
    return png;
}

}  // namespace kelvara::picture::detail
