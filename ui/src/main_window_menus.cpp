// SPDX-License-Identifier: MIT
// MainWindow menus and window commands: view and toolbar toggles, topmost mode, exit, clear,
// colour editing and the secondary windows.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include "kelvara/ui/app_state.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/palette_dialog.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {

namespace {

const QString kViewClosed = QStringLiteral("↓ﾋﾞｭｰ↓");
const QString kViewOpen = QStringLiteral("↑ﾋﾞｭｰ↑");

QAction* MenuItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu* Menu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

}  // namespace

void MainWindow::CreateMenus()
{
    QMenuBar* bar = menuBar();
    m_fileMenu = Menu(bar, "mnuFile", QStringLiteral("ﾌｧｲﾙ(&F)"));
    mnuEnd = MenuItem(m_fileMenu, "mnuEnd", QStringLiteral("終了(&X)"));

    m_editMenu = Menu(bar, "mnuEdit", QStringLiteral("編集(&E)"));
    mnuFirstColor = MenuItem(m_editMenu, "mnuFirstColor", QStringLiteral("最初の色を設定(&F)"));
    mnuMidColor = MenuItem(m_editMenu, "mnuMidColor", QStringLiteral("中間の色を設定(&M)"));
    mnuLaterColor = MenuItem(m_editMenu, "mnuLaterColor", QStringLiteral("最後の色を設定(&L)"));
    mnuBack = MenuItem(m_editMenu, "mnuBack", QStringLiteral("背景色を設定(&B)"));
    m_editMenu->addSeparator()->setObjectName(QStringLiteral("mnusepa"));
    mnuSet = MenuItem(m_editMenu, "mnuSet", QStringLiteral("設定"));

    m_showMenu = Menu(bar, "mnuShow", QStringLiteral("表示(&S)"));
    mnuTop = MenuItem(m_showMenu, "mnuTop", QStringLiteral("最前面表示"));
    mnuTop->setCheckable(true);
    mnuTop->setChecked(true);
    m_showMenu->addSeparator()->setObjectName(QStringLiteral("mnusep3"));
    mnuView = MenuItem(m_showMenu, "mnuView", QStringLiteral("ﾋﾞｭｰｳｲﾝﾄﾞｳを表示(&V)"));
    mnuView->setCheckable(true);
    mnuTool = MenuItem(m_showMenu, "mnuTool", QStringLiteral("ﾂｰﾙﾊﾞｰを表示(&T)"));
    mnuTool->setCheckable(true);
    mnuTool->setChecked(true);

    m_helpMenu = Menu(bar, "mnuHelp", QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    mnuVersion = MenuItem(m_helpMenu, "mnuVersion", QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&V)"));
}

void MainWindow::ConnectControls()
{
    // View: the menu item's own tick flip is the first half of its click; cmdView_Click
    // then sets the tick from the new state.
    connect(cmdView, &QPushButton::clicked, this, &MainWindow::cmdView_Click);
    connect(mnuView, &QAction::triggered, this, &MainWindow::cmdView_Click);

    // Toolbar and topmost decide their ticks from the state before the click, so the
    // automatic flip of a checkable menu item is undone first.
    connect(mnuTool, &QAction::triggered, this, [this](bool checked) {
        mnuTool->setChecked(!checked);
        mnuTool_Click();
    });
    connect(cmdTool, &QToolButton::clicked, this, &MainWindow::mnuTool_Click);
    connect(mnuTop, &QAction::triggered, this, [this](bool checked) {
        mnuTop->setChecked(!checked);
        mnuTop_Click();
    });

    connect(cmdEnd, &QToolButton::clicked, this, &MainWindow::cmdEnd_Click);
    connect(mnuEnd, &QAction::triggered, this, &MainWindow::mnuEnd_Click);
    connect(cmdClear, &QToolButton::clicked, this, &MainWindow::cmdClear_Click);
    connect(cmdGo, &QToolButton::clicked, this, &MainWindow::cmdGo_Click);
    connect(cmdStop, &QToolButton::clicked, this, &MainWindow::cmdStop_Click);
    connect(cmdSend, &QToolButton::clicked, this, &MainWindow::cmdSend_Click);

    // Colour editing, each field from its button and its menu item.
    const auto edit = [this](ColorField field) { return [this, field] { EditColor(field); }; };
    connect(cmdLColor, &QPushButton::clicked, this, edit(ColorField::First));
    connect(mnuFirstColor, &QAction::triggered, this, edit(ColorField::First));
    connect(cmdMid, &QPushButton::clicked, this, edit(ColorField::Middle));
    connect(mnuMidColor, &QAction::triggered, this, edit(ColorField::Middle));
    connect(cmdFColor, &QPushButton::clicked, this, edit(ColorField::Last));
    connect(mnuLaterColor, &QAction::triggered, this, edit(ColorField::Last));
    connect(cmdBack, &QPushButton::clicked, this, edit(ColorField::Background));
    connect(mnuBack, &QAction::triggered, this, edit(ColorField::Background));

    connect(mnuSet, &QAction::triggered, this, &MainWindow::mnuSet_Click);
    connect(mnuVersion, &QAction::triggered, this, &MainWindow::mnuVersion_Click);

    // Leaving a colour field (focus out), not typing, recolours its swatch.
    for (QLineEdit* field : {txtCfor, txtClat, txtCmid, txtBack}) {
        field->installEventFilter(this);
    }
}

void MainWindow::cmdView_Click()
{
    const bool toolbarHidden = frmMain->y() == 0;
    if (cmdView->text() == kViewClosed) {
        cmdView->setText(kViewOpen);
        mnuView->setChecked(true);
        EnsurePreviewView();
        SetOuterHeight(OpenHeight());  // taller by the status line only when that is in use
    } else if (cmdView->text() == kViewOpen) {
        cmdView->setText(kViewClosed);
        mnuView->setChecked(false);
        SetOuterHeight(toolbarHidden ? 1380 : ViewClosedHeight);
    }
    UpdateStatusLine();
}

void MainWindow::mnuTool_Click()
{
    if (!mnuTool->isChecked()) {
        mnuTool->setChecked(true);
        frmTool->show();
        frmMain->move(frmMain->x(), Twips(780));
        SetOuterHeight(2160);
    } else {
        frmTool->hide();
        mnuTool->setChecked(false);
        frmMain->move(frmMain->x(), 0);
        SetOuterHeight(ViewOpenHeight - 5920);
    }
    cmdView->setText(kViewClosed);
    mnuView->setChecked(false);
    UpdateStatusLine();
}

void MainWindow::mnuTop_Click()
{
    if (mnuTop->isChecked()) {
        SetTopmost(this, 0);
        mnuTop->setChecked(false);
    } else {
        SetTopmost(this, 1);
        mnuTop->setChecked(true);
    }
}

bool MainWindow::IsTopmost() const { return mnuTop->isChecked(); }

void MainWindow::ShowSendButton(bool shown) { cmdSend->setVisible(shown); }

void MainWindow::EnableMiddleColor(bool enabled)
{
    txtCmid->setEnabled(enabled);
    cmdMid->setEnabled(enabled);
    mnuMidColor->setEnabled(enabled);
}

void MainWindow::cmdEnd_Click() { m_forms.UnloadAll(); }

void MainWindow::mnuEnd_Click() { m_forms.Unload<MainWindow>(); }

void MainWindow::cmdClear_Click()
{
    txtFor->setText(QString());
    State().ResultTags.clear();
    WritePreviewPage(txtBack->text(), QString(), engine::PageForm::Cleared);
}

void MainWindow::EditColor(ColorField field)
{
    const ColorControls controls = ControlsOf(field);
    PaletteDialog* palette =
        m_forms.ShowPalette(controls.field->text(), SecondaryWindow::Modality::DisablesMain);
    connect(palette, &PaletteDialog::colorChosen, this,
            [this, controls, field](const QString& text, const QColor& color) {
                controls.field->setText(text);
                SetSwatchColor(controls.swatch, color);
                if (field == ColorField::Background) {
                    WritePreviewPage(text, State().ResultTags, engine::PageForm::Normal);
                }
            });
}

void MainWindow::mnuSet_Click() { m_forms.Show<SettingsDialog>(); }

void MainWindow::mnuVersion_Click() { m_forms.Show<VersionWindow>(); }

}  // namespace kelvara::ui
