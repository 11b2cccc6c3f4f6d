// SPDX-License-Identifier: MIT
// The browser view module: Qt WebEngine showing only the local preview page, decoded as
// Shift-JIS because the page declares no character set. Loaded when the view is first
// needed, so that a start that never shows the view does not pay for the browser engine.
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

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

class WebView final : public QWidget {
    Q_OBJECT
public:
    explicit WebView(QWidget* parent) : QWidget(parent)
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

    ~WebView() override
    {
        // The page must go before its profile.
        delete m_view;
        delete m_page;
    }

    Q_INVOKABLE void Navigate(const QString& path)
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

// The module's one entry point. The view has a slot Navigate(QString).
extern "C" Q_DECL_EXPORT QWidget* KelvaraCreateWebView(QWidget* parent)
{
    return new WebView(parent);
}

#include "web_view_module.moc"
