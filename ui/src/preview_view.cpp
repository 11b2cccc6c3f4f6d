// SPDX-License-Identifier: MIT
// Chooses the view WebBrowser1 is made of: the browser engine module when this build has one
// and it loads, the rich-text view otherwise.
#include "kelvara/ui/preview_view.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <QVBoxLayout>

#include "kelvara/ui/accessibility.h"
#include "text_preview_view.h"

namespace kelvara::ui {

namespace {

#ifdef KELVARA_VIEW_MODULE
// The module's widget, reached through its Navigate slot.
class ModulePreviewView final : public PreviewView {
public:
    using Factory = QWidget* (*)(QWidget*);

    ModulePreviewView(Factory create, QWidget* parent) : PreviewView(parent)
    {
        m_view = create(this);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view);
    }

    void Navigate(const QString& path) override
    {
        QMetaObject::invokeMethod(m_view, "Navigate", Qt::DirectConnection, Q_ARG(QString, path));
    }

private:
    QWidget* m_view = nullptr;
};

ModulePreviewView::Factory LoadBrowserModule()
{
    // Installed and built alike, the module lies at a fixed place relative to the program.
    const QString path =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(KELVARA_VIEW_MODULE));
    QLibrary module(path);
    auto create =
        reinterpret_cast<ModulePreviewView::Factory>(module.resolve("KelvaraCreateWebView"));
    if (create == nullptr) {
        qWarning("Kelvara: browser view unavailable (%s); using the text view",
                 qPrintable(module.errorString()));
    }
    return create;  // the library stays loaded: QLibrary does not unload on destruction
}
#endif

}  // namespace

PreviewView* CreatePreviewView(QWidget* parent)
{
#ifdef KELVARA_VIEW_MODULE
    static const ModulePreviewView::Factory create = LoadBrowserModule();
    if (create != nullptr) {
        auto* view = new ModulePreviewView(create, parent);
        DescribePreview(view);
        return view;
    }
#endif
    auto* view = new TextPreviewView(parent);
    DescribePreview(view);
    return view;
}

}  // namespace kelvara::ui
