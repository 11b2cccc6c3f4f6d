// SPDX-License-Identifier: MIT
// What a screen reader finds in the five windows, read through Qt's accessibility interface:
// every interactive control that is shown has a name, a tooltip is its description, and the
// controls whose names a user relies on say what they are.
#include <QAccessible>
#include <QAccessibleInterface>
#include <QWidget>

#include "kelvara/ui/edit_window.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/palette_dialog.h"
#include "kelvara/ui/settings_dialog.h"
#include "kelvara/ui/version_window.h"
#include "main_window_fixture.h"
#include "ui_test_main.h"
#include "window_test_support.h"

using namespace kelvara::ui;
using namespace kelvara::ui::test;

namespace {

const QList<QAccessible::Role> kInteractive = {
    QAccessible::Button,   QAccessible::CheckBox,     QAccessible::RadioButton,
    QAccessible::ComboBox, QAccessible::EditableText, QAccessible::PageTab,
    QAccessible::Slider,   QAccessible::ScrollBar,    QAccessible::SpinBox,
    QAccessible::MenuItem, QAccessible::ButtonMenu,   QAccessible::Link,
};

// Names a user relies on: by window and control. Every other shown control needs a name too.
struct Expected {
    const char* window;
    QString control;
    const char* name;
};

const QList<Expected> kExpected = {
    {"Form1", "cmdGo", "実行"},
    {"Form1", "chkBtn(2)", "太字"},
    {"Form1", "txtCfor", "最初の色"},
    {"Form1", "cmdLColor", "最初の色を選ぶ"},
    {"Form1", "WebBrowser1", "プレビュー"},
    {"Form1", "frmStatus", "出力の状態"},
    {"Form2", "Picture2(48)", "#FF0000"},
    {"Form2", "picSave(2)", "保存した色 3"},
    {"Form4", "optFont(3)", "フォントサイズを変える（大→小）、スタイルシート"},
    {"Form4", "cmbFont", "ﾌｫﾝﾄ："},
};

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void controls_data();
    void controls();

private:
    QWidget* Window(const QString& name) const;
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void AccessibilityTest::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    // A format with a status line, the view open and one run done, then every other window.
    m_fixture = std::make_unique<MainWindowFixture>(StandardIni({{"Output", "Format", "bbcode"}}));
    m_fixture->Field("txtFor")->setText(QStringLiteral("abc"));
    m_fixture->Button("cmdView")->click();
    m_fixture->Button("cmdGo")->click();
    m_fixture->forms->ShowForm2();
    m_fixture->forms->ShowForm3();
    m_fixture->forms->ShowForm4();
    m_fixture->forms->ShowForm5();
}

void AccessibilityTest::cleanupTestCase()
{
    m_fixture->forms->UnloadAll();
    kelvara::ui::testing::FlushDeletes();
    m_fixture.reset();
}

QWidget* AccessibilityTest::Window(const QString& name) const
{
    Forms& forms = *m_fixture->forms;
    const QList<QWidget*> windows = {forms.Form1(), forms.Form2(), forms.Form3(), forms.Form4(),
                                     forms.Form5()};
    for (QWidget* window : windows) {
        if (window != nullptr && window->objectName() == name) return window;
    }
    return nullptr;
}

void AccessibilityTest::controls_data()
{
    QTest::addColumn<QAccessible::Id>("id");
    QTest::addColumn<QString>("expected");  // empty: any name but an empty one
    for (const QString window : {"Form1", "Form2", "Form3", "Form4", "Form5"}) {
        QWidget* form = Window(window);
        QVERIFY2(form != nullptr && form->isVisible(), qPrintable(window));
        int found = 0;
        QList<QAccessibleInterface*> pending = {QAccessible::queryAccessibleInterface(form)};
        while (!pending.isEmpty()) {
            QAccessibleInterface* node = pending.takeFirst();
            if (node == nullptr || node->state().invisible) continue;
            for (int i = 0; i < node->childCount(); ++i) pending << node->child(i);
            if (!kInteractive.contains(node->role())) continue;
            const QObject* object = node->object();
            const QString label = QStringLiteral("%1 %2 %3 #%4")
                                      .arg(window, object ? object->objectName() : QString())
                                      .arg(node->role())
                                      .arg(++found);
            QTest::newRow(qPrintable(label)) << QAccessible::uniqueId(node) << QString();
        }
        // Every window has at least its OK or close button.
        QVERIFY2(found > 0, qPrintable(window));
    }
    for (const Expected& row : kExpected) {
        auto* control = Window(row.window)->findChild<QWidget*>(row.control);
        QVERIFY2(control != nullptr, qPrintable(row.control));
        QTest::newRow(qPrintable(QLatin1String(row.window) + QLatin1Char(' ') + row.control))
            << QAccessible::uniqueId(QAccessible::queryAccessibleInterface(control))
            << QString::fromUtf8(row.name);
    }
}

void AccessibilityTest::controls()
{
    QFETCH(QAccessible::Id, id);
    QFETCH(QString, expected);
    QAccessibleInterface* node = QAccessible::accessibleInterface(id);
    QVERIFY(node != nullptr && node->isValid());
    QString name = node->text(QAccessible::Name);
    // A combo box's name is its text; what it is for comes from the label it is the buddy of.
    if (node->role() == QAccessible::ComboBox) {
        const auto labels = node->relations(QAccessible::Label);
        QVERIFY2(!labels.isEmpty(), "a combo box without a label");
        name = labels.first().first->text(QAccessible::Name);
    }
    if (expected.isEmpty()) {
        QVERIFY2(!name.trimmed().isEmpty(), "a shown control without a name");
    } else {
        QCOMPARE(name, expected);
    }
    const auto* widget = qobject_cast<const QWidget*>(node->object());
    if (widget != nullptr && !widget->toolTip().isEmpty()) {
        QCOMPARE(node->text(QAccessible::Description), widget->toolTip());
    }
    // The status line reads out what it shows.
    if (name == QLatin1String("出力の状態")) {
        QVERIFY2(node->text(QAccessible::Value).startsWith(QStringLiteral("出力：")),
                 qPrintable(node->text(QAccessible::Value)));
    }
}

KELVARA_UI_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
