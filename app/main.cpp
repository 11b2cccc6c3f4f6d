// SPDX-License-Identifier: MIT
// Kelvara: HTML gradient text. Starts the program by loading the main window.
#include <unistd.h>

#include <QApplication>
#include <QIcon>

#include "command_line.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/file_places.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/platform.h"
#include "kelvara/ui/translation.h"

int main(int argc, char* argv[])
{
    // Help and version need no display: they are answered before anything else starts.
    if (const auto status = kelvara::app::HandleInformationOptions(argc, argv)) return *status;
#ifdef KELVARA_WEBENGINE
    // The browser engine's sandbox refuses to run as root.
    if (::getuid() == 0) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    // The browser view shares OpenGL contexts with the widgets; this must precede QApplication.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
    QApplication app(argc, argv);
    if (const auto status = kelvara::app::CheckRemainingArguments(QApplication::arguments())) {
        return *status;
    }
    Q_INIT_RESOURCE(kelvara);
    QApplication::setApplicationName(QStringLiteral("Kelvara"));
    // Matches the installed desktop entry (window grouping, the Wayland application id).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.Kelvara"));
    // Qt's own menus and buttons in Japanese, like the rest of the window.
    kelvara::ui::InstallQtTranslation(app);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvara.svg")));

    QApplication::setFont(kelvara::ui::ApplicationFont());

    kelvara::ui::AppState state;
    kelvara::ui::PlaceFiles(state);
    kelvara::ui::Forms forms(state);
    forms.Show<kelvara::ui::MainWindow>();
    return QApplication::exec();
}
