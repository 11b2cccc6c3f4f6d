// SPDX-License-Identifier: MIT
// Lum.ini as the user meets it: what a start reads, what a shut-down writes, what survives.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "kelvara/settings/settings_file.h"
#include "settings_folder.h"

namespace kelvara::settings {
namespace {

namespace fs = std::filesystem;

class SettingsFile : public SettingsFolderTest {
protected:
    // The options read from a file holding just this one entry.
    [[nodiscard]] engine::TagOptions OptionsFrom(std::string_view section, std::string_view line)
    {
        Put("[" + std::string(section) + "]\r\n" + std::string(line) + "\r\n");
        return LoadSettings(m_ini).value.TagOptions;
    }
};

TEST_F(SettingsFile, MissingFileGivesEmptyTextsZerosAndBaseSizeThree)
{
    const StoredSettings settings = LoadSettings(m_ini).value;
    StoredSettings expected;
    expected.TagOptions.h_NFontSize = 3;
    EXPECT_EQ(settings, expected);
}

TEST_F(SettingsFile, FirstSaveWritesEveryEntryInItsPlace)
{
    ASSERT_EQ(SaveSettings(LoadSettings(m_ini).value, m_ini), std::error_code());
    EXPECT_EQ(Contents(),
              "[Color]\r\n"
              "0=\r\n1=\r\n2=\r\n3=\r\n4=\r\n5=\r\n6=\r\n7=\r\n8=\r\n9=\r\n10=\r\n"
              "11=\r\n"
              "For=\r\nLast=\r\nMid=\r\nBack=\r\n"
              "[text]\r\n"
              "last=\r\n"
              "[Set]\r\n"
              "h_textflag= 0\r\nh_fontflag= 0\r\nh_styleflag= 0\r\nh_instantflag= 0\r\nn= 0\r\n"
              "h_Centerflag= 0\r\n"
              "[Font]\r\n"
              "h_ItalicFlag= 0\r\nh_BoldFlag= 0\r\nh_NotFlag= 0\r\nSub= 0\r\nUp= 0\r\nUnder= 0\r\n"
              "h_nfontsize= 3\r\nh_FontFace=\r\n"
              "[FontSize]\r\n"
              "Max= 0\r\nMin= 0\r\n"
              "[Else]\r\n"
              "h_marqueeflag= 0\r\nBlink= 0\r\n");
}

TEST_F(SettingsFile, EverythingComesBackAfterSaveAndLoad)
{
    StoredSettings settings;
    settings.txtFor = u"ｸﾞﾗﾃﾞｰｼｮﾝのテスト";
    for (std::size_t i = 0; i < settings.SavedColors.size(); ++i) {
        settings.SavedColors[i] =
            i % 3 == 0 ? u"" : u"0A0B" + std::u16string(2, static_cast<char16_t>(u'A' + i));
    }
    engine::TagOptions& options = settings.TagOptions;
    options.h_NFontSize = 7;
    options.h_FontFace = u"ＭＳ Ｐゴシック";
    options.h_textflag = 1;
    options.h_fontflag = 4;
    options.h_styleflag = 1;
    options.h_instantflag = 1;
    options.h_ColorCount = 3;
    options.h_Centerflag = 1;
    options.h_ItalicFlag = 1;
    options.h_BoldFlag = 1;
    options.h_NotFlag = 1;
    options.h_SubFlag = 1;
    options.h_UpFlag = 1;
    options.h_UnderFlag = 1;
    options.h_MaxFontSize = 32767;
    options.h_MinFontSize = -32768;
    options.h_marqueeFlag = 1;
    options.h_BlinkFlag = 1;
    settings.txtCfor = u"FF0000";
    settings.txtClat = u"0000ff";
    settings.txtCmid = u"00FF0";
    settings.txtBack = u"FFFFFF";

    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    EXPECT_EQ(LoadSettings(m_ini).value, settings);

    // Every flag separately, so that no two entries share a key by mistake.
    engine::TagOptions one;
    one.h_NFontSize = 1;
    for (std::int16_t engine::TagOptions::*flag :
         {&engine::TagOptions::h_textflag, &engine::TagOptions::h_fontflag,
          &engine::TagOptions::h_styleflag, &engine::TagOptions::h_instantflag,
          &engine::TagOptions::h_ColorCount, &engine::TagOptions::h_Centerflag,
          &engine::TagOptions::h_ItalicFlag, &engine::TagOptions::h_BoldFlag,
          &engine::TagOptions::h_NotFlag, &engine::TagOptions::h_SubFlag,
          &engine::TagOptions::h_UpFlag, &engine::TagOptions::h_UnderFlag,
          &engine::TagOptions::h_MaxFontSize, &engine::TagOptions::h_MinFontSize,
          &engine::TagOptions::h_marqueeFlag, &engine::TagOptions::h_BlinkFlag}) {
        StoredSettings single;
        single.TagOptions = one;
        single.TagOptions.*flag = 1;
        fs::remove(m_ini);
        ASSERT_EQ(SaveSettings(single, m_ini), std::error_code());
        EXPECT_EQ(LoadSettings(m_ini).value, single);
    }
}

TEST_F(SettingsFile, SavingTwiceChangesNothing)
{
    StoredSettings settings;
    settings.txtFor = u"abc";
    settings.TagOptions.h_ColorCount = 2;
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    const std::string first = Contents();
    ASSERT_EQ(SaveSettings(LoadSettings(m_ini).value, m_ini), std::error_code());
    EXPECT_EQ(Contents(), first);
}

TEST_F(SettingsFile, HandEditedLowerCaseSectionAndUnpaddedKeyAreUsed)
{
    Put("[color]\r\n0=FF0000\r\n");
    StoredSettings settings = LoadSettings(m_ini).value;
    EXPECT_EQ(settings.SavedColors[0], u"FF0000");

    settings.SavedColors[0] = u"00FF00";
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    const std::string saved = Contents();
    EXPECT_EQ(saved.rfind("[color]\r\n0=00FF00\r\n1=\r\n", 0), 0u) << saved;
    EXPECT_EQ(saved.find("[Color]"), std::string::npos);
    EXPECT_EQ(saved.find("\n0="), saved.rfind("\n0="));  // written back under the same entry
    EXPECT_EQ(LoadSettings(m_ini).value.SavedColors[0], u"00FF00");
}

TEST_F(SettingsFile, CommentsBlankLinesAndOtherSectionsSurviveASave)
{
    const std::string before =
        "; Kelvara settings, edited by hand\r\n"
        "\r\n"
        "[Color]\r\n"
        "0=FF0000\r\n 1=\r\n 2=\r\n 3=\r\n 4=\r\n 5=\r\n 6=\r\n 7=\r\n 8=\r\n 9=\r\n 10=\r\n"
        " 11=\r\nFor=FF0000\r\nLast=0000FF\r\nMid=00FF00\r\nBack=FFFFFF\r\n"
        "\r\n"
        "[Mine]\r\n"
        "kept = as it was \r\n"
        "no equals sign here\r\n"
        "\r\n"
        "[text]\r\nlast=abc\r\n"
        "[Set]\r\n"
        "h_textflag= 0\r\nh_fontflag= 0\r\nh_styleflag= 0\r\nh_instantflag= 0\r\nn= 2\r\n"
        "h_Centerflag= 0\r\n"
        "; fonts\r\n"
        "[Font]\r\n"
        "h_ItalicFlag= 0\r\nh_BoldFlag= 0\r\nh_NotFlag= 0\r\nSub= 0\r\nUp= 0\r\nUnder= 0\r\n"
        "h_NFontSize= 3\r\nh_FontFace=\r\n"
        "[FontSize]\r\nMax= 0\r\nMin= 0\r\n"
        "[Else]\r\nh_marqueeFlag= 0\r\nBlink= 0\r\n"
        "\r\n";
    Put(before);
    StoredSettings settings = LoadSettings(m_ini).value;
    settings.txtFor = u"xyz";
    settings.TagOptions.h_BoldFlag = 1;
    settings.TagOptions.h_NFontSize = 5;
    settings.txtBack = u"000000";
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());

