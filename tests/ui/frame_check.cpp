// SPDX-License-Identifier: MIT
// Checks the five windows on a real X display under whatever window manager runs there
// (scripts/wm-check.sh starts Xvfb with metacity, then with openbox): once the manager has
// framed a window, its client area is the designed one and no control is cut by its edge, in
// every state of the main window. Prints one line per check; exits 1 when any fails.
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <functional>

#include "kelvara/ui/app_state.h"
#include "kelvara/ui/edit_window.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/palette_dialog.h"
#include "kelvara/ui/platform.h"
#include "kelvara/ui/settings_dialog.h"
#include "kelvara/ui/version_window.h"
#include "layout_check.h"

namespace {

using kelvara::ui::Twips;
using kelvara::ui::testing::CutControls;
using kelvara::ui::testing::WhollyShown;

int g_failures = 0;

void Report(bool ok, const QString& what)
{
    QTextStream(stdout) << (ok ? "ok   " : "FAIL ") << what << '\n';
    if (!ok) ++g_failures;
}

// Waits until the window manager has put its frame round the window and settled its size. A
// manager still starting up may miss a window mapped meanwhile; it is mapped once more then.
bool WaitForFrame(QWidget* window)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0) {
            window->hide();
            QTest::qWait(200);
            window->show();
        }
        if (!QTest::qWaitForWindowExposed(window, 5000)) continue;
        QElapsedTimer timer;
        timer.start();
        while (window->frameGeometry().height() <= window->geometry().height() &&
               timer.elapsed() < 3000) {
            QTest::qWait(20);
        }
        if (window->frameGeometry().height() > window->geometry().height()) {
            QTest::qWait(300);
            return true;
        }
    }
    QTextStream(stdout) << window->objectName() << " got no frame from the window manager\n";
    return false;
}

void CheckNothingCut(QWidget* window, const QString& where)
{
    const QStringList cut = CutControls(window);
    Report(cut.isEmpty(),
           where + QStringLiteral(": no control cut") +
               (cut.isEmpty()
                    ? QString()
                    : QStringLiteral(" (") + cut.join(QStringLiteral(", ")) + QLatin1Char(')')));
}

// One row of the main window's state table, reached by a click.
struct MainState {
    const char* name;
    const char* click;  // nullptr: the state at start
    int outerTwips;
    bool viewOpen;
};

void CheckMainWindow(kelvara::ui::MainWindow* window)
{
    const int frame = window->frameGeometry().height() - window->geometry().height();
    QTextStream(stdout) << "window manager frame height: " << frame << " px\n";
    const MainState states[] = {
        {"toolbar shown, view closed", nullptr, 2160, false},
        {"toolbar shown, view open", "cmdView", 7320, true},
        {"toolbar hidden, view closed", "cmdTool", 1400, false},
        {"toolbar hidden, view open", "cmdView", 6540, true},
        {"toolbar hidden, view closed again", "cmdView", 1380, false},
    };
    for (const MainState& state : states) {
        if (state.click != nullptr) {
            window->findChild<QAbstractButton*>(QLatin1String(state.click))->click();
            QTest::qWait(300);
        }
        const QString where = QStringLiteral("Form1, ") + QLatin1String(state.name);
        const int clientHeight = Twips(state.outerTwips) - kelvara::ui::StandardFrameHeight(true);
        const int shownHeight = window->height() - kelvara::ui::MenuBarHeight(window);
        Report(shownHeight == clientHeight,
               where + QStringLiteral(": client area %1 px below the menu bar (designed %2)")
                           .arg(shownHeight)
                           .arg(clientHeight));
        CheckNothingCut(window, where);
        for (const char* name : {"txtFor", "cmdView", "cmdTool", "cmdGo", "cmdStop", "cmdEnd"}) {
            Report(WhollyShown(window, window->findChild<QWidget*>(QLatin1String(name))),
                   where + QStringLiteral(": %1 whole").arg(QLatin1String(name)));
        }
        if (state.viewOpen) {
            Report(WhollyShown(window, window->findChild<QWidget*>(QStringLiteral("txtBack"))),
                   where + QStringLiteral(": txtBack whole"));
        }
    }
}

void CheckSecondary(QWidget* window, int widthTwips, int heightTwips)
{
    const QString name = window->objectName();
    if (!WaitForFrame(window)) {
        Report(false, name + QStringLiteral(": framed by the window manager"));
        return;
    }
    Report(window->size() == QSize(Twips(widthTwips), Twips(heightTwips)),
           name + QStringLiteral(": client area %1 x %2 px (designed %3 x %4)")
                      .arg(window->width())
                      .arg(window->height())
                      .arg(Twips(widthTwips))
                      .arg(Twips(heightTwips)));
    CheckNothingCut(window, name);
    window->close();
    QTest::qWait(100);
}

}  // namespace

int main(int argc, char* argv[])
{
    // The view window's browser engine needs shared contexts, and no sandbox as root.
    if (::getuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setFont(kelvara::ui::ApplicationFont());
    QApplication::setQuitOnLastWindowClosed(false);
    QTemporaryDir folder;
    kelvara::ui::AppState state;
    state.ProgramFolder = folder.path();
    kelvara::ui::Forms forms(state);

    kelvara::ui::MainWindow* window = forms.Show<kelvara::ui::MainWindow>();
    if (!WaitForFrame(window)) {
        Report(false, QStringLiteral("Form1: framed by the window manager"));
        return 1;
    }
    CheckMainWindow(window);

    window->EditColor(kelvara::ui::MainWindow::ColorField::First);
    CheckSecondary(forms.Find<kelvara::ui::PaletteDialog>(), 4545, 3990);
    CheckSecondary(forms.Show<kelvara::ui::EditWindow>(), 4440, 3750);
    CheckSecondary(forms.Show<kelvara::ui::SettingsDialog>(), 5340, 4755);
    CheckSecondary(forms.Show<kelvara::ui::VersionWindow>(), 3030, 4545);
    forms.UnloadAll();
    QTextStream(stdout) << (g_failures == 0 ? "all checks passed\n" : "checks failed\n");
    return g_failures == 0 ? 0 : 1;
}
