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

// A glyph larger than the largest picture's side is never drawn; it is measured at that size
// and its measures scaled up (Qt's font engines give out somewhere above it).
constexpr int kLargestMeasured = static_cast<int>(kMaxSide);

PlacedPiece Place(const KelvaraPictureRequest& r, const KelvaraPicturePiece& p,
                  QStringList& families)
{
    PlacedPiece piece;
    piece.text = TextOf(p.text, p.length);
    piece.font = FontOf(r, std::min(p.pixels, kLargestMeasured));
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
        const double scale =
            p.pixels > kLargestMeasured ? static_cast<double>(p.pixels) / kLargestMeasured : 1.0;
        piece.ascent = line.ascent() * scale;
        piece.descent = line.descent() * scale;
        piece.leading = line.leading() * scale;
        piece.width = line.horizontalAdvance() * scale;
        for (const QGlyphRun& run : line.glyphRuns()) {
            const QString family = run.rawFont().familyName();
            if (family.isEmpty()) continue;
            if (!piece.families.contains(family)) piece.families.append(family);
            if (!families.contains(family)) families.append(family);
        }
    }
    return piece;
}

// The length of a piece along the line: its advance, or its height in a column.
double Along(const PlacedPiece& p, bool vertical)
{
    return vertical ? p.ascent + p.descent : p.width;
}

bool IsBlank(const PlacedPiece& p)
{
    return !p.text.isEmpty() &&
           std::all_of(p.text.begin(), p.text.end(), [](QChar c) { return c.isSpace(); });
}

struct Span {
    std::size_t first;
    std::size_t last;
    bool wrapped;  // ended by wrapping, not by a line break of the text
};

// A line for every line of the text; with a wrapping width, another wherever a line would grow
// longer than the width, at the last place before it where the line may end. Blanks at the end
// of a line do not count: they hang, as in a browser.
std::vector<Span> BreakLines(const KelvaraPictureRequest& r, const std::vector<PlacedPiece>& pieces)
{
    const bool vertical = r.vertical == 1;
    std::vector<Span> lines;
    std::size_t start = 0;
    std::size_t lastBreak = 0;  // none while not after start
    double length = 0;          // of the pieces from start on
    double hanging = 0;         // of the blanks at their end
    const auto add = [&](std::size_t j) {
        const double along = Along(pieces[j], vertical);
        length += along;
        hanging = IsBlank(pieces[j]) ? hanging + along : 0;
    };
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::int32_t flags = r.pieces[i].flags;
        if (i > start && (flags & KelvaraLineStart) != 0) {
            lines.push_back({start, i, false});
            start = i;
            length = hanging = 0;
        }
        if (i > start && (flags & KelvaraBreakBefore) != 0) lastBreak = i;
        add(i);
        if (r.wrap > 0 && lastBreak > start && length - hanging > r.wrap) {
            lines.push_back({start, lastBreak, true});
            start = lastBreak;
            length = hanging = 0;
            for (std::size_t j = start; j <= i; ++j) add(j);
        }
    }
    if (!pieces.empty()) lines.push_back({start, pieces.size(), false});
    return lines;
}

// The lines' sizes: along the line, across it, and from one line to the next.
struct LineSize {
    double length = 0;
    double ascent = 0;  // the highest ascent and descent on the line
    double descent = 0;
    double thickness = 0;  // across: ascent and descent, or in a column its widest piece
    double pitch = 0;      // to the next line: the font's normal line spacing, at least the line
};

LineSize SizeOf(const PictureLayout& out, const PlacedLine& line, bool vertical)
{
    LineSize size;
    double spacing = 0;
    bool text = false;
    for (std::size_t i = line.first; i < line.last; ++i) {
        const PlacedPiece& p = out.pieces[i];
        size.length += Along(p, vertical);
        size.ascent = std::max(size.ascent, p.ascent);
        size.descent = std::max(size.descent, p.descent);
        spacing = std::max(spacing, p.ascent + p.descent + p.leading);
        size.thickness = std::max(size.thickness, p.width);
        text = text || !p.text.isEmpty();
    }
    if (vertical && !text) {  // an empty column is as wide as its size
        for (std::size_t i = line.first; i < line.last; ++i) {
            size.thickness = std::max(size.thickness, static_cast<double>(out.pieces[i].pixels));
        }
    }
    if (!vertical) size.thickness = size.ascent + size.descent;
    size.pitch = std::max(size.thickness, spacing);
    return size;
}

double Longest(const std::vector<LineSize>& sizes)
{
    double longest = 0;
    for (const LineSize& s : sizes) longest = std::max(longest, s.length);
    return longest;
}

double Total(const std::vector<LineSize>& sizes)
{
    double total = 0;
    for (const LineSize& s : sizes) total += s.length;
    return total;
}

// The size as measured, and as drawn: a picture too large to draw keeps a size Qt can hold.
void SetSize(PictureLayout& out, double padding, double width, double height)
{
    out.width = width + 2 * padding;
    out.height = height + 2 * padding;
    const auto side = [](double length) {
        return static_cast<int>(std::min(std::ceil(length), static_cast<double>(kMaxSide) + 1));
    };
    out.size = QSize(side(out.width), side(out.height));
}