    std::string expected = before;
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"last=abc", "last=xyz"},
                                   {"h_BoldFlag= 0", "h_BoldFlag= 1"},
                                   {"h_NFontSize= 3", "h_NFontSize= 5"},
                                   {"Back=FFFFFF", "Back=000000"}}) {
        expected.replace(expected.find(from), from.size(), to);
    }
    EXPECT_EQ(Contents(), expected);
}

TEST_F(SettingsFile, LongInputTextIsCutToWhatFitsIn499Bytes)
{
    StoredSettings settings;
    settings.TagOptions.h_NFontSize = 3;
    settings.txtFor = std::u16string(600, u'a');
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    EXPECT_EQ(LoadSettings(m_ini).value.txtFor, std::u16string(499, u'a'));

    settings.txtFor = std::u16string(300, u'あ');
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    EXPECT_EQ(LoadSettings(m_ini).value.txtFor, std::u16string(249, u'あ'));
}

TEST_F(SettingsFile, ColourTextKeepsSixBytes)
{
    Put("[Color]\r\nFor=FF00001\r\n 3=ABCDEF99\r\n");
    const StoredSettings settings = LoadSettings(m_ini).value;
    EXPECT_EQ(settings.txtCfor, u"FF0000");
    EXPECT_EQ(settings.SavedColors[3], u"ABCDEF");
}

