// SPDX-License-Identifier: MIT
// Turning the engine's run report into kelvara-gen's standard error lines.
#include "run_report.h"

#include <ostream>

#include "kelvara/engine/color.h"
#include "kelvara/engine/generator.h"
#include "kelvara/engine/utf8.h"

namespace kelvara::cli {

void ReportFileError(std::ostream& err, std::string_view headline, std::string_view path,
                     std::string_view reason)
{
    err << "kelvara-gen: " << headline << ' ' << path << ": " << reason << '\n';
}

void ReportFileError(std::ostream& err, std::string_view headline, std::string_view path,
                     const std::error_code& reason)
{
    ReportFileError(err, headline, path, reason.message());
}

std::string RefusalMessage(TextRefusal refusal, const engine::TagOptions& options)
{
    switch (refusal) {
        case TextRefusal::NotUtf8:
            return "the text is not valid UTF-8";
        case TextRefusal::TooManyCharacters:
            return engine::ToUtf8(
                engine::CheckLength(options, engine::kMaxCharacters + 1).value_or(u""));
        case TextRefusal::TooLarge:
            return "the text is larger than 4 MiB";
        case TextRefusal::None:
            break;
    }
    return {};
}

std::string RefusalText(const engine::RunReport& report, const engine::OutputOptions& output,
                        const engine::TargetRow* target)
{
    if (report.fitNeeded && target != nullptr) {
        const char* unit =
            output.fitUnit == engine::LengthUnit::Utf16Units ? " UTF-16 units" : " characters";
        return "the output cannot fit in the " + std::to_string(output.fit.value_or(0)) + unit +
               " of " + std::string(target->name) + " even in one colour (at least " +
               std::to_string(*report.fitNeeded) + " needed); " +
               std::to_string(report.fitCharacters) + " characters of this text would fit";
    }
    if (report.fitNeeded) {
        return "the output cannot fit in " + std::to_string(output.fit.value_or(0)) +
               " characters (at least " + std::to_string(*report.fitNeeded) + " needed)";
    }
    return engine::ToUtf8(report.message);
}

void WriteNotes(const engine::RunReport& report, engine::OutputFormat format, std::ostream& err)
{
    for (const engine::OmittedOption option : report.notes) {
        err << "kelvara-gen: " << engine::NoteText(format, option) << '\n';
    }
    if (report.sizesKeptWithin) {
        err << "kelvara-gen: " << engine::SizeRangeNote(format, *report.sizesKeptWithin) << '\n';
    }
}

void WriteLowContrast(const engine::RunReport& report, std::ostream& err, std::size_t line)
{
    for (const engine::LowContrast& c : report.lowContrast) {
        if (line != 0) err << line << '\t';
        err << c.number << '\t' << engine::ToUtf8(c.character) << '\t'
            << engine::ToUtf8(engine::HtmlColor(c.color)) << '\t' << engine::FormatRatio(c.ratio)
            << ":1\n";
    }
}

}  // namespace kelvara::cli
