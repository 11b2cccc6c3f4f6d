// SPDX-License-Identifier: MIT
// Drawing a picture as pixels: shadow, outline, fill; and its PNG file with the text as the
// picture's description.
#include <zlib.h>
#include <QBuffer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "kelvara/picture/picture_renderer.h"
#include "picture_blur.h"
#include "picture_layout.h"

namespace kelvara::picture {
namespace {

using detail::PictureLayout;
using detail::PlacedPiece;

// The gradient of the css format across the text box: left to right, or top to bottom.
QLinearGradient TextGradient(const KelvaraPictureRequest& r, const QRectF& box)
{
    QLinearGradient gradient = r.vertical == 1 ? QLinearGradient(box.topLeft(), box.bottomLeft())
                                               : QLinearGradient(box.topLeft(), box.topRight());
    const std::size_t n = r.gradientCount;
    for (std::size_t i = 0; i < n; ++i) {
        const double at = n > 1 ? static_cast<double>(i) / static_cast<double>(n - 1) : 0.0;
        gradient.setColorAt(at, detail::ColorOf(r.gradient[i]));
    }
    return gradient;
}

QImage Blank(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void DrawFill(const KelvaraPictureRequest& r, const PictureLayout& layout, QImage& target,
              int scale)
{
    QImage fill = Blank(target.size());
    {
        QPainter painter(&fill);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(scale, scale);
        for (const PlacedPiece& piece : layout.pieces) {
            painter.setPen(piece.color);
            piece.layout->draw(&painter, piece.origin);
        }
        if (r.gradientCount > 0) {
            painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
            painter.fillRect(QRectF(QPointF(0, 0), QSizeF(layout.size)),
                             TextGradient(r, layout.textBox));
        }
    }
    QPainter painter(&target);
    painter.drawImage(0, 0, fill);
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

}  // namespace

QImage RenderImage(const KelvaraPictureRequest& r)
{
    const PictureLayout layout = detail::LayOut(r);
    const int scale = std::clamp(r.scale, 1, 4);
    const QSize size = layout.size * scale;
    QImage text = Blank(size);
    if (r.outline != kKelvaraNoColor) {
        const QColor color = detail::ColorOf(static_cast<std::uint32_t>(r.outline));
        QPainter painter(&text);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        // Twice the width, centred on the edge: the fill covers the inner half.
        painter.setPen(QPen(color, 2 * layout.effect, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(color);
        painter.drawPath(detail::GlyphOutlines(layout));
    }
    DrawFill(r, layout, text, scale);

    QImage picture = Blank(size);
    if (r.back != kKelvaraNoColor) {
        picture.fill(detail::ColorOf(static_cast<std::uint32_t>(r.back)));
    }
    QPainter painter(&picture);
    if (r.shadow != kKelvaraNoColor) {
        const double offset = layout.effect * scale;
        const QImage shadow =
            detail::Shadow(text, detail::ColorOf(static_cast<std::uint32_t>(r.shadow)),
                           detail::ShadowBlurRadius(layout.effect, scale));
        painter.drawImage(QPointF(offset, offset), shadow);
    }
    painter.drawImage(0, 0, text);
    return picture;
}

QByteArray PngBytes(const QImage& image, const QString& description)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image.convertToFormat(QImage::Format_RGBA8888))) return {};
    // After the signature (8 bytes) and IHDR (25 bytes), before the pixels.
    constexpr qsizetype kAfterHeader = 8 + 25;
    png.insert(kAfterHeader, DescriptionChunk(description));
    return png;
}

}  // namespace kelvara::picture
