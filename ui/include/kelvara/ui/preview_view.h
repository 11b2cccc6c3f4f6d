// SPDX-License-Identifier: MIT
// The view control WebBrowser1: shows the local preview page. A browser engine view or,
// in builds without one, a rich-text view; both behind this one operation.
#pragma once

#include <QString>
#include <QWidget>

namespace kelvara::ui {

class PreviewView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    // Loads the page file at path (asynchronously for a browser engine).
    virtual void Navigate(const QString& path) = 0;
};

// The view this build was made with.
PreviewView* CreatePreviewView(QWidget* parent);

}  // namespace kelvara::ui
