// SPDX-License-Identifier: MIT
// Every caption, tooltip and place of the five windows against one table: a row per control
// with the window, the control's name, its caption and tooltip as the user reads them, and
// Left, Top, Width, Height in twips within its frame. Then the menu bar: menus and items in
// order, their captions and access keys.
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <climits>
#include <optional>

#include "kelvara/ui/edit_window.h"
#include "kelvara/ui/palette_dialog.h"
#include "kelvara/ui/settings_dialog.h"
#include "kelvara/ui/version_window.h"
#include "main_window_fixture.h"
#include "ui_test_main.h"
#include "window_test_support.h"

using namespace kelvara::ui;
using namespace kelvara::ui::test;

namespace {

constexpr int kAny = INT_MIN;  // a measure the table leaves open

struct ControlRow {
    const char* window;
    QString name;
    const char* caption;  // nullptr: not checked
    const char* tooltip;  // nullptr: not checked; "" means none
    int left;
    int top;
    int width;
    int height;
};

// What the user reads on a control.
QString CaptionOf(const QWidget* control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) return group->title();
    return QStringLiteral("<no caption>");
}

QList<ControlRow> Rows()
{
    QList<ControlRow> rows = {
        // Main window: the two frames.
        {"Form1", "frmTool", nullptr, nullptr, 30, 0, 4860, 780},
        {"Form1", "frmMain", nullptr, nullptr, 45, 780, 4845, 5865},
        // frmMain.
        {"Form1", "Label1", "文字列：", "", 0, 45, 630, 180},
        {"Form1", "txtFor", nullptr, "", 630, 0, 4155, 270},
        {"Form1", "cmdView", "↓ﾋﾞｭｰ↓", "ﾋﾞｭｰｳｲﾝﾄﾞｳを表示します。", 60, 300, 915, 375},
        {"Form1", "cmdTool", "", "ﾂｰﾙﾊﾞｰを出し入れします。", 975, 300, 390, 375},
        {"Form1", "cmdSend", "", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにﾀｸﾞを転送します。", 2700, 300, 390, 375},
        {"Form1", "cmdClear", "", "文字列をｸﾘｱします。", 3090, 300, 390, 375},
        {"Form1", "cmdGo", "", "実行します。", 3540, 300, 390, 375},
        {"Form1", "cmdStop", "", "実行を中止します。", 3945, 300, 390, 375},
        {"Form1", "cmdEnd", "", "このﾌﾟﾛｸﾞﾗﾑを終了します。", 4380, 300, 390, 375},
        {"Form1", "Frame1", nullptr, "", 0, 720, 4830, 4725},
        {"Form1", "WebBrowser1", nullptr, "", 45, 135, 4725, 4545},
        {"Form1", "lblSize", nullptr, "", 60, 5475, kAny, kAny},
        {"Form1", "cmdBack", "背景色", "", 2805, 5505, 735, 345},
        {"Form1", "Picture3", nullptr, "", 3645, 5550, 240, 270},
        {"Form1", "Label2", "#", "", 3885, 5550, 120, 240},
        {"Form1", "txtBack", nullptr, "", 4005, 5550, 780, 270},
        // The colour row of frmTool.
        {"Form1", "Picture1", nullptr, "", 30, 360, 240, 270},
        {"Form1", "Label5", "#", "", 270, 360, 120, 270},
        {"Form1", "txtCfor", nullptr, "", 390, 360, 765, 270},
        {"Form1", "cmdLColor", "前", "最初の色を指定します。", 1200, 360, 360, 300},
        {"Form1", "Picture4", nullptr, "", 1695, 360, 240, 270},
        {"Form1", "Label3", "#", "", 1935, 360, 120, 270},
        {"Form1", "txtCmid", nullptr, "", 2055, 360, 735, 270},
        {"Form1", "cmdMid", "中", "真ん中の色を指定します。", 2835, 360, 360, 300},
        {"Form1", "Picture2", nullptr, "", 3330, 360, 240, 270},
        {"Form1", "Label4", "#", "", 3570, 360, 120, 270},
        {"Form1", "txtClat", nullptr, "", 3690, 360, 780, 270},
        {"Form1", "cmdFColor", "後", "最後の色を指定します。", 4500, 360, 360, 300},
        // The option toolbar, left to right.
        {"Form1", "cmdBtn(7)", "", "設定ﾀﾞｲｱﾛｸﾞを表示します。", 0, 0, 330, 330},
        {"Form1", "cmdBtn(1)", "", "文字を１つ大きくします。", 375, 0, 330, 330},
        {"Form1", "cmdBtn(2)", "", "文字を１つ小さくします。", 705, 0, 330, 330},
        {"Form1", "chkBtn(2)", "", "太文字にします。", 1035, 0, 330, 330},
        {"Form1", "chkBtn(3)", "", "下線を付けます。", 1365, 0, 330, 330},
        {"Form1", "chkBtn(7)", "", "斜線にします。", 1695, 0, 330, 330},
        {"Form1", "chkBtn(4)", "", "抹消線をつけます。", 2025, 0, 330, 330},
        {"Form1", "chkBtn(5)", "", "上付けにします。", 2355, 0, 330, 330},
        {"Form1", "chkBtn(6)", "", "下付けにします。", 2700, 0, 330, 330},
        {"Form1", "chkBtn(8)", "", "文字を中央に持ってきます。", 3090, 0, 330, 330},
        {"Form1", "chkBtn(9)", "", "縦書きにします。", 3435, 0, 330, 330},
        {"Form1", "chkBtn(10)", "", "文字を流します。", 3810, 0, 330, 330},
        {"Form1", "chkBtn(11)", "", "文字を点滅します。", 4140, 0, 330, 330},
        {"Form1", "chkBtn(12)", "", "中色を利用できるようにします。", 4530, 0, 330, 330},

        // Colour palette.
        {"Form2", "Command1", "色の保存", "", 3600, 1980, 870, 375},
        {"Form2", "cmdCancel", "ｷｬﾝｾﾙ", "", 3600, 1170, 855, 375},
        {"Form2", "cmdOK", "OK", "", 3600, 1575, 855, 375},
        {"Form2", "Picture1", nullptr, "", 3105, 495, 1335, 615},
        {"Form2", "HScroll1", nullptr, "", 405, 2430, 4005, 285},
        {"Form2", "HScroll2", nullptr, "", 405, 2790, 4005, 285},
        {"Form2", "HScroll3", nullptr, "", 405, 3150, 4005, 285},
        {"Form2", "Label1", "保存した色：", "", 45, 3510, 930, 180},
        {"Form2", "Label7", "B", "", 1800, 135, 120, 180},
        {"Form2", "Label6", "G", "", 960, 135, 120, 180},
        {"Form2", "Label5", "R", "", 120, 135, 120, 180},
        {"Form2", "lblB", nullptr, "", 2040, 135, 480, 240},
        {"Form2", "lblG", nullptr, "", 1200, 135, 480, 240},
        {"Form2", "lblR", nullptr, "", 360, 135, 465, 240},
        {"Form2", "lblRGB", nullptr, "", 2790, 90, 1185, 300},
        {"Form2", "Label10", "B", "", 165, 3195, 120, 180},
        {"Form2", "Label9", "G", "", 165, 2835, 120, 180},
        {"Form2", "Label8", "R", "", 165, 2505, 120, 180},

        // Edit window.
        {"Form3", "cmdClose", "閉じる", "", 3690, 3195, 645, 510},
        {"Form3", "cmdSend", "転送", "", 2970, 3195, 690, 510},
        {"Form3", "txtKekka", nullptr, "", 540, 135, 3810, 3000},
        {"Form3", "Label1", "転送を押すことで、ここで編集した結果を反映する事ができます。", "", 45,
         3285, 2850, 375},
        {"Form3", "Label2", "結果：", "", 45, 180, 450, 180},

        // Settings dialog: strip, pages and OK.
        {"Form4", "TabStrip1", nullptr, "", 90, 90, 5190, kAny},
        {"Form4", "Frame6(0)", nullptr, "", 225, 450, 4965, 3660},
        {"Form4", "Frame6(1)", nullptr, "", 180, 405, 5010, 3705},
        {"Form4", "Frame6(2)", nullptr, "", 135, 405, 5100, 3750},
        {"Form4", "Frame6(3)", nullptr, "", 135, 405, 5100, 3750},
        {"Form4", "cmdOK", "OK", "", 4230, 4230, 1005, 465},
        // Page "ﾃｷｽﾄ".
        {"Form4", "Frame2", "書式", "", 90, 135, 2760, 1005},
        {"Form4", "chkTate", "縦書きにする", "", 180, 225, 1500, 285},
        {"Form4", "chkCenter", "中央寄せ", "", 180, 630, 1365, 240},
        {"Form4", "Frame5", "特殊", "", 90, 1260, 2760, 1050},
        {"Form4", "chkmarquee", "文字を流す", "", 180, 270, 1455, 240},
        {"Form4", "chkblink", "文字を点滅", "", 180, 630, 1455, 240},
        // Page "ﾌｫﾝﾄ".
        {"Form4", "Frame1", "ﾌｫﾝﾄｻｲｽﾞ", "", 135, 135, 2805, 3480},
        {"Form4", "optFont(0)", "ﾌｫﾝﾄｻｲｽﾞを変えない", "", 135, 225, 2535, 285},
        {"Form4", "Label4", "基本ｻｲｽﾞ：", "", 630, 585, 915, 240},
        {"Form4", "cmbSize", nullptr, "", 1575, 540, 825, 300},
        {"Form4", "optFont(1)", "ﾌｫﾝﾄｻｲｽﾞを変える（大→小）", "", 135, 900, 2535, 285},
        {"Form4", "optFont(2)", "ﾌｫﾝﾄｻｲｽﾞを変える（小→大）", "", 135, 1215, 2535, 285},
        {"Form4", "Label1", "ｽﾀｲﾙｼｰﾄ", "", 120, 1575, 750, 180},
        {"Form4", "optFont(3)", "ﾌｫﾝﾄｻｲｽﾞを変える（大→小）", "", 135, 1800, 2535, 285},
        {"Form4", "optFont(4)", "ﾌｫﾝﾄｻｲｽﾞを変える（小→大）", "", 135, 2115, 2535, 285},
        {"Form4", "Label3(0)", "最大", "", 1170, 2475, 360, 180},
        {"Form4", "Label3(1)", "最小", "", 2115, 2475, 360, 180},
        {"Form4", "Label2", "ｻｲｽﾞ(px)：", "", 135, 2745, 780, 180},
        {"Form4", "txtMaxMin(0)", nullptr, "", 990, 2700, 735, 270},
        {"Form4", "txtMaxMin(1)", nullptr, "", 1935, 2700, 735, 270},
        {"Form4", "Label5", "ﾌｫﾝﾄ：", "", 3060, 1935, 480, 180},
        {"Form4", "cmbFont", nullptr, "", 3105, 2160, 1860, 300},
        {"Form4", "chkBold", "太字", "", 3105, 2565, 915, 285},
        {"Form4", "chkItalic", "斜体", "", 3915, 2565, 960, 285},
        {"Form4", "chkUnder", "下線", "", 3105, 2925, 825, 240},
        {"Form4", "chkNot", "抹消線", "", 3915, 2925, 870, 240},
        {"Form4", "chkUp", "上付", "", 3105, 3240, 870, 240},
        {"Form4", "chkSub", "下付", "", 3915, 3240, 735, 240},
        // Page "色".
        {"Form4", "Frame4", "色", "", 180, 270, 2775, 660},
        {"Form4", "chkMColor", "中間色を使う", "", 180, 270, 2400, 240},
        // Page "その他".
        {"Form4", "Frame3", "その他", "", 180, 270, 2760, 960},
        {"Form4", "Check1", "結果を表示する", "", 135, 270, 1590, 240},
        {"Form4", "chkInstant", "実行後、直接転送する", "", 135, 585, 2220, 285},

        // Version window. The one-line labels may grow to their text, so only their rows count.
        {"Form5", "cmdOK", "OK", "", 1830, 4050, 1140, 480},
        {"Form5", "Label6", nullptr, "", 30, 1575, 2970, 2415},
        {"Form5", "Label1", "Kelvara", "", 90, 90, 2430, 555},
        {"Form5", "Label5", nullptr, "", kAny, 1350, kAny, 180},
        {"Form5", "Label4", nullptr, "", kAny, 1125, kAny, 180},
        {"Form5", "Label3", nullptr, "", kAny, 900, kAny, 180},
        {"Form5", "Label2", nullptr, "", kAny, 630, kAny, 285},
    };
    // The palette's arrays: saved colours in a row, the fixed swatches in four 4 x 4 blocks.
    for (int i = 0; i < 12; ++i) {
        rows.append({"Form2", Indexed("picSave", i), nullptr, "", 90 + 360 * i, 3735, 330, 195});
    }
    for (int n = 0; n < 64; ++n) {
        const int r = n / 16;
        const int g = n / 4 % 4;
        const int b = n % 4;
        rows.append({"Form2", Indexed("Picture2", n), nullptr, "",
                     90 + 360 * b + (r % 2 == 1 ? 1485 : 0), 495 + 225 * g + (r >= 2 ? 945 : 0),
                     330, 195});
    }
    return rows;
}

struct MenuRow {
    const char* name;  // "-" stands for a separator
    const char* caption;
    char accessKey;  // 0: none
};

struct MenuColumn {
    MenuRow menu;
    QList<MenuRow> items;
};

const QList<MenuColumn> kMenuBar = {
    {{"mnuFile", "ﾌｧｲﾙ(&F)", 'F'},
     {{"mnuEnd", "終了(&X)", 'X'}, {"-", "", 0}, {"mnuSaveImage", "画像として保存...", 0}}},
    {{"mnuEdit", "編集(&E)", 'E'},
     {{"mnuFirstColor", "最初の色を設定(&F)", 'F'},
      {"mnuMidColor", "中間の色を設定(&M)", 'M'},
      {"mnuLaterColor", "最後の色を設定(&L)", 'L'},
      {"mnuBack", "背景色を設定(&B)", 'B'},
      {"-", "", 0},
      {"mnuSet", "設定", 0},
      {"-", "", 0},
      {"mnuCopyImage", "画像をｺﾋﾟｰ", 0}}},
    {{"mnuShow", "表示(&S)", 'S'},
     {{"mnuTop", "最前面表示", 0},
      {"-", "", 0},
      {"mnuView", "ﾋﾞｭｰｳｲﾝﾄﾞｳを表示(&V)", 'V'},
      {"mnuTool", "ﾂｰﾙﾊﾞｰを表示(&T)", 'T'}}},
    {{"mnuHelp", "ﾍﾙﾌﾟ(&H)", 'H'}, {{"mnuVersion", "ﾊﾞｰｼﾞｮﾝ情報(&V)", 'V'}}},
};

QKeySequence AccessKey(char key)
{
    return key == 0 ? QKeySequence() : QKeySequence(Qt::ALT | Qt::Key(key));
}

}  // namespace

class WindowTextTableTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void windows_data();
    void windows();
    void controls_data();
    void controls();
    void menuBar();
    void accessKeysOpenTheirMenus();
    void settingsTabs();

private:
    QWidget* Window(const QString& name) const;

    std::optional<ProgramFixture> m_fixture;
};

void WindowTextTableTest::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    m_fixture.emplace(StandardIni());
    // The view is opened and closed once, so that WebBrowser1 exists; then every secondary
    // window is opened.
    m_fixture->Button("cmdView")->click();
    m_fixture->Button("cmdView")->click();
    m_fixture->forms->Find<MainWindow>()->EditColor(MainWindow::ColorField::First);
    m_fixture->forms->Show<EditWindow>();
    m_fixture->forms->Show<SettingsDialog>();
    m_fixture->forms->Show<VersionWindow>();
}

void WindowTextTableTest::cleanupTestCase() { m_fixture.reset(); }

QWidget* WindowTextTableTest::Window(const QString& name) const
{
    Forms& forms = *m_fixture->forms;
    if (name == QLatin1String("Form1")) return forms.Find<MainWindow>();
    if (name == QLatin1String("Form2")) return forms.Find<PaletteDialog>();
    if (name == QLatin1String("Form3")) return forms.Find<EditWindow>();
    if (name == QLatin1String("Form4")) return forms.Find<SettingsDialog>();
    return forms.Find<VersionWindow>();
}

