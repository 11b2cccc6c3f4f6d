// One run in any output format (first version: the classic FONT path only).
#include <utility>

#include "kelvara/engine/characters.h"
#include "kelvara/engine/output_format.h"

namespace kelvara::engine {

struct FormattedRun::State {
    const TagOptions& options;
    OutputOptions output;
    const CharacterText& text;
    const ColorSource& colors;
    RunReport report;
    bool refused = false;
};

FormattedRun::FormattedRun(const TagOptions& options, const OutputOptions& output,
                           const CharacterText& text, const ColorSource& colors)
    : m_state(std::make_unique<State>(State{options, output, text, colors, {}, false}))
{
    if (auto message = CheckLength(options, text.size())) {
        m_state->report.message = std::move(*message);
        m_state->refused = true;
    }
}

FormattedRun::~FormattedRun() = default;

bool FormattedRun::Refused() const { return m_state->refused; }
const RunReport& FormattedRun::Report() const { return m_state->report; }

RunOutcome FormattedRun::Write(TagSink& sink, RunHook* hook)
{
    if (m_state->refused) return RunOutcome::Refused;
    return RunSegments(m_state->options, m_state->text, m_state->colors, sink, hook);
}

FormattedResult GenerateFormatted(const TagOptions& options, const OutputOptions& output,
                                  std::u16string_view text, const ColorSource& colors,
                                  RunHook* hook)
{
    FormattedResult result;
    const CharacterText characters(text);
    FormattedRun run(options, output, characters, colors);
    result.report = run.Report();
    if (run.Refused()) return result;
    StringSink sink;
    result.outcome = run.Write(sink, hook);
    result.tags = std::move(sink.Text());
    result.report = run.Report();
    return result;
}

}  // namespace kelvara::engine
