// SPDX-License-Identifier: MIT
// The shared checks of the picture tests.
#include "picture_check.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cstdlib>
#include <map>

#include "gen_process.h"

namespace kelvara::picture::test {

std::vector<Expected> PlannedColors(const std::vector<std::string>& options,
                                    const std::string& text)
{
    std::vector<std::string> args;
    for (const std::string& option : options) {  // the picture's own options
        const bool look = option.starts_with("--px") || option.starts_with("--scale") ||
                          option.starts_with("--outline") || option.starts_with("--shadow") ||
                          option.starts_with("--image") || option.starts_with("--wrap");
        if (!look) args.push_back(option);
    }
    args.emplace_back("--format=json");
    args.emplace_back("--");
    args.push_back(text);
    const cli::ProcessRun run = cli::RunGenProcess(args);
    std::vector<Expected> out;
    const QJsonArray runs = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).array();
    for (const auto& value : runs) {
        const QJsonObject o = value.toObject();
        const unsigned rgb = o[QStringLiteral("color")].toString().mid(1).toUInt(nullptr, 16);
        for (const QChar c : o[QStringLiteral("text")].toString()) {
            out.push_back({QString(c).toStdString(), rgb});
        }
    }
    return out;
}

QImage Load(const std::string& path)
{
    if (path.ends_with(".svg")) {
        const std::string png = path + ".png";
        const std::string command = "rsvg-convert -o '" + png + "' '" + path + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return Load(png);
    }
    QImage image(QString::fromStdString(path));
    EXPECT_FALSE(image.isNull()) << path;
    return image.convertToFormat(QImage::Format_ARGB32);
}

namespace {

// Spans of lines (columns, or rows when vertical) that hold any ink.
std::vector<std::pair<int, int>> Blobs(const QImage& image, bool vertical)
{
    const int lines = vertical ? image.height() : image.width();
    const int across = vertical ? image.width() : image.height();
    std::vector<std::pair<int, int>> blobs;
    bool inside = false;
    for (int i = 0; i <= lines; ++i) {
        bool ink = false;
        for (int j = 0; i < lines && j < across && !ink; ++j) {
            ink = qAlpha(vertical ? image.pixel(j, i) : image.pixel(i, j)) > 0;
        }
        if (ink && !inside) blobs.emplace_back(i, i);
        if (ink) blobs.back().second = i;
        inside = ink;
    }
    return blobs;
}

}  // namespace

void ExpectGlyphColors(const QImage& image, const std::vector<Expected>& expected, bool vertical,
                       unsigned ignore)
{
    const auto blobs = Blobs(image, vertical);
    ASSERT_EQ(blobs.size(), expected.size()) << "one blob of ink per character";
    for (std::size_t g = 0; g < blobs.size(); ++g) {
        std::map<unsigned, int> counts;
        for (int i = blobs[g].first; i <= blobs[g].second; ++i) {
            const int across = vertical ? image.width() : image.height();
            for (int j = 0; j < across; ++j) {
                const QRgb p = vertical ? image.pixel(j, i) : image.pixel(i, j);
                if (qAlpha(p) == 255 && (p & 0xFFFFFFU) != ignore) ++counts[p & 0xFFFFFFU];
            }
        }
        ASSERT_FALSE(counts.empty()) << expected[g].text;
        unsigned dominant = 0;
        int most = 0;
        for (const auto& [rgb, n] : counts) {
            if (n > most) std::tie(dominant, most) = std::tie(rgb, n);
        }
        for (const unsigned shift : {16U, 8U, 0U}) {
            const int got = static_cast<int>((dominant >> shift) & 0xFFU);
            const int want = static_cast<int>((expected[g].rgb >> shift) & 0xFFU);
            EXPECT_NEAR(got, want, 2) << "character " << g << " " << expected[g].text << " drawn "
                                      << std::hex << dominant << " planned " << expected[g].rgb;
        }
    }
}

namespace {

unsigned DominantColor(const QImage& glyph)
{
    std::map<unsigned, int> counts;
    for (int y = 0; y < glyph.height(); ++y) {
        for (int x = 0; x < glyph.width(); ++x) {
            if (qAlpha(glyph.pixel(x, y)) == 255) ++counts[glyph.pixel(x, y) & 0xFFFFFFU];
        }
    }
    const auto most =
        std::max_element(counts.begin(), counts.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    return most == counts.end() ? 0 : most->first;
}

}  // namespace

std::vector<FoundLine> FindLines(const QImage& image, bool vertical)
{
    std::vector<FoundLine> lines;
    // Lines are blobs of ink across the writing direction, glyphs blobs along it in a line.
    for (const auto& [start, end] : Blobs(image, !vertical)) {
        const QImage band = vertical ? image.copy(start, 0, end - start + 1, image.height())
                                     : image.copy(0, start, image.width(), end - start + 1);
        FoundLine line{start, end, 0, 0, {}};
        for (const auto& [from, to] : Blobs(band, vertical)) {
            if (line.colors.empty()) line.from = from;
            line.to = to;
            line.colors.push_back(
                DominantColor(vertical ? band.copy(0, from, band.width(), to - from + 1)
                                       : band.copy(from, 0, to - from + 1, band.height())));
        }
        lines.push_back(line);
    }
    if (vertical) std::reverse(lines.begin(), lines.end());  // read from the right
    return lines;
}

}  // namespace kelvara::picture::test
