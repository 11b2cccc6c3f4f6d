// SPDX-License-Identifier: MIT
// The version window: its texts, and the main window held disabled until it closes.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "kelvara/ui/app_state.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/platform.h"
#include "kelvara/ui/version_window.h"
#include "ui_test_main.h"
#include "window_test_support.h"

using kelvara::ui::AppState;
using kelvara::ui::Forms;
using kelvara::ui::VersionWindow;

namespace {

QLabel* Label(QWidget* window, const char* name)
{
    auto* label = window->findChild<QLabel*>(QLatin1String(name));
    if (!label) qFatal("no label %s", name);
    return label;
}

using kelvara::ui::testing::FlushDeletes;

}  // namespace

class VersionWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsNameVersionAndContacts();
    void listsTheContributors();
    void holdsTheMainWindowUntilClosed_data();
    void holdsTheMainWindowUntilClosed();
    void readsTopmostAtLoad();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<Forms> m_forms;
};

void VersionWindowTest::initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

void VersionWindowTest::init()
{
    QVERIFY(kelvara::ui::testing::MakeApp(m_folder, m_state, m_forms));
    m_forms->Show<kelvara::ui::MainWindow>();
}

void VersionWindowTest::cleanup()
{
    m_forms->UnloadAll();
    FlushDeletes();
    m_forms.reset();
    FlushDeletes();
    m_state.reset();
    m_folder.reset();
}

void VersionWindowTest::showsNameVersionAndContacts()
{
    VersionWindow* window = m_forms->Show<kelvara::ui::VersionWindow>();
    QCOMPARE(window->windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));

    QLabel* name = Label(window, "Label1");
    QCOMPARE(name->text(), QStringLiteral("Kelvara"));
    QCOMPARE(name->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(name->font().pointSizeF(), 27.75);

    QLabel* version = Label(window, "Label2");
    QVERIFY(QRegularExpression(QStringLiteral("^Ver \\d+\\.\\d+\\.\\d+$"))
                .match(version->text())
                .hasMatch());
    QVERIFY(version->font().bold());
    QCOMPARE(version->font().pointSizeF(), 14.25);
    QCOMPARE(version->palette().color(QPalette::WindowText), QColor(255, 224, 192));

    QVERIFY(Label(window, "Label3")->text().contains(QStringLiteral("2026")));
    QVERIFY(Label(window, "Label4")->text().contains(QStringLiteral("https://kelvara.example/")));
    QVERIFY(Label(window, "Label5")->text().contains(QStringLiteral("kelvara@example.com")));
    // The contact lines are readable whole, not cut at the window's edge.
    for (const char* line : {"Label3", "Label4", "Label5"}) {
        QLabel* label = Label(window, line);
        QVERIFY(label->width() >= label->sizeHint().width() ||
                label->geometry().right() + 1 >= window->width());
    }
}

void VersionWindowTest::listsTheContributors()
{
    const QStringList lines = Label(m_forms->Show<kelvara::ui::VersionWindow>(), "Label6")
                                  ->text()
                                  .split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 11);
    QCOMPARE(lines[0], QStringLiteral("協力者："));
    QVERIFY(lines[1].isEmpty());
    for (int i = 2; i <= 8; ++i) {
        const QStringList parts = lines[i].split(QStringLiteral("："));
        QCOMPARE(parts.size(), 2);
        QVERIFY(!parts[0].isEmpty());
        QVERIFY(!parts[1].isEmpty());
    }
    QVERIFY(lines[9].isEmpty());
    QVERIFY(lines[10].contains(QStringLiteral("ﾒｰﾙ")));
}

void VersionWindowTest::holdsTheMainWindowUntilClosed_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("OK") << false;
    QTest::newRow("close box") << true;
}

void VersionWindowTest::holdsTheMainWindowUntilClosed()
{
    QFETCH(bool, closeBox);
    QVERIFY(m_forms->Find<kelvara::ui::MainWindow>()->isEnabled());
    QPointer<VersionWindow> window = m_forms->Show<kelvara::ui::VersionWindow>();
    QVERIFY(!m_forms->Find<kelvara::ui::MainWindow>()->isEnabled());
    if (closeBox) {
        window->close();
    } else {
        window->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    }
    QVERIFY(m_forms->Find<kelvara::ui::MainWindow>()->isEnabled());
    FlushDeletes();
    QVERIFY(window.isNull());
    QVERIFY(!m_forms->Find<kelvara::ui::VersionWindow>());
}

void VersionWindowTest::readsTopmostAtLoad()
{
    auto* topmost =
        m_forms->Find<kelvara::ui::MainWindow>()->findChild<QAction*>(QStringLiteral("mnuTop"));
    QVERIFY(topmost && topmost->isChecked());
    VersionWindow* onTop = m_forms->Show<kelvara::ui::VersionWindow>();
    QVERIFY(onTop->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    onTop->close();
    FlushDeletes();

    topmost->trigger();
    QVERIFY(!m_forms->Show<kelvara::ui::VersionWindow>()->windowFlags().testFlag(
        Qt::WindowStaysOnTopHint));
}

KELVARA_UI_TEST_MAIN(VersionWindowTest)
#include "version_window_test.moc"
