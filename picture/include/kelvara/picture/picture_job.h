// SPDX-License-Identifier: MIT
// A picture of a run, worked out without Qt: its file type, its options, the options it cannot
// show, and the pieces (text, colour, pixel size, where lines start and may wrap) handed to the
// picture module.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kelvara/engine/color.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/run_plan.h"
#include "kelvara/engine/tag_options.h"
#include "kelvara/picture/picture_abi.h"
#include "kelvara/picture/picture_limits.h"

namespace kelvara::picture {

enum class PictureKind { Png, Svg };

// ".png" or ".svg" at the end of the name, in any case; nothing for any other name.
std::optional<PictureKind> KindOfFile(std::string_view path);

struct PictureOptions {
    int px = kDefaultPx;              // pixels of HTML size 3 (and of a 16-pixel size)
    int scale = 1;                    // device pixels per pixel
    std::optional<engine::Rgb> back;  // none: transparent
    std::optional<engine::Rgb> outline;
    std::optional<engine::Rgb> shadow;
    std::optional<int> wrap;  // the longest line in pixels; none: lines end only at line breaks
};

// The pixels a planned size draws at: HTML sizes 1..7 as a browser shows them (10, 13, 16, 18,
// 24, 32, 48 px), pixel sizes as they are, both scaled so that 16 px becomes `px`.
int PiecePixels(long long size, int fontflag, int px);

// The set options a picture cannot show: subscript, superscript, blinking, marquee.
std::vector<engine::OmittedOption> PictureOmissions(const engine::TagOptions& options);
// "the marquee is left out: a picture cannot show it".
std::string PictureNote(engine::OmittedOption option);

// Why a picture of this size is not written, and what makes it smaller: "it would be 1572840 x
// 76 pixels, over the limit of 16384 pixels a side ...; --wrap=N, a smaller --px or a shorter
// text helps".
std::string TooLargeText(PictureSize size, PictureKind kind, const PictureOptions& look);

// Owns everything a KelvaraPictureRequest points to. Each line of the text (ending at LF, with
// an optional CR before it) starts a line of pieces; with a wrapping width the pieces are cut
// where strict Japanese line breaking (ICU's) allows a line to end.
class PictureJob {
public:
    PictureJob(const engine::RunPlan& plan, const engine::TagOptions& options,
               std::u16string_view text, const PictureOptions& picture, PictureKind kind);
    PictureJob(const PictureJob&) = delete;
    PictureJob& operator=(const PictureJob&) = delete;

    [[nodiscard]] const KelvaraPictureRequest& Request() const { return m_request; }

private:
    std::vector<std::u16string> m_texts;
    std::vector<KelvaraPicturePiece> m_pieces;
    std::vector<std::uint32_t> m_gradient;
    std::u16string m_face;
    std::u16string m_description;
    KelvaraPictureRequest m_request{};
};

}  // namespace kelvara::picture
