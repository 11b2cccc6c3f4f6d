// SPDX-License-Identifier: MIT
// kelvara-gen --image keeps the text's lines, as a user meets it: every line of the text a line
// of glyphs (a column from the right when vertical) in the run's colours, centred with --center,
// long lines wrapped where Japanese may break; a picture too large to open is refused, with its
// size and the limit named and no file left behind. SVG files are drawn by librsvg.
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

namespace fs = std::filesystem;
using cli::ProcessRun;
using cli::RunGenProcess;
using Folder = kelvara::test::TempFolder;

ProcessRun Draw(const std::string& file, std::vector<std::string> options, const std::string& text)
{
    options.push_back("--image=" + file);
    options.emplace_back("--");
    options.push_back(text);
    return RunGenProcess(options);
}

bool IsVertical(const std::vector<std::string>& options)
{
    return std::find(options.begin(), options.end(), "--vertical") != options.end();
}

// Draws a text with kelvara-gen and returns the lines of glyphs found in the file.
std::vector<FoundLine> DrawnLines(const std::string& file, const std::vector<std::string>& options,
                                  const std::string& text)
{
    const ProcessRun run = Draw(file, options, text);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return FindLines(Load(file), IsVertical(options));
}

void ExpectColor(unsigned got, unsigned want, const std::string& what)
{
    for (const unsigned shift : {16U, 8U, 0U}) {
        EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFFU),
                    static_cast<int>((want >> shift) & 0xFFU), 2)
            << what << std::hex << " drawn " << got << " planned " << want;
    }
}

enum class Align { Start, Center };

struct LineCase {
    const char* name;
    const char* file;
    std::vector<std::string> options;
    const char* text;
    std::vector<std::size_t> glyphs;  // on each line, in reading order
    Align align = Align::Start;
    std::vector<int> pitches = {};  // where each line starts, in line pitches; empty: unchecked
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

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
    std::erase_if(planned, [](const Expected& e) {
        return e.text == "\n" || e.text == "\r" || e.text == " ";
    });
    ASSERT_EQ(colors.size(), planned.size());
    for (std::size_t i = 0; i < colors.size(); ++i) {
        ExpectColor(colors[i], planned[i].rgb, "glyph " + std::to_string(i));
    }

    for (const FoundLine& line : lines) {
        if (c.align == Align::Start) {
            EXPECT_NEAR(line.from, lines.front().from, 3) << "every line starts at the start";
        } else {
            EXPECT_NEAR(line.from + line.to, lines.front().from + lines.front().to, 4)
                << "every line centred";
        }
    }
    if (!c.pitches.empty()) {
        ASSERT_EQ(lines.size(), c.pitches.size());
        const double pitch = std::abs(lines.back().start - lines.front().start) /
                             static_cast<double>(c.pitches.back());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_NEAR(std::abs(lines[i].start - lines.front().start), c.pitches[i] * pitch, 2)
                << "line " << i;
        }
    }
}

const std::vector<std::string> kPx32 = {"--px=32"};
const std::vector<std::string> kVertical = {"--px=32", "--vertical"};

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureLines,
    ::testing::Values(
        LineCase{"two_lines_png", "a.png", kPx32, "一目\n二目のテキスト", {2, 7}},
        LineCase{"two_lines_svg", "a.svg", kPx32, "一目\n二目のテキスト", {2, 7}},
        LineCase{"crlf", "b.png", kPx32, "上下\r\n上", {2, 1}},
        LineCase{"empty_middle_line_png",
                 "c.png",
                 kPx32,
                 "上\n\n上\n上",
                 {1, 1, 1},
                 Align::Start,
                 {0, 2, 3}},
        LineCase{"empty_middle_line_svg",
                 "c.svg",
                 kPx32,
                 "上\n\n上\n上",
                 {1, 1, 1},
                 Align::Start,
                 {0, 2, 3}},
        LineCase{"vertical_columns_from_the_right_png", "d.png", kVertical, "上上上\n下", {3, 1}},
        LineCase{"vertical_columns_from_the_right_svg", "d.svg", kVertical, "上上上\n下", {3, 1}},
        LineCase{"vertical_empty_column",
                 "d2.png",
                 kVertical,
                 "上\n\n上\n上",
                 {1, 1, 1},
                 Align::Start,
                 {0, 2, 3}},
        LineCase{
            "center_png", "e.png", {"--px=32", "--center"}, "上\n上上上", {1, 3}, Align::Center},
        LineCase{
            "center_svg", "e.svg", {"--px=32", "--center"}, "上\n上上上", {1, 3}, Align::Center},
        LineCase{"vertical_center",
                 "f.png",
                 {"--px=32", "--vertical", "--center"},
                 "上\n上上上",
                 {1, 3},
                 Align::Center},
        // Four kana fit in 128 pixels, but "、" may not start a line: the fourth moves down.
        LineCase{"wrap_keeps_comma_off_the_line_start_png",
                 "g.png",
                 {"--px=32", "--wrap=128"},
                 "ああああ、ああ",
                 {3, 4}},
        LineCase{"wrap_keeps_comma_off_the_line_start_svg",
                 "g.svg",
                 {"--px=32", "--wrap=128"},
                 "ああああ、ああ",
                 {3, 4}},
        LineCase{
            "wrap_latin_at_the_space", "h.png", {"--px=32", "--wrap=120"}, "Hello world", {5, 5}},
        LineCase{"wrap_a_column",
                 "i.png",
                 {"--px=32", "--vertical", "--wrap=100"},
                 "上上上上上",
                 {2, 2, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureLines, CssGradientRunsOnFromLineToLine)
{
    const Folder folder;
    for (const char* name : {"css.png", "css.svg"}) {
        const auto lines =
            DrawnLines(folder.File(name), {"--px=32", "--format=css", "--stops=FF0000,0000FF"},
                       "上上上\n上上上");
        ASSERT_EQ(lines.size(), 2U) << name;
        const unsigned firstStart = lines[0].colors.front();
        const unsigned firstEnd = lines[0].colors.back();
        const unsigned secondStart = lines[1].colors.front();
        const unsigned secondEnd = lines[1].colors.back();
        const auto red = [](unsigned rgb) { return static_cast<int>(rgb >> 16U); };
        EXPECT_GT(red(firstStart), 0xD0) << name;
        EXPECT_LT(red(secondEnd), 0x30) << name;
        // The second line goes on from where the first ended, not from the first colour.
        EXPECT_NEAR(red(secondStart), red(firstEnd), 0x30) << name;
        EXPECT_LT(red(secondStart), red(firstStart) - 0x40) << name;
    }
}

// A length limit draws groups of characters in one colour; a wrapped line may end inside one.
TEST(PictureLines, WrapCutsAGroupOfCharacters)
{
    const Folder folder;
    const auto lines =
        DrawnLines(folder.File("fit.png"), {"--px=32", "--wrap=100", "--fit=150"}, "上下上下上下");
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0].colors.size(), 3U);
    EXPECT_EQ(lines[1].colors.size(), 3U);
    EXPECT_EQ(lines[0].colors[0], lines[0].colors[1]) << "the first two are one group";
}

