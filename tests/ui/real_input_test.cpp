// SPDX-License-Identifier: MIT
// The windows driven as a user drives them: the window has the keyboard focus, and buttons,
// fields and combo boxes get real mouse clicks and key presses (never click() or setText()).
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>

#include "kelvara/ui/palette_dialog.h"
#include "kelvara/ui/settings_dialog.h"
#include "kelvara/ui/version_window.h"
#include "main_window_fixture.h"
#include "ui_test_main.h"
#include "window_test_support.h"

using namespace kelvara::ui;
using namespace kelvara::ui::test;
using namespace kelvara::ui::testing;

namespace {

const QString kThirdOfFive = QStringLiteral("Kelvara･･･処理中 - 2/5文字");

void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }

// Clicks a field, selects its whole text with the keyboard and types over it.
void TypeInto(QWidget* field, const QString& text)
{
    Click(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

// Runs handler once for the caption seen when three of five characters are left to do.
void AtThirdCharacter(MainWindow* window, const std::function<void()>& handler)
{
    QObject::connect(window, &MainWindow::captionChanged, window, [handler](const QString& c) {
        if (c == kThirdOfFive) handler();
    });
}

// What a window manager sends when the user closes a window from its title bar.
void CloseFromTitleBar(QWidget* window)
{
    QCloseEvent close;
    QApplication::sendEvent(window->windowHandle(), &close);
}

}  // namespace

class RealInputTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void typingAfterAMouseRunGoesWhereTheFocusWas();
    void stopWithTheMouseLeavesThePageAndTheFocus();
    void leavingTheBackgroundDuringARunStillRewritesThePage();
    void keyboardRunKeepsTheFocusOnTheButton();
    void toolbarTogglesByMouseSetTheirOptionAndGiveBackTheFocus();
    void leavingColourFieldsByMouseAndTab();
    void disabledMainWindowIgnoresACloseRequest_data();
    void disabledMainWindowIgnoresACloseRequest();
    void typedFontFaceIsStoredAsTyped();
    void fontListHasNoFoundrySuffixes();
    void longPasteIsKeptWholeAndRefusedByTheRun();
};

void RealInputTest::typingAfterAMouseRunGoesWhereTheFocusWas()
{
    MainWindowFixture f;
    QVERIFY(Activate(f.window));
    TypeInto(f.Field("txtFor"), QStringLiteral("abcde"));
    Click(f.Button("cmdGo"));
    QCOMPARE(f.state.ResultTags.count(QStringLiteral("<FONT COLOR")), 5);
    QCOMPARE(QApplication::focusWidget(), f.Button("cmdGo"));

    // Typing goes to the button, not into the background field below the closed view.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("zz"));
    QCOMPARE(f.Field("txtBack")->text(), QStringLiteral("FFFFFF"));
    f.window->close();
    QVERIFY(f.ReadFile("Lum.ini").contains("Back=FFFFFF"));
}

void RealInputTest::stopWithTheMouseLeavesThePageAndTheFocus()
{
    MainWindowFixture f;
    QVERIFY(Activate(f.window));
    Click(f.Button("cmdClear"));
    const QByteArray page = f.Page();
    QCOMPARE(page, QByteArray("<BODY BGCOLOR=\"#FFFFFF\">\r\n"));
    TypeInto(f.Field("txtFor"), QStringLiteral("abcde"));
    QWidget* focusDuringRun = nullptr;
    bool stopped = false;
    AtThirdCharacter(f.window, [&] {
        if (stopped) return;
        stopped = true;
        focusDuringRun = QApplication::focusWidget();
        Click(f.Button("cmdStop"));
    });

    Click(f.Button("cmdGo"));
    QCOMPARE(f.state.ResultTags.count(QStringLiteral("<FONT COLOR")), 2);
    QVERIFY(focusDuringRun == nullptr || focusDuringRun == f.Button("cmdGo"));
    QCOMPARE(f.Page(), page);
    QCOMPARE(QApplication::focusWidget(), f.Button("cmdGo"));

    // Space now presses the execute button again; it does not end the program.
    QPointer<MainWindow> window = f.window;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    FlushDeletes();
    QVERIFY(!window.isNull());
    QCOMPARE(f.state.ResultTags.count(QStringLiteral("<FONT COLOR")), 5);
}

void RealInputTest::leavingTheBackgroundDuringARunStillRewritesThePage()
{
    MainWindowFixture f;
    QVERIFY(Activate(f.window));
    Click(f.Button("cmdView"));
    Click(f.Button("cmdClear"));
    TypeInto(f.Field("txtFor"), QStringLiteral("abcde"));
    AtThirdCharacter(f.window, [&] {
        TypeInto(f.Field("txtBack"), QStringLiteral("000000"));
        Click(f.Button("cmdStop"));  // the user's own move out of the field
    });

    Click(f.Button("cmdGo"));
    QCOMPARE(f.Page(), ShiftJis(QStringLiteral("<BODY BGCOLOR=\"#000000\" > ") +
                                f.state.ResultTags + "\r\n"));
    QCOMPARE(f.state.ResultTags.count(QStringLiteral("<FONT COLOR")), 2);
    QCOMPARE(SwatchColor(f.Find("Picture3")), QColor(Qt::black));
}

