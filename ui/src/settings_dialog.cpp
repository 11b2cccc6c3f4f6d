// SPDX-License-Identifier: MIT
// SettingsDialog: opening from TagOptions, the immediate check-box and size-mode rules with
// their toolbar mirror, the checked OK, and the unload that hands the main window back.
#include "kelvara/ui/settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <cmath>

#include "kelvara/settings/numbers.h"
#include "kelvara/ui/accessibility.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {
namespace {

// A pixel size is stored as a 16-bit number once rounded; anything beyond is refused.
bool FitsSizeField(double value)
{
    const double rounded = std::nearbyint(value);  // halves to even, as the conversion does
    return rounded >= -32768.0 && rounded <= 32767.0;
}

// The font families under the names a browser knows them by: the platform tells families of
// the same name from different foundries apart with a suffix ("Nimbus Sans [urw]"), which no
// page could use. Each name once, in the order reported.
QStringList FontFamilies()
{
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
    QStringList families;
    for (QString family : QFontDatabase::families()) {
        family.remove(foundry);
        if (!families.contains(family)) families << family;
    }
    return families;
}

}  // namespace

SettingsDialog::SettingsDialog(Forms& forms)
    : SecondaryWindow(forms, Modality::DisablesMain, QStringLiteral("Form4"),
                      QStringLiteral("設定"), 5340, 4755)
{
    CreateControls();
    ConnectControls();
    Form_Load();
    DescribeControls(this);
}

const engine::TagOptions& SettingsDialog::Options() const { return FormsOf().State().TagOptions; }

void SettingsDialog::ConnectControls()
{
    m_boxes = {chkBold, chkUnder,   chkNot,   chkUp,     chkSub, chkItalic, chkCenter,
               chkTate, chkmarquee, chkblink, chkMColor, Check1, chkInstant};
    // toggled fires only when the state really changes, whether clicked or set from code, so a
    // field the box cannot show (a 2, say) is left alone until the user changes the box.
    for (QCheckBox* box : m_boxes) {
        const ToggleRow* row = ToggleOfBox(box->objectName().toStdString());
        Q_ASSERT(row != nullptr);
        connect(box, &QCheckBox::toggled, this,
                [this, row](bool checked) { ApplyCheckRule(*row, checked); });
    }
    connect(m_optFontGroup, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked) optFont_Click(index);
    });
    connect(TabStrip1, &QTabBar::currentChanged, this, &SettingsDialog::TabStrip1_Click);
    connect(cmdOK, &QPushButton::clicked, this, &SettingsDialog::cmdOK_Click);
}

void SettingsDialog::Form_Load()
{
    const engine::TagOptions& options = Options();

    cmbFont->addItems(FontFamilies());
    cmbFont->setEditText(ToQString(options.h_FontFace));
    cmbSize->setEditText(QString::number(options.h_NFontSize));
    LoadAsSecondary();  // disables the main window; topmost like the main window

    TabStrip1->insertTab(0, QStringLiteral("ﾃｷｽﾄ"));
    TabStrip1->insertTab(1, QStringLiteral("ﾌｫﾝﾄ"));
    TabStrip1->insertTab(2, QStringLiteral("色"));
    TabStrip1->setTabText(3, QStringLiteral("その他"));
    TabStrip1->addTab(QStringLiteral("出力"));

    // Filling an empty list selects its first entry; the size text set above must stay.
    const QString sizeText = cmbSize->currentText();
    cmbSize->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                       QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                       QStringLiteral("7")});
    cmbSize->setEditText(sizeText);

    for (QCheckBox* box :
         {chkBold, chkItalic, chkInstant, chkNot, chkSub, chkUp, chkUnder, Check1}) {
        SetFromField(box);
    }

    const int mode = options.h_fontflag;
    if (mode >= 0 && mode < static_cast<int>(optFont.size())) {
        optFont[mode]->setChecked(true);
        txtMaxMin[0]->setEnabled(mode >= 3);
        txtMaxMin[1]->setEnabled(mode >= 3);
    }
    txtMaxMin[0]->setText(QString::number(options.h_MaxFontSize));
    txtMaxMin[1]->setText(QString::number(options.h_MinFontSize));

    for (QCheckBox* box : {chkTate, chkMColor, chkCenter, chkmarquee, chkblink}) {
        SetFromField(box);
    }
    LoadOutputPage();

    // Inserting tabs moves the current index without a change notice, so restack explicitly.
    TabStrip1->setCurrentIndex(0);
    TabStrip1_Click();
}

