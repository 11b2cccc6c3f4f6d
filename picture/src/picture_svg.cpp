// SPDX-License-Identifier: MIT
// Writing a picture as SVG: the text as real text (one tspan per piece, placed by the advances
// Qt measured), its title for readers, the same outline, shadow and gradient as the pixels.
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "kelvara/picture/picture_renderer.h"
#include "picture_blur.h"
#include "picture_layout.h"

namespace kelvara::picture {
namespace {

using detail::PictureLayout;
using detail::PlacedPiece;

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
    families.append(detail::TextOf(r.face, r.faceLength));
    QStringList quoted;
    for (QString family : families) {
        family.remove(u'\'');
        family = u'\'' + family + u'\'';
        if (family.size() > 2 && !quoted.contains(family)) quoted.append(family);
    }
    quoted.append(QStringLiteral("sans-serif"));
    return quoted.join(QStringLiteral(", "));
}

// One <text> element; `colored` gives every tspan its fill.
QString TextElement(const KelvaraPictureRequest& r, const PictureLayout& layout,
                    const QString& attributes, bool colored)
{
    QString out =
        QStringLiteral("<text xml:space=\"preserve\" aria-hidden=\"true\" font-family=\"") +
        Escaped(FamilyList(r, layout.families)) + u'"';
    if (r.bold == 1) out += QStringLiteral(" font-weight=\"bold\"");
    if (r.italic == 1) out += QStringLiteral(" font-style=\"italic\"");
    QStringList decorations;
    if (r.underline == 1) decorations.append(QStringLiteral("underline"));
    if (r.strike == 1) decorations.append(QStringLiteral("line-through"));
    if (!decorations.isEmpty()) {
        out += QStringLiteral(" text-decoration=\"") + decorations.join(u' ') + u'"';
    }
    out += attributes + u'>';
    for (std::size_t i = 0; i < layout.pieces.size(); ++i) {
        const PlacedPiece& p = layout.pieces[i];
        const QPointF at = p.Baseline();
        out += QStringLiteral("<tspan x=\"%1\" y=\"%2\" font-size=\"%3\" font-family=\"%4\"")
                   .arg(Number(at.x()), Number(at.y()), QString::number(p.pixels),
                        Escaped(FamilyList(r, p.families)));
        if (colored) out += QStringLiteral(" fill=\"%1\"").arg(Hex(r.pieces[i].color));
        out += u'>' + Escaped(p.text) + QStringLiteral("</tspan>");
    }
    return out + QStringLiteral("</text>");
}

QString Gradient(const KelvaraPictureRequest& r, const QRectF& box)
{
    const QPointF end = r.vertical == 1 ? box.bottomLeft() : box.topRight();
    QString out = QStringLiteral(
                      "<linearGradient id=\"kelvara-fill\" gradientUnits=\"userSpaceOnUse\" "
                      "x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%4\">")
                      .arg(Number(box.left()), Number(box.top()), Number(end.x()), Number(end.y()));
    const std::size_t n = r.gradientCount;
    for (std::size_t i = 0; i < n; ++i) {
        const double at = n > 1 ? static_cast<double>(i) / static_cast<double>(n - 1) : 0.0;
        out += QStringLiteral("<stop offset=\"%1\" stop-color=\"%2\"/>")
                   .arg(Number(at), Hex(r.gradient[i]));
    }
    return out + QStringLiteral("</linearGradient>");
}

QString Paint(std::int32_t color) { return Hex(static_cast<std::uint32_t>(color)); }

}  // namespace

QByteArray SvgBytes(const KelvaraPictureRequest& r)
{
    const PictureLayout layout = detail::LayOut(r);
    const QString width = QString::number(layout.size.width());
    const QString height = QString::number(layout.size.height());
    QString svg =
        QStringLiteral(
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
            "viewBox=\"0 0 %1 %2\" role=\"img\">\n<title>%3</title>\n")
            .arg(width, height, Escaped(detail::TextOf(r.description, r.descriptionLength)));
    const bool gradient = r.gradientCount > 0;
    const bool shadow = r.shadow != kKelvaraNoColor;
    const bool outline = r.outline != kKelvaraNoColor;
    if (gradient || shadow) {
        svg += QStringLiteral("<defs>");
        if (gradient) svg += Gradient(r, layout.textBox);
        if (shadow) {
            svg += QStringLiteral(
                       "<filter id=\"kelvara-shadow\" x=\"-20%\" y=\"-20%\" width=\"140%\" "
                       "height=\"140%\" color-interpolation-filters=\"sRGB\"><feGaussianBlur "
                       "stdDeviation=\"%1\"/></filter>")
                       .arg(Number(detail::ShadowDeviation(layout.effect, 1)));
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
               TextElement(r, layout, paint, false) + QStringLiteral("</g>\n");
    }
    if (outline) {
        svg +=
            TextElement(r, layout,
                        QStringLiteral(" fill=\"%1\" stroke=\"%1\"").arg(Paint(r.outline)) + stroke,
                        false) +
            u'\n';
    }
    svg += gradient ? TextElement(r, layout, QStringLiteral(" fill=\"url(#kelvara-fill)\""), false)
                    : TextElement(r, layout, QString(), true);
    svg += QStringLiteral("\n</svg>\n");
    return svg.toUtf8();
}

QByteArray RenderPicture(const KelvaraPictureRequest& r)
{
    if (r.kind == KelvaraSvg) return SvgBytes(r);
    return PngBytes(RenderImage(r), detail::TextOf(r.description, r.descriptionLength));
}

}  // namespace kelvara::picture
