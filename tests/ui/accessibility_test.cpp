// SPDX-License-Identifier: MIT
// What a screen reader finds in the five windows through Qt's accessibility interface: every
// interactive control that is shown has a name (a combo box through its label), a tooltip is
// the description, and the names a user relies on say what the control is.
#include <QAccessible>
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

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void controls_data();
    void controls();

private:
    std::optional<ProgramFixture> m_fixture;  // message boxes captured: none would be answered
};

void AccessibilityTest::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    // A format with a status line, the view open after a run, then every other window.
    m_fixture.emplace(StandardIni({{"Output", "Format", "bbcode"}}));
    m_fixture->Field("txtFor")->setText(QStringLiteral("abc"));
    m_fixture->Button("cmdView")->click();
    m_fixture->Button("cmdGo")->click();
    Forms& forms = *m_fixture->forms;
    forms.Find<MainWindow>()->EditColor(MainWindow::ColorField::First);
    forms.Show<EditWindow>(), forms.Show<SettingsDialog>(), forms.Show<VersionWindow>();
}

void AccessibilityTest::cleanupTestCase() { m_fixture.reset(); }

void AccessibilityTest::controls_data()
{
    const QList<QAccessible::Role> interactive = {
        QAccessible::Button,   QAccessible::CheckBox,     QAccessible::RadioButton,
        QAccessible::ComboBox, QAccessible::EditableText, QAccessible::PageTab,
        QAccessible::Slider,   QAccessible::ScrollBar,    QAccessible::MenuItem};
    QTest::addColumn<QAccessible::Id>("id");
    QTest::addColumn<QString>("expected");  // empty: any name but an empty one
    Forms& forms = *m_fixture->forms;
    const QList<QWidget*> windows = {forms.Find<MainWindow>(), forms.Find<PaletteDialog>(),
                                     forms.Find<EditWindow>(), forms.Find<SettingsDialog>(),
                                     forms.Find<VersionWindow>()};
    for (QWidget* window : windows) {
        QVERIFY(window != nullptr && window->isVisible());
        int found = 0;
        QList<QAccessibleInterface*> pending = {QAccessible::queryAccessibleInterface(window)};
        while (!pending.isEmpty()) {
            QAccessibleInterface* node = pending.takeFirst();
            if (node == nullptr || node->state().invisible) continue;
            for (int i = 0; i < node->childCount(); ++i) pending << node->child(i);
            if (!interactive.contains(node->role())) continue;
            QTest::addRow("%s %s #%d", qPrintable(window->objectName()),
                          qPrintable(node->object() ? node->object()->objectName() : QString()),
                          ++found)
                << QAccessible::uniqueId(node) << QString();
        }
        QVERIFY2(found > 0, qPrintable(window->objectName()));  // the walk reached the controls
    }
    const QList<std::tuple<QWidget*, QString, QString>> named = {
        {windows[0], "cmdGo", "実行"},
        {windows[0], "chkBtn(2)", "太字"},
        {windows[0], "txtCfor", "最初の色"},
        {windows[0], "cmdLColor", "最初の色を選ぶ"},
        {windows[0], "WebBrowser1", "プレビュー"},
        {windows[0], "frmStatus", "出力の状態"},
        {windows[1], "Picture2(48)", "#FF0000"},
        {windows[1], "picSave(2)", "保存した色 3"},
        {windows[3], "cmbFont", "ﾌｫﾝﾄ："},
        {windows[3], "cmbTarget", "投稿先："},
    };
    for (const auto& [window, control, name] : named) {
        QTest::addRow("%s %s", qPrintable(window->objectName()), qPrintable(control))
            << QAccessible::uniqueId(
                   QAccessible::queryAccessibleInterface(testing::Find<QWidget>(window, control)))
            << name;
    }
}

void AccessibilityTest::controls()
{
    QFETCH(QAccessible::Id, id);
    QFETCH(QString, expected);
    QAccessibleInterface* node = QAccessible::accessibleInterface(id);
    QVERIFY(node != nullptr && node->isValid());
    QString name = node->text(QAccessible::Name);
    if (node->role() == QAccessible::ComboBox) {  // its name is its text
        const auto labels = node->relations(QAccessible::Label);
        QVERIFY2(!labels.isEmpty(), "a combo box without a label");
        name = labels.first().first->text(QAccessible::Name);
    }
    QVERIFY2(expected.isEmpty() ? !name.trimmed().isEmpty() : name == expected, qPrintable(name));
    const auto* widget = qobject_cast<const QWidget*>(node->object());
    if (widget != nullptr && !widget->toolTip().isEmpty()) {
        QCOMPARE(node->text(QAccessible::Description), widget->toolTip());
    }
    if (name == QLatin1String("出力の状態")) {  // the status line reads out what it shows
        QVERIFY2(node->text(QAccessible::Value).startsWith(QStringLiteral("出力：")),
                 qPrintable(node->text(QAccessible::Value)));
    }
}

KELVARA_UI_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
