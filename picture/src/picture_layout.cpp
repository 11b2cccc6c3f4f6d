// SPDX-License-Identifier: MIT
// Laying out the pieces of a picture with Qt's text layout (font fallback included).
#include "picture_layout.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLine>
#include <QTextOption>
#include <algorithm>
#include <cmath>

namespace kelvara::picture::detail {

QColor ColorOf(std::uint32_t rgb)
{
    return QColor::fromRgb(static_cast<int>((rgb >> 16U) & 0xFFU),
                           static_cast<int>((rgb >> 8U) & 0xFFU), static_cast<int>(rgb & 0xFFU));
}

QString TextOf(const char16_t* text, std::size_t length)
{
    return QString::fromUtf16(text, static_cast<qsizetype>(length));
}

namespace {

constexpr double kEffectPerPx = 1.0 / 16;
constexpr double kPaddingPerPx = 1.0 / 4;

QFont FontOf(const KelvaraPictureRequest& r, int pixels)
{
    QFont font(TextOf(r.face, r.faceLength));
    font.setPixelSize(pixels);
    font.setBold(r.bold == 1);
    font.setItalic(r.italic == 1);
    font.setUnderline(r.underline == 1);
    font.setStrikeOut(r.strike == 1);
    font.setKerning(true);
    return font;
}

PlacedPiece Place(const KelvaraPictureRequest& r, const KelvaraPicturePiece& p,
                  QStringList& families)
{
    PlacedPiece piece;
    piece.text = TextOf(p.text, p.length);
    piece.font = FontOf(r, p.pixels);
    piece.color = ColorOf(p.color);
    piece.pixels = p.pixels;
    piece.layout = std::make_unique<QTextLayout>(piece.text, piece.font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    piece.layout->setTextOption(option);
    piece.layout->setCacheEnabled(true);
    piece.layout->beginLayout();
    QTextLine line = piece.layout->createLine();
    if (line.isValid()) line.setLineWidth(1e7);
    piece.layout->endLayout();
    if (line.isValid()) {
        piece.ascent = line.ascent();
        piece.width = line.horizontalAdvance();
        for (const QGlyphRun& run : line.glyphRuns()) {
            const QString family = run.rawFont().familyName();
            if (family.isEmpty()) continue;
            if (!piece.families.contains(family)) piece.families.append(family);
            if (!families.contains(family)) families.append(family);
        }
    }
    return piece;
}

double Descent(const PlacedPiece& piece)
{
    return piece.layout->lineCount() > 0 ? piece.layout->lineAt(0).descent() : 0.0;
}

}  // namespace

PictureLayout LayOut(const KelvaraPictureRequest& r)
{
    PictureLayout out;
    const double padding = r.px * kPaddingPerPx;
    out.effect = std::max(1.0, r.px * kEffectPerPx);
    for (std::size_t i = 0; i < r.pieceCount; ++i) {
        out.pieces.push_back(Place(r, r.pieces[i], out.families));
    }
    double width = 0;
    double height = 0;
    if (r.vertical == 1) {
        for (const PlacedPiece& p : out.pieces) width = std::max(width, p.width);
        for (PlacedPiece& p : out.pieces) {
            p.origin = QPointF(padding + (width - p.width) / 2, padding + height);
            height += p.ascent + Descent(p);
        }
    } else {
        double ascent = 0;
        double descent = 0;
        for (const PlacedPiece& p : out.pieces) {
            ascent = std::max(ascent, p.ascent);
            descent = std::max(descent, Descent(p));
        }
        for (PlacedPiece& p : out.pieces) {
            p.origin = QPointF(padding + width, padding + ascent - p.ascent);
            width += p.width;
        }
        height = ascent + descent;
    }
    out.textBox = QRectF(padding, padding, width, height);
    out.size = QSize(static_cast<int>(std::ceil(width + 2 * padding)),
                     static_cast<int>(std::ceil(height + 2 * padding)));
    return out;
}

QPainterPath GlyphOutlines(const PictureLayout& layout)
{
    QPainterPath path;
    for (const PlacedPiece& piece : layout.pieces) {
        if (piece.layout->lineCount() == 0) continue;
        for (const QGlyphRun& run : piece.layout->lineAt(0).glyphRuns()) {
            const QRawFont font = run.rawFont();
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype g = 0; g < glyphs.size(); ++g) {
                path.addPath(font.pathForGlyph(glyphs[g]).translated(piece.origin + positions[g]));
            }
        }
    }
    return path;
}

}  // namespace kelvara::picture::detail
