// SPDX-License-Identifier: MIT
// The settings dialog's "出力" page: its tab, filling from the shared state, the checks and the
// focus moves of OK, the swatches that open the palette on an extra stop, and the choices
// surviving a shut-down and a start through Lum.ini.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <optional>

#include "kelvara/engine/output_format.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/palette_dialog.h"
#include "kelvara/ui/platform.h"
#include "kelvara/ui/settings_dialog.h"
#include "main_window_fixture.h"
#include "places.h"
#include "ui_test_main.h"
#include "window_test_support.h"

using namespace kelvara::ui;
using namespace kelvara::ui::test;
using namespace kelvara::ui::testing;

namespace {

const QString kFitNotANumber = QStringLiteral("文字数の上限は数字で指定してね（＾＾；");
const QString kFitNotWhole = QStringLiteral("文字数の上限は整数で！");
const QString kFitTooSmall = QStringLiteral("文字数の上限は１以上で！");
const QString kFitTooLarge = QStringLiteral("文字数の上限が大きすぎます。");
const QString kBadStop = QStringLiteral("追加の色は16進数６桁（例：FF8000）で指定してね");

QString Stop(int k) { return QStringLiteral("txtStop(%1)").arg(k); }

}  // namespace

class SettingsOutputPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fifthTabFollowsTheFourAndShowsItsPage();
    void pageShowsTheClassicChoicesOnAFreshStart();
    void pageIsFilledFromTheState();
    void okTakesThePage();
    void closeBoxDropsThePage();
    void okRefusesAndFocusesTheField_data();
    void okRefusesAndFocusesTheField();
    void pixelSizesAreCheckedFirst();
    void limitIsLeftAloneForAFormatThatCannotMeetIt();
    void swatchOpensThePaletteOnItsStop();
    void paletteCancelLeavesTheStop();
    void choicesSurviveAShutDownAndAStart();
    void targetSetsFormatAndLimitAndSurvivesAStart_data();
    void targetSetsFormatAndLimitAndSurvivesAStart();
    void anotherFormatLeavesTheTargetAnotherLimitKeepsIt();

private:
    SettingsDialog* Open() { return m_app->forms->Show<kelvara::ui::SettingsDialog>(); }
    kelvara::settings::OutputSettings& Output() { return m_app->state.Output; }
    MainWindow* Main() { return m_app->forms->Find<kelvara::ui::MainWindow>(); }
    void ClickOK(QWidget* dialog)
    {
        QTest::mouseClick(Find<QPushButton>(dialog, QStringLiteral("cmdOK")), Qt::LeftButton);
    }

    std::optional<ProgramFixture> m_app;
};

void SettingsOutputPageTest::initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

void SettingsOutputPageTest::init()
{
    m_app.emplace();
    m_app->state.TagOptions.h_MaxFontSize = 30;
    m_app->state.TagOptions.h_MinFontSize = 8;
}

void SettingsOutputPageTest::cleanup() { m_app.reset(); }

void SettingsOutputPageTest::fifthTabFollowsTheFourAndShowsItsPage()
{
    SettingsDialog* dialog = Open();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    auto* tabs = Find<QTabBar>(dialog, QStringLiteral("TabStrip1"));
    QCOMPARE(tabs->count(), 5);
    QCOMPARE(tabs->tabText(4), QStringLiteral("出力"));

    auto* page = Find<QFrame>(dialog, QStringLiteral("Frame6(4)"));
    QCOMPARE(page->geometry(), Find<QFrame>(dialog, QStringLiteral("Frame6(3)"))->geometry());
    const QPoint inside = page->geometry().center();
    QVERIFY(PageAt(dialog, inside) != page);  // the dialog opens on the first tab
    tabs->setCurrentIndex(4);
    QCOMPARE(PageAt(dialog, inside), page);
    tabs->setCurrentIndex(3);
    QCOMPARE(PageAt(dialog, inside)->objectName(), QStringLiteral("Frame6(3)"));

    // Every tab lies inside the strip and can be clicked; the strip keeps its designed width.
    QCOMPARE(tabs->width(), kelvara::ui::Twips(5190));
    for (int tab = 0; tab < 5; ++tab) {
        QVERIFY(tabs->rect().contains(tabs->tabRect(tab)));
        QCOMPARE(dialog->childAt(tabs->pos() + tabs->tabRect(tab).center()), tabs);
    }
    // Every control of the page lies inside it.
    for (QWidget* control : page->findChildren<QWidget*>()) {
        if (!control->isWindow() && control->parentWidget() == page) {
            QVERIFY2(page->rect().contains(control->geometry()), qPrintable(control->objectName()));
        }
    }
}

