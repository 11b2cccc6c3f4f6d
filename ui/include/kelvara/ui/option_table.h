// SPDX-License-Identifier: MIT
// The on/off values of TagOptions as the windows show them, one row each: the field and the
// values it holds when on and off, the option-toolbar toggle chkBtn(index) and the settings-
// dialog check box that show it. What an option is (its tooltip, its icon, the option it locks
// out) comes from its row in engine::kOptions; the middle colour, the result window and sending
// at once are the windows' own. An option without a row here is not offered by the windows.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "kelvara/engine/options.h"

namespace kelvara::ui {

struct ToggleRow {
    engine::OptionField field = nullptr;
    std::int16_t on = 1;
    std::int16_t off = 0;
    int toolbarIndex = 0;        // chkBtn(toolbarIndex); 0 when the toolbar has no toggle
    std::string_view dialogBox;  // object name of the settings dialog's check box
};

// In the toolbar's order from left to right, then the values only the dialog shows.
inline constexpr ToggleRow kToggleRows[] = {
    {&engine::TagOptions::h_BoldFlag, 1, 0, 2, "chkBold"},
    {&engine::TagOptions::h_UnderFlag, 1, 0, 3, "chkUnder"},
    {&engine::TagOptions::h_ItalicFlag, 1, 0, 7, "chkItalic"},
    {&engine::TagOptions::h_NotFlag, 1, 0, 4, "chkNot"},
    {&engine::TagOptions::h_UpFlag, 1, 0, 5, "chkUp"},
    {&engine::TagOptions::h_SubFlag, 1, 0, 6, "chkSub"},
    {&engine::TagOptions::h_Centerflag, 1, 0, 8, "chkCenter"},
    {&engine::TagOptions::h_styleflag, 1, 0, 9, "chkTate"},
    {&engine::TagOptions::h_marqueeFlag, 1, 0, 10, "chkmarquee"},
    {&engine::TagOptions::h_BlinkFlag, 1, 0, 11, "chkblink"},
    {&engine::TagOptions::h_ColorCount, 3, 2, 12, "chkMColor"},
    {&engine::TagOptions::h_textflag, 1, 0, 0, "Check1"},
    {&engine::TagOptions::h_instantflag, 1, 0, 0, "chkInstant"},
};

constexpr std::span<const ToggleRow> ToggleRows() { return kToggleRows; }

// The row of a field, of a toolbar toggle, or of a dialog check box; nullptr when there is none.
constexpr const ToggleRow* ToggleOf(engine::OptionField field)
{
    for (const ToggleRow& row : kToggleRows) {
        if (row.field == field) return &row;
    }
    return nullptr;
}
constexpr const ToggleRow* ToggleAt(int toolbarIndex)
{
    for (const ToggleRow& row : kToggleRows) {
        if (toolbarIndex != 0 && row.toolbarIndex == toolbarIndex) return &row;
    }
    return nullptr;
}
constexpr const ToggleRow* ToggleOfBox(std::string_view dialogBox)
{
    for (const ToggleRow& row : kToggleRows) {
        if (row.dialogBox == dialogBox) return &row;
    }
    return nullptr;
}

// The row disabled while this one is on (superscript and subscript lock each other out);
// nullptr when there is none.
constexpr const ToggleRow* ExcludedBy(const ToggleRow& row)
{
    const engine::OptionRow* option = engine::OptionOf(row.field);
    return option != nullptr && option->excludes != nullptr ? ToggleOf(option->excludes) : nullptr;
}

}  // namespace kelvara::ui
