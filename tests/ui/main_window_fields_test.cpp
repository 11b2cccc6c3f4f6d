// SPDX-License-Identifier: MIT
// Colour fields, the option toolbar and the settings kept from one start to the next.
#include <QColor>
#include <QLabel>

#include "main_window_fixture.h"
#include "ui_test_main.h"

using namespace kelvara::ui;
using namespace kelvara::ui::test;

class MainWindowFieldsTest : public QObject {
    Q_OBJECT
private slots:
    void swatchesAreColouredAtStartUp();
    void leavingAFieldColoursItsSwatch_data();
    void leavingAFieldColoursItsSwatch();
    void typingAloneChangesNothingButTheText();
    void leavingTheBackgroundRewritesThePage();
    void togglesWriteTheirFields();
    void superscriptAndSubscriptExcludeEachOtherByDisabling();
    void middleColourToggleEnablesTheMiddleField();
    void startUpFlagsOtherThanZeroOrOneLeaveTogglesReleased();
    void sizeButtonsStopAtOneAndSeven_data();
    void sizeButtonsStopAtOneAndSeven();
    void sizeStepsSaturateAtTheSixteenBitEnds();
    void settingsSurviveARestart();
};

void MainWindowFieldsTest::swatchesAreColouredAtStartUp()
{
    MainWindowFixture f(StandardIni({{"Color", "Mid", "ff8000"}, {"Color", "Back", "F"}}));
    QCOMPARE(SwatchColor(f.Find("Picture1")), QColor(255, 0, 0));
    QCOMPARE(SwatchColor(f.Find("Picture2")), QColor(0, 0, 255));
    QCOMPARE(SwatchColor(f.Find("Picture3")), QColor(15, 0, 15));
    QCOMPARE(SwatchColor(f.Find("Picture4")), QColor(255, 128, 0));
}

void MainWindowFieldsTest::leavingAFieldColoursItsSwatch_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("swatch");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("lower case") << "txtCfor"
                                << "Picture1"
                                << "ff8000" << QColor(255, 128, 0);
    QTest::newRow("empty") << "txtClat"
                           << "Picture2"
                           << "" << QColor(0, 0, 0);
    QTest::newRow("one digit") << "txtCfor"
                               << "Picture1"
                               << "F" << QColor(15, 0, 15);
    QTest::newRow("too long") << "txtClat"
                              << "Picture2"
                              << "12345678" << QColor(0x12, 0x34, 0x78);
    QTest::newRow("not hex") << "txtCfor"
                             << "Picture1"
                             << "GG0000" << QColor(0, 0, 0);
    QTest::newRow("background") << "txtBack"
                                << "Picture3"
                                << "000000" << QColor(0, 0, 0);
    QTest::newRow("middle") << "txtCmid"
                            << "Picture4"
                            << "FF0000" << QColor(255, 0, 0);
}

void MainWindowFieldsTest::leavingAFieldColoursItsSwatch()
{
    QFETCH(QString, field);
    QFETCH(QString, swatch);
    QFETCH(QString, text);
    QFETCH(QColor, colour);
    MainWindowFixture f(StandardIni({{"Set", "n", "3"}}));
    f.Button("cmdView")->click();  // the background row shows with the view
    f.TypeAndLeave(field, text);
    QCOMPARE(SwatchColor(f.Find(swatch)), colour);
    QCOMPARE(f.Field(field)->text(), text);
}

void MainWindowFieldsTest::typingAloneChangesNothingButTheText()
{
    MainWindowFixture f;
    QLineEdit* field = f.Field("txtCfor");
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClicks(field, "00FF00");
    QCOMPARE(SwatchColor(f.Find("Picture1")), QColor(255, 0, 0));
    QVERIFY(!QFile::exists(f.Path("temp.html")));
}

void MainWindowFieldsTest::leavingTheBackgroundRewritesThePage()
{
    MainWindowFixture f;
    f.Button("cmdView")->click();
    f.TypeAndLeave("txtBack", "ffffff");
    QCOMPARE(f.Page(), QByteArray("<BODY BGCOLOR=\"#ffffff\" > \r\n"));

    f.Field("txtFor")->setText("abc");
    f.Button("cmdGo")->click();
    f.TypeAndLeave("txtBack", "000000");
    QCOMPARE(f.Page(), ShiftJis("<BODY BGCOLOR=\"#000000\" > " + f.state.ResultTags + "\r\n"));
}