void SettingsOutputPageTest::pageShowsTheClassicChoicesOnAFreshStart()
{
    SettingsDialog* dialog = Open();
    QCOMPARE(Find<QComboBox>(dialog, QStringLiteral("cmbFormat"))->currentText(),
             QStringLiteral("FONT ﾀｸﾞ"));
    QCOMPARE(Find<QComboBox>(dialog, QStringLiteral("cmbSpace"))->currentText(),
             QStringLiteral("RGB"));
    QCOMPARE(Find<QLineEdit>(dialog, QStringLiteral("txtFit"))->text(), QString());
    QVERIFY(!Find<QCheckBox>(dialog, QStringLiteral("chkContrast"))->isChecked());
    QCOMPARE(Find<QCheckBox>(dialog, QStringLiteral("chkContrast"))->text(),
             QStringLiteral("コントラストを確認する"));
    for (int k = 0; k < SettingsDialog::kStopCount; ++k) {
        QCOMPARE(Find<QLineEdit>(dialog, Stop(k))->text(), QString());
    }
    QStringList formats;
    auto* format = Find<QComboBox>(dialog, QStringLiteral("cmbFormat"));
    for (int i = 0; i < format->count(); ++i) formats << format->itemText(i);
    QCOMPARE(formats, QStringList({"FONT ﾀｸﾞ", "HTML5 span", "CSS ｸﾞﾗﾃﾞｰｼｮﾝ", "BBCode", "Wiki",
                                   "JSON", "Misskey MFM", "MiniMessage", "LaTeX (GitHub・Zenn)",
                                   "Discord", "Wikidot", "Minecraft &#RRGGBB"}));
    // OK without touching the page leaves the classic output.
    ClickOK(dialog);
    QVERIFY(m_app->messages.isEmpty());
    QVERIFY(Output().IsClassic());
}

void SettingsOutputPageTest::pageIsFilledFromTheState()
{
    Output().Format = kelvara::engine::OutputFormat::Wiki;
    Output().Space = kelvara::engine::ColorSpace::OkLab;
    Output().Fit = 750;
    Output().Contrast = 1;
    Output().ExtraStops = {u"FF8000", u"ABCDEF"};
    SettingsDialog* dialog = Open();
    QCOMPARE(Find<QComboBox>(dialog, QStringLiteral("cmbFormat"))->currentText(),
             QStringLiteral("Wiki"));
    QCOMPARE(Find<QComboBox>(dialog, QStringLiteral("cmbSpace"))->currentText(),
             QStringLiteral("OKLab"));
    QCOMPARE(Find<QLineEdit>(dialog, QStringLiteral("txtFit"))->text(), QStringLiteral("750"));
    QVERIFY(Find<QCheckBox>(dialog, QStringLiteral("chkContrast"))->isChecked());
    QCOMPARE(Find<QLineEdit>(dialog, Stop(0))->text(), QStringLiteral("FF8000"));
    QCOMPARE(Find<QLineEdit>(dialog, Stop(1))->text(), QStringLiteral("ABCDEF"));
    QCOMPARE(Find<QLineEdit>(dialog, Stop(2))->text(), QString());
    QCOMPARE(kelvara::ui::SwatchColor(Find<QWidget>(dialog, QStringLiteral("picStop(1)"))),
             QColor(0xAB, 0xCD, 0xEF));
}

