// SPDX-License-Identifier: MIT
// Qt's own Japanese strings for what Qt draws itself: the text fields' context menus, the
// standard dialog buttons.
#pragma once

class QCoreApplication;

namespace kelvara::ui {

// Loads Qt's Japanese translation and installs it in the application, whatever the system's
// locale: the program is Japanese only. Returns false when the translation is not there
// (the strings then stay English).
bool InstallQtTranslation(QCoreApplication& application);

}  // namespace kelvara::ui
