// SPDX-License-Identifier: MIT
// Where every piece of a picture goes: one line on a shared baseline, or one column with every
// piece on a line of its own, centred; the padding round the text.
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

namespace kelvara::picture::detail {

struct PlacedPiece {
    QString text;
    QFont font;
    QColor color;
    int pixels = 0;
    QPointF origin;  // top left of the piece's line box
    double ascent = 0;
    double width = 0;
    std::unique_ptr<QTextLayout> layout;  // laid out at (0, 0)
    QStringList families;                 // the fonts its glyphs came from

    [[nodiscard]] QPointF Baseline() const { return origin + QPointF(0, ascent); }
};

struct PictureLayout {
    std::vector<PlacedPiece> pieces;
    QRectF textBox;        // the text without padding
    QSize size;            // the picture in pixels
    double effect = 1;     // outline width and shadow offset
    QStringList families;  // the fonts the glyphs came from, in order of first use
};

QColor ColorOf(std::uint32_t rgb);
QString TextOf(const char16_t* text, std::size_t length);

PictureLayout LayOut(const KelvaraPictureRequest& request);

// The outlines of every glyph, in picture pixels.
QPainterPath GlyphOutlines(const PictureLayout& layout);

}  // namespace kelvara::picture::detail
