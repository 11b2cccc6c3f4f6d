// SPDX-License-Identifier: MIT
// Where every piece of a picture goes: each line of the text on its own baseline, one line below
// the other (or, vertical, every piece centred in its column, the columns from right to left),
// long lines wrapped, every line at the start or centred; the padding round the text.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QStringList>
#include <QTextLayout>
#include <memory>
#include <vector>

#include "kelvara/picture/picture_abi.h"
#include "kelvara/picture/picture_limits.h"

namespace kelvara::picture::detail {

struct PlacedPiece {
    QString text;
    QFont font;
    QColor color;
    int pixels = 0;
    QPointF origin;  // top left of the piece's line box
    double ascent = 0;
    double descent = 0;
    double leading = 0;
    double width = 0;
    std::unique_ptr<QTextLayout> layout;  // laid out at (0, 0)
    QStringList families;                 // the fonts its glyphs came from

    [[nodiscard]] QPointF Baseline() const { return origin + QPointF(0, ascent); }
};

// One line of the picture (a column when vertical): its pieces, and its stretch of the text's
// one gradient, which runs over the lines one after the other.
struct PlacedLine {
    std::size_t first = 0;  // pieces [first, last)
    std::size_t last = 0;
    QPointF gradientStart;  // where the whole text's gradient would start and end if it ran
    QPointF gradientEnd;    // along this line alone
    QRectF band;            // the stripe of the picture that belongs to this line
};

struct PictureLayout {
    std::vector<PlacedPiece> pieces;  // those drawn, line by line
    std::vector<PlacedLine> lines;
    double width = 0;  // the picture in pixels, however large
    double height = 0;
    QSize size;            // the same rounded up, at most one more than the largest side
    double effect = 1;     // outline width and shadow offset
    QStringList families;  // the fonts the glyphs came from, in order of first use
};

QColor ColorOf(std::uint32_t rgb);
QString TextOf(const char16_t* text, std::size_t length);

PictureLayout LayOut(const KelvaraPictureRequest& request);

// The picture's size in device pixels: scale times its size for a PNG, its own for an SVG.
PictureSize DeviceSize(const KelvaraPictureRequest& request, const PictureLayout& layout);

// The outlines of every glyph, in picture pixels.
QPainterPath GlyphOutlines(const PictureLayout& layout);

}  // namespace kelvara::picture::detail
