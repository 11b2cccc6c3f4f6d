// SPDX-License-Identifier: MIT
// The output choices beyond the classic FONT tags (format, colour space, extra colour stops,
// length limit, contrast check) and their section "Output" of Lum.ini. The names are the ones
// kelvara-gen takes on its command line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kelvara/engine/output_format.h"
#include "kelvara/engine/tag_options.h"
#include "kelvara/engine/targets.h"
#include "kelvara/picture/picture_limits.h"

namespace kelvara::settings {

struct ProfileRead;
struct ProfileWrite;

inline constexpr std::u16string_view kOutputSection = u"Output";

// Up to this many colours besides the first, middle and last (16 stops in all).
inline constexpr std::size_t kMaxExtraStops = 13;
// Length limits are whole numbers from 1 to this.
inline constexpr std::int32_t kMaxFit = 99'999'999;

// The picture of a run (saved or copied from the window): the pixel size of HTML size 3, the
// main window's background colour or none, an outline and a shadow (RRGGBB; empty: none), the
// width its lines wrap at (none: they end only at line breaks). The limits are the picture's.
struct ImageSettings {
    std::int16_t ImagePx = picture::kDefaultPx;
    std::int16_t ImageBack = 0;  // 1: the background colour; otherwise transparent
    std::u16string Outline;
    std::u16string Shadow;
    std::optional<std::int16_t> ImageWrap = std::nullopt;

    friend bool operator==(const ImageSettings&, const ImageSettings&) = default;
};

struct OutputSettings {
    // Stored by the names of the engine's table; only the formats the window offers.
    engine::OutputFormat Format = engine::OutputFormat::Font;
    engine::ColorSpace Space = engine::ColorSpace::Rgb;
    // RRGGBB, upper case; they come after the first (and middle) colour, before the last.
    std::vector<std::u16string> ExtraStops;
    std::optional<std::int32_t> Fit;  // at most this many characters of output; none when empty
    std::int16_t Contrast = 0;        // 1: count characters below 4.5:1 against the background
    ImageSettings Image;              // pictures only; the text output does not depend on it
    // Where the text is posted (a row of engine::kTargets), none for "指定なし". Choosing one sets
    // Format and Fit; it also decides how the limit counts and what the status line names.
    const engine::TargetRow* Target = nullptr;

    // True while nothing differs from the classic output (the picture's choices aside).
    [[nodiscard]] bool IsClassic() const
    {
        OutputSettings text = *this;
        text.Image = {};
        return text == OutputSettings{};
    }
    friend bool operator==(const OutputSettings&, const OutputSettings&) = default;
};

// Six hexadecimal digits, either case, blanks around allowed; the colour in upper case.
std::optional<std::u16string> ReadStopColor(std::u16string_view text);

// A length limit as typed: blanks around allowed, then a whole decimal number.
enum class FitReading { None, Value, NotANumber, NotWhole, TooSmall, TooLarge };
struct FitValue {
    FitReading reading = FitReading::None;  // None: empty text, no limit
    std::int32_t value = 0;                 // when reading is Value
};
FitValue ReadFit(std::u16string_view text);

// Section "Output" is read and written in the same pass as the other sections.
// Its entries to read, in the order OutputFromValues takes their values.
std::span<const ProfileRead> OutputReads();

// A missing section or entry, or a value that is not one of the names or not in range, gives
// the classic choice for that entry. A target gives its format, and its limit when the section
// has none.
OutputSettings OutputFromValues(std::span<const std::u16string> values);

// The section's writes, after everything else. An entry that still holds the classic choice is
// written only when the file already has it, so a file whose user never touched these choices
// stays exactly as it was. The writes point into this object.
class OutputWrites {
public:
    explicit OutputWrites(const OutputSettings& output);
    void AppendTo(std::vector<ProfileWrite>& writes) const;

private:
    static constexpr std::size_t kCount = 11;
    std::array<std::u16string, kCount> m_values;
    std::array<bool, kCount> m_classic{};
};

// The output options as a target sets them: its format, and its limit (none when it has none).
void ApplyTarget(OutputSettings& output, const engine::TargetRow& target);

// "FF8000,00FFFF": the extra stops as one entry value.
std::u16string JoinStops(const std::vector<std::u16string>& stops);

}  // namespace kelvara::settings
