// SPDX-License-Identifier: MIT
// The plain interface between the programs and the picture module: laid-out pieces of text
// with their colours and pixel sizes in, PNG or SVG bytes out. No Qt types cross it, so a
// program that only writes text never loads Qt.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

inline constexpr std::uint32_t kKelvaraPictureAbi = 2;
inline constexpr std::int32_t kKelvaraNoColor = -1;  // in place of 0xRRGGBB: none

enum KelvaraPictureKind : std::int32_t { KelvaraPng = 0, KelvaraSvg = 1 };

// How a piece stands in its line (flags of KelvaraPicturePiece).
enum KelvaraPieceFlag : std::int32_t {
    KelvaraLineStart = 1,    // the first piece of a line of the text (after a line break)
    KelvaraBreakBefore = 2,  // a wrapped line may end before this piece
};

// One piece drawn in one colour and size: a character, or a group of them under a length limit.
// No piece holds a line break; an empty piece is an empty line, as high as its size.
struct KelvaraPicturePiece {
    const char16_t* text;
    std::size_t length;
    std::uint32_t color;  // 0xRRGGBB
    std::int32_t pixels;  // font size in pixels
    std::int32_t flags;   // KelvaraPieceFlag
};

struct KelvaraPictureRequest {
    std::uint32_t abi;  // kKelvaraPictureAbi
    std::int32_t kind;  // KelvaraPictureKind
    const KelvaraPicturePiece* pieces;
    std::size_t pieceCount;
    const char16_t* face;
    std::size_t faceLength;
    const char16_t* description;  // the whole text, for the picture's title and description
    std::size_t descriptionLength;
    std::int32_t bold;
    std::int32_t italic;
    std::int32_t underline;
    std::int32_t strike;
    std::int32_t vertical;  // 1: every piece on a line of its own, a column per line of text
    // One linear gradient over the whole text through these colours, evenly spaced; when
    // empty every piece has its own colour.
    const std::uint32_t* gradient;
    std::size_t gradientCount;
    std::int32_t px;       // the pixel size of HTML size 3; padding and effects follow it
    std::int32_t scale;    // device pixels per pixel (PNG only)
    std::int32_t back;     // background 0xRRGGBB or kKelvaraNoColor (transparent)
    std::int32_t outline;  // 0xRRGGBB or kKelvaraNoColor
    std::int32_t shadow;   // 0xRRGGBB or kKelvaraNoColor
    std::int32_t wrap;     // the longest line in pixels (at scale 1); 0: lines end only at breaks
    std::int32_t center;   // 1: every line (column) centred in the picture
};

// The module's result; the bytes belong to the module until KelvaraFreePicture.
struct KelvaraPictureResult {
    unsigned char* data;
    std::size_t size;
    char error[256];     // set when data is null
    std::int64_t width;  // the picture in device pixels, drawn or not
    std::int64_t height;
    std::int32_t tooLarge;  // 1: nothing drawn, the size is over the limits
};

using KelvaraRenderPictureFunction = int (*)(const KelvaraPictureRequest*, KelvaraPictureResult*);
using KelvaraFreePictureFunction = void (*)(KelvaraPictureResult*);
}

// The module's exported symbols.
inline constexpr const char* kKelvaraRenderPictureSymbol = "KelvaraRenderPicture";
inline constexpr const char* kKelvaraFreePictureSymbol = "KelvaraFreePicture";
