// SPDX-License-Identifier: MIT
// Makes docs/screenshot.png: the main window, view open, after a run of a sample text, in a
// program folder of its own. With more file names also the settings dialog on its "出力" page,
// and the main window after a run with those output choices (preview and status line).
// Run it on a real display (or under xvfb-run).
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include "kelvara/engine/shift_jis.h"
#include "kelvara/engine/targets.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/platform.h"
#include "kelvara/ui/settings_dialog.h"

namespace {

const char16_t* const kSampleSettings =
    u"[text]\r\nlast=グラデーション文字のサンプル\r\n"
    u"[Set]\r\nn=3\r\nh_textflag=0\r\nh_instantflag=0\r\n"
    u"[Font]\r\nh_BoldFlag=1\r\nh_NFontSize=5\r\nh_FontFace=MS Pゴシック\r\n"
    u"[Color]\r\nFor=FF0000\r\nMid=00C000\r\nLast=0000FF\r\nBack=FFFFF0\r\n";

// The settings dialog on its "出力" page with sample output choices; OK takes them.
bool SaveOutputPage(kelvara::ui::Forms& forms, const QString& file)
{
    kelvara::settings::OutputSettings& output = forms.State().Output;
    kelvara::settings::ApplyTarget(output, *kelvara::engine::FindTarget("discord"));
    output.Space = kelvara::engine::ColorSpace::OkLch;
    output.ExtraStops = {u"FF8000", u"E0C000"};
    output.Contrast = 1;
    kelvara::ui::SettingsDialog* dialog = forms.Show<kelvara::ui::SettingsDialog>();
    if (!QTest::qWaitForWindowExposed(dialog)) return false;
    dialog->findChild<QTabBar*>(QStringLiteral("TabStrip1"))->setCurrentIndex(4);
    QTest::qWait(100);
    const bool saved = dialog->grab().save(file);
    dialog->findChild<QAbstractButton*>(QStringLiteral("cmdOK"))->click();
    return saved;
}

}  // namespace

int main(int argc, char* argv[])
{
    using namespace kelvara;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc < 2 || argc > 4) {
        QTextStream(stderr)
            << "usage: kelvara_screenshot MAIN.png [OUTPUT_PAGE.png [OUTPUT_RUN.png]]\n";
        return 2;
    }
    QApplication::setFont(ui::ApplicationFont());

    QTemporaryDir folder;
    QFile ini(folder.filePath(QStringLiteral("Lum.ini")));
    if (!ini.open(QIODevice::WriteOnly)) return 1;
    ini.write(QByteArray::fromStdString(
        engine::EncodeShiftJis(kSampleSettings, engine::Unmappable::DefaultChar)));
    ini.close();

    ui::AppState state;
    state.ProgramFolder = folder.path();
    ui::Forms forms(state);
    ui::MainWindow* window = forms.Show<kelvara::ui::MainWindow>();
    if (!QTest::qWaitForWindowExposed(window)) return 1;

    window->findChild<QAbstractButton*>(QStringLiteral("cmdView"))->click();
    window->findChild<QAbstractButton*>(QStringLiteral("cmdGo"))->click();
    QTest::qWait(3000);  // the browser view loads the page asynchronously

    const QPixmap shot = window->grab();
    if (!shot.save(QString::fromLocal8Bit(argv[1]))) return 1;
    if (argc >= 3 && !SaveOutputPage(forms, QString::fromLocal8Bit(argv[2]))) return 1;
    if (argc == 4) {
        window->findChild<QAbstractButton*>(QStringLiteral("cmdGo"))->click();
        QTest::qWait(3000);
        if (!window->grab().save(QString::fromLocal8Bit(argv[3]))) return 1;
    }
    return 0;
}