void SettingsOutputPageTest::okTakesThePage()
{
    SettingsDialog* dialog = Open();
    Find<QComboBox>(dialog, QStringLiteral("cmbFormat"))->setCurrentIndex(4);
    Find<QComboBox>(dialog, QStringLiteral("cmbSpace"))->setCurrentIndex(2);
    Find<QLineEdit>(dialog, QStringLiteral("txtFit"))->setText(QStringLiteral(" 1200 "));
    Find<QCheckBox>(dialog, QStringLiteral("chkContrast"))->click();
    // Empty fields between stops are skipped; the others keep their order.
    Find<QLineEdit>(dialog, Stop(1))->setText(QStringLiteral("ff8000"));
    Find<QLineEdit>(dialog, Stop(4))->setText(QStringLiteral(" 00ffff"));
    Find<QLineEdit>(dialog, Stop(12))->setText(QStringLiteral("123456"));
    QVERIFY(Output().IsClassic());  // nothing is taken before OK
    ClickOK(dialog);

    QVERIFY(m_app->messages.isEmpty());
    QVERIFY(Output().Format == kelvara::engine::OutputFormat::Wiki);
    QVERIFY(Output().Space == kelvara::engine::ColorSpace::OkLch);
    QCOMPARE(Output().Fit.value_or(-1), 1200);
    QCOMPARE(Output().Contrast, 1);
    QCOMPARE(Output().ExtraStops, (std::vector<std::u16string>{u"FF8000", u"00FFFF", u"123456"}));
    FlushDeletes();
    QVERIFY(!m_app->forms->Find<kelvara::ui::SettingsDialog>());
}

void SettingsOutputPageTest::closeBoxDropsThePage()
{
    SettingsDialog* dialog = Open();
    Find<QComboBox>(dialog, QStringLiteral("cmbFormat"))->setCurrentIndex(1);
    Find<QCheckBox>(dialog, QStringLiteral("chkContrast"))->click();
    Find<QLineEdit>(dialog, Stop(0))->setText(QStringLiteral("FF8000"));
    dialog->close();
    QVERIFY(Output().IsClassic());
    QVERIFY(Main()->isEnabled());
}

void SettingsOutputPageTest::okRefusesAndFocusesTheField_data()
{
    QTest::addColumn<QString>("fit");
    QTest::addColumn<int>("badStop");  // -1: all stops good
    QTest::addColumn<QString>("badText");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    QTest::newRow("letters") << "abc" << -1 << "" << kFitNotANumber << "txtFit";
    QTest::newRow("unit after") << "300字" << -1 << "" << kFitNotANumber << "txtFit";
    QTest::newRow("fraction") << "12.5" << -1 << "" << kFitNotWhole << "txtFit";
    QTest::newRow("zero") << "0" << -1 << "" << kFitTooSmall << "txtFit";
    QTest::newRow("negative") << "-10" << -1 << "" << kFitTooSmall << "txtFit";
    QTest::newRow("too large") << "100000000" << -1 << "" << kFitTooLarge << "txtFit";
    QTest::newRow("stop not hex") << "" << 5 << "GG0000" << kBadStop << "txtStop(5)";
    QTest::newRow("stop too short") << "500" << 0 << "FFF" << kBadStop << "txtStop(0)";
    QTest::newRow("stop with hash") << "" << 12 << "#FF0000" << kBadStop << "txtStop(12)";
    QTest::newRow("limit checked before stops") << "x" << 3 << "GG" << kFitNotANumber << "txtFit";
}

