// SPDX-License-Identifier: MIT
// The colour palette: loading the target colour, sliders, fixed and saved colours, saving,
// and what OK and ｷｬﾝｾﾙ leave on the main window and the preview page.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <optional>

#include "kelvara/ui/main_window.h"
#include "kelvara/ui/palette_dialog.h"
#include "kelvara/ui/platform.h"
#include "main_window_fixture.h"
#include "ui_test_main.h"
#include "window_test_support.h"

using namespace kelvara::ui;
using namespace kelvara::ui::test;
using namespace kelvara::ui::testing;

namespace {

struct Target {
    const char* field;
    const char* swatch;
};
constexpr Target kTargets[] = {{"txtCfor", "Picture1"},
                               {"txtClat", "Picture2"},
                               {"txtBack", "Picture3"},
                               {"txtCmid", "Picture4"}};

}  // namespace

class PaletteDialogTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void keepsTheMainWindowDisabledWhileOpen();
    void readsTopmostAtLoad();
    void lowerCaseBackgroundLoadsAndComesBackUpperCase();
    void blackKeepsTheFieldTextAsTyped_data();
    void blackKeepsTheFieldTextAsTyped();
    void emptySavedSlotsBecomeWhiteForGood();
    void fixedSwatchesSitInFourBlocks();
    void fixedSwatchSetsTheWorkingColour();
    void savedColourKeepsItsTextUntilOk();
    void slidersUpdateWhileDragged();
    void thirteenSavesKeepTheLastTwelve();
    void okWritesTheTargetColour_data();
    void okWritesTheTargetColour();
    void cancelAndCloseBoxLeaveTheMainWindowAlone();

private:
    PaletteDialog* Open(qint16 target)
    {
        // 0 first, 1 last, 2 background, 3 middle
        Main()->EditColor(static_cast<MainWindow::ColorField>(target));
        return m_app->forms->Find<PaletteDialog>();
    }
    MainWindow* Main() { return m_app->forms->Find<MainWindow>(); }
    QLineEdit* Field(const char* name) { return Find<QLineEdit>(Main(), QLatin1String(name)); }
    QString PagePath() const { return m_app->Path(QStringLiteral("temp.html")); }
    QByteArray Page() const { return m_app->Page(); }
    static QString Text(QWidget* dialog, const char* label)
    {
        return Find<QLabel>(dialog, QLatin1String(label))->text();
    }
    static QList<int> Sliders(QWidget* dialog)
    {
        QList<int> values;
        for (const char* name : {"HScroll1", "HScroll2", "HScroll3"}) {
            values << Find<QScrollBar>(dialog, QLatin1String(name))->value();
        }
        return values;
    }
    static QColor Preview(QWidget* dialog)
    {
        return kelvara::ui::SwatchColor(Find<QWidget>(dialog, QStringLiteral("Picture1")));
    }

    std::optional<ProgramFixture> m_app;
};

void PaletteDialogTest::initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

void PaletteDialogTest::init()
{
    m_app.emplace(FailOnMessage{});
    Field("txtCfor")->setText(QStringLiteral("FF0000"));
    Field("txtClat")->setText(QStringLiteral("0000FF"));
    Field("txtCmid")->setText(QStringLiteral("00FF00"));
    Field("txtBack")->setText(QStringLiteral("FFFFFF"));
    for (int i = 0; i < 12; ++i) {
        m_app->state.SavedColors[i] = QStringLiteral("0000%1").arg(i, 2, 10, QLatin1Char('0'));
    }
}

void PaletteDialogTest::cleanup() { m_app.reset(); }

void PaletteDialogTest::keepsTheMainWindowDisabledWhileOpen()
{
    CheckMainWindowWhileOpen(
        *m_app->forms, true, [this] { return Open(0); },
        [](QWidget* dialog) { Find<QPushButton>(dialog, QStringLiteral("cmdOK"))->click(); });
}

void PaletteDialogTest::readsTopmostAtLoad()
{
    CheckTopmostAtLoad(Main(), [this] { return Open(0); });
}

void PaletteDialogTest::lowerCaseBackgroundLoadsAndComesBackUpperCase()
{
    Field("txtBack")->setText(QStringLiteral("ffffff"));
    PaletteDialog* dialog = Open(2);
    QCOMPARE(Sliders(dialog), QList<int>({255, 255, 255}));
    QCOMPARE(Text(dialog, "lblR"), QStringLiteral("255"));
    QCOMPARE(Text(dialog, "lblB"), QStringLiteral("255"));
    QCOMPARE(Text(dialog, "lblRGB"), QStringLiteral("#FFFFFF"));
    QCOMPARE(Preview(dialog), QColor(255, 255, 255));

    Find<QPushButton>(dialog, QStringLiteral("cmdOK"))->click();
    QCOMPARE(Field("txtBack")->text(), QStringLiteral("FFFFFF"));
}

void PaletteDialogTest::blackKeepsTheFieldTextAsTyped_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("six zeros") << "000000";
    QTest::newRow("three zeros") << "000";
    QTest::newRow("not hexadecimal") << "GG00";
}

