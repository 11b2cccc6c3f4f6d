// SPDX-License-Identifier: MIT
// MainWindow layout: the toolbar frame frmTool and the main frame frmMain, placed in twips.
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <limits>
#include <string_view>

#include "kelvara/ui/main_window.h"
#include "kelvara/ui/option_table.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {

namespace {

QIcon Icon(std::string_view name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg")
                     .arg(QLatin1String(name.data(), static_cast<qsizetype>(name.size()))));
}

// A 16 x 16 picture button without caption. It takes the focus when clicked, so that the
// field being left sees its leave-field step before the click is handled.
QToolButton* PictureButton(QWidget* parent, const QString& name, std::string_view icon,
                           const QString& tooltip)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(Icon(icon));
    button->setIconSize(QSize(16, 16));
    button->setToolTip(tooltip);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QPushButton* CaptionButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QLabel* Label(QWidget* parent, const char* name, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// The colour fields were sized for six digits with the narrow inner margin of a classic
// text box; Qt's wider default margin would scroll the first digit out of sight.
QLineEdit* TextBox(QWidget* parent, const char* name)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setTextMargins(-1, 0, -1, 0);
    return field;
}

// A swatch: a sunken rectangle whose background colour is all the program sets.
QFrame* Swatch(QWidget* parent, const char* name)
{
    auto* swatch = new QFrame(parent);
    swatch->setObjectName(QLatin1String(name));
    swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    swatch->setAutoFillBackground(true);
    return swatch;
}

struct ToolbarButton {
    int index;
    bool toggle;  // chkBtn(index) when true, cmdBtn(index) otherwise
    int left;
    // Empty for the toggle of an on/off option: its icon is named after the option's flag and
    // its tooltip is the option's caption.
    std::string_view icon;
    std::string_view tooltip;
};

// Left to right; the indices are the buttons' identifiers and follow no screen order.
constexpr ToolbarButton kToolbar[] = {
    {7, false, 0, "settings", "設定ﾀﾞｲｱﾛｸﾞを表示します。"},
    {1, false, 375, "size_up", "文字を１つ大きくします。"},
    {2, false, 705, "size_down", "文字を１つ小さくします。"},
    {2, true, 1035, {}, {}},
    {3, true, 1365, {}, {}},
    {7, true, 1695, {}, {}},
    {4, true, 2025, {}, {}},
    {5, true, 2355, {}, {}},
    {6, true, 2700, {}, {}},
    {8, true, 3090, {}, {}},
    {9, true, 3435, {}, {}},
    {10, true, 3810, {}, {}},
    {11, true, 4140, {}, {}},
    {12, true, 4530, "middle_color", "中色を利用できるようにします。"},
};

// The button's own icon and tooltip, or those of the option its toggle shows.
ToolbarButton Described(ToolbarButton entry)
{
    if (!entry.icon.empty() || !entry.toggle) return entry;
    const engine::OptionRow* option = engine::OptionOf(ToggleAt(entry.index)->field);
    entry.icon = option->flag;
    entry.tooltip = option->caption;
    return entry;
}

}  // namespace

void MainWindow::CreateToolFrame()
{
    frmTool = new QWidget(centralWidget());
    frmTool->setObjectName(QStringLiteral("frmTool"));
    PlaceTwips(frmTool, 30, 0, 4860, 780);

    for (const ToolbarButton& row : kToolbar) {
        const ToolbarButton entry = Described(row);
        const QString name = Indexed(entry.toggle ? "chkBtn" : "cmdBtn", entry.index);
        QToolButton* button = PictureButton(frmTool, name, entry.icon, FromUtf8(entry.tooltip));
        PlaceTwips(button, entry.left, 0, 330, 330);
        const auto slot = static_cast<std::size_t>(entry.index);
        if (entry.toggle) {
            button->setCheckable(true);
            m_chkBtn[slot] = button;
        } else {
            m_cmdBtn[slot] = button;
        }
    }

    // The colour row: swatch, "#", field, button for the first, middle and last colour.
    Picture1 = Swatch(frmTool, "Picture1");
    PlaceTwips(Picture1, 30, 360, 240, 270);
    PlaceTwips(Label(frmTool, "Label5", QStringLiteral("#")), 270, 360, 120, 270);
    txtCfor = TextBox(frmTool, "txtCfor");
    PlaceTwips(txtCfor, 390, 360, 765, 270);
    cmdLColor = CaptionButton(frmTool, "cmdLColor", QStringLiteral("前"));
    cmdLColor->setToolTip(QStringLiteral("最初の色を指定します。"));
    PlaceTwips(cmdLColor, 1200, 360, 360, 300);

    Picture4 = Swatch(frmTool, "Picture4");
    PlaceTwips(Picture4, 1695, 360, 240, 270);
    PlaceTwips(Label(frmTool, "Label3", QStringLiteral("#")), 1935, 360, 120, 270);
    txtCmid = TextBox(frmTool, "txtCmid");
    PlaceTwips(txtCmid, 2055, 360, 735, 270);
    cmdMid = CaptionButton(frmTool, "cmdMid", QStringLiteral("中"));
    cmdMid->setToolTip(QStringLiteral("真ん中の色を指定します。"));
    PlaceTwips(cmdMid, 2835, 360, 360, 300);

    Picture2 = Swatch(frmTool, "Picture2");
    PlaceTwips(Picture2, 3330, 360, 240, 270);
    PlaceTwips(Label(frmTool, "Label4", QStringLiteral("#")), 3570, 360, 120, 270);
    txtClat = TextBox(frmTool, "txtClat");
    PlaceTwips(txtClat, 3690, 360, 780, 270);
    cmdFColor = CaptionButton(frmTool, "cmdFColor", QStringLiteral("後"));
    cmdFColor->setToolTip(QStringLiteral("最後の色を指定します。"));
    PlaceTwips(cmdFColor, 4500, 360, 360, 300);

    // Two-line etched separator at 690 and 705.
    auto* separator = new QFrame(frmTool);
    separator->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    separator->setGeometry(0, Twips(690), Twips(4860), Twips(705) - Twips(690) + 1);
}

