// SPDX-License-Identifier: MIT
// The main window's pictures: the same bytes as kelvara-gen --image for the same settings,
// the menu items waiting for a finished run, the PNG on the clipboard, the save dialog, the
// section "画像" of the settings stored through the settings dialog, wrapping and centring,
// and a picture too large to open refused with a message.
#include <QAccessible>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include "kelvara/ui/settings_dialog.h"
#include "main_window_fixture.h"
#include "ui_test_main.h"

using namespace kelvara::ui;
using namespace kelvara::ui::test;
using kelvara::picture::PictureKind;

namespace {

// Runs `act` on the next modal window of type T once it is shown.
template <typename T, typename Act>
void OnNextDialog(Act act)
{
    QTimer::singleShot(0, [act] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<T*>(w); dialog != nullptr && dialog->isVisible()) {
                act(dialog);
                return;
            }
        }
        QFAIL("no dialog");
    });
}

}  // namespace

class MainWindowPictureTest : public QObject {
    Q_OBJECT
private slots:
    void windowAndKelvaraGenDrawTheSamePicture_data();
    void windowAndKelvaraGenDrawTheSamePicture();
    void commandsWaitForAFinishedRun();
    void copyPutsThePngOnTheClipboard();
    void saveWritesTheFileChosenInTheDialog();
    void imageSectionIsKeptInLumIni();
    void wrapWidthIsKeptInLumIniAndWrapsThePicture();
    void oversizedPictureIsRefusedWithAMessage();
};

void MainWindowPictureTest::windowAndKelvaraGenDrawTheSamePicture_data()
{
    QTest::addColumn<bool>("svg");
    QTest::addColumn<QList<IniEntry>>("entries");
    QTest::addColumn<QStringList>("options");  // kelvara-gen's for the same choices
    const QList<IniEntry> sized{
        {"Set", "n", "3"},           {"Set", "h_fontflag", "2"},   {"Font", "h_BoldFlag", "1"},
        {"Output", "ImagePx", "32"}, {"Output", "ImageBack", "1"}, {"Output", "Outline", "000000"},
        {"Color", "Back", "FFEECC"}};
    const QStringList sizedOptions;  // kelvara-gen takes them from Lum.ini's section Output
    const QList<IniEntry> css{
        {"Output", "Format", "css"}, {"Output", "Shadow", "808080"}, {"Set", "h_styleflag", "1"}};
    const QStringList cssOptions{"--format=css", "--shadow=808080"};
    QTest::newRow("png, sizes, bold, background, outline") << false << sized << sizedOptions;
    QTest::newRow("svg, sizes, bold, background, outline") << true << sized << sizedOptions;
    QTest::newRow("png, css gradient, vertical, shadow") << false << css << cssOptions;
    QTest::newRow("svg, css gradient, vertical, shadow") << true << css << cssOptions;
    const QList<IniEntry> wrapped{{"Output", "ImageWrap", "64"}, {"Set", "h_Centerflag", "1"}};
    QTest::newRow("png, wrapped, centred") << false << wrapped << QStringList();
    QTest::newRow("svg, wrapped, centred") << true << wrapped << QStringList();
}

void MainWindowPictureTest::windowAndKelvaraGenDrawTheSamePicture()
{
    QFETCH(bool, svg);
    QFETCH(QList<IniEntry>, entries);
    QFETCH(QStringList, options);
    MainWindowFixture f(StandardIni(entries));
    const QString text = QStringLiteral("虹色のabc");
    f.Field("txtFor")->setText(text);
    f.Button("cmdGo")->click();
    const QByteArray fromWindow = f.window->PictureBytes(svg ? PictureKind::Svg : PictureKind::Png);
    QVERIFY(!fromWindow.isEmpty());

    const QString file = f.Path(svg ? QStringLiteral("gen.svg") : QStringLiteral("gen.png"));
    QProcess gen;
    gen.start(QStringLiteral(KELVARA_GEN),
              QStringList{QStringLiteral("--settings=") + f.Path(QStringLiteral("Lum.ini")),
                          QStringLiteral("--image=") + file}
                  << options << QStringLiteral("--") << text);
    QVERIFY(gen.waitForFinished());
    QCOMPARE(gen.exitCode(), 0);
    QCOMPARE(fromWindow, f.ReadFile(svg ? QStringLiteral("gen.svg") : QStringLiteral("gen.png")));
}

void MainWindowPictureTest::commandsWaitForAFinishedRun()
{
    MainWindowFixture f;
    QAction* save = f.Action("mnuSaveImage");
    QAction* copy = f.Action("mnuCopyImage");
    QVERIFY(!save->isEnabled() && !copy->isEnabled());
    QVERIFY(f.window->PictureBytes(PictureKind::Png).isEmpty());
    f.Field("txtFor")->setText(QStringLiteral("abcde"));
    f.Button("cmdGo")->click();
    QVERIFY(save->isEnabled() && copy->isEnabled());

    bool seenDuringRun = false;
    QObject::connect(f.window, &MainWindow::captionChanged, f.window, [&](const QString& caption) {
        if (caption.contains(QStringLiteral("処理中"))) {
            seenDuringRun = true;
            QVERIFY(!save->isEnabled() && !copy->isEnabled());
        }
    });
    f.Button("cmdGo")->click();
    QVERIFY(seenDuringRun);
    QVERIFY(save->isEnabled() && copy->isEnabled());
}

