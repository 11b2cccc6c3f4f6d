// SPDX-License-Identifier: MIT
// A picture laid out, measured against the limits, and only then drawn.
#include "kelvara/picture/picture_renderer.h"

#include <new>

#include "picture_draw.h"
#include "picture_layout.h"

namespace kelvara::picture {

RenderedPicture RenderPicture(const KelvaraPictureRequest& r)
{
    const detail::PictureLayout layout = detail::LayOut(r);
    RenderedPicture out;
    out.size = detail::DeviceSize(r, layout);
    if (out.TooLarge()) return out;
    try {
        if (r.kind == KelvaraSvg) {
            out.bytes = detail::SvgBytes(r, layout);
        } else {
            out.bytes = detail::PngBytes(detail::DrawImage(r, layout),
                                         detail::TextOf(r.description, r.descriptionLength));
        }
    } catch (const std::bad_alloc&) {  // a picture within the limits, but not this machine's
        out.bytes.clear();
    }
    return out;
}

}  // namespace kelvara::picture
