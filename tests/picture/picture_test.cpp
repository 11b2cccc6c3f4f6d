// SPDX-License-Identifier: MIT
// kelvara-gen --image as a user meets it: the PNG and SVG files read back (the SVG drawn by
// librsvg), every glyph in its character's colour, the size, the background, the description,
// no display needed, and no Qt for the text formats.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "gen_process.h"
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

struct ColorCase {
    const char* name;
    const char* file;
    std::vector<std::string> options;
    const char* text;
    bool vertical;
};

class GlyphColors : public ::testing::TestWithParam<ColorCase> {};

TEST_P(GlyphColors, EveryGlyphHasItsCharactersColour)
{
    const ColorCase& c = GetParam();
    const Folder folder;
    const std::string file = folder.File(c.file);
    const ProcessRun run = Draw(file, c.options, c.text);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.out.empty());
    ExpectGlyphColors(Load(file), PlannedColors(c.options, c.text), c.vertical);
}

const std::vector<std::string> kThree = {"--colors=3", "--first=FF0000", "--middle=00C000",
                                         "--last=0000FF"};

INSTANTIATE_TEST_SUITE_P(
    Pictures, GlyphColors,
    ::testing::Values(
        ColorCase{"png", "a.png", {}, "虹色の文字", false},
        ColorCase{"svg", "a.svg", {}, "虹色の文字", false},
        ColorCase{
            "png_three_sizes", "b.png", {"--font-mode=2", "--colors=3"}, "グラデーション", false},
        ColorCase{
            "svg_three_sizes", "b.svg", {"--font-mode=2", "--colors=3"}, "グラデーション", false},
        ColorCase{"png_vertical",
                  "c.png",
                  {"--vertical", "--font-mode=3", "--max=30", "--min=12"},
                  "日本口",
                  true},
        ColorCase{"svg_vertical_oklch", "c.svg", {"--vertical", "--space=oklch"}, "日本口", true},
        ColorCase{"png_scaled_bold", "d.png", {"--scale=2", "--bold", "--px=20"}, "Help", false},
        ColorCase{"svg_latin_pixels",
                  "e.svg",
                  {"--font-mode=4", "--min=10", "--max=40"},
                  "Hello",
                  false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Picture, SizeIsTextPlusPaddingWithTransparentOrFilledCorners)
{
    const Folder folder;
    for (const bool back : {false, true}) {
        const std::string file = folder.File(back ? "back.png" : "clear.png");
        std::vector<std::string> options = {"--px=32"};
        if (back) options.emplace_back("--image-back=FFEE00");
        ASSERT_EQ(Draw(file, options, "文字").status, 0);
        const QImage image = Load(file);
        // Two full-width characters of 32 px side by side, 8 px of padding round them.
        EXPECT_EQ(image.width(), 2 * 32 + 2 * 8);
        EXPECT_GE(image.height(), 32 + 2 * 8);
        for (const QPoint corner : {QPoint(0, 0), QPoint(image.width() - 1, image.height() - 1)}) {
            EXPECT_EQ(image.pixel(corner), back ? 0xFFFFEE00U : 0U);
        }
    }
}

TEST(Picture, OutlineAndShadowDrawRoundTheFill)
{
    const Folder folder;
    const std::vector<std::string> options = {"--outline=000000", "--shadow=808080"};
    for (const char* name : {"fx.png", "fx.svg"}) {
        const std::string file = folder.File(name);
        ASSERT_EQ(Draw(file, options, "文字").status, 0);
        const QImage image = Load(file);
        int outline = 0;
        int shadow = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                outline += p == 0xFF000000U ? 1 : 0;
                // The soft shadow: grey, partly transparent.
                shadow += qAlpha(p) > 0 && qAlpha(p) < 200 && qRed(p) == qGreen(p) && qRed(p) > 0x60
                              ? 1
                              : 0;
            }
        }
        EXPECT_GT(outline, 100) << name;
        EXPECT_GT(shadow, 100) << name;
        // The fill stays on top: the first and last colour are still solid.
        for (const QRgb fill : {0xFFFF0000U, 0xFF0000FFU}) {
            int count = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == fill ? 1 : 0;
            }
            EXPECT_GT(count, 50) << name << std::hex << fill;
        }
    }
}

