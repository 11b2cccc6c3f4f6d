// SPDX-License-Identifier: MIT
// Japanese for the strings Qt draws itself: the text fields' context menus, the standard
// dialog buttons, the browser view's context menu.
#pragma once

class QCoreApplication;

namespace kelvara::ui {

// Loads Qt's Japanese translation and installs it in the application, whatever the system's
// locale: the program is Japanese only. Returns false when Qt's translation is not there
// (its strings then stay English; the browser view's menu is Japanese either way).
bool InstallQtTranslation(QCoreApplication& application);

}  // namespace kelvara::ui
