// SPDX-License-Identifier: MIT
// WebBrowser1 as a rich-text view: the page bytes decoded as Shift-JIS and shown as HTML as
// far as Qt's rich text goes (no MARQUEE or BLINK).
#pragma once

#include "kelvara/ui/preview_view.h"

class QTextBrowser;

namespace kelvara::ui {

class TextPreviewView final : public PreviewView {
    Q_OBJECT
public:
    explicit TextPreviewView(QWidget* parent);
    void Navigate(const QString& path) override;

private:
    QTextBrowser* m_browser = nullptr;
};

}  // namespace kelvara::ui
