// Kelvara: HTML gradient text. Starts the program by loading the main window.
#include <unistd.h>

#include <QApplication>
#include <QIcon>

#include "kelvara/ui/app_state.h"
#include "kelvara/ui/file_places.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/platform.h"

int main(int argc, char* argv[])
{
#ifdef KELVARA_WEBENGINE
    // The browser engine's sandbox refuses to run as root.
    if (::getuid() == 0) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    // The browser view shares OpenGL contexts with the widgets; this must precede QApplication.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#endif
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(kelvara);
    QApplication::setApplicationName(QStringLiteral("Kelvara"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kelvara.svg")));

    QApplication::setFont(kelvara::ui::ApplicationFont());

    kelvara::ui::AppState state;
    kelvara::ui::PlaceFiles(state);
    kelvara::ui::Forms forms(state);
    forms.ShowForm1();
    return QApplication::exec();
}
