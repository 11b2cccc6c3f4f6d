// SPDX-License-Identifier: MIT
// kelvara-gen's steps that read or write files: the settings file loaded, saved or printed,
// and the preview page written.
#include "cli_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <ostream>
#include <system_error>
#include <vector>

#include "cli_main.h"
#include "kelvara/engine/atomic_file.h"
#include "kelvara/engine/options.h"
#include "kelvara/engine/preview_page.h"
#include "kelvara/engine/utf8.h"
#include "run_report.h"

namespace kelvara::cli {
namespace {

using engine::TagOptions;
using settings::StoredSettings;

// The numbers as --print-settings names them, by their fields' names.
struct NamedNumber {
    std::string_view name;
    engine::OptionField field;
};

constexpr NamedNumber kOwnNumbers[] = {
    {"h_textflag", &TagOptions::h_textflag},       {"h_fontflag", &TagOptions::h_fontflag},
    {"h_instantflag", &TagOptions::h_instantflag}, {"h_ColorCount", &TagOptions::h_ColorCount},
    {"h_MaxFontSize", &TagOptions::h_MaxFontSize}, {"h_MinFontSize", &TagOptions::h_MinFontSize},
};

// In the order Lum.ini has them: that of the fields.
std::vector<NamedNumber> PrintedNumbers()
{
    return engine::WithOptionsInFieldOrder<NamedNumber>(
        kOwnNumbers, [](const engine::OptionRow& row) {
            return NamedNumber{row.fieldName, row.field};
        });
}

void PrintSettings(const StoredSettings& s, std::ostream& out)
{
    auto text = [&](const char* name, std::u16string_view value) {
        out << name << '=' << engine::ToUtf8(value) << '\n';
    };
    auto number = [&](std::string_view name, std::int16_t value) {
        out << name << '=' << value << '\n';
    };
    const TagOptions& o = s.TagOptions;
    text("txtFor", s.txtFor);
    for (std::size_t i = 0; i < s.SavedColors.size(); ++i) {
        out << "SavedColors(" << i << ")=" << engine::ToUtf8(s.SavedColors[i]) << '\n';
    }
    for (const NamedNumber& entry : PrintedNumbers()) number(entry.name, o.*entry.field);
    text("txtCfor", s.txtCfor);
    text("txtClat", s.txtClat);
    text("txtCmid", s.txtCmid);
    text("txtBack", s.txtBack);
    number("h_NFontSize", o.h_NFontSize);
    text("h_FontFace", o.h_FontFace);
    // Section Output, with the names and the stop list as the file holds them.
    const settings::OutputSettings& output = s.Output;
    out << "Format=" << engine::OutputFormatName(output.Format) << '\n';
    out << "Space=" << engine::ColorSpaceName(output.Space) << '\n';
    text("Stops", settings::JoinStops(output.ExtraStops));
    out << "Fit=";
    if (output.Fit) out << *output.Fit;
    out << '\n';
    number("Contrast", output.Contrast);
    if (output.Target != nullptr) out << "Target=" << output.Target->name << '\n';
}

// Writes the page where it is asked for (also a pipe or a terminal); the system's reason
// when that fails.
std::error_code WritePageFile(const std::string& path, std::string_view bytes)
{
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return {errno, std::system_category()};
    }
    std::error_code error = engine::WriteAll(descriptor, bytes);
    if (::close(descriptor) != 0 && !error) error.assign(errno, std::system_category());
    return error;
}

}  // namespace

Outcome LoadSettingsFile(const std::string& path, StoredSettings& s, std::ostream& err)
{
    // Unlike the window's first start, a settings file asked for by name must be there.
    std::error_code reason;
    if (!std::filesystem::exists(path, reason) && !reason) {
        reason = std::make_error_code(std::errc::no_such_file_or_directory);
    }
    if (!reason) {
        engine::FileRead<StoredSettings> loaded = settings::LoadSettings(path);
        s = std::move(loaded.value);
        reason = loaded.error;
    }
    if (reason) {
        ReportFileError(err, "cannot read settings file", path, reason);
        return kExitFailed;
    }
    return std::nullopt;
}

// --save-settings and --print-settings.
Outcome StoreSettings(const CliRequest& r, const StoredSettings& s, std::ostream& out,
                      std::ostream& err)
{
    if (r.saveSettingsFile) {
        if (const std::error_code reason = settings::SaveSettings(s, *r.saveSettingsFile)) {
            ReportFileError(err, "cannot write settings file", *r.saveSettingsFile, reason);
            return kExitFailed;
        }
    }
    if (r.printSettings) PrintSettings(s, out);
    return std::nullopt;
}

Outcome WritePage(const std::string& path, const StoredSettings& s, std::u16string_view result,
                  std::ostream& err)
{
    const std::string page = engine::PreviewPageBytes(s.txtBack, result, engine::PageForm::Normal);
    if (const std::error_code reason = WritePageFile(path, page)) {
        ReportFileError(err, "cannot write page", path, reason);
        return kExitFailed;
    }
    return std::nullopt;
}

}  // namespace kelvara::cli
