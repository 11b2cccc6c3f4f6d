// SPDX-License-Identifier: MIT
// Installs Qt's Japanese translation from Qt's own translations folder, and Japanese for the
// browser view's context menu, which Qt's translations for this system do not include.
#include "kelvara/ui/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstring>
#include <string_view>

namespace kelvara::ui {
namespace {

struct Entry {
    std::string_view source;
    const char16_t* japanese;
};

// Every action of the browser view's page (back, copy, view page source, ...), looked up
// under the two contexts the browser engine asks for them in.
constexpr Entry kBrowserActions[] = {
    {"Back", u"戻る"},
    {"Forward", u"進む"},
    {"Stop", u"中止"},
    {"Reload", u"再読み込み"},
    {"Cut", u"切り取り"},
    {"Copy", u"コピー"},
    {"Paste", u"貼り付け"},
    {"Undo", u"元に戻す"},
    {"Redo", u"やり直す"},
    {"Select all", u"すべてを選択"},
    {"Reload and Bypass Cache", u"キャッシュを使わずに再読み込み"},
    {"Paste and match style", u"スタイルを合わせて貼り付け"},
    {"Open link in this window", u"このウィンドウでリンクを開く"},
    {"Open link in new window", u"新しいウィンドウでリンクを開く"},
    {"Open link in new tab", u"新しいタブでリンクを開く"},
    {"Open link in new background tab", u"新しいバックグラウンドタブでリンクを開く"},
    {"Copy link address", u"リンクのアドレスをコピー"},
    {"Save link", u"リンク先を保存"},
    {"Copy image", u"画像をコピー"},
    {"Copy image address", u"画像のアドレスをコピー"},
    {"Save image", u"画像を保存"},
    {"Copy media address", u"メディアのアドレスをコピー"},
    {"Show controls", u"コントロールを表示"},
    {"Loop", u"ループ再生"},
    {"Toggle Play/Pause", u"再生/一時停止"},
    {"Toggle Mute", u"ミュート/ミュート解除"},
    {"Save media", u"メディアを保存"},
    {"Inspect", u"検証"},
    {"Exit full screen", u"全画面表示を終了"},
    {"Close Page", u"ページを閉じる"},
    {"Unselect", u"選択を解除"},
    {"Save page", u"ページを保存"},
    {"View page source", u"ページのソースを表示"},
    {"&Bold", u"太字(&B)"},
    {"&Italic", u"斜体(&I)"},
    {"&Underline", u"下線(&U)"},
    {"&Strikethrough", u"取り消し線(&S)"},
    {"Align &Left", u"左揃え(&L)"},
    {"Align &Center", u"中央揃え(&C)"},
    {"Align &Right", u"右揃え(&R)"},
    {"Align &Justified", u"両端揃え(&J)"},
    {"&Indent", u"インデント(&I)"},
    {"&Outdent", u"インデント解除(&O)"},
    {"Insert &Ordered List", u"番号付きリストを挿入(&O)"},
    {"Insert &Unordered List", u"箇条書きリストを挿入(&U)"},
};

class BrowserViewTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        if (!context || !sourceText) return {};
        if (std::strcmp(context, "RenderViewContextMenuQt") != 0 &&
            std::strcmp(context, "QWebEnginePage") != 0) {
            return {};
        }
        for (const Entry& entry : kBrowserActions) {
            if (entry.source == sourceText) return QString::fromUtf16(entry.japanese);
        }
        return {};
    }

    bool isEmpty() const override { return false; }
};

}  // namespace

bool InstallQtTranslation(QCoreApplication& application)
{
    QCoreApplication::installTranslator(new BrowserViewTranslator(&application));
    // Owned by the application, so it lives as long as the strings are looked up.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace kelvara::ui
