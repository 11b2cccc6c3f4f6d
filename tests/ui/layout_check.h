// SPDX-License-Identifier: MIT
// Which controls of a window its edge cuts: partly in the client area and partly outside it.
// A control wholly below the edge is simply out of view (the view window while it is closed).
#pragma once

#include <QMainWindow>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <algorithm>

namespace kelvara::ui::testing {

// The part of the window that shows controls: below the menu bar of a main window.
inline QRect ClientRect(const QWidget* window)
{
    QRect client = window->rect();
    const auto* main = qobject_cast<const QMainWindow*>(window);
    if (main != nullptr && main->menuWidget() != nullptr) {
        client.setTop(main->menuWidget()->geometry().bottom() + 1);
    }
    return client;
}

inline QRect RectIn(const QWidget* window, const QWidget* control)
{
    return {control->mapTo(window, QPoint(0, 0)), control->size()};
}

// Named controls (widgets without named widgets inside) shown in the window and cut by its edge.
inline QStringList CutControls(const QWidget* window)
{
    const QRect client = ClientRect(window);
    QStringList cut;
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        if (control->objectName().isEmpty() || control->isWindow() ||
            !control->isVisibleTo(window)) {
            continue;
        }
        const bool container = std::any_of(
            control->children().cbegin(), control->children().cend(), [](const QObject* child) {
                return child->isWidgetType() && !child->objectName().isEmpty();
            });
        if (container) continue;
        const QRect rect = RectIn(window, control);
        QRect shown = rect & client;
        for (const QWidget* frame = control->parentWidget(); frame != window;
             frame = frame->parentWidget()) {
            shown &= RectIn(window, frame);  // a frame clips what it holds
        }
        if (!shown.isEmpty() && shown != rect) cut << control->objectName();
    }
    return cut;
}

// True when the control lies wholly inside the client area.
inline bool WhollyShown(const QWidget* window, const QWidget* control)
{
    return ClientRect(window).contains(RectIn(window, control));
}

}  // namespace kelvara::ui::testing
