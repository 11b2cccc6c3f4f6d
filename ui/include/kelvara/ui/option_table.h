// SPDX-License-Identifier: MIT
// The on/off options of TagOptions as the windows show them, one row each: the field and the
// values it holds when on and off, the option-toolbar toggle chkBtn(index) and the settings-
// dialog check box that show it, and the option it locks out while set. The toolbar, the
// settings dialog and their mirroring all read this one table; what each option writes is the
// writers' business.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "kelvara/engine/tag_options.h"

namespace kelvara::ui {

struct OptionRow {
    std::int16_t engine::TagOptions::*field = nullptr;
    std::int16_t on = 1;
    std::int16_t off = 0;
    int toolbarIndex = 0;        // chkBtn(toolbarIndex); 0 when the toolbar has no toggle
    std::string_view dialogBox;  // object name of the settings dialog's check box
    // The option disabled while this one is on.
    std::int16_t engine::TagOptions::*excludes = nullptr;
};

// In the toolbar's order from left to right, then the options only the dialog shows.
inline constexpr OptionRow kOptionRows[] = {
    {&engine::TagOptions::h_BoldFlag, 1, 0, 2, "chkBold", nullptr},
    {&engine::TagOptions::h_UnderFlag, 1, 0, 3, "chkUnder", nullptr},
    {&engine::TagOptions::h_ItalicFlag, 1, 0, 7, "chkItalic", nullptr},
    {&engine::TagOptions::h_NotFlag, 1, 0, 4, "chkNot", nullptr},
    {&engine::TagOptions::h_UpFlag, 1, 0, 5, "chkUp", &engine::TagOptions::h_SubFlag},
    {&engine::TagOptions::h_SubFlag, 1, 0, 6, "chkSub", &engine::TagOptions::h_UpFlag},
    {&engine::TagOptions::h_Centerflag, 1, 0, 8, "chkCenter", nullptr},
    {&engine::TagOptions::h_styleflag, 1, 0, 9, "chkTate", nullptr},
    {&engine::TagOptions::h_marqueeFlag, 1, 0, 10, "chkmarquee", nullptr},
    {&engine::TagOptions::h_BlinkFlag, 1, 0, 11, "chkblink", nullptr},
    {&engine::TagOptions::h_ColorCount, 3, 2, 12, "chkMColor", nullptr},
    {&engine::TagOptions::h_textflag, 1, 0, 0, "Check1", nullptr},
    {&engine::TagOptions::h_instantflag, 1, 0, 0, "chkInstant", nullptr},
};

constexpr std::span<const OptionRow> OptionRows() { return kOptionRows; }

// The row of a field, of a toolbar toggle, or of a dialog check box; nullptr when there is none.
constexpr const OptionRow* OptionOf(std::int16_t engine::TagOptions::*field)
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

}  // namespace kelvara::ui
