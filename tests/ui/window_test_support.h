// SPDX-License-Identifier: MIT
// Small helpers shared by the windows' tests: reaching controls, deferred deletion, activation,
// and the topmost reading every secondary window does.
#pragma once

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>

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

}  // namespace kelvara::ui::testing
