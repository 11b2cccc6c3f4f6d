// SPDX-License-Identifier: MIT
// Small helpers shared by the windows' tests: reaching controls, deferred deletion, activation,
// and what every secondary window does on loading (topmost) and while open (holding the main
// window or not).
#pragma once

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <type_traits>

#include "kelvara/ui/forms.h"
#include "kelvara/ui/main_window.h"

namespace kelvara::ui::testing {

// The control of that name in the window; a missing control ends the test program.
template <typename Control>
Control* Find(QWidget* window, const QString& name)
{
    auto* control = window->findChild<Control*>(name);
    if (!control) qFatal("no control %s", qPrintable(name));
    return control;
}

// Windows closed with WA_DeleteOnClose are deleted here, so "not loaded" can be checked.
inline void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Makes the window the active one, as a click on its title bar would; false when it does not
// become active.
inline bool Activate(QWidget* window)
{
    window->activateWindow();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

// The settings dialog's page frame whose controls are seen at a point of the dialog.
inline QWidget* PageAt(QWidget* dialog, QPoint point)
{
    for (QWidget* widget = dialog->childAt(point); widget; widget = widget->parentWidget()) {
        if (widget->objectName().startsWith(QLatin1String("Frame6("))) return widget;
    }
    return nullptr;
}

// A secondary window reads the main window's topmost menu item as it loads: on top while the
// item is checked, as it is at first, and no longer once it is cleared. open() loads it.
template <typename Open>
void CheckTopmostAtLoad(QWidget* main, Open open)
{
    auto* topmost = Find<QAction>(main, QStringLiteral("mnuTop"));
    QVERIFY(topmost->isChecked());
    QWidget* onTop = open();
    QVERIFY(onTop->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    onTop->close();
    FlushDeletes();

    topmost->trigger();
    QVERIFY(!topmost->isChecked());
    QVERIFY(!open()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

// The main window while a secondary window is open: disabled when the window holds it, usable
// when not; usable again once close() has closed the window, which is then unloaded and, with
// the deferred deletions, gone. open() loads the window.
template <typename Open, typename Close>
void CheckMainWindowWhileOpen(Forms& forms, bool held, Open open, Close close)
{
    using Window = std::remove_pointer_t<decltype(open())>;
    QVERIFY(forms.Find<MainWindow>()->isEnabled());
    const QPointer<Window> window = open();
    QCOMPARE(forms.Find<MainWindow>()->isEnabled(), !held);
    close(window.data());
    QVERIFY(forms.Find<MainWindow>()->isEnabled());
    FlushDeletes();
    QVERIFY(window.isNull());
    QVERIFY(!forms.Find<Window>());
}

}  // namespace kelvara::ui::testing
