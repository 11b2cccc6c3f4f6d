// WebBrowser1 as a browser engine view: Qt WebEngine showing only the local preview page,
// decoded as Shift-JIS because the page declares no character set.
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "kelvara/ui/preview_view.h"

namespace kelvara::ui {

namespace {

// Navigation goes to the page the program wrote and nowhere else: links in the tags stay
// inert.
class PreviewPage final : public QWebEnginePage {
public:
    PreviewPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {}

    void Allow(const QUrl& page) { m_page = page; }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override
    {
        return url.isLocalFile() && url == m_page;
    }

private:
    QUrl m_page;
};

class WebPreviewView final : public PreviewView {
public:
    explicit WebPreviewView(QWidget* parent) : PreviewView(parent)
    {
        // Off the record: nothing of the preview is kept on disk.
        auto* profile = new QWebEngineProfile(this);
        m_page = new PreviewPage(profile, this);
        QWebEngineSettings* settings = m_page->settings();
        settings->setDefaultTextEncoding(QStringLiteral("Shift_JIS"));
        settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);

        m_view = new QWebEngineView(this);
        m_view->setPage(m_page);
        m_view->setContextMenuPolicy(Qt::NoContextMenu);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view);
    }

    ~WebPreviewView() override
    {
        // The page must go before its profile.
        delete m_view;
        delete m_page;
    }

    void Navigate(const QString& path) override
    {
        const QUrl url = QUrl::fromLocalFile(path);
        m_page->Allow(url);
        m_view->load(url);
    }

private:
    PreviewPage* m_page = nullptr;
    QWebEngineView* m_view = nullptr;
};

}  // namespace

PreviewView* CreatePreviewView(QWidget* parent) { return new WebPreviewView(parent); }

}  // namespace kelvara::ui
