// SPDX-License-Identifier: MIT
// The settings dialog: opening from the options, immediate check boxes mirrored on the toolbar,
// the pixel-size checks of OK, and closing with the close box.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <optional>

#include "kelvara/ui/main_window.h"
#include "kelvara/ui/settings_dialog.h"
#include "main_window_fixture.h"
#include "ui_test_main.h"
#include "window_test_support.h"

using namespace kelvara::ui;
using namespace kelvara::ui::test;
using namespace kelvara::ui::testing;
using kelvara::engine::OptionField;
Q_DECLARE_METATYPE(OptionField)

namespace {

const QString kNotANumber = QStringLiteral("ﾌｫﾝﾄｻｲｽﾞは数字で指定してね（＾＾；");
const QString kReversed = QStringLiteral("ﾌｫﾝﾄｻｲｽﾞの大小が逆だよ");
const QString kNegative = QStringLiteral("ﾌｫﾝﾄｻｲｽﾞは正数で！");
const QString kTooLarge = QStringLiteral("ﾌｫﾝﾄｻｲｽﾞが大きすぎます。");

}  // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensOnTheFirstTabWithThePageInFront();
    void listsFontsAndSizes();
    void fillsControlsFromTheOptions();
    void keepsTheMainWindowDisabledWhileOpen();
    void readsTopmostAtLoad();

    void checkBoxesWriteAtOnceAndMirrorTheToolbar_data();
    void checkBoxesWriteAtOnceAndMirrorTheToolbar();
    void middleColourBoxDrivesTheColourCount();
    void superscriptAndSubscriptLockEachOther();
    void subscriptStoredAtOpeningLocksSuperscript();
    void bothStoredAtOpeningLockBoth();
    void valuesTheControlsCannotShowAreLeftAlone();

    void sizeModesSetTheEnabling();
    void sizeModeStoredAtOpeningIsSelected();

    void okChecksThePixelSizes_data();
    void okChecksThePixelSizes();
    void okTakesTheBaseSizeAndFace_data();
    void okTakesTheBaseSizeAndFace();
    void okSetsTheSendButtonAndMiddleColour_data();
    void okSetsTheSendButtonAndMiddleColour();

    void closeBoxKeepsImmediateChangesOnly();

private:
    SettingsDialog* Open() { return m_app->forms->Show<SettingsDialog>(); }
    kelvara::engine::TagOptions& Options() { return m_app->state.TagOptions; }
    MainWindow* Main() { return m_app->forms->Find<MainWindow>(); }
    QAbstractButton* Toggle(int index) { return Main()->chkBtn(index); }
    QString SizeCaption() { return Find<QLabel>(Main(), QStringLiteral("lblSize"))->text(); }

    std::optional<ProgramFixture> m_app;
};

void SettingsDialogTest::initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

void SettingsDialogTest::init()
{
    m_app.emplace();
    // The options a fresh start would hold, with the toolbar in line with them.
    Options().h_NFontSize = 3;
    Options().h_FontFace = u"MS Pゴシック";
    Options().h_ColorCount = 2;
    Options().h_MaxFontSize = 30;
    Options().h_MinFontSize = 8;
    Toggle(12)->setChecked(false);
}

void SettingsDialogTest::cleanup() { m_app.reset(); }