void SettingsOutputPageTest::okRefusesAndFocusesTheField()
{
    QFETCH(QString, fit);
    QFETCH(int, badStop);
    QFETCH(QString, badText);
    QFETCH(QString, message);
    QFETCH(QString, focus);

    QPointer<SettingsDialog> dialog = Open();
    QVERIFY(Activate(dialog));
    Find<QComboBox>(dialog, QStringLiteral("cmbFormat"))->setCurrentIndex(2);
    Find<QLineEdit>(dialog, QStringLiteral("txtFit"))->setText(fit);
    Find<QLineEdit>(dialog, Stop(7))->setText(QStringLiteral("00FF00"));
    if (badStop >= 0) Find<QLineEdit>(dialog, Stop(badStop))->setText(badText);
    Find<QComboBox>(dialog, QStringLiteral("cmbFont"))->setEditText(QStringLiteral("IPAGothic"));
    auto* tabs = Find<QTabBar>(dialog, QStringLiteral("TabStrip1"));
    tabs->setCurrentIndex(1);  // OK pressed while another page is in front

    ClickOK(dialog);

    QCOMPARE(m_app->messages, QStringList{message});
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(QApplication::focusWidget(), Find<QWidget>(dialog, focus));
    QCOMPARE(tabs->currentIndex(), 4);  // the field is in sight
    QVERIFY(Output().IsClassic());
    QVERIFY(m_app->state.TagOptions.h_FontFace != u"IPAGothic");  // nothing else is taken either
    QVERIFY(!Main()->isEnabled());
}

void SettingsOutputPageTest::pixelSizesAreCheckedFirst()
{
    m_app->state.TagOptions.h_fontflag = 3;  // the pixel fields enabled, so they can take the focus
    QPointer<SettingsDialog> dialog = Open();
    Find<QLineEdit>(dialog, QStringLiteral("txtMaxMin(0)"))->setText(QStringLiteral("abc"));
    Find<QLineEdit>(dialog, QStringLiteral("txtFit"))->setText(QStringLiteral("abc"));
    ClickOK(dialog);
    QCOMPARE(m_app->messages, QStringList{QStringLiteral("ﾌｫﾝﾄｻｲｽﾞは数字で指定してね（＾＾；")});
    QCOMPARE(dialog->focusWidget(), Find<QWidget>(dialog, QStringLiteral("txtMaxMin(0)")));
}

void SettingsOutputPageTest::limitIsLeftAloneForAFormatThatCannotMeetIt()
{
    Output().Fit = 300;
    SettingsDialog* dialog = Open();
    auto* format = Find<QComboBox>(dialog, QStringLiteral("cmbFormat"));
    auto* fit = Find<QLineEdit>(dialog, QStringLiteral("txtFit"));
    QVERIFY(fit->isEnabled());
    format->setCurrentIndex(5);  // JSON
    QVERIFY(!fit->isEnabled());
    fit->setText(QStringLiteral("abc"));
    ClickOK(dialog);
    QVERIFY(m_app->messages.isEmpty());
    QVERIFY(Output().Format == kelvara::engine::OutputFormat::Json);
    QCOMPARE(Output().Fit.value_or(-1), 300);

    // Opened again on JSON, the limit is shown but cannot be edited; back on BBCode it can.
    FlushDeletes();
    dialog = Open();
    fit = Find<QLineEdit>(dialog, QStringLiteral("txtFit"));
    QCOMPARE(fit->text(), QStringLiteral("300"));
    QVERIFY(!fit->isEnabled());
    Find<QComboBox>(dialog, QStringLiteral("cmbFormat"))->setCurrentIndex(3);
    QVERIFY(fit->isEnabled());
}