void MainWindowFieldsTest::togglesWriteTheirFields()
{
    MainWindowFixture f;
    const struct {
        int index;
        std::int16_t kelvara::engine::TagOptions::*field;
    } toggles[] = {
        {2, &kelvara::engine::TagOptions::h_BoldFlag},
        {3, &kelvara::engine::TagOptions::h_UnderFlag},
        {4, &kelvara::engine::TagOptions::h_NotFlag},
        {7, &kelvara::engine::TagOptions::h_ItalicFlag},
        {8, &kelvara::engine::TagOptions::h_Centerflag},
        {9, &kelvara::engine::TagOptions::h_styleflag},
        {10, &kelvara::engine::TagOptions::h_marqueeFlag},
        {11, &kelvara::engine::TagOptions::h_BlinkFlag},
    };
    for (const auto& toggle : toggles) {
        QAbstractButton* button = f.Button(QStringLiteral("chkBtn(%1)").arg(toggle.index));
        QCOMPARE(button, f.window->chkBtn(toggle.index));
        button->click();
        QCOMPARE(int{f.state.TagOptions.*toggle.field}, 1);
        QCOMPARE(QApplication::focusWidget(), f.Find("txtFor"));
        // Set from code, the change runs the same handling as a click.
        button->setChecked(false);
        QCOMPARE(int{f.state.TagOptions.*toggle.field}, 0);
    }
}

void MainWindowFieldsTest::superscriptAndSubscriptExcludeEachOtherByDisabling()
{
    MainWindowFixture f;
    f.window->chkBtn(5)->click();
    QCOMPARE(int{f.state.TagOptions.h_UpFlag}, 1);
    QVERIFY(!f.window->chkBtn(6)->isEnabled());
    QCOMPARE(int{f.state.TagOptions.h_SubFlag}, 0);
    f.window->chkBtn(5)->click();
    QVERIFY(f.window->chkBtn(6)->isEnabled());

    f.window->chkBtn(6)->click();
    QVERIFY(!f.window->chkBtn(5)->isEnabled());
    QCOMPARE(int{f.state.TagOptions.h_UpFlag}, 0);

    // Applied from the start as well.
    MainWindowFixture g(StandardIni({{"Font", "Up", "1"}}));
    QVERIFY(g.window->chkBtn(5)->isChecked());
    QVERIFY(!g.window->chkBtn(6)->isEnabled());
}

void MainWindowFieldsTest::middleColourToggleEnablesTheMiddleField()
{
    MainWindowFixture f;
    QVERIFY(!f.Field("txtCmid")->isEnabled());
    QVERIFY(!f.Button("cmdMid")->isEnabled());
    QVERIFY(!f.Action("mnuMidColor")->isEnabled());

    f.window->chkBtn(12)->click();
    QCOMPARE(int{f.state.TagOptions.h_ColorCount}, 3);
    QVERIFY(f.Field("txtCmid")->isEnabled());
    QVERIFY(f.Button("cmdMid")->isEnabled());
    QVERIFY(!f.Action("mnuMidColor")->isEnabled());  // only start-up and the dialog set it

    f.window->chkBtn(12)->click();
    QCOMPARE(int{f.state.TagOptions.h_ColorCount}, 2);
    QVERIFY(!f.Field("txtCmid")->isEnabled());
}

void MainWindowFieldsTest::startUpFlagsOtherThanZeroOrOneLeaveTogglesReleased()
{
    MainWindowFixture f(StandardIni({{"Font", "h_BoldFlag", "2"}, {"Else", "Blink", "1"}}));
    QVERIFY(!f.window->chkBtn(2)->isChecked());
    QCOMPARE(int{f.state.TagOptions.h_BoldFlag}, 2);
    QVERIFY(f.window->chkBtn(11)->isChecked());
    QCOMPARE(int{f.state.TagOptions.h_BlinkFlag}, 1);

    f.Restart();
    QCOMPARE(int{f.state.TagOptions.h_BoldFlag}, 2);
}

void MainWindowFieldsTest::sizeButtonsStopAtOneAndSeven_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("largerEnabled");
    QTest::addColumn<bool>("smallerEnabled");
    QTest::addColumn<int>("button");  // the step button clicked next
    QTest::addColumn<int>("stepped");
    QTest::addColumn<bool>("largerAfter");
    QTest::addColumn<bool>("smallerAfter");
    QTest::newRow("1") << 1 << true << false << 1 << 2 << true << true;
    QTest::newRow("2 down") << 2 << true << true << 2 << 1 << true << false;
    QTest::newRow("6 up") << 6 << true << true << 1 << 7 << false << true;
    QTest::newRow("7") << 7 << false << true << 2 << 6 << true << true;
    QTest::newRow("8") << 8 << true << true << 1 << 9 << false << true;
}

