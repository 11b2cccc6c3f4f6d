// SPDX-License-Identifier: MIT
// The option table against the generator and against itself: every wrapping option wraps the
// result in its own element, all of them nest in table order, and the lock-outs pair up.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "kelvara/engine/generator.h"
#include "kelvara/engine/option_table.h"

namespace kelvara::engine {
namespace {

TagOptions Plain()
{
    TagOptions o;
    o.h_ColorCount = 2;
    o.h_NFontSize = 3;
    o.h_FontFace = u"MS Pゴシック";
    return o;
}

std::u16string Tags(const TagOptions& o)
{
    return Generate(o, u"ab", FixedColors(u"FF0000", u"00FF00", u"0000FF")).tags;
}

TEST(OptionTable, EachWrappingOptionWrapsTheResultInItsElement)
{
    const std::u16string plain = Tags(Plain());
    for (const OptionRow& row : OptionRows()) {
        if (row.openTag.empty()) continue;
        TagOptions o = Plain();
        o.*row.field = row.on;
        const std::u16string expected =
            std::u16string(row.openTag) + plain + std::u16string(row.closeTag);
        EXPECT_EQ(Tags(o), expected) << std::string(row.dialogBox);
    }
}

TEST(OptionTable, AllWrappersTogetherNestInTableOrder)
{
    TagOptions o = Plain();
    std::u16string open;
    std::u16string close;
    for (const OptionRow& row : OptionRows()) {
        if (row.openTag.empty()) continue;
        o.*row.field = row.on;
        open += row.openTag;
        close.insert(0, row.closeTag);
    }
    EXPECT_EQ(Tags(o), open + Tags(Plain()) + close);
}

TEST(OptionTable, OptionsWithoutAnElementLeaveTheWrappersAlone)
{
    const std::u16string plain = Tags(Plain());
    for (const OptionRow& row : OptionRows()) {
        if (!row.openTag.empty() || row.field == &TagOptions::h_styleflag ||
            row.field == &TagOptions::h_ColorCount) {
            continue;  // vertical writing and the colour count change the characters instead
        }
        TagOptions o = Plain();
        o.*row.field = row.on;
        EXPECT_EQ(Tags(o), plain) << std::string(row.dialogBox);
    }
}

TEST(OptionTable, NamesAndIndicesAreUniqueAndFindTheirRow)
{
    std::set<int> toggles;
    std::set<std::string_view> boxes;
    for (const OptionRow& row : OptionRows()) {
        EXPECT_EQ(OptionOf(row.field), &row);
        EXPECT_EQ(OptionOfBox(row.dialogBox), &row);
        if (row.toolbarIndex != 0) {
            EXPECT_TRUE(toggles.insert(row.toolbarIndex).second) << row.toolbarIndex;
            EXPECT_EQ(OptionOfToggle(row.toolbarIndex), &row);
        }
        EXPECT_TRUE(boxes.insert(row.dialogBox).second) << std::string(row.dialogBox);
    }
    // The toolbar's eleven toggles, chkBtn(2) to chkBtn(12).
    EXPECT_EQ(toggles, (std::set<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(OptionOfToggle(0), nullptr);
    EXPECT_EQ(OptionOfBox("chkNone"), nullptr);
}

TEST(OptionTable, SuperscriptAndSubscriptLockEachOtherOut)
{
    for (const OptionRow& row : OptionRows()) {
        if (row.excludes == nullptr) continue;
        const OptionRow* other = OptionOf(row.excludes);
        ASSERT_NE(other, nullptr);
        EXPECT_EQ(other->excludes, row.field);
    }
    EXPECT_EQ(OptionOf(&TagOptions::h_UpFlag)->excludes, &TagOptions::h_SubFlag);
}

}  // namespace
}  // namespace kelvara::engine