void WindowTextTableTest::windows_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<int>("clientHeight");  // kAny: the main window's height is its state's
    QTest::newRow("Form1") << "Form1" << QStringLiteral("Kelvara") << 4905 << kAny;
    QTest::newRow("Form2") << "Form2" << QStringLiteral("ｶﾗｰﾊﾟﾚｯﾄ") << 4545 << 3990;
    QTest::newRow("Form3") << "Form3" << QStringLiteral("編集ｳｲﾝﾄﾞｳ") << 4440 << 3750;
    QTest::newRow("Form4") << "Form4" << QStringLiteral("設定") << 5340 << 4755;
    QTest::newRow("Form5") << "Form5" << QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報") << 3030 << 4545;
}

void WindowTextTableTest::windows()
{
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QFETCH(int, clientWidth);
    QFETCH(int, clientHeight);
    QWidget* form = Window(window);
    QVERIFY(form != nullptr);
    QCOMPARE(form->objectName(), window);
    QCOMPARE(form->windowTitle(), caption);
    QCOMPARE(form->width(), Twips(clientWidth));
    if (clientHeight != kAny) QCOMPARE(form->height(), Twips(clientHeight));
}

void WindowTextTableTest::controls_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QList<int>>("place");
    for (const ControlRow& row : Rows()) {
        const QString label = QLatin1String(row.window) + QLatin1Char(' ') + row.name;
        QTest::newRow(qPrintable(label))
            << QString::fromLatin1(row.window) << row.name
            << (row.caption ? QString::fromUtf8(row.caption) : QString())
            << (row.tooltip ? QString::fromUtf8(row.tooltip) : QStringLiteral("<unchecked>"))
            << QList<int>{row.left, row.top, row.width, row.height};
    }
}