void SettingsDialogTest::opensOnTheFirstTabWithThePageInFront()
{
    SettingsDialog* dialog = Open();
    auto* tabs = Find<QTabBar>(dialog, QStringLiteral("TabStrip1"));
    QCOMPARE(tabs->count(), 5);  // the fifth, "出力", has tests of its own
    QCOMPARE(tabs->tabText(0), QStringLiteral("ﾃｷｽﾄ"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("ﾌｫﾝﾄ"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("色"));
    QCOMPARE(tabs->tabText(3), QStringLiteral("その他"));
    QCOMPARE(tabs->currentIndex(), 0);

    // A point every page covers shows the selected tab's page; the others stay unhidden.
    const QPoint inside = Find<QFrame>(dialog, QStringLiteral("Frame6(0)"))->geometry().center();
    QCOMPARE(PageAt(dialog, inside), Find<QFrame>(dialog, QStringLiteral("Frame6(0)")));
    for (int tab : {2, 1, 3, 0}) {
        tabs->setCurrentIndex(tab);
        QCOMPARE(PageAt(dialog, inside)->objectName(), QStringLiteral("Frame6(%1)").arg(tab));
        for (int page = 0; page < 4; ++page) {
            QVERIFY(!Find<QFrame>(dialog, QStringLiteral("Frame6(%1)").arg(page))->isHidden());
        }
    }
    // The row of tabs stays above every page, so each tab can still be clicked.
    for (int tab = 0; tab < 4; ++tab) {
        QCOMPARE(dialog->childAt(tabs->pos() + tabs->tabRect(tab).center()), tabs);
    }
}

void SettingsDialogTest::listsFontsAndSizes()
{
    SettingsDialog* dialog = Open();
    auto* fonts = Find<QComboBox>(dialog, QStringLiteral("cmbFont"));
    QStringList listed;
    for (int i = 0; i < fonts->count(); ++i) listed << fonts->itemText(i);
    // Every family the platform reports is there, under its plain name.
    for (const QString& family : QFontDatabase::families()) {
        QVERIFY2(listed.contains(family.section(QStringLiteral(" ["), 0, 0)), qPrintable(family));
    }

    auto* sizes = Find<QComboBox>(dialog, QStringLiteral("cmbSize"));
    QStringList sizeItems;
    for (int i = 0; i < sizes->count(); ++i) sizeItems << sizes->itemText(i);
    QCOMPARE(sizeItems, QStringList({"1", "2", "3", "4", "5", "6", "7"}));
    QVERIFY(sizes->isEditable());
    QVERIFY(fonts->isEditable());
}

void SettingsDialogTest::fillsControlsFromTheOptions()
{
    Options().h_FontFace = u"どこにもない書体";
    Options().h_NFontSize = 9;  // outside the list: shown as typed, not as its first entry
    Options().h_MaxFontSize = 40;
    Options().h_MinFontSize = -3;
    SettingsDialog* dialog = Open();
    QCOMPARE(Find<QComboBox>(dialog, QStringLiteral("cmbFont"))->currentText(),
             QStringLiteral("どこにもない書体"));
    QCOMPARE(Find<QComboBox>(dialog, QStringLiteral("cmbSize"))->currentText(),
             QStringLiteral("9"));
    QCOMPARE(Find<QLineEdit>(dialog, QStringLiteral("txtMaxMin(0)"))->text(), QStringLiteral("40"));
    QCOMPARE(Find<QLineEdit>(dialog, QStringLiteral("txtMaxMin(1)"))->text(), QStringLiteral("-3"));
    QVERIFY(Find<QRadioButton>(dialog, QStringLiteral("optFont(0)"))->isChecked());
    QVERIFY(!Find<QLineEdit>(dialog, QStringLiteral("txtMaxMin(0)"))->isEnabled());
    QVERIFY(Find<QComboBox>(dialog, QStringLiteral("cmbSize"))->isEnabled());
}

void SettingsDialogTest::keepsTheMainWindowDisabledWhileOpen()
{
    CheckMainWindowWhileOpen(
        *m_app->forms, true, [this] { return Open(); },
        [](QWidget* dialog) {
            QTest::mouseClick(Find<QPushButton>(dialog, QStringLiteral("cmdOK")), Qt::LeftButton);
        });
}

void SettingsDialogTest::readsTopmostAtLoad()
{
    CheckTopmostAtLoad(Main(), [this] { return Open(); });
}

void SettingsDialogTest::checkBoxesWriteAtOnceAndMirrorTheToolbar_data()
{
    using kelvara::engine::TagOptions;
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("toggle");  // 0: no toolbar toggle
    QTest::addColumn<OptionField>("field");
    QTest::newRow("bold") << "chkBold" << 2 << &TagOptions::h_BoldFlag;
    QTest::newRow("underline") << "chkUnder" << 3 << &TagOptions::h_UnderFlag;
    QTest::newRow("strike") << "chkNot" << 4 << &TagOptions::h_NotFlag;
    QTest::newRow("superscript") << "chkUp" << 5 << &TagOptions::h_UpFlag;
    QTest::newRow("subscript") << "chkSub" << 6 << &TagOptions::h_SubFlag;
    QTest::newRow("italic") << "chkItalic" << 7 << &TagOptions::h_ItalicFlag;
    QTest::newRow("centre") << "chkCenter" << 8 << &TagOptions::h_Centerflag;
    QTest::newRow("vertical") << "chkTate" << 9 << &TagOptions::h_styleflag;
    QTest::newRow("marquee") << "chkmarquee" << 10 << &TagOptions::h_marqueeFlag;
    QTest::newRow("blink") << "chkblink" << 11 << &TagOptions::h_BlinkFlag;
    QTest::newRow("show result") << "Check1" << 0 << &TagOptions::h_textflag;
    QTest::newRow("send at once") << "chkInstant" << 0 << &TagOptions::h_instantflag;
}

void SettingsDialogTest::checkBoxesWriteAtOnceAndMirrorTheToolbar()
{
    QFETCH(QString, box);
    QFETCH(int, toggle);
    QFETCH(OptionField, field);

    SettingsDialog* dialog = Open();
    auto* check = Find<QCheckBox>(dialog, box);
    QVERIFY(!check->isChecked());
    QCOMPARE(Options().*field, 0);

    check->click();
    QCOMPARE(Options().*field, 1);
    if (toggle != 0) QVERIFY(Toggle(toggle)->isChecked());

    check->click();
    QCOMPARE(Options().*field, 0);
    if (toggle != 0) QVERIFY(!Toggle(toggle)->isChecked());
}

void SettingsDialogTest::middleColourBoxDrivesTheColourCount()
{
    auto* menu = Find<QAction>(Main(), QStringLiteral("mnuMidColor"));
    menu->setEnabled(false);
    SettingsDialog* dialog = Open();
    auto* middle = Find<QCheckBox>(dialog, QStringLiteral("chkMColor"));

    middle->click();
    QCOMPARE(Options().h_ColorCount, 3);
    QVERIFY(Toggle(12)->isChecked());
    QVERIFY(Find<QWidget>(Main(), QStringLiteral("cmdMid"))->isEnabledTo(Main()));
    QVERIFY(Find<QWidget>(Main(), QStringLiteral("txtCmid"))->isEnabledTo(Main()));
    QVERIFY(!menu->isEnabled());  // the menu item follows only on OK

    middle->click();
    QCOMPARE(Options().h_ColorCount, 2);
    QVERIFY(!Toggle(12)->isChecked());
    QVERIFY(!Find<QWidget>(Main(), QStringLiteral("cmdMid"))->isEnabledTo(Main()));
}

void SettingsDialogTest::superscriptAndSubscriptLockEachOther()
{
    SettingsDialog* dialog = Open();
    auto* up = Find<QCheckBox>(dialog, QStringLiteral("chkUp"));
    auto* sub = Find<QCheckBox>(dialog, QStringLiteral("chkSub"));

    sub->click();
    QVERIFY(!up->isEnabled());
    QVERIFY(!Toggle(5)->isEnabledTo(Main()));
    QVERIFY(!up->isChecked());
    QCOMPARE(Options().h_UpFlag, 0);
    sub->click();
    QVERIFY(up->isEnabled());
    QVERIFY(Toggle(5)->isEnabledTo(Main()));

    up->click();
    QVERIFY(!sub->isEnabled());
    QVERIFY(!Toggle(6)->isEnabledTo(Main()));
    QCOMPARE(Options().h_SubFlag, 0);
    up->click();
    QVERIFY(sub->isEnabled());
    QVERIFY(Toggle(6)->isEnabledTo(Main()));
}

void SettingsDialogTest::subscriptStoredAtOpeningLocksSuperscript()
{
    Options().h_SubFlag = 1;
    SettingsDialog* dialog = Open();
    QVERIFY(Find<QCheckBox>(dialog, QStringLiteral("chkSub"))->isChecked());
    QVERIFY(!Find<QCheckBox>(dialog, QStringLiteral("chkUp"))->isEnabled());
    QVERIFY(Toggle(6)->isChecked());
    QVERIFY(!Toggle(5)->isEnabledTo(Main()));
}

void SettingsDialogTest::bothStoredAtOpeningLockBoth()
{
    Options().h_SubFlag = 1;
    Options().h_UpFlag = 1;
    SettingsDialog* dialog = Open();
    for (const char* name : {"chkSub", "chkUp"}) {
        auto* box = Find<QCheckBox>(dialog, QLatin1String(name));
        QVERIFY(box->isChecked());
        QVERIFY(!box->isEnabled());
    }
    QCOMPARE(Options().h_SubFlag, 1);
    QCOMPARE(Options().h_UpFlag, 1);
}

void SettingsDialogTest::valuesTheControlsCannotShowAreLeftAlone()
{
    Options().h_BoldFlag = 2;
    Options().h_BlinkFlag = -1;
    Options().h_ColorCount = 0;
    Options().h_fontflag = 7;
    SettingsDialog* dialog = Open();
    QVERIFY(!Find<QCheckBox>(dialog, QStringLiteral("chkBold"))->isChecked());
    QVERIFY(!Find<QCheckBox>(dialog, QStringLiteral("chkMColor"))->isChecked());
    dialog->close();
    QCOMPARE(Options().h_BoldFlag, 2);
    QCOMPARE(Options().h_BlinkFlag, -1);
    QCOMPARE(Options().h_ColorCount, 0);
    QCOMPARE(Options().h_fontflag, 7);

    // A real change by the user does write the field.
    FlushDeletes();
    Find<QCheckBox>(Open(), QStringLiteral("chkBold"))->click();
    QCOMPARE(Options().h_BoldFlag, 1);
}

void SettingsDialogTest::sizeModesSetTheEnabling()
{
    SettingsDialog* dialog = Open();
    auto* maximum = Find<QLineEdit>(dialog, QStringLiteral("txtMaxMin(0)"));
    auto* minimum = Find<QLineEdit>(dialog, QStringLiteral("txtMaxMin(1)"));
    auto* base = Find<QComboBox>(dialog, QStringLiteral("cmbSize"));

    const struct {
        int mode;
        bool pixelRange;
        bool baseSize;
    } expected[] = {
        {3, true, false}, {1, false, false}, {4, true, false}, {2, false, false}, {0, false, true}};
    for (const auto& step : expected) {
        Find<QRadioButton>(dialog, QStringLiteral("optFont(%1)").arg(step.mode))->click();
        QCOMPARE(Options().h_fontflag, step.mode);
        QCOMPARE(maximum->isEnabled(), step.pixelRange);
        QCOMPARE(minimum->isEnabled(), step.pixelRange);
        QCOMPARE(base->isEnabled(), step.baseSize);
    }
}

void SettingsDialogTest::sizeModeStoredAtOpeningIsSelected()
{
    Options().h_fontflag = 4;
    SettingsDialog* dialog = Open();
    QVERIFY(Find<QRadioButton>(dialog, QStringLiteral("optFont(4)"))->isChecked());
    QVERIFY(!Find<QRadioButton>(dialog, QStringLiteral("optFont(0)"))->isChecked());
    QVERIFY(Find<QLineEdit>(dialog, QStringLiteral("txtMaxMin(0)"))->isEnabled());
    QVERIFY(!Find<QComboBox>(dialog, QStringLiteral("cmbSize"))->isEnabled());
}

void SettingsDialogTest::okChecksThePixelSizes_data()
{
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<QString>("message");  // empty: accepted
    QTest::addColumn<int>("storedMaximum");
    QTest::addColumn<int>("storedMinimum");

    QTest::newRow("equal") << "20"
                           << "20" << QString() << 20 << 20;
    QTest::newRow("zero") << "0"
                          << "0" << QString() << 0 << 0;
    QTest::newRow("half down to even") << "12.5"
                                       << "10" << QString() << 12 << 10;
    QTest::newRow("half up to even") << "13.5"
                                     << "10" << QString() << 14 << 10;
    QTest::newRow("blanks around") << " 15 "
                                   << "+3" << QString() << 15 << 3;
    QTest::newRow("largest") << "32767.4"
                             << "0" << QString() << 32767 << 0;
    QTest::newRow("reversed") << "10"
                              << "20" << kReversed << 30 << 8;
    QTest::newRow("order checked first") << "-5"
                                         << "-1" << kReversed << 30 << 8;
    QTest::newRow("negative") << "-1"
                              << "-5" << kNegative << 30 << 8;
    QTest::newRow("empty maximum") << ""
                                   << "5" << kNotANumber << 30 << 8;
    QTest::newRow("letters minimum") << "20"
                                     << "abc" << kNotANumber << 30 << 8;
    QTest::newRow("trailing letters") << "20px"
                                      << "5" << kNotANumber << 30 << 8;
    QTest::newRow("exponent") << "1e2"
                              << "5" << kNotANumber << 30 << 8;
    QTest::newRow("too large") << "40000"
                               << "10" << kTooLarge << 30 << 8;
    QTest::newRow("rounds past the top") << "32767.5"
                                         << "10" << kTooLarge << 30 << 8;
}

void SettingsDialogTest::okChecksThePixelSizes()
{
    QFETCH(QString, maximum);
    QFETCH(QString, minimum);
    QFETCH(QString, message);
    QFETCH(int, storedMaximum);
    QFETCH(int, storedMinimum);

    Options().h_fontflag = 3;
    QPointer<SettingsDialog> dialog = Open();
    auto* maxField = Find<QLineEdit>(dialog, QStringLiteral("txtMaxMin(0)"));
    auto* minField = Find<QLineEdit>(dialog, QStringLiteral("txtMaxMin(1)"));
    maxField->setText(maximum);
    minField->setText(minimum);
    minField->setFocus();
    Find<QComboBox>(dialog, QStringLiteral("cmbSize"))->setEditText(QStringLiteral("6"));
    Find<QComboBox>(dialog, QStringLiteral("cmbFont"))->setEditText(QStringLiteral("IPAGothic"));

    Find<QPushButton>(dialog, QStringLiteral("cmdOK"))->click();

    QCOMPARE(Options().h_MaxFontSize, storedMaximum);
    QCOMPARE(Options().h_MinFontSize, storedMinimum);
    if (message.isEmpty()) {
        QVERIFY(m_app->messages.isEmpty());
        QCOMPARE(Options().h_NFontSize, 6);
        QVERIFY(Main()->isEnabled());
        FlushDeletes();
        QVERIFY(dialog.isNull());
    } else {
        QCOMPARE(m_app->messages, QStringList{message});
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->focusWidget(), maxField);
        QVERIFY(!Main()->isEnabled());
        QCOMPARE(Options().h_NFontSize, 3);  // nothing else is taken either
        QVERIFY(Options().h_FontFace == u"MS Pゴシック");
    }
}

void SettingsDialogTest::okTakesTheBaseSizeAndFace_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("storedSize");
    QTest::addColumn<QString>("storedFace");

    QTest::newRow("from the list") << "5"
                                   << "IPAGothic" << 5 << "IPAGothic";
    QTest::newRow("letters give 0") << "abc"
                                    << "IPAGothic" << 0 << "IPAGothic";
    QTest::newRow("leading number") << "5abc"
                                    << "IPAGothic" << 5 << "IPAGothic";
    QTest::newRow("half to even") << "2.5"
                                  << "x" << 2 << "x";
    QTest::newRow("saturates") << "99999"
                               << "x" << 32767 << "x";
    QTest::newRow("empty face") << "4"
                                << "" << 4 << "MS Pゴシック";
}

