// SPDX-License-Identifier: MIT
// What a run computes, apart from how it is written: for every character its colour and size.
// Two walks produce it: the classic one (segments between the colour fields, steps of
// (distance + 1) / (span - 1), running doubles, sizes truncated by floor) and the gradient
// one (stops interpolated in a colour space, the classic two-colour size arithmetic over the
// whole text). Both call the run hook as the classic run does and hand each character to an
// emit callback, so a writer can stream it at once.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "kelvara/engine/color.h"
#include "kelvara/engine/color_space.h"
#include "kelvara/engine/generator.h"
#include "kelvara/engine/tag_options.h"

namespace kelvara::engine::detail {

struct PlannedCharacter {
    std::size_t index = 0;  // 0-based position in the text
    Rgb color;
    long long size = 0;  // HTML size (font modes 1, 2) or pixel size (3, 4); unused otherwise
    // The first character of a colour segment: its size is rounded rather than truncated,
    // FONT writes it unquoted, and no hook call comes before it.
    bool segmentStart = false;
};

inline bool HasSizeSteps(int fontflag) { return fontflag >= 1 && fontflag <= 4; }
inline bool GrowsSmaller(int fontflag) { return fontflag == 1 || fontflag == 3; }

inline long long Floor(double value) { return static_cast<long long>(std::floor(value)); }

// floor(value + 0.5) for a value that is not negative, where the conversion's truncation
// is the floor already: the same result without the rounding call. The sum is rounded as
// the classic arithmetic rounds it, so lround, which avoids that, would change colours.
inline int RoundHalfUp(double value)
{
    return static_cast<int>(value + 0.5);  // NOLINT(bugprone-incorrect-roundings)
}

// The running size: its start value and step, by font mode, over `total` characters.
struct SizeSteps {
    double z = 0;
    double dz = 0;

    SizeSteps(const TagOptions& o, std::size_t total)
    {
        const int fontflag = o.h_fontflag;
        const double intervals = static_cast<double>(total) - 1;
        if ((fontflag == 1 || fontflag == 2) && total > 1) {
            dz = 6.0 / intervals;
        } else if ((fontflag == 3 || fontflag == 4) && total > 1) {
            dz = (std::abs(o.h_MaxFontSize - o.h_MinFontSize) - 1.0) / intervals;
        }
        switch (fontflag) {
            case 1:
                z = 7;
                break;
            case 2:
                z = 1;
                break;
            case 3:
                z = o.h_MaxFontSize;
                break;
            case 4:
                z = o.h_MinFontSize;
                break;
            default:
                break;
        }
    }

    void Step(int fontflag) { z += GrowsSmaller(fontflag) ? -dz : dz; }
};

// True to go on; false when the hook asked to stop before character `index`.
inline bool Continue(RunHook* hook, std::size_t index, std::size_t total)
{
    return hook == nullptr ||
           hook->Continue(static_cast<int>(total - index - 1), static_cast<int>(total));
}

// The classic walk: one segment with two colours, two with three (any other count runs as
// two). The colour fields are read at the start of each segment.
template <class Emit>
RunOutcome WalkClassic(const TagOptions& options, std::size_t total, const ColorSource& colors,
                       RunHook* hook, Emit&& emit)
{
    const int fontflag = options.h_fontflag;
    const bool sized = HasSizeSteps(fontflag);
    const int colorCount = options.h_ColorCount == 3 ? 3 : 2;
    SizeSteps size(options, total);
    std::size_t next = 0;  // the remaining text starts here

    for (int segment = 0; segment < colorCount - 1; ++segment) {
        const ColorSlot from = segment == 0 ? ColorSlot::First : ColorSlot::Middle;
        const ColorSlot to =
            (segment == 0 && colorCount == 3) ? ColorSlot::Middle : ColorSlot::Last;
        const Rgb start = ReadColorText(colors.ColorText(from));
        const Rgb end = ReadColorText(colors.ColorText(to));

        const auto remaining = static_cast<double>(total - next);
        const double span = segment == 0 ? remaining / (colorCount - 1) : remaining;
        const double dr = (std::abs(start.red - end.red) + 1) / (span - 1);
        const double dg = (std::abs(start.green - end.green) + 1) / (span - 1);
        const double db = (std::abs(start.blue - end.blue) + 1) / (span - 1);
        double r = start.red;
        double g = start.green;
        double b = start.blue;

        // First character of the segment: the start colour exactly.
        PlannedCharacter c;
        c.index = next++;
        c.color = start;
        c.segmentStart = true;
        if (sized) {
            if (segment > 0) size.Step(fontflag);
            c.size = Floor(size.z + 0.5);
        }
        emit(c);

        c.segmentStart = false;
        // The signed steps and the last step, worked out once rather than per character.
        const double stepR = start.red > end.red ? -dr : dr;
        const double stepG = start.green > end.green ? -dg : dg;
        const double stepB = start.blue > end.blue ? -db : db;
        const double lastStep = span - 1;
        for (int j = 1; j <= lastStep; ++j) {
            r += stepR;
            g += stepG;
            b += stepB;
            if (sized) {
                size.Step(fontflag);
                c.size = Floor(size.z);
            }
            // Nothing above 255 (min keeps the value exactly, without branches).
            r = std::min(r, 255.0);
            g = std::min(g, 255.0);
            b = std::min(b, 255.0);
            c.color = end;
            // A component below 0 leaves the end colour; the segment's last step shows it too.
            if (r >= 0 && g >= 0 && b >= 0 && j != lastStep) {
                c.color = Rgb{RoundHalfUp(r), RoundHalfUp(g), RoundHalfUp(b)};
            }
            c.index = next++;
            if (!Continue(hook, c.index, total)) return RunOutcome::Stopped;
            emit(c);
        }
    }
    return RunOutcome::Completed;
}

// The gradient walk: character i of n at t = i / (n - 1) along the stops; sizes as the
// classic two-colour run has them.
template <class Emit>
RunOutcome WalkGradient(const TagOptions& options, std::size_t total, const Gradient& gradient,
                        RunHook* hook, Emit&& emit)
{
    const int fontflag = options.h_fontflag;
    const bool sized = HasSizeSteps(fontflag);
    SizeSteps size(options, total);
    const double last = total > 1 ? static_cast<double>(total - 1) : 1.0;

    PlannedCharacter c;
    for (std::size_t i = 0; i < total; ++i) {
        c.index = i;
        c.segmentStart = i == 0;
        c.color = i + 1 == total && i > 0 ? gradient.Stops().back()
                                          : gradient.At(static_cast<double>(i) / last);
        if (sized) {
            if (i == 0) {
                c.size = Floor(size.z + 0.5);
            } else {
                size.Step(fontflag);
                c.size = Floor(size.z);
            }
        }
        if (i > 0 && !Continue(hook, i, total)) return RunOutcome::Stopped;
        emit(c);
    }
    return RunOutcome::Completed;
}

}  // namespace kelvara::engine::detail
