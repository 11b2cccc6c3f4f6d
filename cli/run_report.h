// SPDX-License-Identifier: MIT
// What kelvara-gen tells about a run besides its output: the refusal, the notes on options a
// format leaves out, the contrast report; and the messages on files.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <system_error>

#include "cli_options.h"
#include "input_reader.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/targets.h"

namespace kelvara::cli {

// Every message on a file a run reads or writes: "kelvara-gen: HEADLINE PATH: REASON".
void ReportFileError(std::ostream& err, std::string_view headline, std::string_view path,
                     std::string_view reason);
void ReportFileError(std::ostream& err, std::string_view headline, std::string_view path,
                     const std::error_code& reason);

// Why a text was refused as it was read, without the program prefix.
std::string RefusalMessage(TextRefusal refusal, const engine::TagOptions& options);

// Why a refused run was refused, without the program prefix. With a target, a limit the output
// cannot meet is named as the target's, with the characters of the text that would fit.
std::string RefusalText(const engine::RunReport& report, const engine::OutputOptions& output,
                        const engine::TargetRow* target = nullptr);

// One line per option the format leaves out, and one when sizes were kept to those the format
// shows, each with the program prefix.
void WriteNotes(const engine::RunReport& report, engine::OutputFormat format, std::ostream& err);

// "N<TAB>CHAR<TAB>#RRGGBB<TAB>R.RR:1" per character below the contrast minimum; with a line
// number (of --lines) each report line starts with that number and a tab.
void WriteLowContrast(const engine::RunReport& report, std::ostream& err, std::size_t line = 0);

}  // namespace kelvara::cli
