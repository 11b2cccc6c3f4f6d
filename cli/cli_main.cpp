// SPDX-License-Identifier: MIT
// kelvara-gen: settings, overrides, conversion and output. What reads or writes files is in
// cli_files.cpp, so the browser page can run the rest as it is.
#include "cli_main.h"

#include <iostream>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include "cli_files.h"
#include "cli_options.h"
#include "fd_output.h"
#include "image_output.h"
#include "input_reader.h"
#include "kelvara/engine/characters.h"
#include "kelvara/engine/generator.h"
#include "kelvara/engine/options.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/utf8.h"
#include "kelvara/settings/run_options.h"
#include "kelvara/settings/settings_file.h"
#include "line_batch.h"
#include "run_report.h"
#include "tag_stream.h"
#include "utf8_writer.h"

#ifndef KELVARA_VERSION
#define KELVARA_VERSION "0.0.0"
#endif

namespace kelvara::cli {

settings::StoredSettings DefaultSettings()
{
    settings::StoredSettings s;
    s.txtCfor = u"FF0000";
    s.txtCmid = u"00FF00";
    s.txtClat = u"0000FF";
    s.txtBack = u"FFFFFF";
    s.TagOptions.h_ColorCount = 2;
    s.TagOptions.h_NFontSize = settings::kDefaultNFontSize;
    s.TagOptions.h_FontFace = engine::kDefaultFace;
    return s;
}

namespace {

using engine::TagOptions;
using settings::StoredSettings;

// Applies the options given on the command line; false (with a message) for bad UTF-8.
bool ApplyOverrides(const CliRequest& r, StoredSettings& s, std::string& error)
{
    auto text = [&](const std::optional<std::string>& value, std::u16string& field,
                    const char* what) {
        if (!value) return true;
        auto converted = engine::FromUtf8(*value);
        if (!converted) {
            error = std::string(what) + " is not valid UTF-8";
            return false;
        }
        field = std::move(*converted);
        return true;
    };
    if (!text(r.first, s.txtCfor, "--first") || !text(r.middle, s.txtCmid, "--middle") ||
        !text(r.last, s.txtClat, "--last") || !text(r.background, s.txtBack, "--background") ||
        !text(r.face, s.TagOptions.h_FontFace, "--face")) {
        return false;
    }
    TagOptions& o = s.TagOptions;
    if (r.colors) o.h_ColorCount = *r.colors;
    if (r.fontMode) o.h_fontflag = *r.fontMode;
    if (r.baseSize) o.h_NFontSize = *r.baseSize;
    if (r.maxSize) o.h_MaxFontSize = *r.maxSize;
    if (r.minSize) o.h_MinFontSize = *r.minSize;
    for (const auto& [field, value] : r.flags) o.*field = value;
    return true;
}

settings::OutputOverrides OverridesOf(const CliRequest& r)
{
    return {r.format, r.space, r.stops, r.fit, r.contrast, r.target};
}

// The run's output options from the settings after the overrides.
engine::OutputOptions RunOutputOf(const CliRequest& r, const StoredSettings& s)
{
    // --contrast checks against its own colour, a settings file against its background.
    const std::u16string contrastBackground =
        r.contrast ? engine::ComposeColorText(r.contrast->red, r.contrast->green, r.contrast->blue)
                   : s.txtBack;
    const engine::OutputOptions output = settings::RunOptions(
        s.Output, s.TagOptions, {s.txtCfor, s.txtCmid, s.txtClat, contrastBackground});
    return r.preview ? engine::PreviewOptions(output) : output;
}

// Everything written to standard output is flushed; a write that failed is an error.
int Finish(std::ostream& out, std::ostream& err)
{
    out.flush();
    if (!out.fail()) return kExitOk;
    err << "kelvara-gen: cannot write to standard output: " << WriteFailureReason(out) << '\n';
    return kExitFailed;
}

// The settings file asked for, then the options of the command line over it.
Outcome LoadAndOverride(const CliRequest& r, StoredSettings& s, std::ostream& err)
{
    if (r.settingsFile) {
        if (const Outcome failed = LoadSettingsFile(*r.settingsFile, s, err)) return failed;
    }
    std::string error;
    if (!ApplyOverrides(r, s, error)) {
        err << "kelvara-gen: " << error << '\n';
        return kExitFailed;
    }
    settings::ApplyOverrides(s, OverridesOf(r));
    if (r.fit && !engine::FormatSupportsFit(s.Output.Format)) {
        err << "kelvara-gen: --fit does not work with the format "
            << engine::OutputFormatName(s.Output.Format) << " of the settings file"
            << "\nkelvara-gen: try 'kelvara-gen --help' for the options\n";
        return kExitUsage;
    }
    return std::nullopt;
}

// --lines: each line of TEXT, or of standard input, is a text of its own.
int ConvertEveryLine(const CliRequest& r, const StoredSettings& s, std::istream& in,
                     std::ostream& out, std::ostream& err)
{
    std::istringstream textLines(r.text && *r.text != "-" ? *r.text : std::string());
    std::istream& lines = r.text && *r.text != "-" ? textLines : in;
    const engine::FixedColors colors(s.txtCfor, s.txtCmid, s.txtClat);
    const bool converted =
        ConvertLines(s.TagOptions, RunOutputOf(r, s), colors, lines, out, err, s.Output.Target);
    const int status = Finish(out, err);
    return status == kExitOk && !converted ? kExitFailed : status;
}

// The text to convert or store, when there is one: TEXT, or standard input for a conversion
// without TEXT (and without a settings text) or when TEXT is "-".
Outcome TakeText(const CliRequest& r, bool convert, std::istream& in, StoredSettings& s,
                 std::ostream& err)
{
    const bool fromStdin = r.text ? *r.text == "-" : (convert && !r.settingsFile);
    if (!r.text && !fromStdin) return std::nullopt;
    // Only a text to convert has a limit on its characters; one that is only stored keeps
    // what the settings file can hold.
    TextInput input = fromStdin ? ReadText(in, convert) : CheckText(*r.text, convert);
    if (input.refusal != TextRefusal::None) {
        err << "kelvara-gen: " << RefusalMessage(input.refusal, s.TagOptions) << '\n';
        return kExitFailed;
    }
    s.txtFor = std::move(input.text);
    return std::nullopt;
}

// The one text converted: as a picture, or as text on standard output (and in the page).
int Convert(const CliRequest& r, const StoredSettings& s, std::ostream& out, std::ostream& err)
{
    const engine::FixedColors colors(s.txtCfor, s.txtCmid, s.txtClat);
    const engine::OutputOptions output = RunOutputOf(r, s);
    if (r.image.file) {
        return WriteImage(r.image, s, output, colors, err);
    }
    const engine::CharacterText characters(s.txtFor);
    engine::FormattedRun run(s.TagOptions, output, characters, colors);
    if (run.Refused()) {
        err << "kelvara-gen: " << RefusalText(run.Report(), output, s.Output.Target) << '\n';
        return kExitFailed;
    }
    WriteNotes(run.Report(), output.format, err);
    Utf8Writer writer(out);
    if (!r.pageFile) {
        // The result goes out as it is made.
        Utf8StreamSink sink(writer);
        run.Write(sink, nullptr);
        sink.Flush();
    } else {
        engine::StringSink result;
        run.Write(result, nullptr);
        if (const Outcome failed = WritePage(*r.pageFile, s, result.Text(), err)) return *failed;
        writer.Write(result.Text());
    }
    writer.WriteBytes("\n");
    writer.Flush();
    WriteLowContrast(run.Report(), err);
    return Finish(out, err);
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err)
{
    const ParseOutcome parsed = ParseCommandLine(args);
    if (!parsed.request) {
        err << "kelvara-gen: " << parsed.error
            << "\nkelvara-gen: try 'kelvara-gen --help' for the options\n";
        return kExitUsage;
    }
    const CliRequest& r = *parsed.request;
    if (r.help) {
        out << Usage();
        return Finish(out, err);
    }
    if (r.version) {
        out << "kelvara-gen " << KELVARA_VERSION << '\n';
        return Finish(out, err);
    }
    if (r.listTargets) {
        out << TargetList();
        return Finish(out, err);
    }
    StoredSettings s = DefaultSettings();
    if (const Outcome failed = LoadAndOverride(r, s, err)) return *failed;
    const bool convert = !r.printSettings && !r.saveSettingsFile;
    if (r.lines && convert) return ConvertEveryLine(r, s, in, out, err);
    if (const Outcome failed = TakeText(r, convert, in, s, err)) return *failed;
    if (const Outcome failed = StoreSettings(r, s, out, err)) return *failed;
    if (!convert) return Finish(out, err);
    return Convert(r, s, out, err);
}

}  // namespace kelvara::cli