TEST_F(SettingsFile, FontFaceKeeps19Bytes)
{
    Put("[Font]\r\nh_FontFace=" + std::string(30, 'F') + "\r\n");
    EXPECT_EQ(LoadSettings(m_ini).value.TagOptions.h_FontFace, std::u16string(19, u'F'));
}

TEST_F(SettingsFile, PixelSizesRoundToEven)
{
    EXPECT_EQ(OptionsFrom("FontSize", "Max=2.5").h_MaxFontSize, 2);
    EXPECT_EQ(OptionsFrom("FontSize", "Max=3.5").h_MaxFontSize, 4);
    EXPECT_EQ(OptionsFrom("FontSize", "Min=&H10").h_MinFontSize, 16);
    // Eleven bytes are read: "12345678901" is beyond 16 bits and saturates.
    EXPECT_EQ(OptionsFrom("FontSize", "Max=123456789012").h_MaxFontSize, 32767);
    EXPECT_EQ(OptionsFrom("FontSize", "Min=-99999").h_MinFontSize, -32768);
}

TEST_F(SettingsFile, FlagsKeepTwoBytes)
{
    EXPECT_EQ(OptionsFrom("Set", "h_textflag=3.5").h_textflag, 3);  // "3."
    EXPECT_EQ(OptionsFrom("Set", "h_textflag=.5").h_textflag, 0);
    EXPECT_EQ(OptionsFrom("Set", "h_textflag=&H1").h_textflag, 0);  // "&H"
    EXPECT_EQ(OptionsFrom("Set", "h_textflag= 1").h_textflag, 1);
    EXPECT_EQ(OptionsFrom("Set", "h_textflag=x").h_textflag, 0);
    EXPECT_EQ(OptionsFrom("Set", "h_textflag=123").h_textflag, 12);
    EXPECT_EQ(OptionsFrom("Set", "h_textflag= 12").h_textflag, 12);
    EXPECT_EQ(OptionsFrom("Set", "n=3").h_ColorCount, 3);
    EXPECT_EQ(OptionsFrom("Else", "H_MARQUEEFLAG=1").h_marqueeFlag, 1);
}

