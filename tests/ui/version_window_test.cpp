// SPDX-License-Identifier: MIT
// The version window: its texts, and the main window held disabled until it closes.
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <optional>

#include "kelvara/ui/main_window.h"
#include "kelvara/ui/version_window.h"
#include "main_window_fixture.h"
#include "ui_test_main.h"
#include "window_test_support.h"

using namespace kelvara::ui;
using namespace kelvara::ui::test;
using namespace kelvara::ui::testing;

namespace {

QLabel* Label(QWidget* window, const char* name)
{
    return Find<QLabel>(window, QLatin1String(name));
}

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
    std::optional<ProgramFixture> m_app;
};

void VersionWindowTest::initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

void VersionWindowTest::init() { m_app.emplace(); }

void VersionWindowTest::cleanup() { m_app.reset(); }

void VersionWindowTest::showsNameVersionAndContacts()
{
    VersionWindow* window = m_app->forms->Show<kelvara::ui::VersionWindow>();
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
    const QStringList lines = Label(m_app->forms->Show<kelvara::ui::VersionWindow>(), "Label6")
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
    CheckMainWindowWhileOpen(
        *m_app->forms, true, [this] { return m_app->forms->Show<VersionWindow>(); },
        [closeBox](QWidget* window) {
            if (closeBox) {
                window->close();
            } else {
                window->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
            }
        });
}

void VersionWindowTest::readsTopmostAtLoad()
{
    CheckTopmostAtLoad(m_app->window, [this] { return m_app->forms->Show<VersionWindow>(); });
}

KELVARA_UI_TEST_MAIN(VersionWindowTest)
#include "version_window_test.moc"