void WindowTextTableTest::controls()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, tooltip);
    QFETCH(QList<int>, place);
    const QList<QWidget*> found = Window(window)->findChildren<QWidget*>(name);
    QCOMPARE(found.size(), 1);
    const QWidget* control = found.first();
    if (!caption.isNull()) QCOMPARE(CaptionOf(control), caption);
    if (tooltip != QLatin1String("<unchecked>")) QCOMPARE(control->toolTip(), tooltip);
    const QRect rect = control->geometry();
    const int actual[] = {rect.x(), rect.y(), rect.width(), rect.height()};
    const char* const measures[] = {"Left", "Top", "Width", "Height"};
    for (int i = 0; i < 4; ++i) {
        if (place[i] == kAny) continue;
        QVERIFY2(actual[i] == Twips(place[i]),
                 qPrintable(QStringLiteral("%1 is %2 px, expected %3 twips = %4 px")
                                .arg(QLatin1String(measures[i]))
                                .arg(actual[i])
                                .arg(place[i])
                                .arg(Twips(place[i]))));
    }
}

void WindowTextTableTest::menuBar()
{
    QMenuBar* bar = m_fixture->window->menuBar();
    QStringList menus;
    for (QAction* action : bar->actions()) menus << action->objectName();
    QStringList expectedMenus;
    for (const MenuColumn& column : kMenuBar) expectedMenus << column.menu.name;
    QCOMPARE(menus, expectedMenus);

    for (int m = 0; m < kMenuBar.size(); ++m) {
        const MenuColumn& column = kMenuBar[m];
        QAction* menuAction = bar->actions()[m];
        QCOMPARE(menuAction->text(), QString::fromUtf8(column.menu.caption));
        QCOMPARE(QKeySequence::mnemonic(menuAction->text()), AccessKey(column.menu.accessKey));
        const QList<QAction*> items = menuAction->menu()->actions();
        QCOMPARE(items.size(), column.items.size());
        for (int i = 0; i < items.size(); ++i) {
            const MenuRow& row = column.items[i];
            if (QLatin1String(row.name) == QLatin1String("-")) {
                QVERIFY2(items[i]->isSeparator(), row.name);
                continue;
            }
            QCOMPARE(items[i]->objectName(), QString::fromLatin1(row.name));
            QCOMPARE(items[i]->text(), QString::fromUtf8(row.caption));
            QCOMPARE(QKeySequence::mnemonic(items[i]->text()), AccessKey(row.accessKey));
        }
    }
}