void PaletteDialogTest::blackKeepsTheFieldTextAsTyped()
{
    QFETCH(QString, text);
    Field("txtClat")->setText(text);
    PaletteDialog* dialog = Open(1);
    QCOMPARE(Sliders(dialog), QList<int>({0, 0, 0}));
    QCOMPARE(Text(dialog, "lblRGB"), QLatin1Char('#') + text);
    QCOMPARE(Text(dialog, "lblG"), QStringLiteral("0"));
    QCOMPARE(Preview(dialog), QColor(0, 0, 0));
}

void PaletteDialogTest::emptySavedSlotsBecomeWhiteForGood()
{
    m_app->state.SavedColors[0] = QStringLiteral("ff8000");
    m_app->state.SavedColors[3].clear();
    m_app->state.SavedColors[11].clear();
    PaletteDialog* dialog = Open(0);
    QCOMPARE(m_app->state.SavedColors[3], QStringLiteral("FFFFFF"));
    QCOMPARE(m_app->state.SavedColors[11], QStringLiteral("FFFFFF"));
    QCOMPARE(m_app->state.SavedColors[0], QStringLiteral("ff8000"));
    auto swatch = [dialog](int i) {
        return kelvara::ui::SwatchColor(
            Find<QWidget>(dialog, QStringLiteral("picSave(%1)").arg(i)));
    };
    QCOMPARE(swatch(3), QColor(255, 255, 255));
    QCOMPARE(swatch(0), QColor(255, 128, 0));
    QCOMPARE(swatch(5), QColor(0, 0, 5));

    Find<QPushButton>(dialog, QStringLiteral("cmdCancel"))->click();
    QCOMPARE(m_app->state.SavedColors[3], QStringLiteral("FFFFFF"));
}

void PaletteDialogTest::fixedSwatchesSitInFourBlocks()
{
    PaletteDialog* dialog = Open(0);
    const struct {
        int index;
        QPoint twips;
        QColor color;
    } expected[] = {{0, {90, 495}, QColor(0, 0, 0)},
                    {5, {450, 720}, QColor(0, 85, 85)},
                    {16, {1575, 495}, QColor(85, 0, 0)},
                    {32, {90, 1440}, QColor(170, 0, 0)},
                    {63, {2655, 2115}, QColor(255, 255, 255)}};
    for (const auto& swatch : expected) {
        auto* box = Find<QWidget>(dialog, QStringLiteral("Picture2(%1)").arg(swatch.index));
        QCOMPARE(box->pos(), QPoint(kelvara::ui::Twips(swatch.twips.x()),
                                    kelvara::ui::Twips(swatch.twips.y())));
        QCOMPARE(kelvara::ui::SwatchColor(box), swatch.color);
    }
}

void PaletteDialogTest::fixedSwatchSetsTheWorkingColour()
{
    PaletteDialog* dialog = Open(0);
    QTest::mouseClick(Find<QWidget>(dialog, QStringLiteral("Picture2(21)")), Qt::LeftButton);
    QCOMPARE(Sliders(dialog), QList<int>({85, 85, 85}));
    QCOMPARE(Text(dialog, "lblR"), QStringLiteral("85"));
    QCOMPARE(Text(dialog, "lblG"), QStringLiteral("85"));
    QCOMPARE(Text(dialog, "lblB"), QStringLiteral("85"));
    QCOMPARE(Text(dialog, "lblRGB"), QStringLiteral("#555555"));
    QCOMPARE(Preview(dialog), QColor(85, 85, 85));
}

void PaletteDialogTest::savedColourKeepsItsTextUntilOk()
{
    m_app->state.SavedColors[4] = QStringLiteral("ff8000");
    QFile::remove(PagePath());
    PaletteDialog* dialog = Open(0);
    QTest::mouseClick(Find<QWidget>(dialog, QStringLiteral("picSave(4)")), Qt::LeftButton);
    QCOMPARE(Sliders(dialog), QList<int>({255, 128, 0}));
    QCOMPARE(Text(dialog, "lblRGB"), QStringLiteral("#ff8000"));
    QCOMPARE(Preview(dialog), QColor(255, 128, 0));

    Find<QPushButton>(dialog, QStringLiteral("cmdOK"))->click();
    QCOMPARE(Field("txtCfor")->text(), QStringLiteral("FF8000"));
    QCOMPARE(kelvara::ui::SwatchColor(Find<QWidget>(Main(), QStringLiteral("Picture1"))),
             QColor(255, 128, 0));
    QVERIFY(!QFile::exists(PagePath()));
}

