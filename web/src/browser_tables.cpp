// SPDX-License-Identifier: MIT
// The tables of formats, colour spaces and options, with the defaults and limits, as JSON.
#include "browser_tables.h"

#include "json_text.h"
#include "kelvara/engine/formats.h"
#include "kelvara/engine/generator.h"
#include "kelvara/engine/output_format.h"
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

std::string SpaceJson(const engine::ColorSpaceRow& row)
{
    return JsonObject().Text("name", row.name).Text("caption", row.caption).Close();
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
    // Provisional until kelvara-gen's defaults are reachable.
    const std::string defaults = JsonObject()
                                     .Text("first", "FF0000")
                                     .Text("middle", "00FF00")
                                     .Text("last", "0000FF")
                                     .Text("background", "FFFFFF")
                                     .Text("face", engine::kDefaultFace)
                                     .Number("baseSize", 3)
                                     .Number("px", picture::kDefaultPx)
                                     .Close();
    return JsonObject()
        .Text("version", KELVARA_VERSION)
        .Raw("formats", JsonArray(engine::kFormats, FormatJson))
        .Raw("options", "[]")
        .Raw("defaults", defaults)
        .Raw("spaces", JsonArray(engine::kColorSpaces, SpaceJson))
        .Raw("limits", limits)
        .Close();
}

}  // namespace kelvara::web
