// SPDX-License-Identifier: MIT
// Accessible names of the five windows' controls, in one table, and the two kinds of control
// Qt has no fitting accessible interface for: the clickable colour boxes and the status line.
#include "kelvara/ui/accessibility.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>

#include "kelvara/ui/palette_dialog.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {
namespace {

struct ControlName {
    const char* window;
    const char* control;
    const char* name;
};

// Controls whose caption is a picture, a bare field, or does not say enough on its own. A check
// box, radio button or button whose caption names it keeps its caption as its name.
constexpr ControlName kNames[] = {
    // Main window: the text, the command buttons, the colour rows and the status line.
    {"Form1", "txtFor", "文字列"},
    {"Form1", "cmdTool", "ツールバーの表示"},
    {"Form1", "cmdSend", "クリップボードに転送"},
    {"Form1", "cmdClear", "文字列をクリア"},
    {"Form1", "cmdGo", "実行"},
    {"Form1", "cmdStop", "中止"},
    {"Form1", "cmdEnd", "終了"},
    {"Form1", "txtCfor", "最初の色"},
    {"Form1", "txtCmid", "中間の色"},
    {"Form1", "txtClat", "最後の色"},
    {"Form1", "txtBack", "背景色"},
    {"Form1", "cmdLColor", "最初の色を選ぶ"},
    {"Form1", "cmdMid", "中間の色を選ぶ"},
    {"Form1", "cmdFColor", "最後の色を選ぶ"},
    {"Form1", "cmdBack", "背景色を選ぶ"},
    {"Form1", "frmStatus", "出力の状態"},
    // The option toolbar, named like the settings dialog's boxes for the same options.
    {"Form1", "cmdBtn(7)", "設定"},
    {"Form1", "cmdBtn(1)", "文字を大きく"},
    {"Form1", "cmdBtn(2)", "文字を小さく"},
    {"Form1", "chkBtn(2)", "太字"},
    {"Form1", "chkBtn(3)", "下線"},
    {"Form1", "chkBtn(7)", "斜体"},
    {"Form1", "chkBtn(4)", "抹消線"},
    {"Form1", "chkBtn(5)", "上付"},
    {"Form1", "chkBtn(6)", "下付"},
    {"Form1", "chkBtn(8)", "中央寄せ"},
    {"Form1", "chkBtn(9)", "縦書き"},
    {"Form1", "chkBtn(10)", "文字を流す"},
    {"Form1", "chkBtn(11)", "文字を点滅"},
    {"Form1", "chkBtn(12)", "中間色を使う"},
    // Colour palette: the sliders and the preview box; the swatches are named by their colour.
    {"Form2", "HScroll1", "赤"},
    {"Form2", "HScroll2", "緑"},
    {"Form2", "HScroll3", "青"},
    {"Form2", "Picture1", "選んだ色"},
    // Edit window.
    {"Form3", "txtKekka", "結果"},
    // Settings dialog. The HTML-size and style-sheet modes share their captions.
    {"Form4", "TabStrip1", "設定のページ"},
    {"Form4", "optFont(1)", "フォントサイズを変える（大→小）、HTMLのサイズ"},
    {"Form4", "optFont(2)", "フォントサイズを変える（小→大）、HTMLのサイズ"},
    {"Form4", "optFont(3)", "フォントサイズを変える（大→小）、スタイルシート"},
    {"Form4", "optFont(4)", "フォントサイズを変える（小→大）、スタイルシート"},
    {"Form4", "cmbSize", "基本サイズ"},
    {"Form4", "txtMaxMin(0)", "最大サイズ（px）"},
    {"Form4", "txtMaxMin(1)", "最小サイズ（px）"},
    {"Form4", "cmbFont", "フォント"},
    {"Form4", "cmbFormat", "形式"},
    {"Form4", "cmbSpace", "色空間"},
    {"Form4", "txtFit", "文字数の上限"},
    {"Form4", "cmbTarget", "投稿先"},
};

// Control arrays: element i is named with i + 1 in place of %1.
struct ArrayName {
    const char* window;
    const char* control;
    int count;
    const char* name;
};

constexpr ArrayName kArrayNames[] = {
    {"Form2", "picSave", 12, "保存した色 %1"},
    {"Form4", "txtStop", 13, "追加の色 %1"},
    {"Form4", "picStop", 13, "追加の色 %1を選ぶ"},
};

// On Linux a combo box's accessible name is its current text, and a screen reader finds what it
// is for through the label whose buddy it is.
struct LabelFor {
    const char* window;
    const char* label;
    const char* control;
};

constexpr LabelFor kLabels[] = {
    {"Form4", "Label4", "cmbSize"},      {"Form4", "Label5", "cmbFont"},
    {"Form4", "lblFormat", "cmbFormat"}, {"Form4", "lblSpace", "cmbSpace"},
    {"Form4", "lblTarget", "cmbTarget"},
};

constexpr const char* kPreviewName = "プレビュー";

// An editable combo box is read through its text field too, which must carry the same name; the
// scroll bars of a text box are named after it.
void SetName(QWidget* control, const QString& name)
{
    control->setAccessibleName(name);
    if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit()) {
        combo->lineEdit()->setAccessibleName(name);
    }
    if (auto* area = qobject_cast<QAbstractScrollArea*>(control)) {
        area->verticalScrollBar()->setAccessibleName(name + QStringLiteral("の縦スクロールバー"));
        area->horizontalScrollBar()->setAccessibleName(name + QStringLiteral("の横スクロールバー"));
    }
}