void PaletteDialogTest::slidersUpdateWhileDragged()
{
    PaletteDialog* dialog = Open(0);  // FF0000
    auto* green = Find<QScrollBar>(dialog, QStringLiteral("HScroll2"));
    green->setSliderDown(true);
    green->setSliderPosition(100);
    QCOMPARE(Text(dialog, "lblG"), QStringLiteral("100"));
    QCOMPARE(Text(dialog, "lblRGB"), QStringLiteral("#FF6400"));
    QCOMPARE(Preview(dialog), QColor(255, 100, 0));
    green->setSliderDown(false);

    green->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(Text(dialog, "lblG"), QStringLiteral("110"));
    green->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(Text(dialog, "lblRGB"), QStringLiteral("#FF6D00"));
    green->triggerAction(QAbstractSlider::SliderToMaximum);
    green->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(green->value(), 255);
}

void PaletteDialogTest::thirteenSavesKeepTheLastTwelve()
{
    PaletteDialog* dialog = Open(0);
    auto* red = Find<QScrollBar>(dialog, QStringLiteral("HScroll1"));
    auto* save = Find<QPushButton>(dialog, QStringLiteral("Command1"));
    for (int colour = 1; colour <= 13; ++colour) {
        red->setValue(colour * 10);
        save->click();
    }
    QCOMPARE(m_app->state.SavedColors[0], QStringLiteral("820000"));   // the thirteenth, 130
    QCOMPARE(m_app->state.SavedColors[11], QStringLiteral("140000"));  // the second, 20
    for (const QString& saved : m_app->state.SavedColors)
        QVERIFY(saved != QStringLiteral("0A0000"));
    QCOMPARE(kelvara::ui::SwatchColor(Find<QWidget>(dialog, QStringLiteral("picSave(0)"))),
             QColor(130, 0, 0));
    QCOMPARE(kelvara::ui::SwatchColor(Find<QWidget>(dialog, QStringLiteral("picSave(11)"))),
             QColor(20, 0, 0));

    // Saving is not undone by ｷｬﾝｾﾙ.
    Find<QPushButton>(dialog, QStringLiteral("cmdCancel"))->click();
    QCOMPARE(m_app->state.SavedColors[0], QStringLiteral("820000"));
}

void PaletteDialogTest::okWritesTheTargetColour_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("tags");
    QTest::newRow("first") << 0 << "<B>x</B>";
    QTest::newRow("last") << 1 << "<B>x</B>";
    QTest::newRow("background") << 2 << "<B>x</B>";
    QTest::newRow("background, no tags") << 2 << "";
    QTest::newRow("middle") << 3 << "<B>x</B>";
}

void PaletteDialogTest::okWritesTheTargetColour()
{
    QFETCH(int, target);
    QFETCH(QString, tags);
    m_app->state.ResultTags = tags;
    QFile::remove(PagePath());
    const QStringList before = {Field("txtCfor")->text(), Field("txtClat")->text(),
                                Field("txtBack")->text(), Field("txtCmid")->text()};

    PaletteDialog* dialog = Open(static_cast<qint16>(target));
    Find<QScrollBar>(dialog, QStringLiteral("HScroll1"))->setValue(0x12);
    Find<QScrollBar>(dialog, QStringLiteral("HScroll2"))->setValue(0xAB);
    Find<QScrollBar>(dialog, QStringLiteral("HScroll3"))->setValue(0x0C);
    Find<QPushButton>(dialog, QStringLiteral("cmdOK"))->click();

    for (int other = 0; other < 4; ++other) {
        const QString text = Field(kTargets[other].field)->text();
        QCOMPARE(text, other == target ? QStringLiteral("12AB0C") : before[other]);
    }
    QCOMPARE(
        kelvara::ui::SwatchColor(Find<QWidget>(Main(), QLatin1String(kTargets[target].swatch))),
        QColor(0x12, 0xAB, 0x0C));
    if (target == 2) {
        QCOMPARE(Page(), "<BODY BGCOLOR=\"#12AB0C\" > " + tags.toLatin1() + "\r\n");
    } else {
        QVERIFY(!QFile::exists(PagePath()));
    }
    QVERIFY(Main()->isEnabled());
}

void PaletteDialogTest::cancelAndCloseBoxLeaveTheMainWindowAlone()
{
    const QColor swatchBefore =
        kelvara::ui::SwatchColor(Find<QWidget>(Main(), QStringLiteral("Picture1")));
    for (const bool closeBox : {false, true}) {
        QPointer<PaletteDialog> dialog = Open(0);
        QTest::mouseClick(Find<QWidget>(dialog, QStringLiteral("Picture2(63)")), Qt::LeftButton);
        if (closeBox) {
            dialog->close();
        } else {
            Find<QPushButton>(dialog, QStringLiteral("cmdCancel"))->click();
        }
        QCOMPARE(Field("txtCfor")->text(), QStringLiteral("FF0000"));
        QCOMPARE(kelvara::ui::SwatchColor(Find<QWidget>(Main(), QStringLiteral("Picture1"))),
                 swatchBefore);
        QVERIFY(Main()->isEnabled());
        FlushDeletes();
        QVERIFY(dialog.isNull());
    }
}

KELVARA_UI_TEST_MAIN(PaletteDialogTest)
#include "palette_dialog_test.moc"
