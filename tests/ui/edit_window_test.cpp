// SPDX-License-Identifier: MIT
// The edit window: "転送" adopts the edited text as the result, the clipboard and the page;
// "閉じる" drops unsent edits; the main window stays usable meanwhile.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <optional>

#include "kelvara/ui/edit_window.h"
#include "kelvara/ui/main_window.h"
#include "main_window_fixture.h"
#include "ui_test_main.h"
#include "window_test_support.h"

using namespace kelvara::ui;
using namespace kelvara::ui::test;
using namespace kelvara::ui::testing;

namespace {

QString Clipboard() { return QGuiApplication::clipboard()->text(); }

}  // namespace

class EditWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsTheResultForEditing();
    void leavesTheMainWindowUsable();
    void readsTopmostAtLoad();
    void sendWithAnEmptyBox();
    void sendKeepsLineBreaksAndTheTypedBackground();
    void sendKeepsEveryCharacterAsTyped();
    void sendingTwiceGivesTheSameResult();
    void closeAfterEditingChangesNothing();
    void sendAfterTheMainWindowIsGoneStillCopies();

private:
    // As a finished run opens it: shown first, then given the result.
    EditWindow* Open(const QString& result)
    {
        m_app->state.ResultTags = result;
        EditWindow* window = m_app->forms->Show<EditWindow>();
        Box(window)->setPlainText(m_app->state.ResultTags);
        return window;
    }
    static QPlainTextEdit* Box(QWidget* window)
    {
        return Find<QPlainTextEdit>(window, QStringLiteral("txtKekka"));
    }
    static void Send(QWidget* window)
    {
        Find<QPushButton>(window, QStringLiteral("cmdSend"))->click();
    }
    MainWindow* Main() { return m_app->forms->Find<MainWindow>(); }
    QString PagePath() const { return m_app->Path(QStringLiteral("temp.html")); }
    QByteArray Page() const { return m_app->Page(); }

    std::optional<ProgramFixture> m_app;
};

void EditWindowTest::initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

void EditWindowTest::init()
{
    m_app.emplace(FailOnMessage{});
    Find<QLineEdit>(Main(), QStringLiteral("txtBack"))->setText(QStringLiteral("FFFFFF"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
}

void EditWindowTest::cleanup() { m_app.reset(); }

void EditWindowTest::showsTheResultForEditing()
{
    EditWindow* window = Open(QStringLiteral("<FONT COLOR=\"#FF0000\">a</FONT>"));
    QCOMPARE(window->windowTitle(), QStringLiteral("編集ｳｲﾝﾄﾞｳ"));
    QCOMPARE(Box(window)->toPlainText(), QStringLiteral("<FONT COLOR=\"#FF0000\">a</FONT>"));
    QVERIFY(!Box(window)->isReadOnly());
    QCOMPARE(Box(window)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(Find<QPushButton>(window, QStringLiteral("cmdSend"))->text(), QStringLiteral("転送"));
    QCOMPARE(Find<QPushButton>(window, QStringLiteral("cmdClose"))->text(),
             QStringLiteral("閉じる"));
    auto* hint = Find<QLabel>(window, QStringLiteral("Label1"));
    QCOMPARE(hint->text(),
             QStringLiteral("転送を押すことで、ここで編集した結果を反映する事ができます。"));
    QCOMPARE(hint->font().pointSizeF(), 8.25);
    QCOMPARE(Find<QLabel>(window, QStringLiteral("Label2"))->text(), QStringLiteral("結果："));
}

void EditWindowTest::leavesTheMainWindowUsable()
{
    CheckMainWindowWhileOpen(
        *m_app->forms, false, [this] { return Open(QString()); },
        [](QWidget* window) { Find<QPushButton>(window, QStringLiteral("cmdClose"))->click(); });
}

void EditWindowTest::readsTopmostAtLoad()
{
    CheckTopmostAtLoad(Main(), [this] { return Open(QString()); });
}

void EditWindowTest::sendWithAnEmptyBox()
{
    Find<QLineEdit>(Main(), QStringLiteral("txtBack"))->setText(QStringLiteral("ffffff"));
    EditWindow* window = Open(QStringLiteral("<B>old</B>"));
    Box(window)->clear();
    Send(window);
    QVERIFY(m_app->state.ResultTags.isEmpty());
    QVERIFY(Clipboard().isEmpty());
    QCOMPARE(Page(), QByteArray("<BODY BGCOLOR=\"#ffffff\" > \r\n"));
    QVERIFY(window->isVisible());
}

void EditWindowTest::sendKeepsLineBreaksAndTheTypedBackground()
{
    EditWindow* window = Open(QStringLiteral("<B>a</B>"));
    Find<QLineEdit>(Main(), QStringLiteral("txtBack"))->setText(QStringLiteral("00ff80"));
    QTextCursor cursor = Box(window)->textCursor();
    cursor.movePosition(QTextCursor::End);
    Box(window)->setTextCursor(cursor);
    QTest::keyClick(Box(window), Qt::Key_Return);
    QTest::keyClicks(Box(window), QStringLiteral("<I>b</I>"));
    Send(window);

    const QString expected = QStringLiteral("<B>a</B>\n<I>b</I>");
    QCOMPARE(m_app->state.ResultTags, expected);
    QCOMPARE(Clipboard(), expected);
    QCOMPARE(Page(), QByteArray("<BODY BGCOLOR=\"#00ff80\" > <B>a</B>\n<I>b</I>\r\n"));
    QCOMPARE(Box(window)->toPlainText(), expected);
}

void EditWindowTest::sendKeepsEveryCharacterAsTyped()
{
    // A no-break space and a tab are part of the tags, not blanks to be tidied.
    const QString typed = QStringLiteral("a") + QChar(0x00A0) + QStringLiteral("b\tc");
    EditWindow* window = Open(typed);
    Send(window);
    QCOMPARE(m_app->state.ResultTags, typed);
    QCOMPARE(Clipboard(), typed);
}

void EditWindowTest::sendingTwiceGivesTheSameResult()
{
    EditWindow* window = Open(QStringLiteral("x\ny"));
    Send(window);
    const QString result = m_app->state.ResultTags;
    const QByteArray page = Page();
    Send(window);
    QCOMPARE(m_app->state.ResultTags, result);
    QCOMPARE(Clipboard(), result);
    QCOMPARE(Page(), page);
}

void EditWindowTest::closeAfterEditingChangesNothing()
{
    QFile::remove(PagePath());
    QPointer<EditWindow> window = Open(QStringLiteral("<B>a</B>"));
    QTest::keyClicks(Box(window), QStringLiteral("edited"));
    Find<QPushButton>(window, QStringLiteral("cmdClose"))->click();
    QCOMPARE(m_app->state.ResultTags, QStringLiteral("<B>a</B>"));
    QCOMPARE(Clipboard(), QStringLiteral("before"));
    QVERIFY(!QFile::exists(PagePath()));
    FlushDeletes();
    QVERIFY(window.isNull());
}

void EditWindowTest::sendAfterTheMainWindowIsGoneStillCopies()
{
    QPointer<EditWindow> window = Open(QStringLiteral("kept"));
    delete Main();
    QVERIFY(!m_app->forms->Find<MainWindow>());
    QFile::remove(PagePath());
    Send(window);
    QCOMPARE(m_app->state.ResultTags, QStringLiteral("kept"));
    QCOMPARE(Clipboard(), QStringLiteral("kept"));
    QVERIFY(!QFile::exists(PagePath()));
}

KELVARA_UI_TEST_MAIN(EditWindowTest)
#include "edit_window_test.moc"
