// SPDX-License-Identifier: MIT
// kelvara-gen --image keeps the text's lines: each a line of glyphs (a column from the right)
// in the run's colours, centred or wrapped as asked; a picture too large to open is refused with
// its size and the limit named, and no file. SVG files are drawn by librsvg.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>

#include "gen_process.h"
#include "kelvara/picture/picture_limits.h"
#include "picture_check.h"
#include "temp_folder.h"

namespace kelvara::picture::test {
namespace {

using cli::ProcessRun;
using cli::RunGenProcess;
using Folder = kelvara::test::TempFolder;

// Draws a text with kelvara-gen and returns the lines of glyphs found in the file.
std::vector<FoundLine> DrawnLines(const std::string& file, std::vector<std::string> options,
                                  const std::string& text)
{
    const bool vertical = std::find(options.begin(), options.end(), "--vertical") != options.end();
    options.insert(options.end(), {"--image=" + file, "--", text});
    const ProcessRun run = RunGenProcess(options);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string check = "pngcheck -q '" + file + "'";
    EXPECT_TRUE(file.ends_with(".svg") || std::system(check.c_str()) == 0) << check;
    return FindLines(Load(file), vertical);
}

// Cases are named after their files: "wrap_comma_svg".
template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info)
{
    std::string name = info.param.file;
    std::replace(name.begin(), name.end(), '.', '_');
    return name;
}

enum class Align { Start, Center };

struct LineCase {
    const char* file;  // its ending gives the type
    std::vector<std::string> options;
    const char* text;
    std::vector<std::size_t> glyphs;  // on each line, in reading order
    Align align = Align::Start;
    std::vector<int> pitches = {};  // where each line starts, in line pitches; empty: unchecked
};
void PrintTo(const LineCase& c, std::ostream* os) { *os << c.file; }

class PictureLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(PictureLines, EveryLineIsALineOfGlyphsInTheRunsColours)
{
    const LineCase& c = GetParam();
    const Folder folder;
    const std::vector<FoundLine> lines = DrawnLines(folder.File(c.file), c.options, c.text);
    std::vector<std::size_t> glyphs;
    std::vector<unsigned> colors;
    for (const FoundLine& line : lines) {
        glyphs.push_back(line.colors.size());
        colors.insert(colors.end(), line.colors.begin(), line.colors.end());
    }
    ASSERT_EQ(glyphs, c.glyphs);
    // The colours run over the whole text; line breaks and blanks draw nothing.
    std::vector<Expected> planned = PlannedColors(c.options, c.text);
    std::erase_if(planned, [](const Expected& e) { return e.text.find_first_of("\r\n ") == 0; });
    ASSERT_EQ(colors.size(), planned.size());
    for (std::size_t i = 0; i < colors.size(); ++i) {
        for (const unsigned shift : {16U, 8U, 0U}) {
            EXPECT_NEAR((colors[i] >> shift) & 0xFFU, (planned[i].rgb >> shift) & 0xFFU, 2) << i;
        }
    }
    const auto at = [&](const FoundLine& l) {
        return c.align == Align::Start ? 2 * l.from : l.from + l.to;
    };
    for (const FoundLine& line : lines) EXPECT_NEAR(at(line), at(lines[0]), 6) << "aligned";
    for (std::size_t i = 0; i < c.pitches.size(); ++i) {
        const double pitch = std::abs(lines.back().start - lines[0].start) / c.pitches.back();
        EXPECT_NEAR(std::abs(lines[i].start - lines[0].start), c.pitches[i] * pitch, 2) << i;
    }
    if (std::string(c.file).ends_with(".svg")) {  // the title holds the whole text
        const std::string svg = kelvara::test::ReadFile(folder.File(c.file));
        EXPECT_NE(svg.find(std::string("<title>") + c.text + "</title>"), std::string::npos);
    }
}

const std::vector<std::string> kPx32 = {"--px=32"};
const std::vector<std::string> kColumns = {"--px=32", "--vertical"};
const std::vector<std::string> kCenter = {"--px=32", "--center"};
const std::vector<std::string> kCenterColumns = {"--px=32", "--vertical", "--center"};
const std::vector<std::string> kWrap = {"--px=32", "--wrap=128"};  // four kana
constexpr Align kMid = Align::Center;

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureLines,
    ::testing::Values(
        LineCase{"lines.png", kPx32, "一目\n二目のテキスト", {2, 7}},
        LineCase{"lines.svg", kPx32, "一目\n二目のテキスト", {2, 7}},
        LineCase{"crlf.png", kPx32, "上下\r\n上", {2, 1}},
        LineCase{"empty.png", kPx32, "上\n\n上\n上", {1, 1, 1}, {}, {0, 2, 3}},
        LineCase{"empty.svg", kPx32, "上\n\n上\n上", {1, 1, 1}, {}, {0, 2, 3}},
        LineCase{"columns.png", kColumns, "上上上\n下", {3, 1}},
        LineCase{"columns.svg", kColumns, "上上上\n下", {3, 1}},
        LineCase{"empty_column.png", kColumns, "上\n\n上\n上", {1, 1, 1}, {}, {0, 2, 3}},
        LineCase{"center.png", kCenter, "上\n上上上", {1, 3}, kMid},
        LineCase{"center.svg", kCenter, "上\n上上上", {1, 3}, kMid},
        LineCase{"center_columns.png", kCenterColumns, "上\n上上上", {1, 3}, kMid},
        // "、" may not start a line: the fourth kana moves down with it.
        LineCase{"wrap_comma.png", kWrap, "ああああ、ああ", {3, 4}},
        LineCase{"wrap_comma.svg", kWrap, "ああああ、ああ", {3, 4}},
        LineCase{"wrap_latin.png", {"--px=32", "--wrap=120"}, "Hello world", {5, 5}},
        LineCase{
            "wrap_column.png", {"--px=32", "--vertical", "--wrap=100"}, "上上上上上", {2, 2, 1}}),
    CaseName<LineCase>);

