// SPDX-License-Identifier: MIT
// kelvara-gen --image: plans the run, has the picture module draw it, writes the file whole.
#include "image_output.h"

#include <ostream>
#include <system_error>

#include "cli_main.h"
#include "kelvara/engine/atomic_file.h"
#include "kelvara/picture/picture_job.h"
#include "kelvara/picture/picture_module.h"
#include "picture_run.h"
#include "run_report.h"

namespace kelvara::cli {

int WriteImage(const ImageRequest& request, const settings::StoredSettings& settings,
               const engine::OutputOptions& output, const engine::ColorSource& colors,
               std::ostream& err)
{
    const PlannedPicture planned = PlanPicture(request, settings, output, colors, err);
    if (planned.status != kExitOk) return planned.status;
    const picture::PictureOptions& look = planned.look;
    const std::string& path = *request.file;
    const picture::PictureKind kind = *picture::KindOfFile(path);
    const picture::PictureJob job(planned.plan, settings.TagOptions, settings.txtFor, look, kind);
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
