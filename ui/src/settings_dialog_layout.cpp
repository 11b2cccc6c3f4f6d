// SPDX-License-Identifier: MIT
// SettingsDialog: the controls in their designed state, placed in twips. The page frames
// overlap below the tab strip; the selected tab's page is brought to the front, never shown or
// hidden.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include "kelvara/ui/platform.h"
#include "kelvara/ui/settings_dialog.h"

namespace kelvara::ui {
namespace {

QCheckBox* MakeCheckBox(QWidget* parent, const QString& name, const QString& caption, int left,
                        int top, int width, int height)
{
    return Place(new QCheckBox(caption, parent), name, left, top, width, height);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                  int width, int height)
{
    return Place(new QLabel(caption, parent), name, left, top, width, height);
}

QGroupBox* MakeGroup(QWidget* parent, const QString& name, const QString& caption, int left,
                     int top, int width, int height)
{
    return Place(new QGroupBox(caption, parent), name, left, top, width, height);
}

// One tone of the etched separator: a one-pixel line in a palette colour.
void MakeLineTone(QWidget* parent, const QString& name, int top, QPalette::ColorRole role)
{
    auto* line = Place(new QFrame(parent), name, 135, top, 2505, kTwipsPerPixel);
    line->setAutoFillBackground(true);
    line->setBackgroundRole(role);
}

}  // namespace

void SettingsDialog::CreateControls()
{
    // The strip draws only its row of tabs; a panel below it stands for the strip's body.
    auto* body = new QFrame(this);
    body->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    TabStrip1 = new QTabBar(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->setDrawBase(false);
    TabStrip1->setExpanding(false);
    TabStrip1->addTab(QString());  // the one designed tab; the opening adds the others
    const int tabHeight = TabStrip1->sizeHint().height();
    TabStrip1->setGeometry(Twips(90), Twips(90), Twips(5190), tabHeight);
    body->setGeometry(Twips(90), Twips(90) + tabHeight - 2, Twips(5190),
                      Twips(90 + 4110) - (Twips(90) + tabHeight - 2));

    Frame6[0] = Place(new QFrame(this), Indexed("Frame6", 0), 225, 450, 4965, 3660);
    Frame6[1] = Place(new QFrame(this), Indexed("Frame6", 1), 180, 405, 5010, 3705);
    Frame6[2] = Place(new QFrame(this), Indexed("Frame6", 2), 135, 405, 5100, 3750);
    Frame6[3] = Place(new QFrame(this), Indexed("Frame6", 3), 135, 405, 5100, 3750);
    Frame6[4] = Place(new QFrame(this), Indexed("Frame6", 4), 135, 405, 5100, 3750);
    for (QFrame* page : Frame6) {
        page->setFrameStyle(QFrame::NoFrame);
        page->setAutoFillBackground(true);  // a page in front must hide the pages behind it
        page->stackUnder(TabStrip1);
    }
    CreateTextPage(Frame6[0]);
    CreateFontPage(Frame6[1]);
    CreateColorPage(Frame6[2]);
    CreateOtherPage(Frame6[3]);
    CreateOutputPage(Frame6[4]);

    cmdOK = Place(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("cmdOK"), 4230, 4230,
                  1005, 465);
}

void SettingsDialog::CreateTextPage(QWidget* page)
{
    Frame2 = MakeGroup(page, QStringLiteral("Frame2"), QStringLiteral("書式"), 90, 135, 2760, 1005);
    chkTate = MakeCheckBox(Frame2, QStringLiteral("chkTate"), QStringLiteral("縦書きにする"), 180,
                           225, 1500, 285);
    chkCenter = MakeCheckBox(Frame2, QStringLiteral("chkCenter"), QStringLiteral("中央寄せ"), 180,
                             630, 1365, 240);

    Frame5 =
        MakeGroup(page, QStringLiteral("Frame5"), QStringLiteral("特殊"), 90, 1260, 2760, 1050);
    chkmarquee = MakeCheckBox(Frame5, QStringLiteral("chkmarquee"), QStringLiteral("文字を流す"),
                              180, 270, 1455, 240);
    chkblink = MakeCheckBox(Frame5, QStringLiteral("chkblink"), QStringLiteral("文字を点滅"), 180,
                            630, 1455, 240);
}

void SettingsDialog::CreateFontPage(QWidget* page)
{
    Frame1 =
        MakeGroup(page, QStringLiteral("Frame1"), QStringLiteral("ﾌｫﾝﾄｻｲｽﾞ"), 135, 135, 2805, 3480);
    m_optFontGroup = new QButtonGroup(this);
    m_optFontGroup->setObjectName(QStringLiteral("optFont"));
    m_optFontGroup->setExclusive(true);
    const auto makeOption = [this](int index, const QString& caption, int top) {
        optFont[index] = Place(new QRadioButton(caption, Frame1), Indexed("optFont", index), 135,
                               top, 2535, 285);
        m_optFontGroup->addButton(optFont[index], index);
    };
    makeOption(0, QStringLiteral("ﾌｫﾝﾄｻｲｽﾞを変えない"), 225);
    MakeLabel(Frame1, QStringLiteral("Label4"), QStringLiteral("基本ｻｲｽﾞ："), 630, 585, 915, 240);
    cmbSize = Place(new QComboBox(Frame1), QStringLiteral("cmbSize"), 1575, 540, 825, 300);
    makeOption(1, QStringLiteral("ﾌｫﾝﾄｻｲｽﾞを変える（大→小）"), 900);
    makeOption(2, QStringLiteral("ﾌｫﾝﾄｻｲｽﾞを変える（小→大）"), 1215);
    MakeLabel(Frame1, QStringLiteral("Label1"), QStringLiteral("ｽﾀｲﾙｼｰﾄ"), 120, 1575, 750, 180);
    MakeLineTone(Frame1, Indexed("Line1", 0), 1650, QPalette::Dark);
    MakeLineTone(Frame1, Indexed("Line1", 1), 1665, QPalette::Light);
    makeOption(3, QStringLiteral("ﾌｫﾝﾄｻｲｽﾞを変える（大→小）"), 1800);
    makeOption(4, QStringLiteral("ﾌｫﾝﾄｻｲｽﾞを変える（小→大）"), 2115);
    optFont[0]->setChecked(true);
    MakeLabel(Frame1, Indexed("Label3", 0), QStringLiteral("最大"), 1170, 2475, 360, 180);
    MakeLabel(Frame1, Indexed("Label3", 1), QStringLiteral("最小"), 2115, 2475, 360, 180);
    MakeLabel(Frame1, QStringLiteral("Label2"), QStringLiteral("ｻｲｽﾞ(px)："), 135, 2745, 780, 180);
    txtMaxMin[0] = Place(new QLineEdit(Frame1), Indexed("txtMaxMin", 0), 990, 2700, 735, 270);
    txtMaxMin[1] = Place(new QLineEdit(Frame1), Indexed("txtMaxMin", 1), 1935, 2700, 735, 270);
    // The pixel range belongs to the style-sheet modes; the designed mode is 0.
    txtMaxMin[0]->setEnabled(false);
    txtMaxMin[1]->setEnabled(false);

    MakeLabel(page, QStringLiteral("Label5"), QStringLiteral("ﾌｫﾝﾄ："), 3060, 1935, 480, 180);
    cmbFont = Place(new QComboBox(page), QStringLiteral("cmbFont"), 3105, 2160, 1860, 300);
    for (QComboBox* combo : {cmbSize, cmbFont}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);  // typing a value never adds to the list
        // What is typed is stored as typed: no inline completion to a listed entry, and
        // Return matches an entry only in the same case.
        combo->setCompleter(nullptr);
    }
    chkBold =
        MakeCheckBox(page, QStringLiteral("chkBold"), QStringLiteral("太字"), 3105, 2565, 915, 285);
    chkItalic = MakeCheckBox(page, QStringLiteral("chkItalic"), QStringLiteral("斜体"), 3915, 2565,
                             960, 285);
    chkUnder = MakeCheckBox(page, QStringLiteral("chkUnder"), QStringLiteral("下線"), 3105, 2925,
                            825, 240);
    chkNot = MakeCheckBox(page, QStringLiteral("chkNot"), QStringLiteral("抹消線"), 3915, 2925, 870,
                          240);
    chkUp =
        MakeCheckBox(page, QStringLiteral("chkUp"), QStringLiteral("上付"), 3105, 3240, 870, 240);
    chkSub =
        MakeCheckBox(page, QStringLiteral("chkSub"), QStringLiteral("下付"), 3915, 3240, 735, 240);
}

void SettingsDialog::CreateColorPage(QWidget* page)
{
    Frame4 = MakeGroup(page, QStringLiteral("Frame4"), QStringLiteral("色"), 180, 270, 2775, 660);
    chkMColor = MakeCheckBox(Frame4, QStringLiteral("chkMColor"), QStringLiteral("中間色を使う"),
                             180, 270, 2400, 240);
}

void SettingsDialog::CreateOtherPage(QWidget* page)
{
    Frame3 =
        MakeGroup(page, QStringLiteral("Frame3"), QStringLiteral("その他"), 180, 270, 2760, 960);
    Check1 = MakeCheckBox(Frame3, QStringLiteral("Check1"), QStringLiteral("結果を表示する"), 135,
                          270, 1590, 240);
    chkInstant = MakeCheckBox(Frame3, QStringLiteral("chkInstant"),
                              QStringLiteral("実行後、直接転送する"), 135, 585, 2220, 285);
}

}  // namespace kelvara::ui