void SettingsDialog::TabStrip1_Click()
{
    const int index = TabStrip1->currentIndex();
    if (index < 0 || index >= static_cast<int>(Frame6.size())) return;
    Frame6[index]->stackUnder(TabStrip1);  // above the other pages, below the row of tabs
}

QCheckBox* SettingsDialog::BoxOf(const ToggleRow& row) const
{
    for (QCheckBox* box : m_boxes) {
        if (box->objectName().toStdString() == row.dialogBox) return box;
    }
    return nullptr;
}

// Checked when the field holds the option's "on" value; setting it runs the box's rule.
void SettingsDialog::SetFromField(QCheckBox* box)
{
    const ToggleRow* row = ToggleOfBox(box->objectName().toStdString());
    box->setChecked(Options().*row->field == row->on);
}

// The field changes at once; the model tells the main window, whose toolbar mirrors the box.
void SettingsDialog::ApplyCheckRule(const ToggleRow& row, bool checked)
{
    FormsOf().State().SetOption(row.field, checked ? row.on : row.off);
    // Superscript and subscript lock each other out without clearing each other.
    if (const ToggleRow* excluded = ExcludedBy(row)) BoxOf(*excluded)->setEnabled(!checked);
}

void SettingsDialog::optFont_Click(int index)
{
    FormsOf().State().SetOption(&engine::TagOptions::h_fontflag, static_cast<std::int16_t>(index));
    const bool pixelRange = index >= 3;
    txtMaxMin[0]->setEnabled(pixelRange);
    txtMaxMin[1]->setEnabled(pixelRange);
    cmbSize->setEnabled(index == 0);
}

void SettingsDialog::cmdOK_Click()
{
    const std::u16string maxText = ToU16(txtMaxMin[0]->text());
    const std::u16string minText = ToU16(txtMaxMin[1]->text());
    if (!settings::StrictNumber(maxText) || !settings::StrictNumber(minText)) {
        RefuseSizes(QStringLiteral("ﾌｫﾝﾄｻｲｽﾞは数字で指定してね（＾＾；"));
        return;
    }
    const double maximum = settings::ParseLenient(maxText);
    const double minimum = settings::ParseLenient(minText);
    if (minimum > maximum) {
        RefuseSizes(QStringLiteral("ﾌｫﾝﾄｻｲｽﾞの大小が逆だよ"));
        return;
    }
    if (maximum < 0 || minimum < 0) {
        RefuseSizes(QStringLiteral("ﾌｫﾝﾄｻｲｽﾞは正数で！"));
        return;
    }
    if (!FitsSizeField(maximum) || !FitsSizeField(minimum)) {
        RefuseSizes(QStringLiteral("ﾌｫﾝﾄｻｲｽﾞが大きすぎます。"));
        return;
    }
    if (!CheckOutputPage()) return;

    engine::TagOptions options = Options();
    options.h_MaxFontSize = *settings::StrictInteger(maxText);
    options.h_MinFontSize = *settings::StrictInteger(minText);
    // The base size is never refused: whatever number it starts with, saturated to 16 bits.
    options.h_NFontSize =
        settings::RoundToInt16(settings::ParseLenient(ToU16(cmbSize->currentText())));
    const QString face = cmbFont->currentText();
    options.h_FontFace = face.isEmpty() ? std::u16string(engine::kDefaultFace) : ToU16(face);
    FormsOf().State().TakeSettings(options, OutputPage());
    close();
}

void SettingsDialog::RefuseSizes(const QString& message)
{
    ShowMessage(this, message);
    txtMaxMin[0]->setFocus();
}

void SettingsDialog::Form_Unload() { FormsOf().State().CloseSettings(); }

}  // namespace kelvara::ui