TEST(Picture, CssFillsOneGradientFromFirstToLastStop)
{
    const Folder folder;
    for (const char* name : {"css.png", "css.svg"}) {
        const std::string file = folder.File(name);
        ASSERT_EQ(Draw(file, {"--format=css", "--stops=FF0000,0000FF"}, "一二三四五").status, 0);
        const QImage image = Load(file);
        int left = image.width();
        int right = -1;
        QRgb leftColor = 0;
        QRgb rightColor = 0;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                const QRgb p = image.pixel(x, y);
                if (qAlpha(p) != 255) continue;
                if (x < left) std::tie(left, leftColor) = std::tie(x, p);
                std::tie(right, rightColor) = std::tie(x, p);
            }
        }
        // Near the ends of the text the gradient is close to its stops, and it runs across.
        EXPECT_GT(qRed(leftColor), 0xE0) << name;
        EXPECT_LT(qBlue(leftColor), 0x20) << name;
        EXPECT_GT(qBlue(rightColor), 0xE0) << name;
        EXPECT_LT(qRed(rightColor), 0x20) << name;
    }
}

// A tEXt or iTXt chunk's text after the keyword "Description", or nothing.
std::string DescriptionOf(const std::string& png, std::string& type)
{
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(png[i]); };
        const std::size_t length = (std::size_t{byte(at)} << 24U) |
                                   (std::size_t{byte(at + 1)} << 16U) |
                                   (std::size_t{byte(at + 2)} << 8U) | byte(at + 3);
        type = png.substr(at + 4, 4);
        const std::string data = png.substr(at + 8, length);
        if ((type == "tEXt" || type == "iTXt") &&
            data.starts_with(std::string("Description\0", 12))) {
            // iTXt: flag, method, empty language and translated keyword before the text.
            return data.substr(type == "tEXt" ? 12 : 16);
        }
        at += length + 12;
    }
    return {};
}

TEST(Picture, PngIsEightBitRgbaWithTheTextAsDescription)
{
    const Folder folder;
    const struct {
        const char* text;
        const char* chunk;
    } cases[] = {{"Plain ASCII, longer than forty characters in all", "tEXt"},
                 {"ｸﾞﾗﾃﾞｰｼｮﾝ、虹色", "iTXt"}};
    for (const auto& c : cases) {
        const std::string file = folder.File("d.png");
        ASSERT_EQ(Draw(file, {}, c.text).status, 0);
        std::ifstream in(file, std::ios::binary);
        const std::string png{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(png[24], 8) << "bit depth";
        EXPECT_EQ(png[25], 6) << "colour type RGBA";
        std::string type;
        EXPECT_EQ(DescriptionOf(png, type), c.text);
        EXPECT_EQ(type, c.chunk);
        // pngcheck checks every chunk's CRC and layout.
        EXPECT_EQ(std::system(("pngcheck -q '" + file + "'").c_str()), 0);
    }
}

TEST(Picture, DrawsWithoutDisplayAndSaysNothing)
{
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);  // even a platform asked for is not needed
    const Folder folder;
    const ProcessRun run = Draw(folder.File("n.png"), {}, "表示なし");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(fs::exists(folder.File("n.png")));
}

TEST(Picture, UnwritableFolderFailsNamingTheFileAndLeavesNothing)
{
    const Folder folder;
    const std::string blocked = folder.File("file-not-folder");
    std::ofstream(blocked) << "x";
    const std::string file = blocked + "/x.png";
    const ProcessRun run = Draw(file, {}, "abc");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("kelvara-gen: cannot write picture " + file + ": "), std::string::npos)
        << run.err;
}

TEST(Picture, OptionsAPictureCannotShowGetOneNoteEach)
{
    const Folder folder;
    const ProcessRun run = Draw(folder.File("m.png"), {"--center", "--marquee", "--sub"}, "abc");
    EXPECT_EQ(run.status, 0);
    // Centring is drawn (every line centred), so it gets no note.
    EXPECT_EQ(run.err,
              "kelvara-gen: subscript is left out: a picture cannot show it\n"
              "kelvara-gen: the marquee is left out: a picture cannot show it\n");
}

TEST(Picture, WrongPictureOptionsAreUsageErrors)
{
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--image=x.gif"}, "--image takes a file name ending in .png or .svg, not \"x.gif\""},
        {{"--image=x.png", "--px=7"}, "--px takes a whole number from 8 to 512, not \"7\""},
        {{"--image=x.png", "--scale=5"}, "--scale takes a whole number from 1 to 4, not \"5\""},
        {{"--image=x.svg", "--outline=12345"}, "--outline takes a colour RRGGBB"},
        {{"--shadow=000000"}, "--shadow needs --image"},
        {{"--image=x.png", "--wrap=15"},
         "--wrap takes a whole number from 16 to 16384, not \"15\""},
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