TEST(PictureLines, WrapCutsAGroupAndTheCssGradientRunsOnFromLineToLine)
{
    const Folder folder;
    // A length limit draws "上下" pairs in one colour; a wrapped line may end inside one.
    const auto fit =
        DrawnLines(folder.File("fit.png"), {"--px=32", "--wrap=100", "--fit=150"}, "上下上下上下");
    ASSERT_EQ(fit.size(), 2U);
    EXPECT_EQ(fit[0].colors.size(), 3U);
    for (const char* name : {"css.png", "css.svg"}) {
        const auto lines =
            DrawnLines(folder.File(name), {"--px=32", "--format=css", "--stops=FF0000,0000FF"},
                       "上上上\n上上上");
        ASSERT_EQ(lines.size(), 2U) << name;
        const auto red = [&](int line, bool last) {
            return static_cast<int>(
                (last ? lines[line].colors.back() : lines[line].colors.front()) >> 16U);
        };
        // Red to blue over both lines: the second goes on from where the first ended.
        EXPECT_GT(red(0, false), 0xD0) << name;
        EXPECT_NEAR(red(1, false), red(0, true), 0x30) << name;
        EXPECT_LT(red(1, true), 0x30) << name;
    }
}

struct SizeCase {
    const char* file;
    std::vector<std::string> options;
    int characters;
    const char* limit;  // as the message names it
};
void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.file; }

class PictureSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(PictureSizes, OverTheLimitsNothingIsWrittenAndTheMessageSaysWhy)
{
    const SizeCase& c = GetParam();
    const Folder folder;
    const std::string file = folder.File(c.file);
    std::vector<std::string> args = c.options;
    args.push_back("--image=" + file);
    args.emplace_back();
    for (int i = 0; i < c.characters; ++i) args.back() += "虹";
    const ProcessRun run = RunGenProcess(args, {}, cli::StdoutTarget::Capture, true);
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(std::filesystem::exists(file));
    const std::string head = "kelvara-gen: cannot draw picture " + file + ": it would be ";
    ASSERT_TRUE(run.err.starts_with(head)) << run.err;
    std::smatch size;
    const std::string rest = run.err.substr(head.size());
    ASSERT_TRUE(std::regex_search(rest, size, std::regex(R"(^(\d+) x (\d+) pixels, over )")));
    EXPECT_NE(OverLimit({std::stoll(size[1]), std::stoll(size[2])}), SizeLimit::None) << run.err;
    EXPECT_NE(run.err.find(c.limit), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--wrap"), std::string::npos) << "what helps: " << run.err;
#if !defined(__SANITIZE_ADDRESS__)
    // Refused before its pixels exist: far less than the picture itself would take.
    if (cli::CanMeasureMemory()) {
        EXPECT_LE(run.maxRssKiB, 256L * 1024);
    }
#endif
}

constexpr const char* kSide = "16384 pixels a side";
const std::vector<std::string> kLargest = {"--px=512", "--scale=4"};
// Glyphs of 98,301 pixels once crashed the renderer.
const std::vector<std::string> kHuge = {"--font-mode=3", "--max=32767", "--min=32767"};
const std::vector<std::string> kWide = {"--px=128", "--scale=4", "--wrap=4000"};

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureSizes,
    ::testing::Values(SizeCase{"longest.png", {}, 32767, kSide},
                      SizeCase{"largest_px_and_scale.png", kLargest, 32767, kSide},
                      SizeCase{"longest.svg", {}, 32767, kSide},
                      SizeCase{"huge_glyphs.png", kHuge, 3, kSide},
                      SizeCase{"area.png", kWide, 300, "64000000 pixels in all"}),
    CaseName<SizeCase>);

}  // namespace
}  // namespace kelvara::picture::test
