// SPDX-License-Identifier: MIT
// Writing a picture as SVG: the text as real text (a <text> element per line, one tspan per
// piece, placed by the advances Qt measured), its title for readers, the same outline, shadow
// and gradient as the pixels.
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "picture_blur.h"
#include "picture_draw.h"

namespace kelvara::picture::detail {
namespace {

QString Number(double value)
{
    const double rounded = std::round(value * 100) / 100;
    return QString::number(rounded == 0 ? 0.0 : rounded, 'g', 12);
}

QString Escaped(const QString& text) { return text.toHtmlEscaped(); }

QString Hex(std::uint32_t rgb)
{
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFFU, 6, 16, QLatin1Char('0')).toUpper();
}

// The fonts Qt drew with first, so that another renderer picks the same ones, then the face.
QString FamilyList(const KelvaraPictureRequest& r, const QStringList& used)
{
    QStringList families = used;
    families.append(TextOf(r.face, r.faceLength));
    QStringList quoted;
    for (QString family : families) {
        family.remove(u'\'');
        family = u'\'' + family + u'\'';
        if (family.size() > 2 && !quoted.contains(family)) quoted.append(family);
    }
    quoted.append(QStringLiteral("sans-serif"));
    return quoted.join(QStringLiteral(", "));
}

// The gradient of line k: "kelvara-fill" for the first, "kelvara-fill-2" on.
QString GradientId(std::size_t k)
{
    return k == 0 ? QStringLiteral("kelvara-fill") : QStringLiteral("kelvara-fill-%1").arg(k + 1);
}

// The gradient along one line: its stretch of the one gradient over the whole text.
QString Gradient(const KelvaraPictureRequest& r, const PlacedLine& line, const QString& id)
{
    QString out = QStringLiteral(
                      "<linearGradient id=\"%5\" gradientUnits=\"userSpaceOnUse\" "
                      "x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\">")
                      .arg(Number(line.gradientStart.x()), Number(line.gradientStart.y()),
                           Number(line.gradientEnd.x()), Number(line.gradientEnd.y()), id);
    const std::size_t n = r.gradientCount;
    for (std::size_t i = 0; i < n; ++i) {
        const double at = n > 1 ? static_cast<double>(i) / static_cast<double>(n - 1) : 0.0;
        out += QStringLiteral("<stop offset=\"%1\" stop-color=\"%2\"/>")
                   .arg(Number(at), Hex(r.gradient[i]));
    }
    return out + QStringLiteral("</linearGradient>");
}

// The <text> elements of every line that has text, with `attributes` each; `colored` gives
// every tspan its fill, `gradient` gives every line its stretch of the gradient instead.
QString TextElements(const KelvaraPictureRequest& r, const PictureLayout& layout,
                     const QString& attributes, bool colored, bool gradient = false)
{
    QString head =
        QStringLiteral("<text xml:space=\"preserve\" aria-hidden=\"true\" font-family=\"") +
        Escaped(FamilyList(r, layout.families)) + u'"';
    if (r.bold == 1) head += QStringLiteral(" font-weight=\"bold\"");
    if (r.italic == 1) head += QStringLiteral(" font-style=\"italic\"");
    QStringList decorations;
    if (r.underline == 1) decorations.append(QStringLiteral("underline"));
    if (r.strike == 1) decorations.append(QStringLiteral("line-through"));
    if (!decorations.isEmpty()) {
        head += QStringLiteral(" text-decoration=\"") + decorations.join(u' ') + u'"';
    }
    head += attributes;
    QStringList elements;
    for (std::size_t k = 0; k < layout.lines.size(); ++k) {
        const PlacedLine& line = layout.lines[k];
        QString out;
        for (std::size_t i = line.first; i < line.last; ++i) {
            const PlacedPiece& p = layout.pieces[i];
            if (p.text.isEmpty()) continue;
            const QPointF at = p.Baseline();
            out += QStringLiteral("<tspan x=\"%1\" y=\"%2\" font-size=\"%3\" font-family=\"%4\"")
                       .arg(Number(at.x()), Number(at.y()), QString::number(p.pixels),
                            Escaped(FamilyList(r, p.families)));
            if (colored) out += QStringLiteral(" fill=\"%1\"").arg(Hex(p.color.rgb()));
            out += u'>' + Escaped(p.text) + QStringLiteral("</tspan>");
        }
        if (out.isEmpty() && layout.lines.size() > 1) continue;  // an empty line: nothing to draw
        const QString fill =
            gradient ? QStringLiteral(" fill=\"url(#%1)\"").arg(GradientId(k)) : QString();
        elements.append(head + fill + u'>' + out + QStringLiteral("</text>"));
    }
    return elements.join(u'\n');
}

QString Paint(std::int32_t color) { return Hex(static_cast<std::uint32_t>(color)); }

}  // namespace

QByteArray SvgBytes(const KelvaraPictureRequest& r, const PictureLayout& layout)
{
    const QString width = QString::number(layout.size.width());
    const QString height = QString::number(layout.size.height());
    QString svg = QStringLiteral(
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                      "viewBox=\"0 0 %1 %2\" role=\"img\">\n<title>%3</title>\n")
                      .arg(width, height, Escaped(TextOf(r.description, r.descriptionLength)));
    const bool gradient = r.gradientCount > 0;
    const bool shadow = r.shadow != kKelvaraNoColor;
    const bool outline = r.outline != kKelvaraNoColor;
    if (gradient || shadow) {
        svg += QStringLiteral("<defs>");
        for (std::size_t k = 0; gradient && k < layout.lines.size(); ++k) {
            svg += Gradient(r, layout.lines[k], GradientId(k));
        }
        if (shadow) {
            svg += QStringLiteral(
                       "<filter id=\"kelvara-shadow\" x=\"-20%\" y=\"-20%\" width=\"140%\" "
                       "height=\"140%\" color-interpolation-filters=\"sRGB\"><feGaussianBlur "
                       "stdDeviation=\"%1\"/></filter>")
                       .arg(Number(ShadowDeviation(layout.effect, 1)));
        }
        svg += QStringLiteral("</defs>\n");
    }
    if (r.back != kKelvaraNoColor) {
        svg += QStringLiteral("<rect width=\"%1\" height=\"%2\" fill=\"%3\"/>\n")
                   .arg(width, height, Paint(r.back));
    }
    const QString stroke = QStringLiteral(" stroke-width=\"%1\" stroke-linejoin=\"round\"")
                               .arg(Number(2 * layout.effect));
    if (shadow) {
        QString paint = QStringLiteral(" fill=\"%1\"").arg(Paint(r.shadow));
        if (outline) paint += QStringLiteral(" stroke=\"%1\"").arg(Paint(r.shadow)) + stroke;
        svg += QStringLiteral("<g filter=\"url(#kelvara-shadow)\" transform=\"translate(%1 %1)\">")
                   .arg(Number(layout.effect)) +
               TextElements(r, layout, paint, false) + QStringLiteral("</g>\n");
    }
    if (outline) {
        svg += TextElements(
                   r, layout,
                   QStringLiteral(" fill=\"%1\" stroke=\"%1\"").arg(Paint(r.outline)) + stroke,
                   false) +
               u'\n';
    }
    svg += TextElements(r, layout, QString(), !gradient, gradient);
    svg += QStringLiteral("\n</svg>\n");
    return svg.toUtf8();
}

}  // namespace kelvara::picture::detail
