// SettingsDialog: opening from TagOptions, the immediate check-box and size-mode rules with
// their toolbar mirror, the checked OK, and the unload that hands the main window back.
#include "kelvara/ui/settings_dialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
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
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/main_window.h"
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

SettingsDialog::SettingsDialog(Forms& forms, QWidget* parent) : QWidget(parent), m_forms(forms)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("設定"));
    setAttribute(Qt::WA_DeleteOnClose);
    CreateControls();
    ConnectControls();
    Form_Load();
}

engine::TagOptions& SettingsDialog::Options() { return m_forms.State().TagOptions; }

void SettingsDialog::ConnectControls()
{
    using engine::TagOptions;
    m_checkRules = {{
        {.box = chkBold, .field = &TagOptions::h_BoldFlag, .toolbarIndex = 2},
        {.box = chkUnder, .field = &TagOptions::h_UnderFlag, .toolbarIndex = 3},
        {.box = chkNot, .field = &TagOptions::h_NotFlag, .toolbarIndex = 4},
        {.box = chkUp,
         .field = &TagOptions::h_UpFlag,
         .toolbarIndex = 5,
         .excludedBox = chkSub,
         .excludedToolbarIndex = 6},
        {.box = chkSub,
         .field = &TagOptions::h_SubFlag,
         .toolbarIndex = 6,
         .excludedBox = chkUp,
         .excludedToolbarIndex = 5},
        {.box = chkItalic, .field = &TagOptions::h_ItalicFlag, .toolbarIndex = 7},
        {.box = chkCenter, .field = &TagOptions::h_Centerflag, .toolbarIndex = 8},
        {.box = chkTate, .field = &TagOptions::h_styleflag, .toolbarIndex = 9},
        {.box = chkmarquee, .field = &TagOptions::h_marqueeFlag, .toolbarIndex = 10},
        {.box = chkblink, .field = &TagOptions::h_BlinkFlag, .toolbarIndex = 11},
        {.box = chkMColor,
         .field = &TagOptions::h_ColorCount,
         .checkedValue = 3,
         .clearedValue = 2,
         .toolbarIndex = 12},
        {.box = Check1, .field = &TagOptions::h_textflag},
        {.box = chkInstant, .field = &TagOptions::h_instantflag},
    }};
    // toggled fires only when the state really changes, whether clicked or set from code, so a
    // field the box cannot show (a 2, say) is left alone until the user changes the box.
    for (const CheckRule& rule : m_checkRules) {
        connect(rule.box, &QCheckBox::toggled, this,
                [this, r = &rule](bool checked) { ApplyCheckRule(*r, checked); });
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
    MainWindow* main = m_forms.Form1();

    cmbFont->addItems(FontFamilies());
    cmbFont->setEditText(ToQString(options.h_FontFace));
    cmbSize->setEditText(QString::number(options.h_NFontSize));
    if (main) main->setEnabled(false);

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

    if (main) {
        const auto* top = main->findChild<QAction*>(QStringLiteral("mnuTop"));
        if (top && top->isChecked()) SetTopmost(this, 1);
    }

    using engine::IsSet;
    chkBold->setChecked(IsSet(options.h_BoldFlag));
    chkItalic->setChecked(IsSet(options.h_ItalicFlag));
    chkInstant->setChecked(IsSet(options.h_instantflag));
    chkNot->setChecked(IsSet(options.h_NotFlag));
    chkSub->setChecked(IsSet(options.h_SubFlag));
    chkUp->setChecked(IsSet(options.h_UpFlag));
    chkUnder->setChecked(IsSet(options.h_UnderFlag));
    Check1->setChecked(IsSet(options.h_textflag));

    const int mode = options.h_fontflag;
    if (mode >= 0 && mode < static_cast<int>(optFont.size())) {
        optFont[mode]->setChecked(true);
        txtMaxMin[0]->setEnabled(mode >= 3);
        txtMaxMin[1]->setEnabled(mode >= 3);
    }
    txtMaxMin[0]->setText(QString::number(options.h_MaxFontSize));
    txtMaxMin[1]->setText(QString::number(options.h_MinFontSize));

    chkTate->setChecked(IsSet(options.h_styleflag));
    chkMColor->setChecked(options.h_ColorCount == 3);
    chkCenter->setChecked(IsSet(options.h_Centerflag));
    chkmarquee->setChecked(IsSet(options.h_marqueeFlag));
    chkblink->setChecked(IsSet(options.h_BlinkFlag));
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

void SettingsDialog::ApplyCheckRule(const CheckRule& rule, bool checked)
{
    Options().*rule.field = checked ? rule.checkedValue : rule.clearedValue;
    if (rule.toolbarIndex != 0) SetToolbarToggle(rule.toolbarIndex, checked);
    // Superscript and subscript lock each other out without clearing each other.
    if (rule.excludedBox) {
        rule.excludedBox->setEnabled(!checked);
        EnableToolbarToggle(rule.excludedToolbarIndex, !checked);
    }
}

void SettingsDialog::optFont_Click(int index)
{
    Options().h_fontflag = static_cast<std::int16_t>(index);
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

    engine::TagOptions& options = Options();
    options.h_MaxFontSize = *settings::StrictInteger(maxText);
    options.h_MinFontSize = *settings::StrictInteger(minText);
    // The base size is never refused: whatever number it starts with, saturated to 16 bits.
    options.h_NFontSize =
        settings::RoundToInt16(settings::ParseLenient(ToU16(cmbSize->currentText())));
    const QString face = cmbFont->currentText();
    options.h_FontFace = face.isEmpty() ? std::u16string(u"MS Pゴシック") : ToU16(face);
    TakeOutputPage();

    if (MainWindow* main = m_forms.Form1()) {
        if (auto* send = main->findChild<QAbstractButton*>(QStringLiteral("cmdSend"))) {
            send->setVisible(!chkInstant->isChecked());
        }
        if (options.h_ColorCount == 2 || options.h_ColorCount == 3) {
            const bool middle = options.h_ColorCount == 3;
            for (const char* name : {"txtCmid", "cmdMid"}) {
                if (auto* control = main->findChild<QWidget*>(QLatin1String(name))) {
                    control->setEnabled(middle);
                }
            }
            if (auto* menu = main->findChild<QAction*>(QStringLiteral("mnuMidColor"))) {
                menu->setEnabled(middle);
            }
        }
    }
    close();
}

void SettingsDialog::RefuseSizes(const QString& message)
{
    ShowMessage(this, message);
    txtMaxMin[0]->setFocus();
}

void SettingsDialog::SetToolbarToggle(int index, bool checked)
{
    if (MainWindow* main = m_forms.Form1()) {
        if (QAbstractButton* toggle = main->chkBtn(index)) toggle->setChecked(checked);
    }
}

void SettingsDialog::EnableToolbarToggle(int index, bool enabled)
{
    if (MainWindow* main = m_forms.Form1()) {
        if (QAbstractButton* toggle = main->chkBtn(index)) toggle->setEnabled(enabled);
    }
}

void SettingsDialog::closeEvent(QCloseEvent* event)
{
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    event->accept();
}

void SettingsDialog::Form_Unload()
{
    if (MainWindow* main = m_forms.Form1()) {
        main->setEnabled(true);
        main->UpdateSizeCaption();
        main->UpdateStatusLine();  // the output choices may have changed
    }
}

}  // namespace kelvara::ui
