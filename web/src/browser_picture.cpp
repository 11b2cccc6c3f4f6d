// SPDX-License-Identifier: MIT
// kelvara-gen --image in the page: the same plan, notes and look as the file writer, handed
// over as JSON (the pieces with their text, colour and pixel size, the style and the look)
// for the page to draw on a canvas by the desktop renderer's rules.
#include "browser_picture.h"

#include <span>
#include <string_view>
#include <utility>

#include "cli_main.h"
#include "image_output.h"
#include "json_text.h"
#include "picture_run.h"

namespace kelvara::web {
namespace {

std::string& Held()
{
    static std::string picture;
    return picture;
}

// The look of the last picture planned, for the message on one too large to draw.
picture::PictureOptions& HeldLook()
{
    static picture::PictureOptions look;
    return look;
}

std::string PieceJson(const KelvaraPicturePiece& piece)
{
    return "[" + JsonString(std::u16string_view(piece.text, piece.length)) + "," +
           std::to_string(piece.color) + "," + std::to_string(piece.pixels) + "," +
           std::to_string(piece.flags) + "]";
}

std::string RequestJson(const KelvaraPictureRequest& r)
{
    const std::span<const KelvaraPicturePiece> pieces(r.pieces, r.pieceCount);
    const std::span<const std::uint32_t> gradient(r.gradient, r.gradientCount);
    return JsonObject()
        .Raw("pieces", JsonArray(pieces, PieceJson))
        .Text("face", std::u16string_view(r.face, r.faceLength))
        .Text("description", std::u16string_view(r.description, r.descriptionLength))
        .Flag("bold", r.bold == 1)
        .Flag("italic", r.italic == 1)
        .Flag("underline", r.underline == 1)
        .Flag("strike", r.strike == 1)
        .Flag("vertical", r.vertical == 1)
        .Raw("gradient", JsonArray(gradient, [](std::uint32_t c) { return std::to_string(c); }))
        .Number("px", r.px)
        .Number("scale", r.scale)
        .Number("back", r.back)
        .Number("outline", r.outline)
        .Number("shadow", r.shadow)
        .Flag("center", r.center == 1)
        .Number("wrap", r.wrap)
        .Close();
}

}  // namespace

std::string TakePicture() { return std::exchange(Held(), std::string()); }

std::string TooLargeMessage(std::int64_t width, std::int64_t height)
{
    const picture::PictureSize size{width, height};
    if (picture::OverLimit(size) == picture::SizeLimit::None) return {};
    return "kelvara-gen: cannot draw picture: " +
           picture::TooLargeText(size, picture::PictureKind::Png, HeldLook());
}

}  // namespace kelvara::web

namespace kelvara::cli {

// In the page the picture is not written to request.file: the page draws it.
int WriteImage(const ImageRequest& request, const settings::StoredSettings& settings,
               const engine::OutputOptions& output, const engine::ColorSource& colors,
               std::ostream& err)
{
    const PlannedPicture planned = PlanPicture(request, settings, output, colors, err);
    if (planned.status != kExitOk) return planned.status;
    const picture::PictureJob job(planned.plan, settings.TagOptions, settings.txtFor, planned.look,
                                  picture::PictureKind::Png);
    web::Held() = web::RequestJson(job.Request());
    web::HeldLook() = planned.look;
    return kExitOk;
}

}  // namespace kelvara::cli
