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

int WriteImage(const ImageRequest& request, const engine::TagOptions& options,
               const engine::OutputOptions& output, std::u16string_view text,
               const engine::ColorSource& colors, std::ostream& err)
{
    const engine::RunPlan plan = engine::PlanRun(options, output, text, colors);
    if (plan.refused) {
        err << "kelvara-gen: " << RefusalText(plan.report, output) << '\n';
        return kExitFailed;
    }
    for (const engine::OmittedOption option : picture::PictureOmissions(options)) {
        err << "kelvara-gen: " << picture::PictureNote(option) << '\n';
    }
    picture::PictureOptions look;
    look.px = request.px.value_or(picture::kDefaultPx);
    look.scale = request.scale.value_or(1);
    look.back = request.back;
    look.outline = request.outline;
    look.shadow = request.shadow;
    const std::string& path = *request.file;
    const picture::PictureJob job(plan, options, text, look, *picture::KindOfFile(path));
    const picture::PictureBytes picture = picture::RenderWithModule(job.Request());
    if (!picture.error.empty()) {
        err << "kelvara-gen: cannot draw picture " << path << ": " << picture.error << '\n';
        return kExitFailed;
    }
    if (const std::error_code reason = engine::WriteFileAtomically(path, picture.bytes)) {
        err << "kelvara-gen: cannot write picture " << path << ": " << reason.message() << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace kelvara::cli