void WindowTextTableTest::accessKeysOpenTheirMenus()
{
    // A main window of its own, active and with no other window disabling it.
    MainWindowFixture f;
    QVERIFY(testing::Activate(f.window));
    for (const MenuColumn& column : kMenuBar) {
        QTest::keyClick(f.window, Qt::Key(column.menu.accessKey), Qt::AltModifier);
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY2(popup != nullptr, column.menu.name);
        QCOMPARE(popup->menuAction()->objectName(), QString::fromLatin1(column.menu.name));
        QTest::keyClick(popup, Qt::Key_Escape);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    }
    // An item's access key inside its open menu runs the item: Alt+S, then V opens the view.
    QTest::keyClick(f.window, Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_V);
    QCOMPARE(f.Button("cmdView")->text(), QStringLiteral("↑ﾋﾞｭｰ↑"));
    QCOMPARE(OuterHeight(f.window), Twips(7320));
}

void WindowTextTableTest::settingsTabs()
{
    auto* tabs = Window(QStringLiteral("Form4"))->findChild<QTabBar*>(QStringLiteral("TabStrip1"));
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
    // The four designed tabs, then the output page's tab after them.
    QCOMPARE(captions,
             (QStringList{QStringLiteral("ﾃｷｽﾄ"), QStringLiteral("ﾌｫﾝﾄ"), QStringLiteral("色"),
                          QStringLiteral("その他"), QStringLiteral("出力")}));
}

KELVARA_UI_TEST_MAIN(WindowTextTableTest)
#include "window_text_table_test.moc"
