// SPDX-License-Identifier: MIT
// The picture options of kelvara-gen: --image, --px, --scale, --wrap, --image-back, --outline,
// --shadow.
#pragma once

#include <optional>
#include <string>

#include "kelvara/engine/color.h"

namespace kelvara::cli {

struct ImageRequest {
    std::optional<std::string> file;  // ends in .png or .svg
    std::optional<int> px;
    std::optional<int> scale;
    std::optional<int> wrap;
    std::optional<engine::Rgb> back;
    std::optional<engine::Rgb> outline;
    std::optional<engine::Rgb> shadow;
};

bool IsImageOption(const std::string& name);
// Stores an image option's value; the message when the value is wrong.
std::optional<std::string> SetImageValue(ImageRequest& request, const std::string& name,
                                         const std::string& value);
// The picture options need --image; the message when they come without it.
std::optional<std::string> CheckImage(const ImageRequest& request);

}  // namespace kelvara::cli
