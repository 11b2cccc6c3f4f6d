// SPDX-License-Identifier: MIT
// The on/off options as a user meets them: each settings-dialog box and toolbar toggle reaches
// the field whose effect the result shows, with the values that field takes, and superscript
// and subscript lock each other out.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "kelvara/engine/generator.h"
#include "kelvara/ui/option_table.h"

namespace kelvara::ui {

using engine::Generate;
using engine::TagOptions;
namespace {

struct Expected {
    std::string_view box;  // the settings dialog's check box
    int toggle;            // the toolbar's chkBtn(toggle); 0: the toolbar has none
    std::int16_t TagOptions::*field;
    std::int16_t on;
    std::int16_t off;
    std::u16string_view open;  // what the result is wrapped in while the option is on
    std::u16string_view close;
};

constexpr Expected kExpected[] = {
    {"chkCenter", 8, &TagOptions::h_Centerflag, 1, 0, u"<CENTER>", u"</CENTER>"},
    {"chkBold", 2, &TagOptions::h_BoldFlag, 1, 0, u"<B>", u"</B>"},
    {"chkItalic", 7, &TagOptions::h_ItalicFlag, 1, 0, u"<I>", u"</I>"},
    {"chkNot", 4, &TagOptions::h_NotFlag, 1, 0, u"<S>", u"</S>"},
    {"chkSub", 6, &TagOptions::h_SubFlag, 1, 0, u"<SUB>", u"</SUB>"},
    {"chkUp", 5, &TagOptions::h_UpFlag, 1, 0, u"<SUP>", u"</SUP>"},
    {"chkUnder", 3, &TagOptions::h_UnderFlag, 1, 0, u"<U>", u"</U>"},
    {"chkmarquee", 10, &TagOptions::h_marqueeFlag, 1, 0, u"<MARQUEE>", u"</MARQUEE>"},
    {"chkblink", 11, &TagOptions::h_BlinkFlag, 1, 0, u"<BLINK>", u"</BLINK>"},
    {"chkTate", 9, &TagOptions::h_styleflag, 1, 0, {}, {}},
    {"chkMColor", 12, &TagOptions::h_ColorCount, 3, 2, {}, {}},
    {"Check1", 0, &TagOptions::h_textflag, 1, 0, {}, {}},
    {"chkInstant", 0, &TagOptions::h_instantflag, 1, 0, {}, {}},
};

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
    return Generate(o, u"abc", engine::FixedColors(u"FF0000", u"00FF00", u"0000FF")).tags;
}

// The options after the box of that name is set to on or off.
TagOptions Set(std::string_view box, bool on, TagOptions o = Plain())
{
    const OptionRow* row = OptionOfBox(box);
    if (row != nullptr) o.*row->field = on ? row->on : row->off;
    return o;
}

TEST(OptionTable, BoxesAndTogglesReachTheirFields)
{
    for (const Expected& e : kExpected) {
        const OptionRow* row = OptionOfBox(e.box);
        ASSERT_NE(row, nullptr) << e.box;
        EXPECT_EQ(row->field, e.field) << e.box;
        EXPECT_EQ(row->on, e.on) << e.box;
        EXPECT_EQ(row->off, e.off) << e.box;
        EXPECT_EQ(row->toolbarIndex, e.toggle) << e.box;
        EXPECT_EQ(OptionOfToggle(e.toggle), e.toggle == 0 ? nullptr : row) << e.box;
        EXPECT_EQ(OptionOf(e.field), row) << e.box;
    }
    EXPECT_EQ(OptionOfBox("chkNone"), nullptr);
}

TEST(OptionTable, WrappingOptionsWrapTheResultAndNestInOrder)
{
    const std::u16string plain = Tags(Plain());
    TagOptions all = Plain();
    for (const Expected& e : kExpected) {
        if (e.open.empty()) continue;
        EXPECT_EQ(Tags(Set(e.box, true)), std::u16string(e.open) + plain + std::u16string(e.close))
            << e.box;
        EXPECT_EQ(Tags(Set(e.box, false)), plain) << e.box;
        all = Set(e.box, true, all);
    }
    EXPECT_EQ(Tags(all), u"<CENTER><B><I><S><SUB><SUP><U><MARQUEE><BLINK>" + plain +
                             u"</BLINK></MARQUEE></U></SUP></SUB></S></I></B></CENTER>");
}

TEST(OptionTable, VerticalWritingAndTheMiddleColourChangeTheCharacters)
{
    EXPECT_NE(Tags(Set("chkTate", true)).find(u"<BR>"), std::u16string::npos);
    EXPECT_EQ(Tags(Set("chkTate", false)), Tags(Plain()));
    // "b" takes the middle colour only while there are three colours.
    EXPECT_NE(Tags(Set("chkMColor", true)).find(u"#00FF00\">b<"), std::u16string::npos);
    EXPECT_EQ(Tags(Set("chkMColor", false)).find(u"#00FF00"), std::u16string::npos);
}

TEST(OptionTable, SuperscriptAndSubscriptLockEachOtherOut)
{
    for (const Expected& e : kExpected) {
        const OptionRow* row = OptionOfBox(e.box);
        ASSERT_NE(row, nullptr) << e.box;
        const auto locked = row->excludes;
        if (e.box == "chkUp") {
            EXPECT_EQ(locked, &TagOptions::h_SubFlag);
        } else if (e.box == "chkSub") {
            EXPECT_EQ(locked, &TagOptions::h_UpFlag);
        } else {
            EXPECT_EQ(locked, nullptr) << e.box;
        }
    }
}

}  // namespace
}  // namespace kelvara::ui
