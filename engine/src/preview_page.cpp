// The preview page temp.html: its one BODY line, and writing it whole before the view loads it.
#include "kelvara/engine/preview_page.h"

#include <fstream>
#include <random>
#include <system_error>

#include "kelvara/engine/shift_jis.h"

namespace kelvara::engine {
namespace {

std::string Describe(const std::filesystem::path& page, const std::string& reason)
{
    // UTF-8 whatever the platform's own path encoding, for the message box to show.
    const std::u8string path = page.u8string();
    return "プレビューページを書き込めませんでした。\n" +
           std::string(reinterpret_cast<const char*>(path.data()), path.size()) + "\n" + reason;
}

// A name beside the page that no other writer picks at the same moment.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target)
{
    std::random_device device;
    std::filesystem::path temporary = target;
    temporary += ".tmp" + std::to_string(device());
    return temporary;
}

}  // namespace

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

std::optional<std::string> WritePreviewPage(const std::filesystem::path& folder,
                                            std::u16string_view background,
                                            std::u16string_view tags, PageForm form, PageView* view)
{
    const std::filesystem::path page = folder / kPreviewPageName;
    const std::string bytes = PreviewPageBytes(background, tags, form);

    // The old page stays until the new one is complete: a failed write never leaves the view
    // a half-written file.
    const std::filesystem::path temporary = TemporaryBeside(page);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return Describe(page, "一時ファイルを作成できません。");
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return Describe(page, "書き込みに失敗しました。");
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, page, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return Describe(page, error.message());
    }

    if (view != nullptr) {
        view->Navigate(page);
    }
    return std::nullopt;
}

}  // namespace kelvara::engine
