// SPDX-License-Identifier: MIT
// Converting the input line by line, each line streamed out as it is made.
#include "line_batch.h"

#include <ostream>

#include "input_reader.h"
#include "kelvara/engine/characters.h"
#include "run_report.h"
#include "tag_stream.h"
#include "utf8_writer.h"

namespace kelvara::cli {

bool ConvertLines(const engine::TagOptions& options, const engine::OutputOptions& output,
                  const engine::ColorSource& colors, std::istream& in, std::ostream& out,
                  std::ostream& err, const engine::TargetRow* target)
{
    Utf8Writer writer(out);
    bool anyRefused = false;
    bool noted = false;
    auto refuse = [&](std::size_t number, const std::string& message) {
        err << "kelvara-gen: line " << number << ": " << message << '\n';
        anyRefused = true;
    };
    ReadLines(in, [&](std::size_t number, const TextInput& line) {
        if (line.refusal != TextRefusal::None) {
            refuse(number, RefusalMessage(line.refusal, options));
        } else if (!line.text.empty()) {
            const engine::CharacterText characters(line.text);
            engine::FormattedRun run(options, output, characters, colors);
            if (run.Refused()) {
                refuse(number, RefusalText(run.Report(), output, target));
            } else {
                if (!noted) WriteNotes(run.Report(), output.format, err);
                noted = true;
                Utf8StreamSink sink(writer);
                run.Write(sink, nullptr);
                sink.Flush();
                WriteLowContrast(run.Report(), err, number);
            }
        }
        writer.WriteBytes("\n");
        // A reader that went away ends the batch; the caller reports the failed output.
        return !out.fail();
    });
    writer.Flush();
    return !anyRefused;
}

}  // namespace kelvara::cli
