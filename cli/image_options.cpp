// SPDX-License-Identifier: MIT
// Reading the picture options of kelvara-gen.
#include "image_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "kelvara/picture/picture_job.h"

namespace kelvara::cli {
namespace {

// Name, smallest and largest value of the numeric options.
struct Range {
    std::string_view name;
    int low;
    int high;
    std::optional<int> ImageRequest::*field;
};
constexpr std::array<Range, 3> kNumbers{{
    {"px", picture::kMinPx, picture::kMaxPx, &ImageRequest::px},
    {"scale", picture::kMinScale, picture::kMaxScale, &ImageRequest::scale},
    {"wrap", picture::kMinWrap, picture::kMaxWrap, &ImageRequest::wrap},
}};

struct ColorOption {
    std::string_view name;
    std::optional<engine::Rgb> ImageRequest::*field;
};
constexpr std::array<ColorOption, 3> kColors{{
    {"image-back", &ImageRequest::back},
    {"outline", &ImageRequest::outline},
    {"shadow", &ImageRequest::shadow},
}};

bool IsHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

}  // namespace

bool IsImageOption(const std::string& name)
{
    return name == "image" ||
           std::any_of(kNumbers.begin(), kNumbers.end(),
                       [&](const Range& r) { return r.name == name; }) ||
           std::any_of(kColors.begin(), kColors.end(),
                       [&](const ColorOption& c) { return c.name == name; });
}

std::optional<std::string> SetImageValue(ImageRequest& request, const std::string& name,
                                         const std::string& value)
{
    if (name == "image") {
        if (!picture::KindOfFile(value)) {
            return "--image takes a file name ending in .png or .svg, not \"" + value + "\"";
        }
        request.file = value;
        return std::nullopt;
    }
    for (const Range& r : kNumbers) {
        if (r.name != name) continue;
        int n = 0;
        const char* end = value.data() + value.size();
        const auto [ptr, ec] = std::from_chars(value.data(), end, n);
        if (value.empty() || ec != std::errc() || ptr != end || n < r.low || n > r.high) {
            return "--" + name + " takes a whole number from " + std::to_string(r.low) + " to " +
                   std::to_string(r.high) + ", not \"" + value + "\"";
        }
        request.*r.field = n;
        return std::nullopt;
    }
    for (const ColorOption& c : kColors) {
        if (c.name != name) continue;
        if (value.size() != 6 || !std::all_of(value.begin(), value.end(), IsHex)) {
            return "--" + name + " takes a colour RRGGBB (six hex digits), not \"" + value + "\"";
        }
        request.*c.field = engine::ReadColorText(std::u16string(value.begin(), value.end()));
        return std::nullopt;
    }
    return "unknown option --" + name;
}

std::optional<std::string> CheckImage(const ImageRequest& request)
{
    if (request.file) return std::nullopt;
    for (const Range& r : kNumbers) {
        if (request.*r.field) return "--" + std::string(r.name) + " needs --image";
    }
    for (const ColorOption& c : kColors) {
        if (request.*c.field) return "--" + std::string(c.name) + " needs --image";
    }
    return std::nullopt;
}

}  // namespace kelvara::cli
