// SPDX-License-Identifier: MIT
// The output choices in Lum.ini: what a start reads from section "Output", what a shut-down
// writes there, and that files without the section, or read by an older copy, lose nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "kelvara/settings/output_settings.h"
#include "kelvara/settings/profile.h"
#include "kelvara/settings/run_options.h"
#include "kelvara/settings/settings_file.h"
#include "settings_folder.h"

namespace kelvara::settings {
namespace {

namespace fs = std::filesystem;

class OutputSection : public SettingsFolderTest {
protected:
    [[nodiscard]] OutputSettings OutputFrom(std::string_view lines)
    {
        Put("[Output]\r\n" + std::string(lines));
        return LoadSettings(m_ini).value.Output;
    }

    static OutputSettings Chosen()
    {
        OutputSettings output;
        output.Format = engine::OutputFormat::BbCode;
        output.Space = engine::ColorSpace::OkLch;
        output.ExtraStops = {u"FF8000", u"00FFFF", u"123ABC"};
        output.Fit = 2000;
        output.Contrast = 1;
        return output;
    }
};

TEST_F(OutputSection, FileWithoutTheSectionGivesTheClassicOutput)
{
    Put("[Set]\r\nn=3\r\n[Color]\r\nFor=FF0000\r\n");
    const StoredSettings settings = LoadSettings(m_ini).value;
    EXPECT_TRUE(settings.Output.IsClassic());
    EXPECT_EQ(settings.Output.Format, engine::OutputFormat::Font);
    EXPECT_EQ(settings.Output.Space, engine::ColorSpace::Rgb);
    EXPECT_TRUE(settings.Output.ExtraStops.empty());
    EXPECT_FALSE(settings.Output.Fit.has_value());
    EXPECT_EQ(settings.Output.Contrast, 0);
    EXPECT_EQ(settings.TagOptions.h_ColorCount, 3);
}

TEST_F(OutputSection, UntouchedChoicesLeaveAnOldFileByteForByte)
{
    const std::string old =
        "[text]\r\nlast=abc\r\n[Set]\r\nn= 2\r\n[Mine]\r\nkeep=this\r\n[Color]\r\nFor=FF0000\r\n";
    Put(old);
    const StoredSettings settings = LoadSettings(m_ini).value;
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    const std::string saved = Contents();
    EXPECT_EQ(saved.find("[Output]"), std::string::npos);
    ASSERT_EQ(SaveSettings(LoadSettings(m_ini).value, m_ini), std::error_code());
    EXPECT_EQ(Contents(), saved);
}

TEST_F(OutputSection, ChoicesSurviveAShutDownAndAStart)
{
    StoredSettings settings = LoadSettings(m_ini).value;
    settings.Output = Chosen();
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    EXPECT_EQ(LoadSettings(m_ini).value, settings);
}

TEST_F(OutputSection, SectionComesAfterEveryOtherOne)
{
    StoredSettings settings = LoadSettings(m_ini).value;
    settings.Output = Chosen();
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    const std::string contents = Contents();
    const std::string tail =
        "[Else]\r\nh_marqueeflag= 0\r\nBlink= 0\r\n"
        "[Output]\r\nFormat=bbcode\r\nSpace=oklch\r\nStops=FF8000,00FFFF,123ABC\r\nFit= 2000\r\n"
        "Contrast= 1\r\n";
    ASSERT_GE(contents.size(), tail.size());
    EXPECT_EQ(contents.substr(contents.size() - tail.size()), tail);
}

TEST_F(OutputSection, OnlyTheChangedEntriesOfAFreshFileAreWritten)
{
    StoredSettings settings = LoadSettings(m_ini).value;
    settings.Output.Contrast = 1;
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    const std::string contents = Contents();
    const std::string tail = "[Output]\r\nContrast= 1\r\n";
    EXPECT_EQ(contents.substr(contents.size() - tail.size()), tail);
}

TEST_F(OutputSection, GoingBackToTheClassicChoicesIsSavedToo)
{
    StoredSettings settings = LoadSettings(m_ini).value;
    settings.Output = Chosen();
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    settings.Output = OutputSettings{};
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    EXPECT_TRUE(LoadSettings(m_ini).value.Output.IsClassic());
    // A rewritten entry keeps the blank after its "=".
    EXPECT_NE(Contents().find("[Output]\r\nFormat=font\r\nSpace=rgb\r\nStops=\r\nFit= \r\n"
                              "Contrast= 0\r\n"),
              std::string::npos);
}

// An older copy knows nothing of the section; its save step writes only its own entries,
// which must leave the section as it is.
TEST_F(OutputSection, AnOlderCopysSaveKeepsTheSection)
{
    StoredSettings settings = LoadSettings(m_ini).value;
    settings.Output = Chosen();
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    const std::string before = Contents();
    const std::string section = before.substr(before.find("[Output]"));

    ProfileFile old = ProfileFile::Load(m_ini).value;
    old.Write(u"text", u"last", u"別の文字");
    old.Write(u"Color", u"For", u"00FF00");
    old.Write(u"Set", u"n", u" 3");
    ASSERT_EQ(old.Save(m_ini), std::error_code());

    const std::string after = Contents();
    EXPECT_EQ(after.substr(after.find("[Output]")), section);
    EXPECT_EQ(LoadSettings(m_ini).value.Output, Chosen());
}

TEST_F(OutputSection, NamesAreReadInAnyCaseAndUnknownOnesGiveTheClassicOutput)
{
    EXPECT_EQ(OutputFrom("Format=SPAN\r\nSpace= OKLab \r\n").Format, engine::OutputFormat::Span);
    EXPECT_EQ(OutputFrom("Format=SPAN\r\nSpace= OKLab \r\n").Space, engine::ColorSpace::OkLab);
    // The terminal format is for the command line only.
    EXPECT_EQ(OutputFrom("Format=ansi\r\n").Format, engine::OutputFormat::Font);
    EXPECT_EQ(OutputFrom("Format=html\r\nSpace=hsl\r\n").Space, engine::ColorSpace::Rgb);
    EXPECT_EQ(OutputFrom("format=json\r\n").Format, engine::OutputFormat::Json);
    EXPECT_EQ(OutputFrom("Format=MiniMessage\r\n").Format, engine::OutputFormat::MiniMessage);
}

TEST_F(OutputSection, MalformedStopsAreDroppedAndAtMostThirteenKept)
{
    EXPECT_EQ(OutputFrom("Stops=ff8000, zz0000 ,00ffff,12345,\r\n").ExtraStops,
              (std::vector<std::u16string>{u"FF8000", u"00FFFF"}));
    std::string many = "Stops=";
    for (int i = 0; i < 15; ++i) many += "0000" + std::to_string(10 + i) + ",";
    const auto stops = OutputFrom(many + "\r\n").ExtraStops;
    ASSERT_EQ(stops.size(), kMaxExtraStops);
    EXPECT_EQ(stops.front(), u"000010");
    EXPECT_EQ(stops.back(), u"000022");
}

TEST_F(OutputSection, LengthLimitsOutOfRangeMeanNoLimit)
{
    EXPECT_EQ(OutputFrom("Fit= 500\r\n").Fit, 500);
    EXPECT_EQ(OutputFrom("Fit=99999999\r\n").Fit, 99'999'999);
    EXPECT_FALSE(OutputFrom("Fit=\r\n").Fit.has_value());
    EXPECT_FALSE(OutputFrom("Fit=0\r\n").Fit.has_value());
    EXPECT_FALSE(OutputFrom("Fit=-4\r\n").Fit.has_value());
    EXPECT_FALSE(OutputFrom("Fit=12.5\r\n").Fit.has_value());
    EXPECT_FALSE(OutputFrom("Fit=abc\r\n").Fit.has_value());
    EXPECT_FALSE(OutputFrom("Fit=100000000\r\n").Fit.has_value());
}

TEST_F(OutputSection, ContrastIsAFlagLikeTheOthers)
{
    EXPECT_EQ(OutputFrom("Contrast= 1\r\n").Contrast, 1);
    EXPECT_EQ(OutputFrom("Contrast=x\r\n").Contrast, 0);
    // A value the window cannot show is kept as it is, as for the other flags.
    EXPECT_EQ(OutputFrom("Contrast=2\r\n").Contrast, 2);
}

TEST_F(OutputSection, PictureChoicesAreWrittenOnlyWhenChangedAndReadBack)
{
    StoredSettings settings = LoadSettings(m_ini).value;
    settings.Output.Image = {.ImagePx = 96, .ImageBack = 1, .Outline = u"112233", .Shadow = u""};
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    const std::string contents = Contents();
    const std::string tail = "[Output]\r\nImagePx= 96\r\nImageBack= 1\r\nOutline=112233\r\n";
    EXPECT_EQ(contents.substr(contents.size() - tail.size()), tail);
    EXPECT_EQ(LoadSettings(m_ini).value, settings);
    // The picture's choices do not change the text output.
    EXPECT_TRUE(settings.Output.IsClassic());
}

TEST_F(OutputSection, PictureValuesOutOfRangeGiveTheDefaults)
{
    const struct {
        const char* lines;
        ImageSettings image;
    } cases[] = {
        {"ImagePx= 8\r\nShadow=aabbcc\r\n",
         {.ImagePx = 8, .ImageBack = 0, .Outline = u"", .Shadow = u"AABBCC"}},
        {"ImagePx=7\r\nOutline=12345\r\n", {}},
        {"ImagePx=513\r\nImageBack=x\r\n", {}},
        {"ImagePx=abc\r\nShadow=GG0000\r\n", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(OutputFrom(c.lines).Image, c.image) << c.lines;
}

TEST_F(OutputSection, WrapWidthIsWrittenOnlyWhenSetAndReadWithinItsRange)
{
    StoredSettings settings = LoadSettings(m_ini).value;
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    EXPECT_EQ(Contents().find("ImageWrap"), std::string::npos);
    settings.Output.Image.ImageWrap = 900;
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    EXPECT_NE(Contents().find("[Output]\r\nImageWrap= 900\r\n"), std::string::npos);
    EXPECT_EQ(LoadSettings(m_ini).value, settings);
    const std::pair<const char*, std::optional<std::int16_t>> cases[] = {
        {"16", 16}, {"16384", 16384}, {"15", std::nullopt}, {"16385", std::nullopt}, {"", {}}};
    for (const auto& [value, wrap] : cases) {
        EXPECT_EQ(OutputFrom(std::string("ImageWrap=") + value + "\r\n").Image.ImageWrap, wrap);
    }
}

TEST(StopColor, TakesSixHexDigitsInUpperCase)
{
    EXPECT_EQ(ReadStopColor(u" ff80a0 "), u"FF80A0");
    EXPECT_FALSE(ReadStopColor(u"").has_value());
    EXPECT_FALSE(ReadStopColor(u"FF80A").has_value());
    EXPECT_FALSE(ReadStopColor(u"#FF80A0").has_value());
    EXPECT_FALSE(ReadStopColor(u"GG0000").has_value());
    EXPECT_FALSE(ReadStopColor(u"FF80A00").has_value());
}

TEST(LengthLimit, TellsWhyATextIsRefused)
{
    EXPECT_EQ(ReadFit(u"").reading, FitReading::None);
    EXPECT_EQ(ReadFit(u"  ").reading, FitReading::None);
    EXPECT_EQ(ReadFit(u" 120 ").reading, FitReading::Value);
    EXPECT_EQ(ReadFit(u" 120 ").value, 120);
    EXPECT_EQ(ReadFit(u"1").value, 1);
    EXPECT_EQ(ReadFit(u"abc").reading, FitReading::NotANumber);
    EXPECT_EQ(ReadFit(u"120字").reading, FitReading::NotANumber);
    EXPECT_EQ(ReadFit(u"12.5").reading, FitReading::NotWhole);
    EXPECT_EQ(ReadFit(u"0").reading, FitReading::TooSmall);
    EXPECT_EQ(ReadFit(u"-3").reading, FitReading::TooSmall);
    EXPECT_EQ(ReadFit(u"100000000").reading, FitReading::TooLarge);
}

TEST(RunOptionsOf, ClassicChoicesGiveTheEnginesClassicOptions)
{
    engine::TagOptions options;
    options.h_ColorCount = 3;
    const RunColors colors{u"FF0000", u"00FF00", u"0000FF", u"FFFFFF"};
    EXPECT_EQ(RunOptions(OutputSettings{}, options, colors), engine::OutputOptions{});
}

TEST(RunOptionsOf, ExtraStopsComeAfterTheFirstAndMiddleColoursBeforeTheLast)
{
    OutputSettings output;
    output.ExtraStops = {u"FF8000", u"123456"};
    engine::TagOptions options;
    const RunColors colors{u"FF0000", u"00FF00", u"0000ff", u"FFFFFF"};

    options.h_ColorCount = 2;
    EXPECT_EQ(
        RunOptions(output, options, colors).stops,
        (std::vector<engine::Rgb>{{255, 0, 0}, {255, 128, 0}, {0x12, 0x34, 0x56}, {0, 0, 255}}));
    options.h_ColorCount = 3;
    EXPECT_EQ(RunOptions(output, options, colors).stops,
              (std::vector<engine::Rgb>{
                  {255, 0, 0}, {0, 255, 0}, {255, 128, 0}, {0x12, 0x34, 0x56}, {0, 0, 255}}));
    // The colour fields are read as the classic run reads them: leniently.
    EXPECT_EQ(RunOptions(output, options, {u"F", u"", u"GG", u""}).stops.front(),
              (engine::Rgb{15, 0, 15}));
}

TEST(RunOptionsOf, FormatSpaceLimitAndContrastCarryOver)
{
    OutputSettings output;
    output.Format = engine::OutputFormat::Wiki;
    output.Space = engine::ColorSpace::OkLab;
    output.Fit = 640;
    output.Contrast = 1;
    const RunColors colors{u"FF0000", u"00FF00", u"0000FF", u"FFFFF0"};
    const engine::OutputOptions run = RunOptions(output, engine::TagOptions{}, colors);
    EXPECT_EQ(run.format, engine::OutputFormat::Wiki);
    EXPECT_EQ(run.space, engine::ColorSpace::OkLab);
    EXPECT_EQ(run.fit, std::optional<std::size_t>(640));
    EXPECT_EQ(run.contrastBackground, std::optional<engine::Rgb>(engine::Rgb{255, 255, 240}));
    EXPECT_TRUE(run.stops.empty());

    output.Contrast = 2;  // only 1 turns the check on, as for every flag
    EXPECT_FALSE(RunOptions(output, engine::TagOptions{}, colors).contrastBackground);
}

}  // namespace
}  // namespace kelvara::settings