// Rows one below the other, each at the left or centred.
void PlaceRows(PictureLayout& out, const std::vector<LineSize>& sizes, double padding, bool center)
{
    const double width = Longest(sizes);
    const double total = Total(sizes);
    double top = 0;
    double before = 0;
    std::vector<double> tops;
    for (std::size_t k = 0; k < out.lines.size(); ++k) {
        PlacedLine& line = out.lines[k];
        const LineSize& s = sizes[k];
        const double x0 = padding + (center ? (width - s.length) / 2 : 0);
        const double y = padding + top;
        double x = 0;
        for (std::size_t i = line.first; i < line.last; ++i) {
            PlacedPiece& p = out.pieces[i];
            p.origin = QPointF(x0 + x, y + s.ascent - p.ascent);
            x += p.width;
        }
        line.gradientStart = QPointF(x0 - before, y);
        line.gradientEnd = QPointF(x0 - before + total, y);
        before += s.length;
        tops.push_back(top);
        if (k + 1 < out.lines.size()) top += s.pitch;
    }
    SetSize(out, padding, width, sizes.empty() ? 0 : top + sizes.back().thickness);
    // Each line's stripe reaches halfway to its neighbours, the first and last to the edges.
    for (std::size_t k = 0; k < out.lines.size(); ++k) {
        const double from =
            k == 0 ? 0 : padding + (tops[k - 1] + sizes[k - 1].thickness + tops[k]) / 2;
        const double to = k + 1 == out.lines.size()
                              ? out.size.height()
                              : padding + (tops[k] + sizes[k].thickness + tops[k + 1]) / 2;
        out.lines[k].band = QRectF(0, from, out.size.width(), to - from);
    }
}

// Columns from right to left, each at the top or centred, every piece centred in its column.
void PlaceColumns(PictureLayout& out, const std::vector<LineSize>& sizes, double padding,
                  bool center)
{
    const double height = Longest(sizes);
    const double total = Total(sizes);
    double width = 0;
    for (std::size_t k = 0; k < sizes.size(); ++k) {
        width += k + 1 < sizes.size() ? sizes[k].pitch : sizes[k].thickness;
    }
    double right = width;
    double before = 0;
    std::vector<double> lefts;
    for (std::size_t k = 0; k < out.lines.size(); ++k) {
        PlacedLine& line = out.lines[k];
        const LineSize& s = sizes[k];
        const double left = right - s.thickness;
        const double y0 = padding + (center ? (height - s.length) / 2 : 0);
        double y = 0;
        for (std::size_t i = line.first; i < line.last; ++i) {
            PlacedPiece& p = out.pieces[i];
            p.origin = QPointF(padding + left + (s.thickness - p.width) / 2, y0 + y);
            y += p.ascent + p.descent;
        }
        line.gradientStart = QPointF(padding, y0 - before);
        line.gradientEnd = QPointF(padding, y0 - before + total);
        before += s.length;
        lefts.push_back(left);
        right -= s.pitch;
    }
    SetSize(out, padding, width, height);
    for (std::size_t k = 0; k < out.lines.size(); ++k) {
        const double to = k == 0 ? out.size.width()
                                 : padding + (lefts[k] + sizes[k].thickness + lefts[k - 1]) / 2;
        const double from = k + 1 == out.lines.size()
                                ? 0
                                : padding + (lefts[k + 1] + sizes[k + 1].thickness + lefts[k]) / 2;
        out.lines[k].band = QRectF(from, 0, to - from, out.size.height());
    }
}

}  // namespace

PictureLayout LayOut(const KelvaraPictureRequest& r)
{
    PictureLayout out;
    const double padding = r.px * kPaddingPerPx;
    const bool vertical = r.vertical == 1;
    out.effect = std::max(1.0, r.px * kEffectPerPx);
    std::vector<PlacedPiece> measured;
    measured.reserve(r.pieceCount);
    for (std::size_t i = 0; i < r.pieceCount; ++i) {
        measured.push_back(Place(r, r.pieces[i], out.families));
    }
    // The lines' pieces in order, without the blanks that hang at the end of a wrapped line.
    out.pieces.reserve(measured.size());
    for (const Span& span : BreakLines(r, measured)) {
        std::size_t last = span.last;
        while (span.wrapped && last > span.first && IsBlank(measured[last - 1])) --last;
        PlacedLine line;
        line.first = out.pieces.size();
        for (std::size_t i = span.first; i < last; ++i) {
            out.pieces.push_back(std::move(measured[i]));
        }
        line.last = out.pieces.size();
        out.lines.push_back(line);
    }
    std::vector<LineSize> sizes;
    sizes.reserve(out.lines.size());
    for (const PlacedLine& line : out.lines) sizes.push_back(SizeOf(out, line, vertical));
    if (vertical) {
        PlaceColumns(out, sizes, padding, r.center == 1);
    } else {
        PlaceRows(out, sizes, padding, r.center == 1);
    }
    return out;
}

PictureSize DeviceSize(const KelvaraPictureRequest& r, const PictureLayout& layout)
{
    const std::int64_t scale = r.kind == KelvaraSvg ? 1 : std::clamp(r.scale, kMinScale, kMaxScale);
    return {static_cast<std::int64_t>(std::ceil(layout.width)) * scale,
            static_cast<std::int64_t>(std::ceil(layout.height)) * scale};
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
