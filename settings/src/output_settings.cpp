// SPDX-License-Identifier: MIT
// Section "Output" of Lum.ini: reading and writing the output choices, and the rules for the
// two values a user types (a stop colour, a length limit).
#include "kelvara/settings/output_settings.h"

#include <algorithm>
#include <cmath>

#include "kelvara/settings/numbers.h"
#include "kelvara/settings/profile.h"

namespace kelvara::settings {
namespace {

// Read sizes: a name, the thirteen stops with their commas, a number, a flag.
constexpr std::size_t kNameSize = 16;
constexpr std::size_t kStopsSize = 128;
constexpr std::size_t kFitSize = 12;
constexpr std::size_t kFlagSize = 3;

constexpr std::u16string_view kFormatKey = u"Format";
constexpr std::u16string_view kSpaceKey = u"Space";
constexpr std::u16string_view kStopsKey = u"Stops";
constexpr std::u16string_view kFitKey = u"Fit";
constexpr std::u16string_view kContrastKey = u"Contrast";
constexpr std::u16string_view kImagePxKey = u"ImagePx";
constexpr std::u16string_view kImageBackKey = u"ImageBack";
constexpr std::u16string_view kOutlineKey = u"Outline";
constexpr std::u16string_view kShadowKey = u"Shadow";
constexpr std::u16string_view kImageWrapKey = u"ImageWrap";
constexpr std::u16string_view kTargetKey = u"Target";
constexpr std::size_t kColorSize = 16;
constexpr std::size_t kTargetSize = 32;

// The section's entries in the order they are read and written; one pass over the file reads
// them all.
constexpr std::array<ProfileRead, 11> kEntries{{{kOutputSection, kFormatKey, kNameSize},
                                                {kOutputSection, kSpaceKey, kNameSize},
                                                {kOutputSection, kStopsKey, kStopsSize},
                                                {kOutputSection, kFitKey, kFitSize},
                                                {kOutputSection, kContrastKey, kFlagSize},
                                                {kOutputSection, kImagePxKey, kFitSize},
                                                {kOutputSection, kImageBackKey, kFlagSize},
                                                {kOutputSection, kOutlineKey, kColorSize},
                                                {kOutputSection, kShadowKey, kColorSize},
                                                {kOutputSection, kImageWrapKey, kFitSize},
                                                {kOutputSection, kTargetKey, kTargetSize}}};

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view Trimmed(std::u16string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

// The row whose name the value spells in any case, or none.
template <class Rows, class Keep>
const auto* Named(std::u16string_view value, const Rows& rows, Keep keep)
{
    std::u16string_view name = Trimmed(value);
    for (const auto& row : rows) {
        if (!keep(row) || row.name.size() != name.size()) continue;
        if (std::equal(name.begin(), name.end(), row.name.begin(),
                       [](char16_t a, char b) { return Lower(a) == static_cast<char16_t>(b); })) {
            return &row;
        }
    }
    return static_cast<decltype(&rows.front())>(nullptr);
}

// The row whose name the value spells in any case, or the first (classic) row.
template <class Rows, class Keep>
const auto& OneOf(std::u16string_view value, const Rows& rows, Keep keep)
{
    const auto* row = Named(value, rows, keep);
    return row != nullptr ? *row : rows.front();
}

std::u16string Wide(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

std::vector<std::u16string> SplitStops(std::u16string_view value)
{
    std::vector<std::u16string> stops;
    while (!value.empty() && stops.size() < kMaxExtraStops) {
        const std::size_t comma = value.find(u',');
        if (auto color = ReadStopColor(value.substr(0, comma))) stops.push_back(*color);
        if (comma == std::u16string_view::npos) break;
        value.remove_prefix(comma + 1);
    }
    return stops;
}

std::u16string FitText(const std::optional<std::int32_t>& fit)
{
    return fit ? FormatSigned(*fit) : std::u16string();
}

// A pixel size out of range, or no number, gives the default.
std::int16_t ReadImagePx(std::u16string_view value)
{
    if (Trimmed(value).empty()) return picture::kDefaultPx;
    const std::int16_t px = RoundToInt16(ParseLenient(value));
    return px >= picture::kMinPx && px <= picture::kMaxPx ? px : picture::kDefaultPx;
}

// A wrapping width out of range, or no number, gives no wrapping.
std::optional<std::int16_t> ReadImageWrap(std::u16string_view value)
{
    if (Trimmed(value).empty()) return std::nullopt;
    const std::int16_t wrap = RoundToInt16(ParseLenient(value));
    if (wrap < picture::kMinWrap || wrap > picture::kMaxWrap) return std::nullopt;
    return wrap;
}

std::array<std::u16string, 5> ImageTexts(const ImageSettings& image)
{
    return {FormatSigned(image.ImagePx), FormatSigned(image.ImageBack), image.Outline, image.Shadow,
            image.ImageWrap ? FormatSigned(*image.ImageWrap) : std::u16string()};
}

}  // namespace

std::optional<std::u16string> ReadStopColor(std::u16string_view text)
{
    const std::optional<engine::Rgb> color = engine::ReadStrictColor(Trimmed(text));
    if (!color) return std::nullopt;
    return engine::ComposeColorText(color->red, color->green, color->blue);
}

FitValue ReadFit(std::u16string_view text)
{
    if (Trimmed(text).empty()) return {};
    const std::optional<double> number = StrictNumber(text);
    if (!number) return {.reading = FitReading::NotANumber};
    if (*number != std::floor(*number)) return {.reading = FitReading::NotWhole};
    if (*number < 1) return {.reading = FitReading::TooSmall};
    if (*number > kMaxFit) return {.reading = FitReading::TooLarge};
    return {.reading = FitReading::Value, .value = static_cast<std::int32_t>(*number)};
}

std::u16string JoinStops(const std::vector<std::u16string>& stops)
{
    std::u16string joined;
    for (const std::u16string& stop : stops) {
        if (!joined.empty()) joined += u',';
        joined += stop;
    }
    return joined;
}

std::span<const ProfileRead> OutputReads() { return kEntries; }

OutputSettings OutputFromValues(std::span<const std::u16string> values)
{
    OutputSettings output;
    output.Format = OneOf(values[0], engine::kFormats, engine::InWindow).format;
    output.Space = OneOf(values[1], engine::kColorSpaces, [](const auto&) { return true; }).space;
    output.ExtraStops = SplitStops(values[2]);
    const FitValue fit = ReadFit(values[3]);
    if (fit.reading == FitReading::Value) output.Fit = fit.value;
    output.Contrast = RoundToInt16(ParseLenient(values[4]));
    output.Image.ImagePx = ReadImagePx(values[5]);
    output.Image.ImageBack = RoundToInt16(ParseLenient(values[6]));
    output.Image.Outline = ReadStopColor(values[7]).value_or(std::u16string());
    output.Image.Shadow = ReadStopColor(values[8]).value_or(std::u16string());
    output.Image.ImageWrap = ReadImageWrap(values[9]);
    if (const auto* target =
            Named(values[10], engine::kTargets, [](const auto&) { return true; })) {
        const std::optional<std::int32_t> fit = output.Fit;
        ApplyTarget(output, *target);
        if (fit) output.Fit = fit;
    }
    return output;
}

OutputWrites::OutputWrites(const OutputSettings& output)
{
    const auto texts = [](const OutputSettings& o) {
        const std::array<std::u16string, 5> image = ImageTexts(o.Image);
        return std::array<std::u16string, kCount>{
            Wide(engine::OutputFormatName(o.Format)),
            Wide(engine::ColorSpaceName(o.Space)),
            JoinStops(o.ExtraStops),
            FitText(o.Fit),
            FormatSigned(o.Contrast),
            image[0],
            image[1],
            image[2],
            image[3],
            image[4],
            o.Target != nullptr ? Wide(o.Target->name) : std::u16string()};
    };
    m_values = texts(output);
    const std::array<std::u16string, kCount> classicValues = texts(OutputSettings{});
    for (std::size_t i = 0; i < m_values.size(); ++i) {
        m_classic[i] = m_values[i] == classicValues[i];
    }
}

void OutputWrites::AppendTo(std::vector<ProfileWrite>& writes) const
{
    for (std::size_t i = 0; i < m_values.size(); ++i) {
        writes.push_back({kOutputSection, kEntries[i].key, m_values[i], m_classic[i]});
    }
}

}  // namespace kelvara::settings
