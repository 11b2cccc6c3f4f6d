// SPDX-License-Identifier: MIT
// temp.html: the one-line preview page the view shows, written in Shift-JIS.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace kelvara::engine {

// Whoever shows the page (the main window's view) implements this.
class PageView {
public:
    virtual ~PageView() = default;
    virtual void Navigate(const std::filesystem::path& page) = 0;
};

enum class PageForm { Normal, Cleared };

inline constexpr std::string_view kPreviewPageName = "temp.html";

// The bytes of the page: the BODY line ended by CR LF, characters Shift-JIS cannot hold
// written as numeric character references.
std::string PreviewPageBytes(std::u16string_view background, std::u16string_view tags,
                             PageForm form);

// Writes folder/temp.html (replacing it whole, never half-written) and then tells the view
// to load it. On failure returns the system's reason; the previous page stays and the view is
// not told.
std::error_code WritePreviewPage(const std::filesystem::path& folder,
                                 std::u16string_view background, std::u16string_view tags,
                                 PageForm form, PageView* view);

}  // namespace kelvara::engine