TEST_F(SettingsFile, BaseSizeNeedsANumberElseThree)
{
    EXPECT_EQ(OptionsFrom("Font", "h_NFontSize=5").h_NFontSize, 5);
    EXPECT_EQ(OptionsFrom("Font", "h_nfontsize= 7").h_NFontSize, 7);
    EXPECT_EQ(OptionsFrom("Font", "h_NFontSize=-1").h_NFontSize, -1);
    EXPECT_EQ(OptionsFrom("Font", "h_NFontSize=2.5").h_NFontSize, 2);  // "2."
    EXPECT_EQ(OptionsFrom("Font", "h_NFontSize=").h_NFontSize, 3);
    EXPECT_EQ(OptionsFrom("Font", "h_NFontSize=x").h_NFontSize, 3);
    EXPECT_EQ(OptionsFrom("Font", "h_NFontSize=&H5").h_NFontSize, 3);
    EXPECT_EQ(OptionsFrom("Font", "other=5").h_NFontSize, 3);
}

TEST_F(SettingsFile, UnusualValuesSurviveAStartAndAShutDown)
{
    Put("[Set]\r\nh_textflag=2\r\nn=0\r\nh_fontflag=9\r\n[Font]\r\nh_NFontSize=12\r\n");
    const StoredSettings loaded = LoadSettings(m_ini).value;
    EXPECT_EQ(loaded.TagOptions.h_textflag, 2);
    EXPECT_EQ(loaded.TagOptions.h_ColorCount, 0);
    EXPECT_EQ(loaded.TagOptions.h_fontflag, 9);
    EXPECT_EQ(loaded.TagOptions.h_NFontSize, 12);
    ASSERT_EQ(SaveSettings(loaded, m_ini), std::error_code());
    EXPECT_EQ(LoadSettings(m_ini).value, loaded);
}

TEST_F(SettingsFile, CharactersOutsideShiftJisComeBackAsQuestionMarks)
{
    StoredSettings settings;
    settings.txtFor = u"a\U0001F600b";
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    EXPECT_EQ(LoadSettings(m_ini).value.txtFor, u"a?b");
}

TEST_F(SettingsFile, SaveToAPlaceThatCannotHoldAFileFails)
{
    std::ofstream(m_folder / "file") << "x";
    const std::error_code reason =
        SaveSettings(StoredSettings{}, m_folder / "file" / kSettingsFileName);
    EXPECT_TRUE(reason);
    EXPECT_EQ(reason.message(), "Not a directory");
}

TEST_F(SettingsFile, SymlinkedFileIsUpdatedAndStaysALink)
{
    fs::create_directories(m_folder / "dotfiles");
    const fs::path real = m_folder / "dotfiles" / "kelvara.ini";
    std::ofstream(real, std::ios::binary) << "[text]\r\nlast=old\r\n";
    fs::remove(m_ini);
    fs::create_symlink("dotfiles/kelvara.ini", m_ini);

    StoredSettings settings = LoadSettings(m_ini).value;
    EXPECT_EQ(settings.txtFor, u"old");
    settings.txtFor = u"new";
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    EXPECT_TRUE(fs::is_symlink(m_ini));
    EXPECT_EQ(LoadSettings(real).value.txtFor, u"new");
}

