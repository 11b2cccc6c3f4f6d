// SPDX-License-Identifier: MIT
// The one record of all generation settings, shared by every window and the settings file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvara::engine {

// Field order and names follow the settings keys; every number is 16-bit signed.
// The face the window and kelvara-gen start with, and the one an empty face field stands for.
inline constexpr std::u16string_view kDefaultFace = u"MS Pゴシック";

struct TagOptions {
    std::int16_t h_NFontSize = 0;
    std::u16string h_FontFace;
    std::int16_t h_textflag = 0;
    std::int16_t h_fontflag = 0;
    std::int16_t h_styleflag = 0;
    std::int16_t h_instantflag = 0;
    std::int16_t h_ColorCount = 0;
    std::int16_t h_Centerflag = 0;
    std::int16_t h_ItalicFlag = 0;
    std::int16_t h_BoldFlag = 0;
    std::int16_t h_NotFlag = 0;
    std::int16_t h_SubFlag = 0;
    std::int16_t h_UpFlag = 0;
    std::int16_t h_UnderFlag = 0;
    std::int16_t h_MaxFontSize = 0;
    std::int16_t h_MinFontSize = 0;
    std::int16_t h_marqueeFlag = 0;
    std::int16_t h_BlinkFlag = 0;

    friend bool operator==(const TagOptions&, const TagOptions&) = default;
};

// Flags are on only when they hold exactly 1; a hand-edited 2 acts as 0.
constexpr bool IsSet(std::int16_t flag) { return flag == 1; }

}  // namespace kelvara::engine
