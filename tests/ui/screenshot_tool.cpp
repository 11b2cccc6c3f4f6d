// Makes docs/screenshot.png: the main window, view open, after a run of a sample text, in a
// program folder of its own. Run it on a real display (or under xvfb-run).
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include "kelvara/engine/shift_jis.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/platform.h"

namespace {

const char16_t* const kSampleSettings =
    u"[text]\r\nlast=グラデーション文字のサンプル\r\n"
    u"[Set]\r\nn=3\r\nh_textflag=0\r\nh_instantflag=0\r\n"
    u"[Font]\r\nh_BoldFlag=1\r\nh_NFontSize=5\r\nh_FontFace=MS Pゴシック\r\n"
    u"[Color]\r\nFor=FF0000\r\nMid=00C000\r\nLast=0000FF\r\nBack=FFFFF0\r\n";

}  // namespace

int main(int argc, char* argv[])
{
    using namespace kelvara;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: kelvara_screenshot OUTPUT.png\n";
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
    ui::MainWindow* window = forms.ShowForm1();
    if (!QTest::qWaitForWindowExposed(window)) return 1;

    window->findChild<QAbstractButton*>(QStringLiteral("cmdView"))->click();
    window->findChild<QAbstractButton*>(QStringLiteral("cmdGo"))->click();
    QTest::qWait(3000);  // the browser view loads the page asynchronously

    const QPixmap shot = window->grab();
    return shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
