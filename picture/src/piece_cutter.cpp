// SPDX-License-Identifier: MIT
// The pieces of a picture cut at line breaks, characters and the places a line may wrap.
#include "piece_cutter.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>

#include "kelvara/engine/characters.h"
#include "kelvara/picture/picture_abi.h"

namespace kelvara::picture::detail {
namespace {

// Where ICU's strict Japanese line breaking lets a line end: never before 、。」』）ー・！？
// or small kana, never after 「『（, between other kana and kanji, after the spaces of Latin
// text. Nothing when ICU's data is missing: the lines then end only at line breaks.
std::vector<std::size_t> LineBreaks(const engine::RunPlan& plan)
{
    std::u16string text;
    for (const engine::PlannedRun& run : plan.runs) text += run.text;
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::BreakIterator> iterator(icu::BreakIterator::createLineInstance(
        icu::Locale::createFromName("ja@lb=strict"), status));
    std::vector<std::size_t> breaks;
    if (U_FAILURE(status) || !iterator) return breaks;
    const icu::UnicodeString alias(false, text.data(), static_cast<int32_t>(text.size()));
    iterator->setText(alias);
    for (int32_t at = iterator->next(); at != icu::BreakIterator::DONE; at = iterator->next()) {
        breaks.push_back(static_cast<std::size_t>(at));
    }
    return breaks;
}

}  // namespace

PieceCutter::PieceCutter(const engine::RunPlan& plan, bool vertical, bool wrapping)
    : m_vertical(vertical)
{
    if (wrapping) m_breaks = LineBreaks(plan);
    std::size_t offset = 0;
    const engine::PlannedRun* lastBreak = nullptr;
    for (const engine::PlannedRun& run : plan.runs) {
        const std::u16string_view text = run.text;
        std::size_t from = 0;
        for (std::size_t lf = text.find(u'\n'); lf != std::u16string_view::npos;
             lf = text.find(u'\n', from)) {
            const std::size_t end = lf > from && text[lf - 1] == u'\r' ? lf - 1 : lf;
            AddText(text.substr(from, end - from), offset + from, run);
            EndLine(run);
            lastBreak = &run;
            from = lf + 1;
        }
        AddText(text.substr(from), offset + from, run);
        offset += text.size();
    }
    if (m_lineStart) AddEmpty(*lastBreak);  // the text ends with a line break
}

void PieceCutter::AddText(std::u16string_view text, std::size_t offset,
                          const engine::PlannedRun& run)
{
    if (m_vertical) {
        const engine::CharacterText characters(text);
        for (std::size_t i = 0; i < characters.size(); ++i) {
            const std::u16string_view c = characters[i];
            AddPiece(c, offset + static_cast<std::size_t>(c.data() - text.data()), run);
        }
        return;
    }
    // A group of characters (under a length limit) is cut where a wrapped line may end in it.
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t to = text.size();
        const auto next = std::upper_bound(m_breaks.begin(), m_breaks.end(), offset + from);
        if (next != m_breaks.end() && *next < offset + text.size()) to = *next - offset;
        AddPiece(text.substr(from, to - from), offset + from, run);
        from = to;
    }
}

void PieceCutter::AddPiece(std::u16string_view text, std::size_t offset,
                           const engine::PlannedRun& run)
{
    if (text.empty()) return;
    std::int32_t flags = 0;
    if (m_lineStart) {
        flags = KelvaraLineStart;
    } else if (!m_lineEmpty && std::binary_search(m_breaks.begin(), m_breaks.end(), offset)) {
        flags = KelvaraBreakBefore;
    }
    m_texts.emplace_back(text);
    m_pieces.push_back({m_texts.size() - 1, &run, flags});
    m_lineStart = false;
    m_lineEmpty = false;
}

// An empty line keeps the height of the line break that ends it (or, last, of the one before).
void PieceCutter::AddEmpty(const engine::PlannedRun& run)
{
    m_texts.emplace_back();
    m_pieces.push_back({m_texts.size() - 1, &run, m_lineStart ? KelvaraLineStart : 0});
    m_lineStart = false;
}

void PieceCutter::EndLine(const engine::PlannedRun& run)
{
    if (m_lineEmpty) AddEmpty(run);
    m_lineStart = true;
    m_lineEmpty = true;
}

}  // namespace kelvara::picture::detail