void SettingsOutputPageTest::swatchOpensThePaletteOnItsStop()
{
    SettingsDialog* dialog = Open();
    Find<QTabBar>(dialog, QStringLiteral("TabStrip1"))->setCurrentIndex(4);
    Find<QLineEdit>(dialog, Stop(2))->setText(QStringLiteral("0000FF"));
    QVERIFY(QTest::qWaitForWindowExposed(dialog));

    QTest::mouseClick(Find<QWidget>(dialog, QStringLiteral("picStop(2)")), Qt::LeftButton);
    kelvara::ui::PaletteDialog* palette = m_app->forms->Find<kelvara::ui::PaletteDialog>();
    QVERIFY(palette);
    // The palette starts from the stop's colour and holds the dialog, which holds the main window.
    QCOMPARE(Find<QScrollBar>(palette, QStringLiteral("HScroll3"))->value(), 255);
    QVERIFY(!dialog->isEnabled());
    QVERIFY(!Main()->isEnabled());

    Find<QScrollBar>(palette, QStringLiteral("HScroll1"))->setValue(255);
    Find<QScrollBar>(palette, QStringLiteral("HScroll3"))->setValue(0x80);
    QTest::mouseClick(Find<QPushButton>(palette, QStringLiteral("cmdOK")), Qt::LeftButton);

    QCOMPARE(Find<QLineEdit>(dialog, Stop(2))->text(), QStringLiteral("FF0080"));
    QCOMPARE(kelvara::ui::SwatchColor(Find<QWidget>(dialog, QStringLiteral("picStop(2)"))),
             QColor(255, 0, 0x80));
    QVERIFY(dialog->isEnabled());
    QVERIFY(!Main()->isEnabled());  // still held by the settings dialog
    // The main window's colour fields are not touched.
    QCOMPARE(Find<QLineEdit>(Main(), QStringLiteral("txtCfor"))->text(), QString());

    ClickOK(dialog);
    QCOMPARE(Output().ExtraStops, std::vector<std::u16string>{u"FF0080"});
    QVERIFY(Main()->isEnabled());
}

void SettingsOutputPageTest::paletteCancelLeavesTheStop()
{
    SettingsDialog* dialog = Open();
    Find<QLineEdit>(dialog, Stop(0))->setText(QStringLiteral("abcdef"));
    QTest::mouseClick(Find<QWidget>(dialog, QStringLiteral("picStop(0)")), Qt::LeftButton);
    kelvara::ui::PaletteDialog* palette = m_app->forms->Find<kelvara::ui::PaletteDialog>();
    QVERIFY(palette);
    Find<QScrollBar>(palette, QStringLiteral("HScroll1"))->setValue(0);
    QTest::mouseClick(Find<QPushButton>(palette, QStringLiteral("cmdCancel")), Qt::LeftButton);
    QCOMPARE(Find<QLineEdit>(dialog, Stop(0))->text(), QStringLiteral("abcdef"));
    QVERIFY(dialog->isEnabled());
}

void SettingsOutputPageTest::choicesSurviveAShutDownAndAStart()
{
    SettingsDialog* dialog = Open();
    Find<QComboBox>(dialog, QStringLiteral("cmbFormat"))->setCurrentIndex(3);
    Find<QComboBox>(dialog, QStringLiteral("cmbSpace"))->setCurrentIndex(1);
    Find<QLineEdit>(dialog, QStringLiteral("txtFit"))->setText(QStringLiteral("640"));
    Find<QCheckBox>(dialog, QStringLiteral("chkContrast"))->click();
    Find<QLineEdit>(dialog, Stop(0))->setText(QStringLiteral("FF8000"));
    ClickOK(dialog);
    FlushDeletes();

    m_app->Restart();  // the main window's unload writes Lum.ini

    QVERIFY(Output().Format == kelvara::engine::OutputFormat::BbCode);
    QVERIFY(Output().Space == kelvara::engine::ColorSpace::OkLab);
    QCOMPARE(Output().Fit.value_or(-1), 640);
    QCOMPARE(Output().Contrast, 1);
    QCOMPARE(Output().ExtraStops, std::vector<std::u16string>{u"FF8000"});
    SettingsDialog* reopened = Open();
    QCOMPARE(Find<QComboBox>(reopened, QStringLiteral("cmbFormat"))->currentText(),
             QStringLiteral("BBCode"));
    QCOMPARE(Find<QLineEdit>(reopened, Stop(0))->text(), QStringLiteral("FF8000"));
}

void SettingsOutputPageTest::targetSetsFormatAndLimitAndSurvivesAStart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("limit");  // empty: none
    for (const kelvara::test::Place& place : kelvara::test::kPlaces) {
        QTest::addRow("%s", place.name.c_str())
            << QString::fromStdString(place.name) << QString::fromStdString(place.caption)
            << QString::fromStdString(place.format)
            << (place.limit == 0 ? QString() : QString::number(place.limit));
    }
}

