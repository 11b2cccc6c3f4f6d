// SPDX-License-Identifier: MIT
// The picture of a run as plain data for the picture module.
#include "kelvara/picture/picture_job.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "piece_cutter.h"

namespace kelvara::picture {
namespace {

// CSS pixels of HTML sizes 1 to 7.
constexpr std::array<int, 7> kHtmlPixels = {10, 13, 16, 18, 24, 32, 48};
constexpr double kNormalPixels = 16;  // HTML size 3

std::uint32_t Packed(const engine::Rgb& c)
{
    return (static_cast<std::uint32_t>(c.red) << 16U) |
           (static_cast<std::uint32_t>(c.green) << 8U) | static_cast<std::uint32_t>(c.blue);
}

std::int32_t PackedOrNone(const std::optional<engine::Rgb>& c)
{
    return c ? static_cast<std::int32_t>(Packed(*c)) : kKelvaraNoColor;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool EndsWith(std::string_view path, std::string_view suffix)
{
    return path.size() > suffix.size() &&
           std::equal(suffix.begin(), suffix.end(), path.end() - static_cast<long>(suffix.size()),
                      [](char a, char b) { return a == Lower(b); });
}

std::int32_t Flag(std::int16_t flag) { return engine::IsSet(flag) ? 1 : 0; }

}  // namespace

std::optional<PictureKind> KindOfFile(std::string_view path)
{
    if (EndsWith(path, ".png")) return PictureKind::Png;
    if (EndsWith(path, ".svg")) return PictureKind::Svg;
    return std::nullopt;
}

int PiecePixels(long long size, int fontflag, int px)
{
    double css = 0;
    if (fontflag == 3 || fontflag == 4) {
        css = static_cast<double>(std::max(1LL, size));
    } else {
        const long long html = std::clamp(size, 1LL, static_cast<long long>(kHtmlPixels.size()));
        css = kHtmlPixels[static_cast<std::size_t>(html - 1)];
    }
    return std::max(1, static_cast<int>(std::lround(css * px / kNormalPixels)));
}

std::vector<engine::OmittedOption> PictureOmissions(const engine::TagOptions& o)
{
    using enum engine::OmittedOption;
    // A picture draws the font's styles and vertical writing and centres each line; the rest
    // has no picture.
    constexpr engine::OptionSet kDrawn{Bold, Italic, Underline, Strike, Center, Vertical};
    return engine::OptionsLeftOut(o, kDrawn);
}

std::string PictureNote(engine::OmittedOption option)
{
    // The engine's note names the option first: "blinking is left out: the span format ...".
    const std::string note = engine::NoteText(engine::OutputFormat::Font, option);
    return note.substr(0, note.find(':')) + ": a picture cannot show it";
}

std::string TooLargeText(PictureSize size, PictureKind kind, const PictureOptions& look)
{
    const std::string limit = OverLimit(size) == SizeLimit::Area
                                  ? std::to_string(kMaxArea) + " pixels in all"
                                  : std::to_string(kMaxSide) + " pixels a side";
    std::vector<std::string> helps;
    helps.emplace_back(look.wrap ? "another --wrap" : "--wrap=N");
    if (look.px > kMinPx) helps.emplace_back("a smaller --px");
    if (kind == PictureKind::Png && look.scale > kMinScale) helps.emplace_back("a smaller --scale");
    helps.emplace_back("a shorter text");
    std::string help;
    for (std::size_t i = 0; i < helps.size(); ++i) {
        if (i > 0) help += i + 1 == helps.size() ? " or " : ", ";
        help += helps[i];
    }
    return "it would be " + std::to_string(size.width) + " x " + std::to_string(size.height) +
           " pixels, over the limit of " + limit +
           " that browsers, image viewers and posting sites open; " + help + " helps";
}

PictureJob::PictureJob(const engine::RunPlan& plan, const engine::TagOptions& options,
                       std::u16string_view text, const PictureOptions& picture, PictureKind kind)
    : m_face(options.h_FontFace), m_description(text)
{
    const bool vertical = engine::IsSet(options.h_styleflag);
    detail::PieceCutter cutter(plan, vertical, picture.wrap.has_value());
    m_texts = cutter.TakeTexts();
    for (const detail::CutPiece& p : cutter.Pieces()) {  // m_texts no longer moves
        const std::u16string& t = m_texts[p.text];
        m_pieces.push_back({t.data(), t.size(), Packed(p.run->color),
                            PiecePixels(p.run->size, options.h_fontflag, picture.px), p.flags});
    }
    for (const engine::Rgb& c : plan.gradient) m_gradient.push_back(Packed(c));

    KelvaraPictureRequest& r = m_request;
    r.abi = kKelvaraPictureAbi;
    r.kind = kind == PictureKind::Png ? KelvaraPng : KelvaraSvg;
    r.pieces = m_pieces.data();
    r.pieceCount = m_pieces.size();
    r.face = m_face.data();
    r.faceLength = m_face.size();
    r.description = m_description.data();
    r.descriptionLength = m_description.size();
    r.bold = Flag(options.h_BoldFlag);
    r.italic = Flag(options.h_ItalicFlag);
    r.underline = Flag(options.h_UnderFlag);
    r.strike = Flag(options.h_NotFlag);
    r.vertical = vertical ? 1 : 0;
    r.gradient = m_gradient.data();
    r.gradientCount = m_gradient.size();
    r.px = picture.px;
    r.scale = picture.scale;
    r.back = PackedOrNone(picture.back);
    r.outline = PackedOrNone(picture.outline);
    r.shadow = PackedOrNone(picture.shadow);
    r.wrap = picture.wrap.value_or(0);
    r.center = Flag(options.h_Centerflag);
}

}  // namespace kelvara::picture