TEST_F(SettingsFile, ReadOnlyFileIsNeverOverwritten)
{
    Put("[text]\r\nlast=mine\r\n");
    fs::permissions(m_ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    StoredSettings settings = LoadSettings(m_ini).value;
    settings.txtFor = u"changed";
    const std::error_code reason = SaveSettings(settings, m_ini);
    EXPECT_TRUE(reason);
    EXPECT_EQ(reason.message(), "Permission denied");
    EXPECT_EQ(Contents(), "[text]\r\nlast=mine\r\n");
}

TEST_F(SettingsFile, UnreadableFileGivesItsReasonAndIsKept)
{
    Put("[text]\r\nlast=mine\r\n");
    fs::permissions(m_ini, fs::perms::owner_write);
    const auto [settings, loadError] = LoadSettings(m_ini);
    EXPECT_EQ(loadError.message(), "Permission denied");
    EXPECT_EQ(settings.txtFor, u"");
    std::error_code reason = SaveSettings(settings, m_ini);
    EXPECT_TRUE(reason);
    EXPECT_EQ(reason.message(), "Permission denied");
    fs::permissions(m_ini, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Contents(), "[text]\r\nlast=mine\r\n");

    fs::remove(m_ini);
    fs::create_directories(m_ini);
    reason = LoadSettings(m_ini).error;
    EXPECT_EQ(reason.message(), "Is a directory");

    // A missing file is a first start, not an error.
    reason = LoadSettings(m_folder / "missing.ini").error;
    EXPECT_FALSE(reason);
}

TEST_F(SettingsFile, FileSavedWithAByteOrderMarkKeepsItsFirstSectionAndItsMark)
{
    // An editor saved it as UTF-8 with a mark; the colours come first.
    Put("\xEF\xBB\xBF[Color]\r\n0=123456\r\nFor=FF0000\r\nLast=0000FF\r\n"
        "[text]\r\nlast=\xE3\x82\xB0\xE3\x83\xA9\r\n");
    StoredSettings settings = LoadSettings(m_ini).value;
    EXPECT_EQ(settings.SavedColors[0], u"123456");
    EXPECT_EQ(settings.txtCfor, u"FF0000");
    EXPECT_EQ(settings.txtClat, u"0000FF");
    EXPECT_EQ(settings.txtFor, u"グラ");

    settings.txtFor = u"グラデーション";
    ASSERT_EQ(SaveSettings(settings, m_ini), std::error_code());
    const std::string saved = Contents();
    EXPECT_TRUE(saved.starts_with("\xEF\xBB\xBF[Color]\r\n0=123456\r\n"));
    EXPECT_NE(saved.find("last=\xE3\x82\xB0\xE3\x83\xA9\xE3\x83\x87"), std::string::npos);
    EXPECT_EQ(LoadSettings(m_ini).value, settings);
}

TEST_F(SettingsFile, SaveRemovesOldLeftoversOfKilledSaves)
{
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(3);
    for (const char* name : {"Lum.ini.tmp2210", "Lum.ini.tmp4000000000"}) {
        std::ofstream(m_folder / name) << std::string(1000, 'x');
        fs::last_write_time(m_folder / name, old);
    }
    std::ofstream(m_folder / "Lum.ini.tmp77") << "a save still running";
    ASSERT_EQ(SaveSettings(StoredSettings{}, m_ini), std::error_code());
    EXPECT_FALSE(fs::exists(m_folder / "Lum.ini.tmp2210"));
    EXPECT_FALSE(fs::exists(m_folder / "Lum.ini.tmp4000000000"));
    EXPECT_TRUE(fs::exists(m_folder / "Lum.ini.tmp77"));
}

// The first-start settings an installed copy ships: what a save of the window's design-time
// values with an example text writes, byte for byte, so that the first shut-down changes
// nothing the user did not change.
class PackagedSettings : public test::TempFolderTest {};

TEST_F(PackagedSettings, AreWhatTheSaveStepWritesForTheExample)
{
    std::ifstream in(KELVARA_PACKAGED_SETTINGS, std::ios::binary);
    ASSERT_TRUE(in) << KELVARA_PACKAGED_SETTINGS;
    const std::string packaged{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};

    StoredSettings example = LoadSettings(KELVARA_PACKAGED_SETTINGS).value;
    EXPECT_EQ(example.txtFor, u"グラデーション");
    EXPECT_EQ(example.txtCfor, u"FF0000");
    EXPECT_EQ(example.txtClat, u"0000FF");
    EXPECT_EQ(example.txtCmid, u"00FF00");
    EXPECT_EQ(example.txtBack, u"FFFFFF");
    EXPECT_EQ(example.TagOptions.h_ColorCount, 2);
    EXPECT_EQ(example.TagOptions.h_NFontSize, 3);
    EXPECT_EQ(example.TagOptions.h_FontFace, u"MS Pゴシック");

    const fs::path saved = m_folder / "packaged.ini";
    ASSERT_EQ(SaveSettings(example, saved), std::error_code());
    EXPECT_EQ(test::ReadFile(saved), packaged);
    // Shift-JIS with CR LF line ends, no byte-order mark.
    EXPECT_NE(packaged.find("last=\x83\x4F\x83\x89\x83\x66\x81\x5B\x83\x56\x83\x87\x83\x93\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace kelvara::settings
