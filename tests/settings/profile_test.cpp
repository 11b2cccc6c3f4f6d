// SPDX-License-Identifier: MIT
// The INI store: how values are found, cut and replaced, and that nothing else in the file moves.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "kelvara/settings/profile.h"
#include "temp_folder.h"

namespace kelvara::settings {
namespace {

namespace fs = std::filesystem;

std::u16string ReadFrom(std::string_view bytes, std::u16string_view section,
                        std::u16string_view key, std::size_t size = 256)
{
    return ProfileFile::FromBytes(bytes).Read(section, key, size);
}

std::string AfterWrite(std::string_view bytes, std::u16string_view section, std::u16string_view key,
                       std::u16string_view value)
{
    ProfileFile file = ProfileFile::FromBytes(bytes);
    file.Write(section, key, value);
    return file.Bytes();
}

TEST(ProfileFileRead, NamesMatchInAnyCaseAndWithBlanksAround)
{
    const std::string ini = "[color]\r\n0=FF0000\r\n  H_MarqueeFlag\t= 1 \r\n[ Else ]\r\nb=2\r\n";
    EXPECT_EQ(ReadFrom(ini, u"Color", u" 0"), u"FF0000");
    EXPECT_EQ(ReadFrom(ini, u"COLOR", u"h_marqueeflag"), u"1");
    EXPECT_EQ(ReadFrom(ini, u"else", u"B"), u"2");
}

TEST(ProfileFileRead, ValueIsExactApartFromSurroundingBlanks)
{
    const std::string ini = "[s]\nq=\"a b\"\nt=\t x  y \t\nsemi=a;b\nempty=\n";
    EXPECT_EQ(ReadFrom(ini, u"s", u"q"), u"\"a b\"");
    EXPECT_EQ(ReadFrom(ini, u"s", u"t"), u"x  y");
    EXPECT_EQ(ReadFrom(ini, u"s", u"semi"), u"a;b");
    EXPECT_EQ(ReadFrom(ini, u"s", u"empty"), u"");
}

TEST(ProfileFileRead, MissingSectionOrKeyGivesEmptyText)
{
    const std::string ini = "[a]\r\nx=1\r\n";
    EXPECT_EQ(ReadFrom(ini, u"b", u"x"), u"");
    EXPECT_EQ(ReadFrom(ini, u"a", u"y"), u"");
    EXPECT_EQ(ReadFrom("", u"a", u"x"), u"");
}

TEST(ProfileFileRead, KeysBelongOnlyToTheirOwnSection)
{
    const std::string ini = "x=0\r\n[a]\r\n[b]\r\nx=2\r\n";
    EXPECT_EQ(ReadFrom(ini, u"a", u"x"), u"");
    EXPECT_EQ(ReadFrom(ini, u"b", u"x"), u"2");
}

TEST(ProfileFileRead, ValueIsCutToOneByteLessThanTheSize)
{
    const std::string ini = "[s]\r\nk=123456789\r\n";
    EXPECT_EQ(ReadFrom(ini, u"s", u"k", 3), u"12");
    EXPECT_EQ(ReadFrom(ini, u"s", u"k", 10), u"123456789");
    EXPECT_EQ(ReadFrom(ini, u"s", u"k", 1), u"");
    EXPECT_EQ(ReadFrom(ini, u"s", u"k", 0), u"");
}

TEST(ProfileFileRead, CutNeverSplitsAJapaneseCharacter)
{
    const std::string ini = "[s]\r\nk=\x82\xA0\x82\xA2\x82\xA4\r\n";  // あいう
    EXPECT_EQ(ReadFrom(ini, u"s", u"k", 4), u"あ");
    EXPECT_EQ(ReadFrom(ini, u"s", u"k", 5), u"あい");
    // 亜 ends in 9F, a value a lead byte can have: it must still count as whole.
    EXPECT_EQ(ReadFrom("[s]\r\nk=\x88\x9F\x88\x9F\r\n", u"s", u"k", 3), u"亜");
}

TEST(ProfileFileRead, TrailBytesThatLookLikeBracketsDoNotEndTheSectionName)
{
    // ゾ is 83 5D (its trail byte is "]"), ー is 81 5B ("[").
    const std::string ini = "[\x83\x5D\x81\x5B\x83\x93]\r\na=1\r\n";
    EXPECT_EQ(ReadFrom(ini, u"ゾーン", u"a"), u"1");
}

TEST(ProfileFileRead, CaseFoldingDoesNotMixUpKanaWithSimilarBytes)
{
    // ィ is 83 42 and ッ is 83 62: their trail bytes are "B" and "b".
    const std::string ini = "[s]\r\n\x83\x42=1\r\n\x83\x62=2\r\n";
    EXPECT_EQ(ReadFrom(ini, u"s", u"ッ"), u"2");
    EXPECT_EQ(ReadFrom(ini, u"s", u"ィ"), u"1");
}

TEST(ProfileFileRead, FirstOfDuplicateSectionsAndKeysCounts)
{
    const std::string ini = "[a]\r\nk=1\r\nk=2\r\n[A]\r\nk=3\r\nj=4\r\n";
    EXPECT_EQ(ReadFrom(ini, u"a", u"k"), u"1");
    EXPECT_EQ(ReadFrom(ini, u"a", u"j"), u"");
}

TEST(ProfileFileRead, CommentsAndLinesWithoutEqualsAreNotKeys)
{
    const std::string ini = "[s]\r\n;k=1\r\nk\r\n  ; j=2\r\nk=3\r\n";
    EXPECT_EQ(ReadFrom(ini, u"s", u"k"), u"3");
    EXPECT_EQ(ReadFrom(ini, u"s", u";k"), u"");
}

TEST(ProfileFileRead, OddFilesAreReadWithoutTrouble)
{
    EXPECT_EQ(ReadFrom("[s]\nk=1", u"s", u"k"), u"1");  // no final line break
    EXPECT_EQ(ReadFrom("[s]\r\nk=1\r\n\r\n\r\n", u"s", u"k"), u"1");
    EXPECT_EQ(ReadFrom("[s\r\nk=1\r\n", u"s", u"k"), u"");
    EXPECT_EQ(ReadFrom("]\r\n[\r\n=\r\n[]\r\n=x\r\n", u"", u""), u"x");
    EXPECT_EQ(ReadFrom("[s]\r\nk=\x81\r\n", u"s", u"k"), u"\uFFFD");
    EXPECT_EQ(ReadFrom(std::string("[s]\r\nk=a\0b\r\n", 12), u"s", u"k"), u"a");
    EXPECT_EQ(ReadFrom(std::string("[s\0]\r\nk=1\r\n", 11), u"s", u"k"), u"");

    const std::string longLine = "[s]\r\nk=" + std::string(1 << 20, 'x') + "\r\nj=2\r\n";
    EXPECT_EQ(ReadFrom(longLine, u"s", u"k", 500), std::u16string(499, u'x'));
    EXPECT_EQ(ReadFrom(longLine, u"s", u"j"), u"2");
}

TEST(ProfileFileWrite, ReplacesTheValueAndKeepsEveryOtherByte)
{
    const std::string before =
        "; Kelvara\r\n\r\n[Color]\r\nFor=FF0000\r\n\r\n; saved\n[Set]\r\nn= 2\r\n\r\n";
    EXPECT_EQ(AfterWrite(before, u"Set", u"n", u" 3"),
              "; Kelvara\r\n\r\n[Color]\r\nFor=FF0000\r\n\r\n; saved\n[Set]\r\nn= 3\r\n\r\n");
    EXPECT_EQ(AfterWrite(before, u"color", u"FOR", u"00FF00"),
              "; Kelvara\r\n\r\n[Color]\r\nFor=00FF00\r\n\r\n; saved\n[Set]\r\nn= 2\r\n\r\n");
}

TEST(ProfileFileWrite, ExistingEntryKeepsItsOwnSpelling)
{
    EXPECT_EQ(AfterWrite("[color]\r\n0=FF0000\r\n", u"Color", u" 0", u"0000FF"),
              "[color]\r\n0=0000FF\r\n");
    EXPECT_EQ(AfterWrite("[Else]\r\nh_marqueeFlag = 1\r\n", u"Else", u"h_marqueeflag", u" 0"),
              "[Else]\r\nh_marqueeFlag = 0\r\n");
}

TEST(ProfileFileWrite, NewKeyGoesAfterTheLastKeyOfItsSection)
{
    const std::string before = "[a]\r\nx=1\r\n; about b\r\n\r\n[b]\r\ny=2\r\n";
    EXPECT_EQ(AfterWrite(before, u"a", u"z", u"3"),
              "[a]\r\nx=1\r\nz=3\r\n; about b\r\n\r\n[b]\r\ny=2\r\n");
    EXPECT_EQ(AfterWrite("[a]\r\n\r\n[b]\r\n", u"a", u"z", u"3"), "[a]\r\nz=3\r\n\r\n[b]\r\n");
}

TEST(ProfileFileWrite, NewSectionGoesAtTheEnd)
{
    EXPECT_EQ(AfterWrite("[a]\r\nx=1\r\n", u"b", u"y", u"2"), "[a]\r\nx=1\r\n[b]\r\ny=2\r\n");
    EXPECT_EQ(AfterWrite("", u"b", u"y", u"2"), "[b]\r\ny=2\r\n");
}

TEST(ProfileFileWrite, OnlyIfPresentReplacesButNeverAdds)
{
    ProfileFile file = ProfileFile::FromBytes("[a]\r\nx=1\r\n");
    const std::vector<ProfileWrite> writes = {
        {u"a", u"x", u"2", true}, {u"a", u"y", u"3", true}, {u"b", u"z", u"4", true}};
    file.Write(writes);
    EXPECT_EQ(file.Bytes(), "[a]\r\nx=2\r\n");  // no key y, no section b
}

TEST(ProfileFileWrite, FileWithoutFinalLineBreakGetsOneBeforeNewLines)
{
    EXPECT_EQ(AfterWrite("[a]\r\nx=1", u"a", u"y", u"2"), "[a]\r\nx=1\r\ny=2\r\n");
    EXPECT_EQ(AfterWrite("[a]\r\nx=1", u"b", u"y", u"2"), "[a]\r\nx=1\r\n[b]\r\ny=2\r\n");
    EXPECT_EQ(AfterWrite("[a]\r\nx=1", u"a", u"x", u"2"), "[a]\r\nx=2");
}

TEST(ProfileFileWrite, NewLinesFollowTheFilesLineEndings)
{
    EXPECT_EQ(AfterWrite("[a]\nx=1\n", u"a", u"y", u"2"), "[a]\nx=1\ny=2\n");
    EXPECT_EQ(AfterWrite("[a]\nx=1\n", u"b", u"y", u"2"), "[a]\nx=1\n[b]\ny=2\n");
}

TEST(ProfileFileWrite, GoesToTheFirstOfDuplicates)
{
    EXPECT_EQ(AfterWrite("[a]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n", u"A", u"k", u"9"),
              "[a]\r\nk=9\r\nk=2\r\n[a]\r\nk=3\r\n");
}

TEST(ProfileFileWrite, ValueCannotBreakOutOfItsLine)
{
    ProfileFile file = ProfileFile::FromBytes("[s]\r\nk=1\r\n");
    file.Write(u"s", u"k", u"x\r\n[evil]\r\nj=y");
    file.Write(u"s", u"m", u"a\nb");
    EXPECT_EQ(file.Read(u"s", u"k", 100), u"x");
    EXPECT_EQ(file.Read(u"evil", u"j", 100), u"");
    EXPECT_EQ(file.Bytes(), "[s]\r\nk=x\r\nm=a\r\n");
}

TEST(ProfileFileWrite, JapaneseValuesReadBack)
{
    ProfileFile file;
    file.Write(u"text", u"last", u"グラデーション表示");
    file.Write(u"Font", u"h_FontFace", u"ＭＳ Ｐゴシック");
    EXPECT_EQ(file.Read(u"text", u"last", 500), u"グラデーション表示");
    EXPECT_EQ(file.Read(u"Font", u"h_FontFace", 20), u"ＭＳ Ｐゴシック");
}

TEST(ProfileFileWrite, CharactersOutsideShiftJisBecomeQuestionMarks)
{
    ProfileFile file;
    file.Write(u"s", u"k", u"a\U0001F600é");
    EXPECT_EQ(file.Read(u"s", u"k", 100), u"a??");
}

TEST(ProfileFileBatch, ManyWritesAtOnceGiveWhatSeparateWritesGive)
{
    const std::vector<std::string> files = {
        "",
        "[a]\r\nx=1",
        "[a]\nx=1\n; note\n\n[b]\ny=2\n",
        "; top\r\n[A]\r\n\r\n[b]\r\nx=1\r\nx=2\r\n[a]\r\nz=9\r\n",
        "\xEF\xBB\xBF[a]\r\nx=1\r\n",
        "[a]\r\nx=  1  \r\n[c]",
    };
    const std::vector<ProfileWrite> writes = {
        {u"a", u"x", u" 5"},   {u"b", u"new", u"n1"}, {u"c", u"k", u" v "}, {u"A", u"X", u"6 "},
        {u"b", u"NEW", u"n2"}, {u"d", u"k", u" 1"},   {u"d", u"k", u"2"},   {u"a", u"y", u"あ"},
        {u" c ", u"j", u""},   {u"e", u"z", u" 3"},
    };
    for (const std::string& bytes : files) {
        ProfileFile separate = ProfileFile::FromBytes(bytes);
        for (const ProfileWrite& write : writes) {
            separate.Write(write.section, write.key, write.value);
        }
        ProfileFile together = ProfileFile::FromBytes(bytes);
        together.Write(writes);
        EXPECT_EQ(together.Bytes(), separate.Bytes()) << "file: " << bytes;
    }
    // The separate writes themselves, checked once by hand.
    ProfileFile file = ProfileFile::FromBytes("[a]\r\nx=1");
    file.Write(writes);
    EXPECT_EQ(file.Bytes(),
              "[a]\r\nx=6\r\ny=\x82\xA0\r\n[b]\r\nnew=n2\r\n[c]\r\nk= v \r\nj=\r\n[d]\r\nk= 2\r\n"
              "[e]\r\nz= 3\r\n");
}

TEST(ProfileFileBatch, ManyReadsAtOnceGiveWhatSeparateReadsGive)
{
    const std::string bytes = "[a]\r\nk=1\r\nk=2\r\n[b]\r\nj=abcdef\r\n[A]\r\nm=3\r\n";
    const ProfileFile file = ProfileFile::FromBytes(bytes);
    const std::vector<ProfileRead> reads = {{u"a", u"k", 10}, {u"B", u"j", 4}, {u"a", u"m", 10},
                                            {u"b", u"j", 0},  {u"c", u"x", 9}, {u"a", u"K", 10}};
    const std::vector<std::u16string> values = file.Read(reads);
    ASSERT_EQ(values.size(), reads.size());
    for (std::size_t i = 0; i < reads.size(); ++i) {
        EXPECT_EQ(values[i], file.Read(reads[i].section, reads[i].key, reads[i].size)) << i;
    }
    EXPECT_EQ(values, (std::vector<std::u16string>{u"1", u"abc", u"", u"", u"", u"1"}));
}

TEST(ProfileFileUtf8, ByteOrderMarkDoesNotHideTheFirstSection)
{
    const std::string ini = "\xEF\xBB\xBF[Color]\r\n0=FF0000\r\nFor=00FF00\r\n";
    EXPECT_EQ(ReadFrom(ini, u"Color", u" 0"), u"FF0000");
    EXPECT_EQ(ReadFrom(ini, u"color", u"For"), u"00FF00");
}

TEST(ProfileFileUtf8, FileWithAByteOrderMarkStaysUtf8)
{
    // グラ in UTF-8.
    ProfileFile file =
        ProfileFile::FromBytes("\xEF\xBB\xBF[text]\r\nlast=\xE3\x82\xB0\xE3\x83\xA9\r\n");
    EXPECT_EQ(file.Read(u"text", u"last", 500), u"グラ");
    file.Write(u"text", u"last", u"あ\U0001F600");
    file.Write(u"Font", u"h_FontFace", u"ＭＳ");
    EXPECT_EQ(file.Bytes(),
              "\xEF\xBB\xBF[text]\r\nlast=\xE3\x81\x82\xF0\x9F\x98\x80\r\n"
              "[Font]\r\nh_FontFace=\xEF\xBC\xAD\xEF\xBC\xB3\r\n");
    EXPECT_EQ(file.Read(u"text", u"last", 500), u"あ\U0001F600");
}

TEST(ProfileFileUtf8, CutCountsUtf8BytesAndNeverSplitsACharacter)
{
    const std::string ini = "\xEF\xBB\xBF[s]\r\nk=\xE3\x81\x82\xE3\x81\x84\r\n";  // あい
    EXPECT_EQ(ReadFrom(ini, u"s", u"k", 4), u"あ");
    EXPECT_EQ(ReadFrom(ini, u"s", u"k", 6), u"あ");
    EXPECT_EQ(ReadFrom(ini, u"s", u"k", 7), u"あい");
    EXPECT_EQ(ReadFrom("\xEF\xBB\xBF[s]\r\nk=a\xFF"
                       "b\r\n",
                       u"s", u"k"),
              u"a\uFFFDb");
}

TEST(ProfileFileUtf8, OtherFilesStayShiftJis)
{
    // Bytes that happen to be valid UTF-8 but no mark: still Shift-JIS, as every such file was.
    ProfileFile file = ProfileFile::FromBytes("[s]\r\nk=\xE3\x81\x82\r\n");
    EXPECT_NE(file.Read(u"s", u"k", 100), u"あ");
    file.Write(u"s", u"j", u"あ");
    EXPECT_EQ(file.Bytes(), "[s]\r\nk=\xE3\x81\x82\r\nj=\x82\xA0\r\n");
}

class ProfileFileOnDisk : public test::TempFolderTest {
protected:
    [[nodiscard]] std::size_t FileCount() const
    {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(m_folder), fs::directory_iterator()));
    }
};