void MainWindowPictureTest::copyPutsThePngOnTheClipboard()
{
    MainWindowFixture f;
    f.Field("txtFor")->setText(QStringLiteral("コピー"));
    f.Button("cmdGo")->click();
    f.Action("mnuCopyImage")->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data != nullptr);
    QCOMPARE(data->data(QStringLiteral("image/png")), f.window->PictureBytes(PictureKind::Png));
    const QImage image = qvariant_cast<QImage>(data->imageData());
    QVERIFY(!image.isNull());
    QCOMPARE(image.pixel(0, 0), 0U);  // transparent without a background choice
}

void MainWindowPictureTest::saveWritesTheFileChosenInTheDialog()
{
    MainWindowFixture f;
    f.Field("txtFor")->setText(QStringLiteral("保存/する"));
    f.Button("cmdGo")->click();
    QString offered;
    const QString target = f.Path(QStringLiteral("picture.svg"));
    OnNextDialog<QFileDialog>([&](QFileDialog* dialog) {
        offered = dialog->selectedFiles().value(0);
        dialog->selectFile(target);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    f.Action("mnuSaveImage")->trigger();
    QVERIFY2(offered.endsWith(QStringLiteral("保存_する.png")), qPrintable(offered));
    QCOMPARE(f.ReadFile(QStringLiteral("picture.svg")), f.window->PictureBytes(PictureKind::Svg));
}

void MainWindowPictureTest::imageSectionIsKeptInLumIni()
{
    MainWindowFixture f;
    SettingsDialog* settings = f.forms->Show<SettingsDialog>();
    OnNextDialog<QDialog>([](QDialog* dialog) {
        if (dialog->objectName() != QLatin1String("frmImage")) return;
        dialog->findChild<QSpinBox*>(QStringLiteral("spnImagePx"))->setValue(96);
        dialog->findChild<QRadioButton*>(QStringLiteral("optBack"))->setChecked(true);
        dialog->findChild<QCheckBox*>(QStringLiteral("chkShadow"))->setChecked(true);
        dialog->findChild<QLineEdit*>(QStringLiteral("txtShadow"))
            ->setText(QStringLiteral("a0b0c0"));
        dialog->accept();
    });
    QTest::mouseClick(settings->findChild<QPushButton*>(QStringLiteral("cmdImage")),
                      Qt::LeftButton);
    QTest::mouseClick(settings->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    f.Restart();
    const kelvara::settings::ImageSettings expected{
        .ImagePx = 96, .ImageBack = 1, .Outline = u"", .Shadow = u"A0B0C0"};
    QCOMPARE(f.state.Output.Image, expected);
    QVERIFY(QString::fromLatin1(f.ReadFile(QStringLiteral("Lum.ini")))
                .contains(QStringLiteral("ImagePx= 96")));
}

void MainWindowPictureTest::wrapWidthIsKeptInLumIniAndWrapsThePicture()
{
    MainWindowFixture f;
    SettingsDialog* settings = f.forms->Show<SettingsDialog>();
    OnNextDialog<QDialog>([](QDialog* dialog) {
        auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("chkImageWrap"));
        auto* width = dialog->findChild<QSpinBox*>(QStringLiteral("spnImageWrap"));
        QVERIFY(box != nullptr && !box->isChecked() && !width->isEnabled());
        QCOMPARE(QAccessible::queryAccessibleInterface(width)->text(QAccessible::Name),
                 QStringLiteral("折り返し幅(px)"));
        box->setChecked(true);
        width->setValue(200);
        dialog->accept();
    });
    QTest::mouseClick(settings->findChild<QPushButton*>(QStringLiteral("cmdImage")),
                      Qt::LeftButton);
    QTest::mouseClick(settings->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    f.Restart();
    QCOMPARE(f.state.Output.Image.ImageWrap, std::optional<std::int16_t>(200));
    QVERIFY(QString::fromLatin1(f.ReadFile(QStringLiteral("Lum.ini")))
                .contains(QStringLiteral("ImageWrap= 200")));
    // Ten characters of 48 px, four a line.
    f.Field("txtFor")->setText(QStringLiteral("虹色の文字を折り返す"));
    f.Button("cmdGo")->click();
    const QImage image = QImage::fromData(f.window->PictureBytes(PictureKind::Png), "PNG");
    QVERIFY(image.width() <= 200 + 2 * 12 && image.height() > 3 * 48);
}

void MainWindowPictureTest::oversizedPictureIsRefusedWithAMessage()
{
    // 40 characters of 512 px: 20,480 pixels wide. Saved as PNG or SVG, or copied ("").
    for (const QString& file : {QStringLiteral("big.png"), QStringLiteral("big.svg"), QString()}) {
        MainWindowFixture f(StandardIni({{"Output", "ImagePx", "512"}}));
        MessageCapture capture;
        f.Field("txtFor")->setText(QString(40, QChar(u'あ')));
        f.Button("cmdGo")->click();
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        if (file.isEmpty()) {
            f.Action("mnuCopyImage")->trigger();
            QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
        } else {
            OnNextDialog<QFileDialog>([&](QFileDialog* dialog) {
                dialog->selectFile(f.Path(file));
                QMetaObject::invokeMethod(dialog, "accept");
            });
            f.Action("mnuSaveImage")->trigger();
            QVERIFY(!QFile::exists(f.Path(file)));
        }
        QCOMPARE(capture.messages.size(), 1);
        // The size it would have had (wider than the limit), the limit, and what helps.
        const QString& message = capture.messages.front();
        const QString width = message.section(QStringLiteral("："), 1).section(u'×', 0, 0);
        QVERIFY2(width.toInt() > 16384 &&
                     message.contains(QStringLiteral("一辺は16384ピクセルまで")) &&
                     message.contains(QStringLiteral("折り返し幅")),
                 qPrintable(message));
    }
}

KELVARA_UI_TEST_MAIN(MainWindowPictureTest)
#include "main_window_picture_test.moc"
