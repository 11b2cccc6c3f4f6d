// SPDX-License-Identifier: MIT
// The edit window: "転送" adopts the edited text as the result, the clipboard and the page;
// "閉じる" drops unsent edits; the main window stays usable meanwhile.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "kelvara/ui/app_state.h"
#include "kelvara/ui/edit_window.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/platform.h"
#include "ui_test_main.h"
#include "window_test_support.h"

using kelvara::ui::AppState;
using kelvara::ui::EditWindow;
using kelvara::ui::Forms;
using kelvara::ui::MainWindow;

namespace {

using kelvara::ui::testing::Find;
using kelvara::ui::testing::FlushDeletes;

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
        m_state->ResultTags = result;
        EditWindow* window = m_forms->Show<EditWindow>();
        Box(window)->setPlainText(m_state->ResultTags);
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
    MainWindow* Main() { return m_forms->Find<MainWindow>(); }
    QString PagePath() const { return m_folder->filePath(QStringLiteral("temp.html")); }
    QByteArray Page() const
    {
        QFile page(PagePath());
        return page.open(QIODevice::ReadOnly) ? page.readAll() : QByteArray();
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<Forms> m_forms;
};

void EditWindowTest::initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

void EditWindowTest::init()
{
    QVERIFY(kelvara::ui::testing::MakeApp(m_folder, m_state, m_forms));
    kelvara::ui::SetMessageInterceptor([](const QString& text) { QFAIL(qPrintable(text)); });
    m_forms->Show<MainWindow>();
    Find<QLineEdit>(Main(), QStringLiteral("txtBack"))->setText(QStringLiteral("FFFFFF"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
}

void EditWindowTest::cleanup()
{
    m_forms->UnloadAll();
    FlushDeletes();
    m_forms.reset();
    FlushDeletes();
    kelvara::ui::SetMessageInterceptor({});
    m_state.reset();
    m_folder.reset();
}

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
    QPointer<EditWindow> window = Open(QString());
    QVERIFY(Main()->isEnabled());
    Find<QPushButton>(window, QStringLiteral("cmdClose"))->click();
    QVERIFY(Main()->isEnabled());
    FlushDeletes();
    QVERIFY(window.isNull());
    QVERIFY(!m_forms->Find<EditWindow>());
}

void EditWindowTest::readsTopmostAtLoad()
{
    auto* topmost = Find<QAction>(Main(), QStringLiteral("mnuTop"));
    QVERIFY(topmost->isChecked());
    EditWindow* onTop = Open(QString());
    QVERIFY(onTop->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    onTop->close();
    FlushDeletes();

    topmost->trigger();
    QVERIFY(!Open(QString())->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void EditWindowTest::sendWithAnEmptyBox()
{
    Find<QLineEdit>(Main(), QStringLiteral("txtBack"))->setText(QStringLiteral("ffffff"));
    EditWindow* window = Open(QStringLiteral("<B>old</B>"));
    Box(window)->clear();
    Send(window);
    QVERIFY(m_state->ResultTags.isEmpty());
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
    QCOMPARE(m_state->ResultTags, expected);
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
    QCOMPARE(m_state->ResultTags, typed);
    QCOMPARE(Clipboard(), typed);
}

void EditWindowTest::sendingTwiceGivesTheSameResult()
{
    EditWindow* window = Open(QStringLiteral("x\ny"));
    Send(window);
    const QString result = m_state->ResultTags;
    const QByteArray page = Page();
    Send(window);
    QCOMPARE(m_state->ResultTags, result);
    QCOMPARE(Clipboard(), result);
    QCOMPARE(Page(), page);
}

void EditWindowTest::closeAfterEditingChangesNothing()
{
    QFile::remove(PagePath());
    QPointer<EditWindow> window = Open(QStringLiteral("<B>a</B>"));
    QTest::keyClicks(Box(window), QStringLiteral("edited"));
    Find<QPushButton>(window, QStringLiteral("cmdClose"))->click();
    QCOMPARE(m_state->ResultTags, QStringLiteral("<B>a</B>"));
    QCOMPARE(Clipboard(), QStringLiteral("before"));
    QVERIFY(!QFile::exists(PagePath()));
    FlushDeletes();
    QVERIFY(window.isNull());
}

void EditWindowTest::sendAfterTheMainWindowIsGoneStillCopies()
{
    QPointer<EditWindow> window = Open(QStringLiteral("kept"));
    delete Main();
    QVERIFY(!m_forms->Find<MainWindow>());
    QFile::remove(PagePath());
    Send(window);
    QCOMPARE(m_state->ResultTags, QStringLiteral("kept"));
    QCOMPARE(Clipboard(), QStringLiteral("kept"));
    QVERIFY(!QFile::exists(PagePath()));
}

KELVARA_UI_TEST_MAIN(EditWindowTest)
#include "edit_window_test.moc"
