// SPDX-License-Identifier: MIT
// The tables of formats, colour spaces and options, with the defaults and limits, as JSON.
#include "browser_tables.h"

#include "cli_main.h"
#include "json_text.h"
#include "kelvara/engine/formats.h"
#include "kelvara/engine/generator.h"
#include "kelvara/engine/options.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/targets.h"
#include "kelvara/picture/picture_job.h"

#ifndef KELVARA_VERSION
#define KELVARA_VERSION "0.0.0"
#endif

namespace kelvara::web {
namespace {

std::string FormatJson(const engine::FormatRow& row)
{
    return JsonObject()
        .Text("name", row.name)
        .Text("caption", row.caption)
        .Text("note", row.helpNote)
        .Flag("window", engine::InWindow(row))
        .Flag("spans", row.preview == engine::Preview::AsSpans)
        .Flag("fits", row.fits)
        .Flag("oneGradient", row.oneGradient)
        .Flag("baseSize", row.baseSize)
        .Flag("htmlSizes", row.htmlSizes)
        .Flag("pixelSizes", row.pixelSizes)
        .Close();
}

// The flag names the option on kelvara-gen's command line; the label is the short name a front
// end shows, the caption what the option does (the window's toolbar tooltip).
std::string OptionJson(const engine::OptionRow& row)
{
    const engine::OptionRow* excluded =
        row.excludes != nullptr ? engine::OptionOf(row.excludes) : nullptr;
    return JsonObject()
        .Text("flag", row.flag)
        .Text("label", row.label)
        .Text("caption", row.caption)
        .Text("excludes", excluded != nullptr ? excluded->flag : std::string_view())
        .Close();
}

std::string SpaceJson(const engine::ColorSpaceRow& row)
{
    return JsonObject().Text("name", row.name).Text("caption", row.caption).Close();
}

// A limit of 0 is none; utf16 says the place counts UTF-16 code units, as JavaScript does.
std::string TargetJson(const engine::TargetRow& row)
{
    return JsonObject()
        .Text("name", row.name)
        .Text("caption", row.caption)
        .Text("format", engine::OutputFormatName(row.format))
        .Number("limit", static_cast<long long>(row.limit))
        .Flag("utf16", row.unit == engine::LengthUnit::Utf16Units)
        .Close();
}

}  // namespace

std::string TablesJson()
{
    const std::string limits = JsonObject()
                                   .Number("characters", engine::kMaxCharacters)
                                   .Number("stops", engine::kMaxStops)
                                   .Number("minPx", picture::kMinPx)
                                   .Number("maxPx", picture::kMaxPx)
                                   .Number("minScale", picture::kMinScale)
                                   .Number("maxScale", picture::kMaxScale)
                                   .Close();
    // What kelvara-gen starts from before its options apply.
    const settings::StoredSettings start = cli::DefaultSettings();
    const std::string defaults = JsonObject()
                                     .Text("first", start.txtCfor)
                                     .Text("middle", start.txtCmid)
                                     .Text("last", start.txtClat)
                                     .Text("background", start.txtBack)
                                     .Text("face", start.TagOptions.h_FontFace)
                                     .Number("baseSize", start.TagOptions.h_NFontSize)
                                     .Number("px", start.Output.Image.ImagePx)
                                     .Close();
    return JsonObject()
        .Text("version", KELVARA_VERSION)
        .Raw("formats", JsonArray(engine::kFormats, FormatJson))
        .Raw("options", JsonArray(engine::kOptions, OptionJson))
        .Raw("defaults", defaults)
        .Raw("spaces", JsonArray(engine::kColorSpaces, SpaceJson))
        .Raw("targets", JsonArray(engine::kTargets, TargetJson))
        .Raw("limits", limits)
        .Close();
}

}  // namespace kelvara::web
