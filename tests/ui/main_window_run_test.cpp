// SPDX-License-Identifier: MIT
// Runs through the main window: refusal, locking, progress caption, stop, after-run actions.
#include <QClipboard>
#include <QPlainTextEdit>
#include <functional>

#include "kelvara/ui/edit_window.h"
#include "main_window_fixture.h"
#include "ui_test_main.h"

using namespace kelvara::ui;
using namespace kelvara::ui::test;

namespace {

// Sees every caption a run sets, in the middle of the run.
void WatchCaptions(MainWindow* window, const std::function<void(const QString&)>& handler)
{
    QObject::connect(window, &MainWindow::captionChanged, window, handler);
}

const QString kWorkedExample = QStringLiteral(
    "<FONT SIZE=\"3\" FACE=\"MS Pゴシック\"><FONT COLOR=\"#FF0000\">a</FONT>"
    "<FONT COLOR=\"#7F0180\">b</FONT><FONT COLOR=\"#0000FF\">c</FONT></FONT>");

// Every control of the lock table, plus the three that stay usable during a run.
const char* const kWatched[] = {"cmdSend", "cmdEnd",    "cmdClear",  "cmdGo",   "cmdBack",
                                "cmdMid",  "cmdFColor", "cmdLColor", "txtFor",  "cmdStop",
                                "frmTool", "txtCfor",   "txtBack",   "cmdView", "cmdTool"};
const char* const kMenus[] = {"mnuFile", "mnuEdit", "mnuShow", "mnuHelp"};

QStringList EnabledControls(const MainWindowFixture& f)
{
    QStringList enabled;
    for (const char* name : kWatched) {
        if (f.Find(name)->isEnabled()) enabled << name;
    }
    for (const char* name : kMenus) {
        if (f.Action(name)->isEnabled()) enabled << name;
    }
    return enabled;
}

}  // namespace

class MainWindowRunTest : public QObject {
    Q_OBJECT
private slots:
    void tooShortTextIsRefusedWithAMessage_data();
    void tooShortTextIsRefusedWithAMessage();
    void runLocksTheWindowAndShowsProgress();
    void middleButtonAfterTheRunFollowsTheColourCount_data();
    void middleButtonAfterTheRunFollowsTheColourCount();
    void completedRunWritesPageClipboardAndEditWindow();
    void stopAfterTwoOfFiveKeepsThePartialResult();
    void resultReplacedMidRunIsAppendedTo();
    void closingDuringARunStopsItThenCloses();
};

void MainWindowRunTest::tooShortTextIsRefusedWithAMessage_data()
{
    QTest::addColumn<QString>("colours");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("two colours") << "2"
                                 << "a" << QStringLiteral("ﾃｷｽﾄを２文字以上入力して下さい。");
    QTest::newRow("three colours") << "3"
                                   << "ab" << QStringLiteral("ﾃｷｽﾄを３文字以上入力して下さい。");
}

void MainWindowRunTest::tooShortTextIsRefusedWithAMessage()
{
    QFETCH(QString, colours);
    QFETCH(QString, text);
    QFETCH(QString, message);
    MessageCapture capture;
    MainWindowFixture f(StandardIni({{"Set", "n", colours}}));
    f.Field("txtFor")->setText(text);
    f.state.ResultTags = QStringLiteral("earlier result");
    const QStringList before = EnabledControls(f);

    f.Button("cmdGo")->click();
    QCOMPARE(capture.messages, QStringList{message});
    QCOMPARE(f.state.ResultTags, QString());
    QCOMPARE(EnabledControls(f), before);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Kelvara"));
    QVERIFY(!QFile::exists(f.Path("temp.html")));

    // The send button right after copies the emptied result.
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    f.Button("cmdSend")->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
}

void MainWindowRunTest::runLocksTheWindowAndShowsProgress()
{
    MainWindowFixture f;
    f.Field("txtFor")->setText(QStringLiteral("abc"));
    QStringList captions;
    QStringList duringRun;
    WatchCaptions(f.window, [&](const QString& caption) {
        if (captions.isEmpty()) duringRun = EnabledControls(f);
        captions << caption;
    });

    f.Button("cmdGo")->click();
    QCOMPARE(captions, (QStringList{QStringLiteral("Kelvara･･･処理中 - 1/3文字"),
                                    QStringLiteral("Kelvara･･･処理中 - 0/3文字"),
                                    QStringLiteral("Kelvara")}));
    // Locked: every command that would start a run or change an option.
    QCOMPARE(duringRun, (QStringList{"cmdStop", "txtBack", "cmdView", "cmdTool"}));
    // Unlocked: everything but the stop button (and the middle colour with two colours).
    QCOMPARE(EnabledControls(f),
             (QStringList{"cmdSend", "cmdEnd", "cmdClear", "cmdGo", "cmdBack", "cmdFColor",
                          "cmdLColor", "txtFor", "frmTool", "txtCfor", "txtBack", "cmdView",
                          "cmdTool", "mnuFile", "mnuEdit", "mnuShow", "mnuHelp"}));
}

