// SPDX-License-Identifier: MIT
// TextPreviewView: the preview page in a QTextBrowser.
#include "text_preview_view.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "kelvara/engine/shift_jis.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {

TextPreviewView::TextPreviewView(QWidget* parent) : PreviewView(parent)
{
    m_browser = new QTextBrowser(this);
    // Links in the tags stay inert: the view shows the page and nothing else.
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
}

void TextPreviewView::Navigate(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QByteArray bytes = file.readAll();
    m_browser->setHtml(ToQString(engine::DecodeShiftJis(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))));
}

}  // namespace kelvara::ui
