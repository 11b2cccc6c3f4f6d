// Small helpers shared by the secondary windows' tests.
#pragma once

#include <QCoreApplication>
#include <QEvent>
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

}  // namespace kelvara::ui::testing