void MainWindowRunTest::middleButtonAfterTheRunFollowsTheColourCount_data()
{
    QTest::addColumn<QString>("colours");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("two colours") << "2" << false;
    QTest::newRow("three colours") << "3" << true;
}

void MainWindowRunTest::middleButtonAfterTheRunFollowsTheColourCount()
{
    QFETCH(QString, colours);
    QFETCH(bool, enabled);
    MainWindowFixture f(StandardIni({{"Set", "n", colours}}));
    f.Field("txtFor")->setText(QStringLiteral("abcde"));
    f.Button("cmdGo")->click();
    QCOMPARE(f.Button("cmdMid")->isEnabled(), enabled);
}

void MainWindowRunTest::completedRunWritesPageClipboardAndEditWindow()
{
    MainWindowFixture f(StandardIni({{"Set", "h_textflag", "1"}, {"Set", "h_instantflag", "1"}}));
    f.Field("txtFor")->setText(QStringLiteral("abc"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    f.Button("cmdGo")->click();
    QCOMPARE(f.state.ResultTags, kWorkedExample);
    QCOMPARE(QGuiApplication::clipboard()->text(), kWorkedExample);
    QCOMPARE(f.Page(),
             ShiftJis(QStringLiteral("<BODY BGCOLOR=\"#FFFFFF\" > ") + kWorkedExample + "\r\n"));
    EditWindow* edit = f.forms->Find<EditWindow>();
    QVERIFY(edit != nullptr);
    QVERIFY(edit->isVisible());
    if (auto* text = edit->findChild<QPlainTextEdit*>(QStringLiteral("txtKekka"))) {
        QCOMPARE(text->toPlainText(), kWorkedExample);
    }
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Kelvara"));
}

void MainWindowRunTest::stopAfterTwoOfFiveKeepsThePartialResult()
{
    MainWindowFixture f;
    f.Button("cmdClear")->click();
    const QByteArray page = f.Page();
    f.Field("txtFor")->setText(QStringLiteral("abcde"));
    WatchCaptions(f.window, [&](const QString& caption) {
        // The caption for the third character comes after two were emitted.
        if (caption == QStringLiteral("Kelvara･･･処理中 - 2/5文字")) f.Button("cmdStop")->click();
    });

    f.Button("cmdGo")->click();
    QCOMPARE(f.state.ResultTags, QStringLiteral("<FONT COLOR=\"#FF0000\">a</FONT>"
                                                "<FONT COLOR=\"#BF0040\">b</FONT>"));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Kelvara"));
    QCOMPARE(f.Page(), page);
    QVERIFY(!f.Button("cmdStop")->isEnabled());
    QVERIFY(f.Button("cmdGo")->isEnabled());

    f.Button("cmdSend")->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), f.state.ResultTags);

    // The stop request was used up: the next run completes.
    f.Field("txtFor")->setText(QStringLiteral("abc"));
    f.Button("cmdGo")->click();
    QCOMPARE(f.state.ResultTags, kWorkedExample);
}

void MainWindowRunTest::resultReplacedMidRunIsAppendedTo()
{
    MainWindowFixture f;
    f.Field("txtFor")->setText(QStringLiteral("abc"));
    WatchCaptions(f.window, [&](const QString& caption) {
        // What the edit window's send button does in the middle of a run.
        if (caption == QStringLiteral("Kelvara･･･処理中 - 0/3文字")) f.state.ResultTags = "X";
    });
    f.Button("cmdGo")->click();
    QCOMPARE(f.state.ResultTags, QStringLiteral("<FONT SIZE=\"3\" FACE=\"MS Pゴシック\">X"
                                                "<FONT COLOR=\"#0000FF\">c</FONT></FONT>"));
}

void MainWindowRunTest::closingDuringARunStopsItThenCloses()
{
    MainWindowFixture f;
    f.Field("txtFor")->setText(QStringLiteral("abcde"));
    QPointer<MainWindow> window = f.window;
    WatchCaptions(f.window, [&](const QString& caption) {
        // A close request arriving while the run is in its middle.
        if (caption == QStringLiteral("Kelvara･･･処理中 - 2/5文字")) window->close();
    });
    f.Button("cmdGo")->click();
    QCOMPARE(f.state.ResultTags, QStringLiteral("<FONT COLOR=\"#FF0000\">a</FONT>"
                                                "<FONT COLOR=\"#BF0040\">b</FONT>"));
    QTRY_VERIFY(window.isNull());
    QVERIFY(f.ReadFile("Lum.ini").contains("last=abcde"));
}

KELVARA_UI_TEST_MAIN(MainWindowRunTest)
#include "main_window_run_test.moc"
