// SPDX-License-Identifier: MIT
// Cutting a planned run into the pieces of a picture: a line of pieces for every line of the
// text, a piece for every character when vertical, and, when the lines wrap, a cut wherever
// strict Japanese line breaking (ICU's) lets a line end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kelvara/engine/run_plan.h"

namespace kelvara::picture::detail {

struct CutPiece {
    std::size_t text = 0;  // index into the texts
    const engine::PlannedRun* run = nullptr;
    std::int32_t flags = 0;  // KelvaraPieceFlag
};

class PieceCutter {
public:
    PieceCutter(const engine::RunPlan& plan, bool vertical, bool wrapping);

    [[nodiscard]] std::vector<std::u16string> TakeTexts() { return std::move(m_texts); }
    [[nodiscard]] const std::vector<CutPiece>& Pieces() const { return m_pieces; }

private:
    void AddText(std::u16string_view text, std::size_t offset, const engine::PlannedRun& run);
    void AddPiece(std::u16string_view text, std::size_t offset, const engine::PlannedRun& run);
    void AddEmpty(const engine::PlannedRun& run);
    void EndLine(const engine::PlannedRun& run);

    bool m_vertical;
    std::vector<std::size_t> m_breaks;  // offsets in the run's text where a line may end
    std::vector<std::u16string> m_texts;
    std::vector<CutPiece> m_pieces;
    bool m_lineStart = false;  // the next piece follows a line break
    bool m_lineEmpty = true;   // no piece yet on the current line
};

}  // namespace kelvara::picture::detail
