// SPDX-License-Identifier: MIT
// Small helpers shared by the secondary windows' tests.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

#include "kelvara/ui/app_state.h"
#include "kelvara/ui/forms.h"

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

// Fresh shared state whose program folder (Lum.ini, temp.html) is a new temporary folder,
// and the windows on it. False when no temporary folder could be made.
inline bool MakeApp(std::unique_ptr<QTemporaryDir>& folder, std::unique_ptr<AppState>& state,
                    std::unique_ptr<Forms>& forms)
{
    folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid()) return false;
    state = std::make_unique<AppState>();
    state->ProgramFolder = folder->path();
    forms = std::make_unique<Forms>(*state);
    return true;
}

}  // namespace kelvara::ui::testing