void MainWindowFieldsTest::sizeButtonsStopAtOneAndSeven()
{
    QFETCH(int, size);
    QFETCH(bool, largerEnabled);
    QFETCH(bool, smallerEnabled);
    QFETCH(int, button);
    QFETCH(int, stepped);
    QFETCH(bool, largerAfter);
    QFETCH(bool, smallerAfter);
    MainWindowFixture f(StandardIni({{"Font", "h_NFontSize", QString::number(size)}}));
    QAbstractButton* larger = f.Button("cmdBtn(1)");
    QAbstractButton* smaller = f.Button("cmdBtn(2)");
    QCOMPARE(larger->isEnabled(), largerEnabled);
    QCOMPARE(smaller->isEnabled(), smallerEnabled);
    QCOMPARE(f.Find<QLabel>("lblSize")->text(),
             QStringLiteral("文字ｻｲｽﾞ：%1\r\n ﾌｫﾝﾄ：MS Pゴシック").arg(size));

    (button == 1 ? larger : smaller)->click();
    QCOMPARE(int{f.state.TagOptions.h_NFontSize}, stepped);
    QCOMPARE(larger->isEnabled(), largerAfter);
    QCOMPARE(smaller->isEnabled(), smallerAfter);
    QCOMPARE(f.Find<QLabel>("lblSize")->text(),
             QStringLiteral("文字ｻｲｽﾞ：%1\r\n ﾌｫﾝﾄ：MS Pゴシック").arg(stepped));
}

void MainWindowFieldsTest::sizeStepsSaturateAtTheSixteenBitEnds()
{
    MainWindowFixture f;
    f.state.TagOptions.h_NFontSize = 32767;
    f.Button("cmdBtn(1)")->click();
    QCOMPARE(int{f.state.TagOptions.h_NFontSize}, 32767);

    f.state.TagOptions.h_NFontSize = -32768;
    f.Button("cmdBtn(2)")->click();
    QCOMPARE(int{f.state.TagOptions.h_NFontSize}, -32768);
    QCOMPARE(f.Find<QLabel>("lblSize")->text().section('\r', 0, 0),
             QStringLiteral("文字ｻｲｽﾞ：-32768"));
}

void MainWindowFieldsTest::settingsSurviveARestart()
{
    MainWindowFixture f{NoSettingsFile{}};
    f.Field("txtFor")->setText(QStringLiteral("グラデーション"));
    f.Field("txtCfor")->setText("ff8000");
    f.Field("txtCmid")->setText("00FF00");
    f.Field("txtClat")->setText("0000FF");
    f.Field("txtBack")->setText("000000");
    f.state.SavedColors[0] = "123456";
    f.state.TagOptions.h_FontFace = u"ＭＳ Ｐ明朝";
    f.state.TagOptions.h_NFontSize = 5;
    f.window->chkBtn(2)->click();
    f.window->chkBtn(12)->click();
    const kelvara::engine::TagOptions options = f.state.TagOptions;

    f.Restart();
    QCOMPARE(f.Field("txtFor")->text(), QStringLiteral("グラデーション"));
    QCOMPARE(f.Field("txtCfor")->text(), QStringLiteral("ff8000"));
    QCOMPARE(f.Field("txtCmid")->text(), QStringLiteral("00FF00"));
    QCOMPARE(f.Field("txtClat")->text(), QStringLiteral("0000FF"));
    QCOMPARE(f.Field("txtBack")->text(), QStringLiteral("000000"));
    QCOMPARE(f.state.SavedColors[0], QStringLiteral("123456"));
    QVERIFY(f.state.TagOptions == options);
    QVERIFY(f.window->chkBtn(2)->isChecked());
    QVERIFY(f.window->chkBtn(12)->isChecked());
    QVERIFY(f.Button("cmdMid")->isEnabled());
    QCOMPARE(SwatchColor(f.Find("Picture1")), QColor(255, 128, 0));
}

KELVARA_UI_TEST_MAIN(MainWindowFieldsTest)
#include "main_window_fields_test.moc"
