// SPDX-License-Identifier: MIT
// The preview page temp.html: its one BODY line, and writing it whole before the view loads it.
#include "kelvara/engine/preview_page.h"

#include "kelvara/engine/atomic_file.h"
#include "kelvara/engine/shift_jis.h"

namespace kelvara::engine {

std::string PreviewPageBytes(std::u16string_view background, std::u16string_view tags,
                             PageForm form)
{
    std::u16string line = u"<BODY BGCOLOR=\"#";
    line.append(background);
    line.append(u"\"");
    if (form == PageForm::Cleared) {
        line.append(u">");
    } else {
        line.append(u" > ");
        line.append(tags);
    }
    // References instead of "?" so the page shows the very characters the clipboard gets.
    std::string bytes = EncodeShiftJis(line, Unmappable::CharacterReference);
    bytes.append("\r\n");
    return bytes;
}

std::error_code WritePreviewPage(const std::filesystem::path& folder,
                                 std::u16string_view background, std::u16string_view tags,
                                 PageForm form, PageView* view)
{
    const std::filesystem::path page = folder / kPreviewPageName;
    // The old page stays until the new one is complete: the view never loads half a page.
    if (const std::error_code error =
            WriteFileAtomically(page, PreviewPageBytes(background, tags, form))) {
        return error;
    }
    if (view != nullptr) {
        view->Navigate(page);
    }
    return {};
}

}  // namespace kelvara::engine