// The colour as "#RRGGBB", how the palette writes colours.
QString ColorName(const QWidget* box)
{
    const QColor color = SwatchColor(box);
    return QLatin1Char('#') +
           PaletteDialog::ComposeColorText(color.red(), color.green(), color.blue());
}

// A colour box: a button named by the colour it shows, unless the table names it (a saved
// colour, an extra stop); then the colour is its description. The palette's preview box only
// shows the colour being made.
class SwatchAccessible final : public QAccessibleWidget {
public:
    explicit SwatchAccessible(ColorBox* box)
        : QAccessibleWidget(box, box->objectName() == QLatin1String("Picture1")
                                     ? QAccessible::Graphic
                                     : QAccessible::Button)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const QString own = widget()->accessibleName();
        if (kind == QAccessible::Name) return own.isEmpty() ? ColorName(widget()) : own;
        if (kind == QAccessible::Description) {
            QString description = QAccessibleWidget::text(kind);  // the tooltip, if any
            if (!description.isEmpty() || own.isEmpty()) return description;
            return widget()->autoFillBackground() ? ColorName(widget()) : QString();
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (role() == QAccessible::Button) names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction() && role() == QAccessible::Button && widget()->isEnabled()) {
            emit static_cast<ColorBox*>(widget())->clicked();
            return;
        }
        QAccessibleWidget::doAction(action);
    }
};

// The status line: a status bar whose value is what its labels say.
class StatusLineAccessible final : public QAccessibleWidget {
public:
    explicit StatusLineAccessible(QWidget* line) : QAccessibleWidget(line, QAccessible::StatusBar)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Value) return QAccessibleWidget::text(kind);
        QStringList parts;
        for (const QLabel* label : widget()->findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) parts << label->text();
        }
        return parts.join(QStringLiteral("、"));
    }
};

QAccessibleInterface* CreateInterface(const QString& className, QObject* object)
{
    if (auto* box = qobject_cast<ColorBox*>(object)) return new SwatchAccessible(box);
    if (className == QLatin1String("QWidget") && object != nullptr &&
        object->objectName() == QLatin1String("frmStatus")) {
        return new StatusLineAccessible(static_cast<QWidget*>(object));
    }
    return nullptr;
}

void InstallInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(&CreateInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

}  // namespace

void DescribeControls(QWidget* window)
{
    InstallInterfaces();
    const QString windowName = window->objectName();
    for (const ControlName& row : kNames) {
        if (windowName != QLatin1String(row.window)) continue;
        if (auto* control = window->findChild<QWidget*>(QLatin1String(row.control))) {
            SetName(control, QString::fromUtf8(row.name));
        }
    }
    for (const LabelFor& row : kLabels) {
        if (windowName != QLatin1String(row.window)) continue;
        auto* label = window->findChild<QLabel*>(QLatin1String(row.label));
        auto* control = window->findChild<QWidget*>(QLatin1String(row.control));
        if (label != nullptr && control != nullptr) label->setBuddy(control);
    }
    for (const ArrayName& row : kArrayNames) {
        if (windowName != QLatin1String(row.window)) continue;
        for (int i = 0; i < row.count; ++i) {
            if (auto* control = window->findChild<QWidget*>(Indexed(row.control, i))) {
                SetName(control, QString::fromUtf8(row.name).arg(i + 1));
            }
        }
    }
}

void DescribePreview(QWidget* view)
{
    const QString name = QString::fromUtf8(kPreviewName);
    SetName(view, name);
    for (QWidget* inner : view->findChildren<QWidget*>()) {
        if (inner->focusPolicy() != Qt::NoFocus) SetName(inner, name);
    }
}

void AnnounceStatusLine(QWidget* statusLine)
{
    if (!QAccessible::isActive() || !statusLine->isVisible()) return;
    QAccessibleInterface* line = QAccessible::queryAccessibleInterface(statusLine);
    if (line == nullptr) return;
    QAccessibleValueChangeEvent event(statusLine, line->text(QAccessible::Value));
    QAccessible::updateAccessibility(&event);
}

}  // namespace kelvara::ui
