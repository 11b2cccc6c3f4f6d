// SPDX-License-Identifier: MIT
// The preview page: its one line, its bytes, and replacing it without leaving a broken page.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "kelvara/engine/preview_page.h"
#include "temp_folder.h"

namespace kelvara::engine {
namespace {

namespace fs = std::filesystem;

TEST(PreviewPageBytes, ClearedPageHoldsOnlyTheBody)
{
    EXPECT_EQ(PreviewPageBytes(u"FFFFFF", u"<B>x</B>", PageForm::Cleared),
              "<BODY BGCOLOR=\"#FFFFFF\">\r\n");
}

TEST(PreviewPageBytes, NormalPageIsBodyThenTagsOnOneLine)
{
    const std::u16string tags =
        u"<FONT SIZE=\"3\" FACE=\"MS Pゴシック\"><FONT COLOR=\"#FF0000\">a</FONT>"
        u"<FONT COLOR=\"#7F0180\">b</FONT><FONT COLOR=\"#0000FF\">c</FONT></FONT>";
    EXPECT_EQ(PreviewPageBytes(u"FFFFFF", tags, PageForm::Normal),
              "<BODY BGCOLOR=\"#FFFFFF\" > <FONT SIZE=\"3\" FACE=\"MS P\x83\x53\x83\x56\x83\x62"
              "\x83\x4E\"><FONT COLOR=\"#FF0000\">a</FONT><FONT COLOR=\"#7F0180\">b</FONT>"
              "<FONT COLOR=\"#0000FF\">c</FONT></FONT>\r\n");
}

TEST(PreviewPageBytes, BackgroundGoesInAsTyped)
{
    EXPECT_EQ(PreviewPageBytes(u"ffffff", u"x", PageForm::Normal),
              "<BODY BGCOLOR=\"#ffffff\" > x\r\n");
    EXPECT_EQ(PreviewPageBytes(u"F00", u"", PageForm::Cleared), "<BODY BGCOLOR=\"#F00\">\r\n");
}

TEST(PreviewPageBytes, EmptyTagsEndTheLineAfterTheBlank)
{
    EXPECT_EQ(PreviewPageBytes(u"000000", u"", PageForm::Normal),
              "<BODY BGCOLOR=\"#000000\" > \r\n");
}

TEST(PreviewPageBytes, CharactersOutsideShiftJisShowAsThemselves)
{
    EXPECT_EQ(PreviewPageBytes(u"FFFFFF", u"<FONT>\U0001F600</FONT>", PageForm::Normal),
              "<BODY BGCOLOR=\"#FFFFFF\" > <FONT>&#128512;</FONT>\r\n");
}

TEST(PreviewPageBytes, LineBreaksInEditedTagsAreKept)
{
    EXPECT_EQ(PreviewPageBytes(u"FFFFFF", u"a<BR>\r\nb", PageForm::Normal),
              "<BODY BGCOLOR=\"#FFFFFF\" > a<BR>\r\nb\r\n");
}

class RecordingView final : public PageView {
public:
    void Navigate(const fs::path& page) override { m_pages.push_back(page); }
    [[nodiscard]] const std::vector<fs::path>& Pages() const { return m_pages; }

private:
    std::vector<fs::path> m_pages;
};

using test::ReadFile;

class PreviewPageFile : public test::TempFolderTest {
protected:
    [[nodiscard]] std::vector<fs::path> FolderContents() const
    {
        std::vector<fs::path> names;
        for (const auto& entry : fs::directory_iterator(m_folder)) {
            names.push_back(entry.path().filename());
        }
        return names;
    }
};

TEST_F(PreviewPageFile, WritesThePageThenNavigatesToIt)
{
    RecordingView view;
    EXPECT_EQ(WritePreviewPage(m_folder, u"FFFFFF", u"<B>あ</B>", PageForm::Normal, &view),
              std::error_code());
    const fs::path page = m_folder / "temp.html";
    EXPECT_EQ(ReadFile(page), "<BODY BGCOLOR=\"#FFFFFF\" > <B>\x82\xA0</B>\r\n");
    ASSERT_EQ(view.Pages().size(), 1u);
    EXPECT_EQ(view.Pages().front(), page);
}

TEST_F(PreviewPageFile, ShorterPageReplacesALongerOneWhole)
{
    RecordingView view;
    WritePreviewPage(m_folder, u"FFFFFF", std::u16string(5000, u'x'), PageForm::Normal, &view);
    EXPECT_EQ(WritePreviewPage(m_folder, u"FFFFFF", u"", PageForm::Cleared, &view),
              std::error_code());
    EXPECT_EQ(ReadFile(m_folder / "temp.html"), "<BODY BGCOLOR=\"#FFFFFF\">\r\n");
    // Nothing but the page is left in the folder.
    EXPECT_EQ(FolderContents(), std::vector<fs::path>{"temp.html"});
}

TEST_F(PreviewPageFile, FolderThatCannotExistReportsAndDoesNotNavigate)
{
    const fs::path notAFolder = m_folder / "file";
    std::ofstream(notAFolder) << "x";
    RecordingView view;
    const auto error =
        WritePreviewPage(notAFolder / "sub", u"FFFFFF", u"x", PageForm::Normal, &view);
    EXPECT_EQ(error, std::errc::not_a_directory);
    EXPECT_TRUE(view.Pages().empty());
}

TEST_F(PreviewPageFile, ReadOnlyFolderKeepsTheOldPage)
{
    RecordingView view;
    ASSERT_EQ(WritePreviewPage(m_folder, u"FFFFFF", u"old", PageForm::Normal, &view),
              std::error_code());
    fs::permissions(m_folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(m_folder / "probe")) {
        GTEST_SKIP() << "permission bits do not stop this user from writing";
    }
    EXPECT_TRUE(WritePreviewPage(m_folder, u"000000", u"new", PageForm::Normal, &view));
    EXPECT_EQ(ReadFile(m_folder / "temp.html"), "<BODY BGCOLOR=\"#FFFFFF\" > old\r\n");
    EXPECT_EQ(view.Pages().size(), 1u);
}

TEST_F(PreviewPageFile, FailedReplacementLeavesNoTemporaryFileBehind)
{
    // A folder where the page should be: the new page is written but cannot take its place.
    fs::create_directories(m_folder / "temp.html" / "keep");
    RecordingView view;
    EXPECT_TRUE(WritePreviewPage(m_folder, u"FFFFFF", u"x", PageForm::Normal, &view));
    EXPECT_TRUE(view.Pages().empty());
    EXPECT_EQ(FolderContents(), std::vector<fs::path>{"temp.html"});
}

TEST_F(PreviewPageFile, WorksWithoutAView)
{
    EXPECT_EQ(WritePreviewPage(m_folder, u"FFFFFF", u"", PageForm::Cleared, nullptr),
              std::error_code());
    EXPECT_TRUE(fs::exists(m_folder / "temp.html"));
}

}  // namespace
}  // namespace kelvara::engine