TEST_F(ProfileFileOnDisk, WriteCreatesTheFileAndReadFindsIt)
{
    const fs::path ini = m_folder / "Lum.ini";
    EXPECT_EQ(ReadProfileString(u"text", u"last", 500, ini), u"");
    EXPECT_EQ(WriteProfileString(u"text", u"last", u"あ", ini), u"1");
    EXPECT_EQ(WriteProfileString(u"Set", u"n", u" 3", ini), u"1");
    EXPECT_EQ(test::ReadFile(ini), "[text]\r\nlast=\x82\xA0\r\n[Set]\r\nn= 3\r\n");
    EXPECT_EQ(ReadProfileString(u"set", u"N", 3, ini), u"3");
    EXPECT_EQ(FileCount(), 1u);  // no temporary file left beside it
}

TEST_F(ProfileFileOnDisk, SaveReplacesTheWholeFile)
{
    const fs::path ini = m_folder / "Lum.ini";
    test::WriteFile(ini, "[a]\r\nx=" + std::string(10000, 'x') + "\r\n");
    ProfileFile file = ProfileFile::Load(ini).value;
    file.Write(u"a", u"x", u"short");
    ASSERT_EQ(file.Save(ini), std::error_code());
    EXPECT_EQ(test::ReadFile(ini), "[a]\r\nx=short\r\n");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(ProfileFileOnDisk, WriteThatCannotSaveReportsZero)
{
    const fs::path notAFolder = m_folder / "file";
    test::WriteFile(notAFolder, "x");
    EXPECT_EQ(WriteProfileString(u"a", u"x", u"1", notAFolder / "Lum.ini"), u"0");
    EXPECT_TRUE(ProfileFile().Save(notAFolder / "Lum.ini"));
    EXPECT_EQ(ReadProfileString(u"a", u"x", 10, notAFolder / "Lum.ini"), u"");
}

TEST_F(ProfileFileOnDisk, UnreadableFileIsNotReplaced)
{
    // A folder in the file's place stands for a file that exists but cannot be read.
    const fs::path ini = m_folder / "Lum.ini";
    fs::create_directories(ini / "inside");
    EXPECT_TRUE(ProfileFile::Load(ini).error);
    EXPECT_EQ(WriteProfileString(u"a", u"x", u"1", ini), u"0");
    EXPECT_TRUE(fs::is_directory(ini / "inside"));
}

TEST_F(ProfileFileOnDisk, UnreadableFileGivesTheReason)
{
    const fs::path ini = m_folder / "Lum.ini";
    std::error_code reason = ProfileFile::Load(ini).error;  // missing: a first start
    EXPECT_FALSE(reason);

    fs::create_directories(ini);
    reason = ProfileFile::Load(ini).error;
    EXPECT_TRUE(reason);
    EXPECT_EQ(reason.message(), "Is a directory");
    fs::remove(ini);

    // No read permission in its mode: unreadable, whoever runs the program.
    test::WriteFile(ini, "[a]\r\nx=1\r\n");
    fs::permissions(ini, fs::perms::owner_write);
    reason = ProfileFile::Load(ini).error;
    EXPECT_TRUE(reason);
    EXPECT_EQ(reason.message(), "Permission denied");
    EXPECT_EQ(WriteProfileString(u"a", u"x", u"2", ini), u"0");
    fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(test::ReadFile(ini), "[a]\r\nx=1\r\n");

    reason = ProfileFile::Load(ini / "Lum.ini").error;
    EXPECT_TRUE(reason);
    EXPECT_EQ(reason.message(), "Not a directory");
}

TEST_F(ProfileFileOnDisk, SaveGoesThroughALinkAndNeverOverAReadOnlyFile)
{
    fs::create_directories(m_folder / "real");
    test::WriteFile(m_folder / "real" / "Lum.ini", "[a]\r\nx=1\r\n");
    fs::create_symlink("real/Lum.ini", m_folder / "Lum.ini");
    EXPECT_EQ(WriteProfileString(u"a", u"x", u"2", m_folder / "Lum.ini"), u"1");
    EXPECT_TRUE(fs::is_symlink(m_folder / "Lum.ini"));
    EXPECT_EQ(test::ReadFile(m_folder / "real" / "Lum.ini"), "[a]\r\nx=2\r\n");

    fs::permissions(m_folder / "real" / "Lum.ini", fs::perms::owner_read);
    const std::error_code reason =
        ProfileFile::FromBytes("[a]\r\nx=3\r\n").Save(m_folder / "Lum.ini");
    EXPECT_TRUE(reason);
    EXPECT_EQ(reason, std::errc::permission_denied);
    EXPECT_EQ(test::ReadFile(m_folder / "real" / "Lum.ini"), "[a]\r\nx=2\r\n");
}

TEST(ProfileFileTrimAtNul, CutsAtTheFirstNul)
{
    EXPECT_EQ(TrimAtNul(std::u16string(u"ab\0cd\0", 6)), u"ab");
    EXPECT_EQ(TrimAtNul(std::u16string(u"\0ab", 3)), u"");
    EXPECT_EQ(TrimAtNul(u"abc"), u"abc");
    EXPECT_EQ(TrimAtNul(u""), u"");
}

}  // namespace
}  // namespace kelvara::settings
