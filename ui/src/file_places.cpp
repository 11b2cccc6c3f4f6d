// SPDX-License-Identifier: MIT
// Choosing the folders of Lum.ini and temp.html for a portable or an installed copy.
#include "kelvara/ui/file_places.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

#include "kelvara/engine/atomic_file.h"
#include "kelvara/settings/settings_file.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {
namespace {

const QString kIniName = QString::fromLatin1(settings::kSettingsFileName);

// The packaged first-start settings, relative to the installed program's folder.
#ifdef KELVARA_DEFAULT_SETTINGS
constexpr const char* kPackagedSettings = KELVARA_DEFAULT_SETTINGS;
#else
constexpr const char* kPackagedSettings = "../share/kelvara/Lum.ini";
#endif

// Anything at the path but "nothing there": a file that exists but cannot be read still
// counts, so that the start reports it instead of passing it over.
bool Present(const QString& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(std::filesystem::path(ToU16(path)), error);
    return status.type() != std::filesystem::file_type::not_found;
}

}  // namespace

void PlaceFiles(AppState& state, const QString& programFolder, const QString& userConfigFolder,
                const QString& userCacheFolder, const QString& packagedSettings)
{
    // A copy installed with its packaged settings is never portable, even when its folder can
    // be written (as /usr/bin can by root): it keeps the user's files out of the system folders.
    const bool installed = !packagedSettings.isEmpty() && Present(packagedSettings);
    if (!installed && engine::IsWritableFolder(std::filesystem::path(ToU16(programFolder)))) {
        state.ProgramFolder = programFolder;
        state.SettingsFile = QDir(programFolder).filePath(kIniName);
        state.FallbackSettingsFile.clear();
        return;
    }
    QDir().mkpath(userConfigFolder);
    QDir().mkpath(userCacheFolder);
    state.ProgramFolder = userCacheFolder;
    state.SettingsFile = QDir(userConfigFolder).filePath(kIniName);
    const QString besideProgram = QDir(programFolder).filePath(kIniName);
    if (Present(besideProgram)) {
        state.FallbackSettingsFile = besideProgram;
    } else if (!packagedSettings.isEmpty() && Present(packagedSettings)) {
        state.FallbackSettingsFile = packagedSettings;
    } else {
        state.FallbackSettingsFile.clear();
    }
}

void PlaceFiles(AppState& state)
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    PlaceFiles(state, programFolder,
               QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation),
               QStandardPaths::writableLocation(QStandardPaths::CacheLocation),
               QDir::cleanPath(QDir(programFolder).filePath(QString::fromUtf8(kPackagedSettings))));
}

}  // namespace kelvara::ui
