// SPDX-License-Identifier: MIT
// The on/off options of TagOptions, one table row each: the field, the command-line flag, the
// Lum.ini entry, the note when a format leaves it out, and the Japanese names a front end
// shows. kelvara-gen's flags, help and --print-settings, the settings file, the notes and the
// window's toolbar derive from these rows; what an option looks like in the output is each
// writer's business, read from the field.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "kelvara/engine/formats.h"
#include "kelvara/engine/tag_options.h"

namespace kelvara::engine {

using OptionField = std::int16_t TagOptions::*;

// On when the field holds 1 (see IsSet), off when it holds 0.
struct OptionRow {
    OptionField field;
    std::string_view fieldName;  // the field's name, as --print-settings shows it
    std::string_view flag;       // --flag of kelvara-gen; the option's name for other front ends
    std::string_view help;       // kelvara-gen's help text after the flag
    std::u16string_view iniSection;
    std::u16string_view iniKey;  // as written; read in any case
    OmittedOption omitted;
    std::string_view note;   // names the option in "… is left out: the … format cannot …"
    std::string_view label;  // UTF-8: a short Japanese name ("太字"), as the status line lists it
    std::string_view caption;  // UTF-8: what it does, in Japanese; the toolbar toggle's tooltip
    OptionField excludes;      // the option it cannot be on with, nullptr for none
};

// In the order of kelvara-gen's help (the order the FONT writer nests them in, outside in).
inline constexpr std::array<OptionRow, 10> kOptions{{
    {&TagOptions::h_Centerflag, "h_Centerflag", "center", "centre the text (CENTER)", u"Set",
     u"h_Centerflag", OmittedOption::Center, "centring", "中央寄せ", "文字を中央に持ってきます。",
     nullptr},
    {&TagOptions::h_BoldFlag, "h_BoldFlag", "bold", "bold (B)", u"Font", u"h_BoldFlag",
     OmittedOption::Bold, "bold", "太字", "太文字にします。", nullptr},
    {&TagOptions::h_ItalicFlag, "h_ItalicFlag", "italic", "italic (I)", u"Font", u"h_ItalicFlag",
     OmittedOption::Italic, "italic", "斜体", "斜線にします。", nullptr},
    {&TagOptions::h_NotFlag, "h_NotFlag", "strike", "strike-through (S)", u"Font", u"h_NotFlag",
     OmittedOption::Strike, "strike-through", "抹消線", "抹消線をつけます。", nullptr},
    {&TagOptions::h_SubFlag, "h_SubFlag", "sub", "subscript (SUB)", u"Font", u"Sub",
     OmittedOption::Subscript, "subscript", "下付", "下付けにします。", &TagOptions::h_UpFlag},
    {&TagOptions::h_UpFlag, "h_UpFlag", "sup", "superscript (SUP)", u"Font", u"Up",
     OmittedOption::Superscript, "superscript", "上付", "上付けにします。", &TagOptions::h_SubFlag},
    {&TagOptions::h_UnderFlag, "h_UnderFlag", "underline", "underline (U)", u"Font", u"Under",
     OmittedOption::Underline, "underline", "下線", "下線を付けます。", nullptr},
    // Read as h_marqueeFlag, written back in lower case, as it always was.
    {&TagOptions::h_marqueeFlag, "h_marqueeFlag", "marquee", "scrolling marquee (MARQUEE)", u"Else",
     u"h_marqueeflag", OmittedOption::Marquee, "the marquee", "文字を流す", "文字を流します。",
     nullptr},
    {&TagOptions::h_BlinkFlag, "h_BlinkFlag", "blink", "blinking (BLINK)", u"Else", u"Blink",
     OmittedOption::Blink, "blinking", "点滅", "文字を点滅します。", nullptr},
    {&TagOptions::h_styleflag, "h_styleflag", "vertical",
     "vertical writing: a line break after every character", u"Set", u"h_styleflag",
     OmittedOption::Vertical, "vertical writing", "縦書き", "縦書きにします。", nullptr},
}};

// The row of a field, of an omitted option or of a flag; nullptr when none has one.
constexpr const OptionRow* OptionOf(OptionField field)
{
    for (const OptionRow& row : kOptions) {
        if (row.field == field) return &row;
    }
    return nullptr;
}
constexpr const OptionRow* OptionOf(OmittedOption option)
{
    for (const OptionRow& row : kOptions) {
        if (row.omitted == option) return &row;
    }
    return nullptr;
}
constexpr const OptionRow* OptionOfFlag(std::string_view flag)
{
    for (const OptionRow& row : kOptions) {
        if (row.flag == flag) return &row;
    }
    return nullptr;
}

// The rows in the order of OmittedOption, the order notes on left-out options come in.
constexpr std::array<const OptionRow*, kOptions.size()> OptionsInNoteOrder()
{
    std::array<const OptionRow*, kOptions.size()> rows{};
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = &kOptions[i];
    std::sort(rows.begin(), rows.end(),
              [](const OptionRow* a, const OptionRow* b) { return a->omitted < b->omitted; });
    return rows;
}

// Whether TagOptions declares field a before field b. Its numbers stand in Lum.ini and in
// --print-settings in the order of declaration.
inline bool DeclaredBefore(OptionField a, OptionField b)
{
    static const TagOptions probe;
    return std::less<const void*>()(&(probe.*a), &(probe.*b));
}

// The entries of `own` with one made by `fromRow` for every option, in the order of their fields'
// declaration. An entry has a `field`.
template <class Entry, class FromRow>
std::vector<Entry> WithOptionsInFieldOrder(std::span<const Entry> own, FromRow fromRow)
{
    std::vector<Entry> all(own.begin(), own.end());
    for (const OptionRow& row : kOptions) all.push_back(fromRow(row));
    std::stable_sort(all.begin(), all.end(), [](const Entry& a, const Entry& b) {
        return DeclaredBefore(a.field, b.field);
    });
    return all;
}

}  // namespace kelvara::engine