TEST(PictureLines, TitleAndDescriptionHoldTheWholeText)
{
    const Folder folder;
    const std::string text = "一行目\n二行目";
    ASSERT_EQ(Draw(folder.File("t.svg"), {}, text).status, 0);
    EXPECT_NE(kelvara::test::ReadFile(folder.File("t.svg")).find("<title>" + text + "</title>"),
              std::string::npos);
    // CR LF in the PNG's text becomes LF, as PNG text wants; pngcheck reads the file.
    ASSERT_EQ(Draw(folder.File("t.png"), {}, "一行目\r\n二行目").status, 0);
    EXPECT_NE(kelvara::test::ReadFile(folder.File("t.png")).find(text), std::string::npos);
    EXPECT_EQ(std::system(("pngcheck -q '" + folder.File("t.png") + "'").c_str()), 0);
}

TEST(PictureLines, ALongTextWrappedStaysWithinItsWidthAndOpens)
{
    const Folder folder;
    std::string text;
    for (int i = 0; i < 400; ++i) text += "虹色の文字";  // 2,000 characters
    const std::string file = folder.File("long.png");
    const ProcessRun run = Draw(file, {"--wrap=1200"}, text);
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage image = Load(file);
    EXPECT_LE(image.width(), 1200 + 2 * 12);  // the padding is a quarter of 48 px
    EXPECT_GT(image.height(), 70 * 48);       // 25 characters a line: 80 lines
    EXPECT_EQ(std::system(("pngcheck -q '" + file + "'").c_str()), 0);
}

struct TooLargeCase {
    const char* name;
    const char* file;
    std::vector<std::string> options;
    int characters;
    const char* limit;
};

void PrintTo(const TooLargeCase& c, std::ostream* os) { *os << c.name; }

class TooLarge : public ::testing::TestWithParam<TooLargeCase> {};

TEST_P(TooLarge, IsRefusedNamingItsSizeAndTheLimitAndWritesNothing)
{
    const TooLargeCase& c = GetParam();
    const Folder folder;
    const std::string file = folder.File(c.file);
    std::vector<std::string> args = c.options;
    args.push_back("--image=" + file);
    std::string text;
    for (int i = 0; i < c.characters; ++i) text += "あ";
    args.push_back(text);
    const ProcessRun run = RunGenProcess(args, {}, cli::StdoutTarget::Capture, true);
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(run.out.empty());
    const std::string head = "kelvara-gen: cannot draw picture " + file + ": it would be ";
    ASSERT_TRUE(run.err.starts_with(head)) << run.err;
    std::smatch size;
    const std::string rest = run.err.substr(head.size());
    ASSERT_TRUE(
        std::regex_search(rest, size, std::regex(R"(^(\d+) x (\d+) pixels, over the limit)")))
        << run.err;
    const PictureSize would{std::stoll(size[1]), std::stoll(size[2])};
    EXPECT_NE(OverLimit(would), SizeLimit::None) << run.err;
    EXPECT_NE(run.err.find(c.limit), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("--wrap"), std::string::npos) << "what helps: " << run.err;
#if !defined(__SANITIZE_ADDRESS__)
    // Refused before its pixels exist: far less than the picture itself would take.
    if (cli::CanMeasureMemory()) {
        EXPECT_LE(run.maxRssKiB, 256L * 1024);
    }
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, TooLarge,
    ::testing::Values(TooLargeCase{"png_longest_text", "l.png", {}, 32767, "16384 pixels a side"},
                      TooLargeCase{"png_largest_px_and_scale",
                                   "m.png",
                                   {"--px=512", "--scale=4"},
                                   32767,
                                   "16384 pixels a side"},
                      TooLargeCase{"svg_longest_text", "n.svg", {}, 32767, "16384 pixels a side"},
                      TooLargeCase{"png_over_the_area",
                                   "o.png",
                                   {"--px=128", "--scale=4", "--wrap=4000"},
                                   300,
                                   "64000000 pixels in all"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureLines, WrongWrapIsAUsageError)
{
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--image=x.png", "--wrap=15"},
         "--wrap takes a whole number from 16 to 16384, not \"15\""},
        {{"--image=x.png", "--wrap=16385"}, "--wrap takes a whole number from 16 to 16384"},
        {{"--wrap=600"}, "--wrap needs --image"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.emplace_back("abc");
        const ProcessRun run = RunGenProcess(args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace kelvara::picture::test
