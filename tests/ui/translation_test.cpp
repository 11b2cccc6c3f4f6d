// SPDX-License-Identifier: MIT
// Qt's own strings in the window are Japanese once the application's translation is set up,
// whatever the locale the tests run under.
#include <QAction>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <memory>
#ifdef KELVARA_WEBENGINE
#include <QWebEnginePage>
#endif

#include "kelvara/ui/translation.h"
#include "ui_test_main.h"

namespace {

// The caption of a menu item without its mnemonic "(&U)" and its shortcut after the tab.
QString Caption(const QAction* action)
{
    QString text = action->text().section(QLatin1Char('\t'), 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    text.remove(QLatin1Char('&'));
    return text;
}

// Every item of a context menu has a caption without Latin letters: "元に戻す", not "Undo".
void CheckJapaneseMenu(QMenu* menu)
{
    int items = 0;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        ++items;
        const QString caption = Caption(action);
        QVERIFY2(!caption.isEmpty(), qPrintable(action->text()));
        QVERIFY2(!caption.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))),
                 qPrintable(action->text()));
    }
    QVERIFY(items >= 6);  // undo, redo, cut, copy, paste, delete, select all
}

}  // namespace

class TranslationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void lineEditContextMenuIsJapanese();
    void textEditContextMenuIsJapanese();
    void standardButtonsAreJapanese();
#ifdef KELVARA_WEBENGINE
    void browserViewActionsAreJapanese();
#endif
};

void TranslationTest::initTestCase()
{
    QVERIFY(kelvara::ui::InstallQtTranslation(*QCoreApplication::instance()));
}

void TranslationTest::lineEditContextMenuIsJapanese()
{
    QLineEdit field(QStringLiteral("abc"));
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    CheckJapaneseMenu(menu.get());
    if (QTest::currentTestFailed()) return;
    const QStringList captions = [&] {
        QStringList list;
        for (const QAction* action : menu->actions()) list << Caption(action);
        return list;
    }();
    QVERIFY2(captions.contains(QStringLiteral("元に戻す")), qPrintable(captions.join(u'|')));
    QVERIFY2(captions.contains(QStringLiteral("すべてを選択")), qPrintable(captions.join(u'|')));
}

void TranslationTest::textEditContextMenuIsJapanese()
{
    QPlainTextEdit edit(QStringLiteral("<FONT>abc</FONT>"));
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    CheckJapaneseMenu(menu.get());
}

void TranslationTest::standardButtonsAreJapanese()
{
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes);
    QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    QCOMPARE(box.button(QDialogButtonBox::Yes)->text(), QStringLiteral("はい(&Y)"));
}

#ifdef KELVARA_WEBENGINE
// The browser view's context menu is made of its page's actions.
void TranslationTest::browserViewActionsAreJapanese()
{
    QWebEnginePage page;
    QMenu menu;
    for (int action = 0; action < QWebEnginePage::WebActionCount; ++action) {
        if (QAction* item = page.action(static_cast<QWebEnginePage::WebAction>(action))) {
            menu.addAction(item);
        }
    }
    CheckJapaneseMenu(&menu);
    if (QTest::currentTestFailed()) return;
    QCOMPARE(page.action(QWebEnginePage::ViewSource)->text(),
             QStringLiteral("ページのソースを表示"));
}
#endif

KELVARA_UI_TEST_MAIN(TranslationTest)
#include "translation_test.moc"
