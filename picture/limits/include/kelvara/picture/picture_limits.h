// SPDX-License-Identifier: MIT
// The limits of a picture, each written once for the settings, kelvara-gen, the window and the
// renderer: the pixel size of HTML size 3, the scale, the wrapping width, and the largest
// picture that browsers, image viewers and posting sites open. No Qt, no other header.
#pragma once

#include <cstdint>

namespace kelvara::picture {

// The pixels of HTML size 3 (and of a 16-pixel size).
inline constexpr int kMinPx = 8;
inline constexpr int kMaxPx = 512;
inline constexpr int kDefaultPx = 48;

// Device pixels per pixel (PNG only).
inline constexpr int kMinScale = 1;
inline constexpr int kMaxScale = 4;

// The longest line, in pixels at scale 1, before it is wrapped; the window's field offers
// kDefaultWrap until the user sets one.
inline constexpr int kMinWrap = 16;
inline constexpr int kMaxWrap = 16'384;
inline constexpr int kDefaultWrap = 1'200;

// The largest picture written, in device pixels: a side, and the whole area.
inline constexpr std::int64_t kMaxSide = 16'384;
inline constexpr std::int64_t kMaxArea = 64'000'000;

// A picture's size in device pixels, worked out before anything is drawn.
struct PictureSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// Which limit a picture of this size is over, if any.
enum class SizeLimit { None, Side, Area };

constexpr SizeLimit OverLimit(PictureSize size)
{
    if (size.width > kMaxSide || size.height > kMaxSide) return SizeLimit::Side;
    if (size.width * size.height > kMaxArea) return SizeLimit::Area;
    return SizeLimit::None;
}

}  // namespace kelvara::picture
