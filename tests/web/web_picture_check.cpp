// SPDX-License-Identifier: MIT
// The pictures kelvara.picture drew in a browser (written by picture_draw.mjs into the folder
// KELVARA_PICTURES, listed in its manifest.tsv) read back with the desktop picture tests'
// helpers: every glyph in its planned colour, the size and corners, outline and shadow round
// the fill, the css format's one gradient.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "picture_check.h"

namespace kelvara::picture::test {
namespace {

struct Drawn {
    std::string name;
    std::string check;
    std::string file;
    std::string text;
    std::vector<std::string> options;
};

// The text as the manifest writes it: \n, \r, \t and \\ for what would break its lines.
std::string Unescaped(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
    }
    return out;
}

std::vector<Drawn> Manifest()
{
    const char* folder = std::getenv("KELVARA_PICTURES");
    std::ifstream in(std::string(folder ? folder : ".") + "/manifest.tsv");
    std::vector<Drawn> out;
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, '\t');) cells.push_back(cell);
        if (cells.size() < 4) continue;
        out.push_back(
            {cells[0], cells[1], cells[2], Unescaped(cells[3]), {cells.begin() + 4, cells.end()}});
    }
    return out;
}

int Count(const QImage& image, const auto& keep)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += keep(image.pixel(x, y)) ? 1 : 0;
    }
    return n;
}

// Two full-width characters of 32 px side by side, 8 px of padding round them; the corners
// transparent, or the background colour.
void CheckSize(const QImage& image, const Drawn& d)
{
    EXPECT_EQ(image.width(), 2 * 32 + 2 * 8);
    EXPECT_GE(image.height(), 32 + 2 * 8);
    const bool back = d.name == "back";
    for (const QPoint corner : {QPoint(0, 0), QPoint(image.width() - 1, image.height() - 1)}) {
        EXPECT_EQ(image.pixel(corner), back ? 0xFFFFEE00U : 0U);
    }
}

void CheckEffects(const QImage& image)
{
    EXPECT_GT(Count(image, [](QRgb p) { return p == 0xFF000000U; }), 100) << "outline";
    // The soft shadow: grey, partly transparent.
    EXPECT_GT(Count(image,
                    [](QRgb p) {
                        return qAlpha(p) > 0 && qAlpha(p) < 200 && qRed(p) == qGreen(p) &&
                               qRed(p) > 0x60;
                    }),
              100)
        << "shadow";
    // The fill stays on top: the first and last colour are still solid.
    for (const QRgb fill : {0xFFFF0000U, 0xFF0000FFU}) {
        EXPECT_GT(Count(image, [&](QRgb p) { return p == fill; }), 50) << std::hex << fill;
    }
}

// Near the ends of the text the gradient is close to its stops, and it runs across.
void CheckGradient(const QImage& image)
{
    int left = image.width();
    QRgb leftColor = 0;
    QRgb rightColor = 0;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) != 255) continue;
            if (x < left) std::tie(left, leftColor) = std::tie(x, p);
            rightColor = p;
        }
    }
    EXPECT_GT(qRed(leftColor), 0xE0);
    EXPECT_LT(qBlue(leftColor), 0x20);
    EXPECT_GT(qBlue(rightColor), 0xE0);
    EXPECT_LT(qRed(rightColor), 0x20);
}

// The text's lines as lines of glyphs (columns, right to left, when vertical), every glyph in
// its planned colour; centred lines have their middles in the picture's middle.
void CheckLines(const QImage& image, const Drawn& d, std::size_t count, bool vertical, bool center)
{
    const std::vector<FoundLine> lines = FindLines(image, vertical);
    ASSERT_EQ(lines.size(), count);
    std::vector<unsigned> drawn;
    for (const FoundLine& line : lines)
        drawn.insert(drawn.end(), line.colors.begin(), line.colors.end());
    std::vector<unsigned> planned;
    for (const Expected& e : PlannedColors(d.options, d.text)) {
        // Line breaks and spaces draw no glyph.
        if (e.text != "\n" && e.text != "\r" && e.text != " ") planned.push_back(e.rgb);
    }
    ASSERT_EQ(drawn.size(), planned.size());
    for (std::size_t i = 0; i < planned.size(); ++i) {
        for (const unsigned shift : {16U, 8U, 0U}) {
            EXPECT_NEAR(static_cast<int>((drawn[i] >> shift) & 0xFFU),
                        static_cast<int>((planned[i] >> shift) & 0xFFU), 2)
                << "glyph " << i;
        }
    }
    if (!center) return;
    const int middle = (vertical ? image.height() : image.width()) / 2;
    for (const FoundLine& line : lines) EXPECT_NEAR((line.from + line.to) / 2, middle, 3);
}

TEST(WebPicture, EveryDrawnPicturePassesItsCheck)
{
    const std::vector<Drawn> drawn = Manifest();
    ASSERT_GE(drawn.size(), 10U) << "no pictures drawn: run picture_draw.mjs first";
    for (const Drawn& d : drawn) {
        SCOPED_TRACE(d.name);
        const QImage image = Load(d.file);
        if (d.check.starts_with("glyphs")) {
            ExpectGlyphColors(image, PlannedColors(d.options, d.text),
                              d.check == "glyphs-vertical");
        } else if (d.check == "size") {
            CheckSize(image, d);
        } else if (d.check == "effects") {
            CheckEffects(image);
        } else if (d.check.starts_with("lines")) {
            // "lines-3", "lines-vertical-2", "lines-center-2": the count last.
            const std::size_t count = std::stoul(d.check.substr(d.check.rfind('-') + 1));
            CheckLines(image, d, count, d.check.find("vertical") != std::string::npos,
                       d.check.find("center") != std::string::npos);
        } else if (d.check.starts_with("wrap-")) {
            // "wrap-6-5": the glyphs on each wrapped line; "wrap-7x3-1": 7, 7, 7, 1.
            std::vector<std::size_t> counts;
            for (std::size_t at = 4; at != std::string::npos; at = d.check.find('-', at + 1)) {
                const std::string item = d.check.substr(at + 1, d.check.find('-', at + 1) - at - 1);
                const std::size_t times = item.find('x');
                counts.insert(counts.end(),
                              times == std::string::npos ? 1 : std::stoul(item.substr(times + 1)),
                              std::stoul(item));
            }
            CheckLines(image, d, counts.size(), false, false);
            const std::vector<FoundLine> lines = FindLines(image, false);
            for (std::size_t i = 0; i < std::min(counts.size(), lines.size()); ++i) {
                EXPECT_EQ(lines[i].colors.size(), counts[i]) << "line " << i + 1;
            }
        } else if (d.check == "css") {
            CheckGradient(image);
        } else {
            ADD_FAILURE() << "unknown check " << d.check;
        }
    }
}

}  // namespace
}  // namespace kelvara::picture::test
