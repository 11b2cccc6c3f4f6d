// SPDX-License-Identifier: MIT
// Reading pictures back for the tests: PNG through QImage, SVG through librsvg's rsvg-convert,
// the glyphs found as separate blobs of ink, and their colours compared with the run's.
#pragma once

#include <QImage>
#include <QString>
#include <string>
#include <vector>

namespace kelvara::picture::test {

struct Expected {
    std::string text;  // one character
    unsigned rgb = 0;  // 0xRRGGBB
};

// The characters and colours kelvara-gen writes with --format=json and these options.
std::vector<Expected> PlannedColors(const std::vector<std::string>& options,
                                    const std::string& text);

// The picture file as pixels; an SVG is drawn by rsvg-convert.
QImage Load(const std::string& path);

// Every glyph (a blob of ink along the writing direction) has, among its fully opaque pixels
// other than `ignore`, a most common colour within 2 per channel of its character's colour.
void ExpectGlyphColors(const QImage& image, const std::vector<Expected>& expected, bool vertical,
                       unsigned ignore = 0x1000000);

// A line of glyphs in a picture: rows of ink between empty rows (columns, when vertical).
struct FoundLine {
    int start = 0;  // its first and last row (column) of ink
    int end = 0;
    int from = 0;  // its first and last pixel of ink along the line
    int to = 0;
    std::vector<unsigned> colors;  // every glyph's most common opaque colour, in reading order
};

// The lines in reading order: top to bottom, or the columns from right to left.
std::vector<FoundLine> FindLines(const QImage& image, bool vertical);

}  // namespace kelvara::picture::test
