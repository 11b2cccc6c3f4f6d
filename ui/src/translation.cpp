// SPDX-License-Identifier: MIT
// Installs Qt's Japanese translation from Qt's own translations folder.
#include "kelvara/ui/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kelvara::ui {

bool InstallQtTranslation(QCoreApplication& application)
{
    // Owned by the application, so it lives as long as the strings are looked up.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace kelvara::ui
