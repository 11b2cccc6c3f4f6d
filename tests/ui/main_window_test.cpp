// SPDX-License-Identifier: MIT
// The main window as a whole: start-up, the view/toolbar state table, topmost mode, exit.
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QToolButton>

#include "kelvara/ui/edit_window.h"
#include "layout_check.h"
#include "main_window_fixture.h"
#include "ui_test_main.h"

using namespace kelvara::ui;
using namespace kelvara::ui::test;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartWithoutSettings();
    void everyPictureButtonShowsItsPicture();
    void viewAndToolbarFollowTheStateTable();
    void noControlIsCutInAnyState();
    void viewMenuItemActsLikeTheViewButton();
    void topmostModeToggles();
    void instantFlagHidesTheSendButton_data();
    void instantFlagHidesTheSendButton();
    void clearEmptiesTextResultAndPage();
    void unwritableFilesAreReported();
    void menuExitClosesTheMainWindowAndSaves();
    void exitButtonClosesEveryWindow();
};

void MainWindowTest::firstStartWithoutSettings()
{
    MainWindowFixture f{NoSettingsFile{}};
    QCOMPARE(f.window->objectName(), QStringLiteral("Form1"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Kelvara"));
    QCOMPARE(OuterHeight(f.window), Twips(2160));
    QCOMPARE(f.window->width(), Twips(4905));
    QVERIFY(f.window->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(f.Action("mnuTop")->isChecked());
    QVERIFY(f.Action("mnuTool")->isChecked());
    QVERIFY(!f.Action("mnuView")->isChecked());
    QVERIFY(!f.Button("cmdStop")->isEnabled());
    QCOMPARE(f.Button("cmdView")->text(), QStringLiteral("↓ﾋﾞｭｰ↓"));

    // Nothing in the file: empty fields with black swatches, neither colour-count set-up.
    QCOMPARE(f.Field("txtFor")->text(), QString());
    for (const char* swatch : {"Picture1", "Picture2", "Picture3", "Picture4"}) {
        QCOMPARE(SwatchColor(f.Find(swatch)), QColor(Qt::black));
    }
    QVERIFY(f.Field("txtCmid")->isEnabled());
    QVERIFY(f.Button("cmdMid")->isEnabled());
    QVERIFY(!f.window->chkBtn(12)->isChecked());

    // The view stays blank and no page is written until something writes one.
    QVERIFY(!QFile::exists(f.Path("temp.html")));
    QVERIFY(f.window->findChild<QWidget*>("WebBrowser1") == nullptr);
}

void MainWindowTest::everyPictureButtonShowsItsPicture()
{
    // A picture missing from the resources leaves a blank button, which nothing else reports.
    MainWindowFixture f;
    int named = 0;
    for (const QToolButton* button : f.window->findChildren<QToolButton*>()) {
        if (button->objectName().startsWith(QLatin1String("qt_"))) continue;  // the menu bar's
        ++named;
        QVERIFY2(!button->icon().pixmap(16, 16).isNull(), qPrintable(button->objectName()));
    }
    QCOMPARE(named, 14 + 6);  // the toolbar, and cmdTool to cmdEnd
}

void MainWindowTest::viewAndToolbarFollowTheStateTable()
{
    MainWindowFixture f;
    QWidget* frmMain = f.Find("frmMain");
    QWidget* frmTool = f.Find("frmTool");
    const auto row = [&](int heightTwips, const char* caption, bool viewTick, bool toolTick,
                         int mainTopTwips) {
        QCOMPARE(OuterHeight(f.window), Twips(heightTwips));
        QCOMPARE(f.Button("cmdView")->text(), QString::fromUtf8(caption));
        QCOMPARE(f.Action("mnuView")->isChecked(), viewTick);
        QCOMPARE(f.Action("mnuTool")->isChecked(), toolTick);
        QCOMPARE(frmMain->y(), Twips(mainTopTwips));
        QCOMPARE(frmTool->isVisible(), toolTick);
    };
    row(2160, "↓ﾋﾞｭｰ↓", false, true, 780);

    f.Button("cmdView")->click();
    row(7320, "↑ﾋﾞｭｰ↑", true, true, 780);
    QVERIFY(f.Find("WebBrowser1")->isVisible());
    QVERIFY(f.Find("lblSize")->isVisible());

    f.Button("cmdTool")->click();  // hiding the toolbar closes the view
    row(1400, "↓ﾋﾞｭｰ↓", false, false, 0);

    f.Button("cmdView")->click();
    row(6540, "↑ﾋﾞｭｰ↑", true, false, 0);

    f.Button("cmdView")->click();
    row(1380, "↓ﾋﾞｭｰ↓", false, false, 0);

    f.Button("cmdView")->click();
    f.Action("mnuTool")->trigger();  // showing it again also closes the view
    row(2160, "↓ﾋﾞｭｰ↓", false, true, 780);

    f.Action("mnuTool")->trigger();
    row(1400, "↓ﾋﾞｭｰ↓", false, false, 0);
}

void MainWindowTest::noControlIsCutInAnyState()
{
    using kelvara::ui::testing::CutControls;
    using kelvara::ui::testing::WhollyShown;
    // With the program's font, as the label sized to its text gets it in the program.
    const QFont previousFont = QApplication::font();
    QApplication::setFont(ApplicationFont());
    const auto restoreFont = qScopeGuard([&] { QApplication::setFont(previousFont); });
    MainWindowFixture f;
    const auto check = [&](bool viewOpen) {
        QCOMPARE(CutControls(f.window).join(","), QString());
        for (const char* name : {"txtFor", "cmdView", "cmdTool", "cmdGo", "cmdStop", "cmdEnd"}) {
            QVERIFY2(WhollyShown(f.window, f.Find(name)), name);
        }
        for (const char* name : {"txtBack", "cmdBack", "lblSize"}) {
            QCOMPARE(WhollyShown(f.window, f.Find(name)), viewOpen);
        }
    };
    check(false);
    QVERIFY(WhollyShown(f.window, f.Find("txtClat")));
    f.Button("cmdView")->click();
    check(true);
    f.Button("cmdTool")->click();
    check(false);
    f.Button("cmdView")->click();
    check(true);
    f.Button("cmdView")->click();
    check(false);
}

void MainWindowTest::viewMenuItemActsLikeTheViewButton()
{
    MainWindowFixture f;
    f.Action("mnuView")->trigger();
    QCOMPARE(f.Button("cmdView")->text(), QStringLiteral("↑ﾋﾞｭｰ↑"));
    QVERIFY(f.Action("mnuView")->isChecked());
    QCOMPARE(OuterHeight(f.window), Twips(7320));

    f.Action("mnuView")->trigger();
    QCOMPARE(f.Button("cmdView")->text(), QStringLiteral("↓ﾋﾞｭｰ↓"));
    QVERIFY(!f.Action("mnuView")->isChecked());
    QCOMPARE(OuterHeight(f.window), Twips(2160));
}

void MainWindowTest::topmostModeToggles()
{
    MainWindowFixture f;
    const QPoint position = f.window->pos();
    f.Action("mnuTop")->trigger();
    QVERIFY(!f.Action("mnuTop")->isChecked());
    QVERIFY(!(f.window->windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.window->pos(), position);
    QCOMPARE(OuterHeight(f.window), Twips(2160));

    f.Action("mnuTop")->trigger();
    QVERIFY(f.Action("mnuTop")->isChecked());
    QVERIFY(f.window->windowFlags() & Qt::WindowStaysOnTopHint);

    // Not saved: every start is on top again.
    f.Action("mnuTop")->trigger();
    f.Restart();
    QVERIFY(f.Action("mnuTop")->isChecked());
    QVERIFY(f.window->windowFlags() & Qt::WindowStaysOnTopHint);
}

void MainWindowTest::instantFlagHidesTheSendButton_data()
{
    QTest::addColumn<int>("flag");
    QTest::addColumn<bool>("shown");
    QTest::newRow("0") << 0 << true;
    QTest::newRow("1") << 1 << false;
    QTest::newRow("2 keeps the design state") << 2 << true;
}

void MainWindowTest::instantFlagHidesTheSendButton()
{
    QFETCH(int, flag);
    QFETCH(bool, shown);
    MainWindowFixture f(StandardIni({{"Set", "h_instantflag", QString::number(flag)}}));
    QCOMPARE(int{f.state.TagOptions.h_instantflag}, flag);
    QCOMPARE(f.Button("cmdSend")->isVisible(), shown);
}

void MainWindowTest::clearEmptiesTextResultAndPage()
{
    MainWindowFixture f;
    f.Field("txtBack")->setText(QStringLiteral("000000"));
    f.Field("txtFor")->setText(QStringLiteral("abc"));
    f.state.ResultTags = QStringLiteral("<FONT>x</FONT>");

    f.Button("cmdClear")->click();
    QCOMPARE(f.Field("txtFor")->text(), QString());
    QCOMPARE(f.state.ResultTags, QString());
    QCOMPARE(f.Page(), QByteArray("<BODY BGCOLOR=\"#000000\">\r\n"));
    QVERIFY(f.Find("WebBrowser1") != nullptr);

    // The send button then copies the empty result.
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    f.Button("cmdSend")->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
}

void MainWindowTest::unwritableFilesAreReported()
{
    // A folder in place of each file makes both writes fail, even for root.
    MainWindowFixture f{NoSettingsFile{}};
    QVERIFY(QDir(f.dir.path()).mkdir("temp.html"));
    QVERIFY(QDir(f.dir.path()).mkdir("Lum.ini"));
    MessageCapture capture;

    f.Button("cmdClear")->click();
    QCOMPARE(capture.messages.size(), 1);
    QVERIFY(capture.messages[0].startsWith(QStringLiteral("ﾌﾟﾚﾋﾞｭｰを書き込めませんでした。")));

    f.window->close();
    QCOMPARE(capture.messages.size(), 2);
    QVERIFY(capture.messages[1].startsWith(QStringLiteral("設定を保存できませんでした。")));
}

void MainWindowTest::menuExitClosesTheMainWindowAndSaves()
{
    MainWindowFixture f;
    QPointer<MainWindow> window = f.window;
    QPointer<EditWindow> edit = f.forms->Show<EditWindow>();
    f.Field("txtFor")->setText(QStringLiteral("saved text"));

    f.Action("mnuEnd")->trigger();
    QTRY_VERIFY(window.isNull());
    // The edit window goes with it: its send button reaches into the main window.
    QTRY_VERIFY(edit.isNull() || !edit->isVisible());
    QVERIFY(f.ReadFile("Lum.ini").contains("last=saved text"));
}

void MainWindowTest::exitButtonClosesEveryWindow()
{
    MainWindowFixture f;
    // The edit window is the one secondary window that leaves the exit button usable.
    QPointer<EditWindow> edit = f.forms->Show<EditWindow>();
    QPointer<MainWindow> window = f.window;

    f.Button("cmdEnd")->click();
    QTRY_VERIFY(window.isNull());
    QTRY_VERIFY(edit.isNull() || !edit->isVisible());
    QVERIFY(QFile::exists(f.Path("Lum.ini")));
}

KELVARA_UI_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