void MainWindow::CreateMainFrame()
{
    frmMain = new QWidget(centralWidget());
    frmMain->setObjectName(QStringLiteral("frmMain"));
    PlaceTwips(frmMain, 45, 780, 4845, 5865);

    // Text row.
    Label1 = Label(frmMain, "Label1", QStringLiteral("文字列："));
    PlaceTwips(Label1, 0, 45, 630, 180);
    txtFor = TextBox(frmMain, "txtFor");
    // A paste is kept whole, however long; a run refuses a text longer than it can take
    // rather than the field cutting it silently at Qt's default maximum.
    txtFor->setMaxLength(std::numeric_limits<int>::max());
    PlaceTwips(txtFor, 630, 0, 4155, 270);

    // Button row.
    cmdView = CaptionButton(frmMain, "cmdView", QStringLiteral("↓ﾋﾞｭｰ↓"));
    cmdView->setToolTip(QStringLiteral("ﾋﾞｭｰｳｲﾝﾄﾞｳを表示します。"));
    PlaceTwips(cmdView, 60, 300, 915, 375);
    cmdTool = PictureButton(frmMain, QStringLiteral("cmdTool"), "toolbar",
                            QStringLiteral("ﾂｰﾙﾊﾞｰを出し入れします。"));
    PlaceTwips(cmdTool, 975, 300, 390, 375);
    cmdSend = PictureButton(frmMain, QStringLiteral("cmdSend"), "clipboard",
                            QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞにﾀｸﾞを転送します。"));
    PlaceTwips(cmdSend, 2700, 300, 390, 375);
    cmdClear = PictureButton(frmMain, QStringLiteral("cmdClear"), "clear",
                             QStringLiteral("文字列をｸﾘｱします。"));
    PlaceTwips(cmdClear, 3090, 300, 390, 375);
    cmdGo = PictureButton(frmMain, QStringLiteral("cmdGo"), "go", QStringLiteral("実行します。"));
    PlaceTwips(cmdGo, 3540, 300, 390, 375);
    cmdStop = PictureButton(frmMain, QStringLiteral("cmdStop"), "stop",
                            QStringLiteral("実行を中止します。"));
    PlaceTwips(cmdStop, 3945, 300, 390, 375);
    cmdEnd = PictureButton(frmMain, QStringLiteral("cmdEnd"), "exit",
                           QStringLiteral("このﾌﾟﾛｸﾞﾗﾑを終了します。"));
    PlaceTwips(cmdEnd, 4380, 300, 390, 375);

    // The view window; WebBrowser1 is put in on first use.
    Frame1 = new QFrame(frmMain);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    PlaceTwips(Frame1, 0, 720, 4830, 4725);

    // Size caption and background row.
    lblSize = new QLabel(frmMain);
    lblSize->setObjectName(QStringLiteral("lblSize"));
    lblSize->move(Twips(60), Twips(5475));
    cmdBack = CaptionButton(frmMain, "cmdBack", QStringLiteral("背景色"));
    PlaceTwips(cmdBack, 2805, 5505, 735, 345);
    Picture3 = Swatch(frmMain, "Picture3");
    PlaceTwips(Picture3, 3645, 5550, 240, 270);
    PlaceTwips(Label(frmMain, "Label2", QStringLiteral("#")), 3885, 5550, 120, 240);
    txtBack = TextBox(frmMain, "txtBack");
    PlaceTwips(txtBack, 4005, 5550, 780, 270);
}

}  // namespace kelvara::ui
