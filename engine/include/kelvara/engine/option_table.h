// SPDX-License-Identifier: MIT
// The on/off options of TagOptions, one row each: the field and the values it holds when on and
// off, the option-toolbar toggle chkBtn(index) and the settings-dialog check box that show it,
// the option it locks out while set, and the element a result is wrapped in when it is on.
// The toolbar, the settings dialog and their mirroring all read this one table.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "kelvara/engine/tag_options.h"

namespace kelvara::engine {

struct OptionRow {
    std::int16_t TagOptions::*field = nullptr;
    std::int16_t on = 1;
    std::int16_t off = 0;
    int toolbarIndex = 0;        // chkBtn(toolbarIndex); 0 when the toolbar has no toggle
    std::string_view dialogBox;  // object name of the settings dialog's check box
    std::int16_t TagOptions::*excludes = nullptr;  // the option disabled while this one is on
    std::u16string_view openTag;                   // empty when the option wraps nothing
    std::u16string_view closeTag;
};

// The wrapping options come first, outermost element first; then the rest.
inline constexpr OptionRow kOptionRows[] = {
    {&TagOptions::h_Centerflag, 1, 0, 8, "chkCenter", nullptr, u"<CENTER>", u"</CENTER>"},
    {&TagOptions::h_BoldFlag, 1, 0, 2, "chkBold", nullptr, u"<B>", u"</B>"},
    {&TagOptions::h_ItalicFlag, 1, 0, 7, "chkItalic", nullptr, u"<I>", u"</I>"},
    {&TagOptions::h_NotFlag, 1, 0, 4, "chkNot", nullptr, u"<S>", u"</S>"},
    {&TagOptions::h_SubFlag, 1, 0, 6, "chkSub", &TagOptions::h_UpFlag, u"<SUB>", u"</SUB>"},
    {&TagOptions::h_UpFlag, 1, 0, 5, "chkUp", &TagOptions::h_SubFlag, u"<SUP>", u"</SUP>"},
    {&TagOptions::h_UnderFlag, 1, 0, 3, "chkUnder", nullptr, u"<U>", u"</U>"},
    {&TagOptions::h_marqueeFlag, 1, 0, 10, "chkmarquee", nullptr, u"<MARQUEE>", u"</MARQUEE>"},
    {&TagOptions::h_BlinkFlag, 1, 0, 11, "chkblink", nullptr, u"<BLINK>", u"</BLINK>"},
    {&TagOptions::h_styleflag, 1, 0, 9, "chkTate", nullptr, {}, {}},
    {&TagOptions::h_ColorCount, 3, 2, 12, "chkMColor", nullptr, {}, {}},
    {&TagOptions::h_textflag, 1, 0, 0, "Check1", nullptr, {}, {}},
    {&TagOptions::h_instantflag, 1, 0, 0, "chkInstant", nullptr, {}, {}},
};

constexpr std::span<const OptionRow> OptionRows() { return kOptionRows; }

// The row of a field, of a toolbar toggle, or of a dialog check box; nullptr when there is none.
constexpr const OptionRow* OptionOf(std::int16_t TagOptions::*field)
{
    for (const OptionRow& row : kOptionRows) {
        if (row.field == field) return &row;
    }
    return nullptr;
}
constexpr const OptionRow* OptionOfToggle(int toolbarIndex)
{
    for (const OptionRow& row : kOptionRows) {
        if (toolbarIndex != 0 && row.toolbarIndex == toolbarIndex) return &row;
    }
    return nullptr;
}
constexpr const OptionRow* OptionOfBox(std::string_view dialogBox)
{
    for (const OptionRow& row : kOptionRows) {
        if (row.dialogBox == dialogBox) return &row;
    }
    return nullptr;
}

}  // namespace kelvara::engine
