// SPDX-License-Identifier: MIT
// kelvara-gen --image: plans the run, has the picture module draw it, writes the file whole.
#include "image_output.h"

#include <ostream>
#include <system_error>

#include "cli_main.h"
#include "kelvara/engine/atomic_file.h"
#include "kelvara/engine/run_plan.h"
#include "kelvara/picture/picture_job.h"
#include "kelvara/picture/picture_module.h"
#include "run_report.h"

namespace kelvara::cli {

namespace {

std::optional<engine::Rgb> ColorOrNone(const std::u16string& text)
{
    if (text.empty()) return std::nullopt;
    return engine::ReadColorText(text);
}

}  // namespace

int WriteImage(const ImageRequest& request, const settings::StoredSettings& settings,
               const engine::OutputOptions& output, const engine::ColorSource& colors,
               std::ostream& err)
{
    const engine::TagOptions& options = settings.TagOptions;
    const std::u16string& text = settings.txtFor;
    const settings::ImageSettings& stored = settings.Output.Image;
    const engine::RunPlan plan = engine::PlanRun(options, output, text, colors);
    if (plan.refused) {
        err << "kelvara-gen: " << RefusalText(plan.report, output) << '\n';
        return kExitFailed;
    }
    for (const engine::OmittedOption option : picture::PictureOmissions(options)) {
        err << "kelvara-gen: " << picture::PictureNote(option) << '\n';
    }
    picture::PictureOptions look;
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
    const std::string& path = *request.file;
    const picture::PictureKind kind = *picture::KindOfFile(path);
    const picture::PictureJob job(plan, options, text, look, kind);
    const picture::PictureBytes picture = picture::RenderWithModule(job.Request());
    if (picture.tooLarge) {
        err << "kelvara-gen: cannot draw picture " << path << ": "
            << picture::TooLargeText(picture.size, kind, look) << '\n';
        return kExitFailed;
    }
    if (!picture.error.empty()) {
        ReportFileError(err, "cannot draw picture", path, picture.error);
        return kExitFailed;
    }
    if (const std::error_code reason = engine::WriteFileAtomically(path, picture.bytes)) {
        ReportFileError(err, "cannot write picture", path, reason);
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace kelvara::cli