void RealInputTest::keyboardRunKeepsTheFocusOnTheButton()
{
    MainWindowFixture f;
    QVERIFY(Activate(f.window));
    TypeInto(f.Field("txtFor"), QStringLiteral("abcde"));
    f.Button("cmdGo")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f.Button("cmdGo"), Qt::Key_Space);
    QCOMPARE(f.state.ResultTags.count(QStringLiteral("<FONT COLOR")), 5);
    QCOMPARE(QApplication::focusWidget(), f.Button("cmdGo"));
    QCOMPARE(f.Field("txtFor")->text(), QStringLiteral("abcde"));
}

void RealInputTest::toolbarTogglesByMouseSetTheirOptionAndGiveBackTheFocus()
{
    MainWindowFixture f;
    QVERIFY(Activate(f.window));
    TypeInto(f.Field("txtFor"), QStringLiteral("ab"));
    Click(f.window->chkBtn(5));  // superscript
    QVERIFY(f.window->chkBtn(5)->isChecked());
    QVERIFY(!f.window->chkBtn(6)->isEnabled());  // subscript is locked out, not cleared
    QCOMPARE(QApplication::focusWidget(), f.Field("txtFor"));
    Click(f.window->chkBtn(12));  // middle colour on and off again
    QVERIFY(f.Button("cmdMid")->isEnabled());
    QCOMPARE(f.state.TagOptions.h_ColorCount, 3);
    Click(f.window->chkBtn(12));
    QVERIFY(!f.Button("cmdMid")->isEnabled());
    QCOMPARE(f.state.TagOptions.h_ColorCount, 2);
    Click(f.Button("cmdGo"));
    QVERIFY(f.state.ResultTags.startsWith(QStringLiteral("<SUP>")));

    Click(f.window->chkBtn(5));
    QVERIFY(f.window->chkBtn(6)->isEnabled());
    QCOMPARE(f.state.TagOptions.h_UpFlag, 0);
}

void RealInputTest::leavingColourFieldsByMouseAndTab()
{
    MainWindowFixture f;
    QVERIFY(Activate(f.window));
    Click(f.Button("cmdView"));

    TypeInto(f.Field("txtCfor"), QStringLiteral("ff8000"));
    QCOMPARE(SwatchColor(f.Find("Picture1")), QColor(255, 0, 0));  // typing alone: no change
    Click(f.Field("txtFor"));
    QCOMPARE(SwatchColor(f.Find("Picture1")), QColor(255, 128, 0));
    QCOMPARE(f.Field("txtCfor")->text(), QStringLiteral("ff8000"));

    TypeInto(f.Field("txtClat"), QStringLiteral("00ff00"));
    QTest::keyClick(f.Field("txtClat"), Qt::Key_Tab);
    QVERIFY(!f.Field("txtClat")->hasFocus());
    QCOMPARE(SwatchColor(f.Find("Picture2")), QColor(0, 255, 0));

    QVERIFY(!QFile::exists(f.Path("temp.html")));
    TypeInto(f.Field("txtBack"), QStringLiteral("000000"));
    QVERIFY(!QFile::exists(f.Path("temp.html")));
    Click(f.Field("txtFor"));
    QCOMPARE(SwatchColor(f.Find("Picture3")), QColor(Qt::black));
    QCOMPARE(f.Page(), QByteArray("<BODY BGCOLOR=\"#000000\" > \r\n"));

    // Opening a menu does not leave the field.
    Click(f.Field("txtBack"));
    QFile::remove(f.Path("temp.html"));
    QTest::keyClick(f.window, Qt::Key_S, Qt::AltModifier);
    QVERIFY(QApplication::activePopupWidget() != nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), f.Field("txtBack"));
    QVERIFY(!QFile::exists(f.Path("temp.html")));
}

void RealInputTest::disabledMainWindowIgnoresACloseRequest_data()
{
    QTest::addColumn<QString>("opener");
    QTest::newRow("palette") << "cmdLColor";
    QTest::newRow("settings dialog") << "cmdBtn(7)";
    QTest::newRow("version window") << "mnuVersion";
}

