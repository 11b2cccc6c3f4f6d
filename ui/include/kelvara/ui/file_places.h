// SPDX-License-Identifier: MIT
// Where Lum.ini and temp.html live: beside the program for a portable copy, in the user's
// configuration and cache folders for an installed copy whose folder the user cannot write.
#pragma once

#include <QString>

namespace kelvara::ui {

class AppState;

// Sets the state's folder for temp.html and its Lum.ini to read and write.
// A writable program folder without packaged settings beside it holds both files, as a
// portable copy keeps them. Otherwise (an installed copy, or a folder the user cannot write)
// Lum.ini is the user's own (userConfigFolder), temp.html goes to userCacheFolder, and until
// the user's Lum.ini exists the start reads the program folder's Lum.ini or, failing that,
// packagedSettings. The user's folders are created as needed.
void PlaceFiles(AppState& state, const QString& programFolder, const QString& userConfigFolder,
                const QString& userCacheFolder, const QString& packagedSettings);

// The same for the running program: its executable's folder, the user's standard folders, and
// the settings the package installs (../share/kelvara/Lum.ini beside bin/).
void PlaceFiles(AppState& state);

}  // namespace kelvara::ui