// The list "投稿先" starts with "指定なし"; choosing a place sets the format and the limit, OK
// keeps it, and Lum.ini brings it back at the next start.
void SettingsOutputPageTest::targetSetsFormatAndLimitAndSurvivesAStart()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, format);
    QFETCH(QString, limit);
    const QString formatCaption = QString::fromUtf8(
        kelvara::engine::RowOf(*kelvara::engine::ParseOutputFormat(format.toStdString())).caption);

    SettingsDialog* dialog = Open();
    auto* target = Find<QComboBox>(dialog, QStringLiteral("cmbTarget"));
    QCOMPARE(target->count(), static_cast<int>(kelvara::test::kPlaces.size()) + 1);
    QCOMPARE(target->itemText(0), QStringLiteral("指定なし"));
    QCOMPARE(target->currentIndex(), 0);
    Find<QLineEdit>(dialog, QStringLiteral("txtFit"))->setText(QStringLiteral("999"));
    target->setCurrentIndex(target->findText(caption));
    QCOMPARE(target->currentText(), caption);
    QCOMPARE(Find<QComboBox>(dialog, QStringLiteral("cmbFormat"))->currentText(), formatCaption);
    QCOMPARE(Find<QLineEdit>(dialog, QStringLiteral("txtFit"))->text(), limit);
    ClickOK(dialog);
    FlushDeletes();
    QVERIFY(Output().Target != nullptr);
    QCOMPARE(QString::fromUtf8(Output().Target->name), name);

    m_app->Restart();
    QVERIFY(m_app->ReadFile(QStringLiteral("Lum.ini"))
                .contains(("Target=" + name + "\r\n").toLatin1()));
    QCOMPARE(QString::fromUtf8(Output().Target->name), name);
    QCOMPARE(Output().Fit.value_or(0), limit.toInt());
    SettingsDialog* reopened = Open();
    QCOMPARE(Find<QComboBox>(reopened, QStringLiteral("cmbTarget"))->currentText(), caption);
    QCOMPARE(Find<QComboBox>(reopened, QStringLiteral("cmbFormat"))->currentText(), formatCaption);
}

void SettingsOutputPageTest::anotherFormatLeavesTheTargetAnotherLimitKeepsIt()
{
    SettingsDialog* dialog = Open();
    auto* target = Find<QComboBox>(dialog, QStringLiteral("cmbTarget"));
    auto* format = Find<QComboBox>(dialog, QStringLiteral("cmbFormat"));
    auto* fit = Find<QLineEdit>(dialog, QStringLiteral("txtFit"));
    // Another format is another place; the limit the place set stays.
    target->setCurrentIndex(target->findText(QStringLiteral("Discord")));
    format->setCurrentIndex(format->findText(QStringLiteral("Wikidot")));
    QCOMPARE(target->currentIndex(), 0);
    QCOMPARE(fit->text(), QStringLiteral("2000"));
    ClickOK(dialog);
    FlushDeletes();
    QVERIFY(Output().Target == nullptr);

    // A limit of one's own stays with the place, and is what is stored.
    dialog = Open();
    target = Find<QComboBox>(dialog, QStringLiteral("cmbTarget"));
    target->setCurrentIndex(target->findText(QStringLiteral("Misskey 名前")));
    Find<QLineEdit>(dialog, QStringLiteral("txtFit"))->setText(QStringLiteral("40"));
    ClickOK(dialog);
    FlushDeletes();
    QCOMPARE(QString::fromUtf8(Output().Target->name), QStringLiteral("misskey-name"));
    QCOMPARE(Output().Fit.value_or(0), 40);
    dialog = Open();
    QCOMPARE(Find<QLineEdit>(dialog, QStringLiteral("txtFit"))->text(), QStringLiteral("40"));
    QCOMPARE(Find<QComboBox>(dialog, QStringLiteral("cmbTarget"))->currentText(),
             QStringLiteral("Misskey 名前"));
}

KELVARA_UI_TEST_MAIN(SettingsOutputPageTest)
#include "settings_output_page_test.moc"