void RealInputTest::disabledMainWindowIgnoresACloseRequest()
{
    QFETCH(QString, opener);
    MainWindowFixture f;
    QVERIFY(Activate(f.window));
    if (opener.startsWith(QLatin1String("mnu"))) {
        f.Action(opener)->trigger();
    } else {
        Click(f.Button(opener));
    }
    QVERIFY(!f.window->isEnabled());
    QPointer<MainWindow> window = f.window;

    CloseFromTitleBar(f.window);
    FlushDeletes();
    QVERIFY(!window.isNull());
    QVERIFY(window->isVisible());
    QCOMPARE(f.ReadFile("Lum.ini"), ShiftJis(StandardIni()));

    // The secondary window still works on the main window, and closes as usual.
    if (PaletteDialog* palette = f.forms->Find<PaletteDialog>()) {
        Click(palette->findChild<QWidget*>("Picture2(21)"));
        Click(palette->findChild<QPushButton*>("cmdOK"));
        QCOMPARE(f.Field("txtCfor")->text(), QStringLiteral("555555"));
    } else if (SettingsDialog* settings = f.forms->Find<SettingsDialog>()) {
        Click(settings->findChild<QPushButton*>("cmdOK"));
    } else {
        Click(f.forms->Find<VersionWindow>()->findChild<QPushButton*>("cmdOK"));
    }
    QVERIFY(window->isEnabled());
    CloseFromTitleBar(f.window);
    QTRY_VERIFY(window.isNull());
}

void RealInputTest::typedFontFaceIsStoredAsTyped()
{
    MainWindowFixture f;
    QVERIFY(Activate(f.window));
    Click(f.Find("cmdBtn(7)"));
    SettingsDialog* dialog = f.forms->Find<SettingsDialog>();
    QVERIFY(dialog);
    QVERIFY(Activate(dialog));
    auto* fonts = dialog->findChild<QComboBox*>("cmbFont");
    QVERIFY(fonts->count() > 0);

    // The start of a listed family, in the list's case and in lower case.
    const QString listed = fonts->itemText(0);
    for (const QString& typed :
         {listed.left(std::max<qsizetype>(1, listed.size() - 2)), listed.left(3).toLower()}) {
        TypeInto(fonts->lineEdit(), typed);
        QCOMPARE(fonts->currentText(), typed);
        QTest::keyClick(fonts->lineEdit(), Qt::Key_Return);
        QCOMPARE(fonts->currentText(), typed);
    }
    Click(dialog->findChild<QPushButton*>("cmdOK"));
    FlushDeletes();
    QCOMPARE(QString::fromStdU16String(f.state.TagOptions.h_FontFace), listed.left(3).toLower());
    QVERIFY(f.Find<QLabel>("lblSize")->text().endsWith(listed.left(3).toLower()));

    // The base size is not completed either.
    Click(f.Find("cmdBtn(7)"));
    dialog = f.forms->Find<SettingsDialog>();
    QVERIFY(Activate(dialog));
    TypeInto(dialog->findChild<QComboBox*>("cmbSize")->lineEdit(), QStringLiteral("7"));
    Click(dialog->findChild<QPushButton*>("cmdOK"));
    QCOMPARE(int{f.state.TagOptions.h_NFontSize}, 7);
}

void RealInputTest::fontListHasNoFoundrySuffixes()
{
    MainWindowFixture f;
    f.forms->Show<SettingsDialog>();
    auto* fonts = f.forms->Find<SettingsDialog>()->findChild<QComboBox*>("cmbFont");
    QStringList listed;
    for (int i = 0; i < fonts->count(); ++i) listed << fonts->itemText(i);

    // Every family the platform has, under the plain name a page would use, once each.
    QStringList expected;
    for (QString family : QFontDatabase::families()) {
        family.remove(QRegularExpression(QStringLiteral("\\s*\\[[^\\]]*\\]$")));
        if (!expected.contains(family)) expected << family;
    }
    QCOMPARE(listed, expected);
}

void RealInputTest::longPasteIsKeptWholeAndRefusedByTheRun()
{
    MessageCapture capture;
    MainWindowFixture f(StandardIni({{"Set", "h_instantflag", "1"}}));
    QVERIFY(Activate(f.window));
    Click(f.Button("cmdClear"));
    const QByteArray page = f.Page();

    const QString pasted(32768, QLatin1Char('a'));
    QGuiApplication::clipboard()->setText(pasted);
    Click(f.Field("txtFor"));
    QTest::keyClick(f.Field("txtFor"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.Field("txtFor")->text().size(), pasted.size());

    Click(f.Button("cmdGo"));
    QCOMPARE(capture.messages,
             QStringList{QStringLiteral("ﾃｷｽﾄは32767文字以内で入力して下さい。")});
    QCOMPARE(f.Field("txtFor")->text(), pasted);
    QCOMPARE(QGuiApplication::clipboard()->text(), pasted);
    QCOMPARE(f.Page(), page);

    // One character less runs.
    Click(f.Field("txtFor"));
    QTest::keyClick(f.Field("txtFor"), Qt::Key_End);
    QTest::keyClick(f.Field("txtFor"), Qt::Key_Backspace);
    Click(f.Button("cmdGo"));
    QCOMPARE(capture.messages.size(), 1);
    QCOMPARE(f.state.ResultTags.count(QStringLiteral("<FONT COLOR")), 32767);
}

KELVARA_UI_TEST_MAIN(RealInputTest)
#include "real_input_test.moc"
