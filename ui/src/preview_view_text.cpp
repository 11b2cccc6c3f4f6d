// WebBrowser1 as a rich-text view, for builds without a browser engine: the page bytes are
// decoded as Shift-JIS and shown as HTML as far as Qt's rich text goes.
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "kelvara/engine/shift_jis.h"
#include "kelvara/ui/platform.h"
#include "kelvara/ui/preview_view.h"

namespace kelvara::ui {

namespace {

class TextPreviewView final : public PreviewView {
public:
    explicit TextPreviewView(QWidget* parent) : PreviewView(parent)
    {
        m_browser = new QTextBrowser(this);
        // Links in the tags stay inert: the view shows the page and nothing else.
        m_browser->setOpenLinks(false);
        m_browser->setOpenExternalLinks(false);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_browser);
    }

    void Navigate(const QString& path) override
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return;
        }
        const QByteArray bytes = file.readAll();
        m_browser->setHtml(
            ToQString(engine::DecodeShiftJis(std::string_view(bytes.constData(), bytes.size()))));
    }

private:
    QTextBrowser* m_browser = nullptr;
};

}  // namespace

PreviewView* CreatePreviewView(QWidget* parent) { return new TextPreviewView(parent); }

}  // namespace kelvara::ui
