// SPDX-License-Identifier: MIT
// Planning kelvara-gen's picture: the run, its notes and its look.
#include "picture_run.h"

#include <ostream>

#include "cli_main.h"
#include "run_report.h"

namespace kelvara::cli {
namespace {

std::optional<engine::Rgb> ColorOrNone(const std::u16string& text)
{
    if (text.empty()) return std::nullopt;
    return engine::ReadColorText(text);
}

}  // namespace

PlannedPicture PlanPicture(const ImageRequest& request, const settings::StoredSettings& settings,
                           const engine::OutputOptions& output, const engine::ColorSource& colors,
                           std::ostream& err)
{
    const engine::TagOptions& options = settings.TagOptions;
    const settings::ImageSettings& stored = settings.Output.Image;
    PlannedPicture out;
    out.plan = engine::PlanRun(options, output, settings.txtFor, colors);
    if (out.plan.refused) {
        err << "kelvara-gen: " << RefusalText(out.plan.report, output) << '\n';
        out.status = kExitFailed;
        return out;
    }
    for (const engine::OmittedOption option : picture::PictureOmissions(options)) {
        err << "kelvara-gen: " << picture::PictureNote(option) << '\n';
    }
    picture::PictureOptions& look = out.look;
    look.px = request.px.value_or(stored.ImagePx);
    look.scale = request.scale.value_or(1);
    look.back = request.back;
    if (!look.back && engine::IsSet(stored.ImageBack)) {
        look.back = engine::ReadColorText(settings.txtBack);
    }
    look.outline = request.outline ? request.outline : ColorOrNone(stored.Outline);
    look.shadow = request.shadow ? request.shadow : ColorOrNone(stored.Shadow);
    look.wrap = request.wrap;
    if (!look.wrap && stored.ImageWrap) look.wrap = *stored.ImageWrap;
    return out;
}

}  // namespace kelvara::cli