void SettingsDialogTest::okTakesTheBaseSizeAndFace()
{
    QFETCH(QString, size);
    QFETCH(QString, face);
    QFETCH(int, storedSize);
    QFETCH(QString, storedFace);

    SettingsDialog* dialog = Open();
    Find<QComboBox>(dialog, QStringLiteral("cmbSize"))->setEditText(size);
    Find<QComboBox>(dialog, QStringLiteral("cmbFont"))->setEditText(face);
    Find<QPushButton>(dialog, QStringLiteral("cmdOK"))->click();

    QVERIFY(m_app->messages.isEmpty());
    QCOMPARE(Options().h_NFontSize, storedSize);
    QCOMPARE(kelvara::ui::ToQString(Options().h_FontFace), storedFace);
    QVERIFY(SizeCaption().contains(QStringLiteral("文字ｻｲｽﾞ：%1").arg(storedSize)));
    QVERIFY(SizeCaption().contains(storedFace));
}

void SettingsDialogTest::okSetsTheSendButtonAndMiddleColour_data()
{
    QTest::addColumn<int>("instant");
    QTest::addColumn<int>("colorCount");
    QTest::newRow("send at once, two colours") << 1 << 2;
    QTest::newRow("send by hand, three colours") << 0 << 3;
}

void SettingsDialogTest::okSetsTheSendButtonAndMiddleColour()
{
    QFETCH(int, instant);
    QFETCH(int, colorCount);
    const bool middle = colorCount == 3;
    Options().h_instantflag = static_cast<std::int16_t>(instant);
    Options().h_ColorCount = static_cast<std::int16_t>(colorCount);
    auto* send = Find<QWidget>(Main(), QStringLiteral("cmdSend"));
    auto* menu = Find<QAction>(Main(), QStringLiteral("mnuMidColor"));
    send->setVisible(instant == 1);  // the opposite of what OK must leave
    menu->setEnabled(!middle);

    Find<QPushButton>(Open(), QStringLiteral("cmdOK"))->click();

    QCOMPARE(send->isHidden(), instant == 1);
    QCOMPARE(menu->isEnabled(), middle);
    QCOMPARE(Find<QWidget>(Main(), QStringLiteral("txtCmid"))->isEnabledTo(Main()), middle);
    QCOMPARE(Find<QWidget>(Main(), QStringLiteral("cmdMid"))->isEnabledTo(Main()), middle);
}

void SettingsDialogTest::closeBoxKeepsImmediateChangesOnly()
{
    auto* menu = Find<QAction>(Main(), QStringLiteral("mnuMidColor"));
    menu->setEnabled(false);
    Options().h_NFontSize = 5;  // not yet on the caption: closing must refresh it
    QVERIFY(!SizeCaption().contains(QStringLiteral("文字ｻｲｽﾞ：5")));

    SettingsDialog* dialog = Open();
    Find<QCheckBox>(dialog, QStringLiteral("chkMColor"))->click();
    Find<QCheckBox>(dialog, QStringLiteral("chkInstant"))->click();
    Find<QLineEdit>(dialog, QStringLiteral("txtMaxMin(0)"))->setText(QStringLiteral("99"));
    Find<QComboBox>(dialog, QStringLiteral("cmbFont"))->setEditText(QStringLiteral("IPAGothic"));
    dialog->close();

    QCOMPARE(Options().h_ColorCount, 3);
    QCOMPARE(Options().h_instantflag, 1);
    QVERIFY(Find<QWidget>(Main(), QStringLiteral("cmdMid"))->isEnabledTo(Main()));
    QVERIFY(Find<QWidget>(Main(), QStringLiteral("txtCmid"))->isEnabledTo(Main()));
    QVERIFY(!menu->isEnabled());
    QVERIFY(!Find<QWidget>(Main(), QStringLiteral("cmdSend"))->isHidden());
    QCOMPARE(Options().h_MaxFontSize, 30);
    QVERIFY(Options().h_FontFace == u"MS Pゴシック");
    QVERIFY(Main()->isEnabled());
    QVERIFY(SizeCaption().contains(QStringLiteral("文字ｻｲｽﾞ：5")));
}

KELVARA_UI_TEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
