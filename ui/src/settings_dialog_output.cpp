// SPDX-License-Identifier: MIT
// SettingsDialog, page "出力": the output format, colour space, extra colour stops, length limit
// and contrast check. The page is filled from the shared state when the dialog opens and read
// back only by a successful OK; a refused value gets its message and the focus.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>

#include "image_settings_dialog.h"
#include "kelvara/engine/color.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/engine/targets.h"
#include "kelvara/settings/output_settings.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/palette_dialog.h"
#include "kelvara/ui/platform.h"
#include "kelvara/ui/settings_dialog.h"

namespace kelvara::ui {
namespace {

constexpr int kOutputTab = 4;

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                  int width, int height)
{
    return Place(new QLabel(caption, parent), name, left, top, width, height);
}

QString Caption(std::string_view caption)
{
    return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

// Each item keeps its enum value as data.
template <class Value>
Value ValueAt(const QComboBox* box, int index)
{
    return static_cast<Value>(box->itemData(std::max(0, index)).toInt());
}

template <class Value>
void SelectValue(QComboBox* box, Value value)
{
    box->setCurrentIndex(std::max(0, box->findData(static_cast<int>(value))));
}

}  // namespace

void SettingsDialog::CreateOutputPage(QWidget* page)
{
    Frame7 = Place(new QGroupBox(QStringLiteral("出力"), page), QStringLiteral("Frame7"), 90, 90,
                   4920, 1455);
    MakeLabel(Frame7, QStringLiteral("lblFormat"), QStringLiteral("形式："), 135, 330, 540, 180);
    cmbFormat = Place(new QComboBox(Frame7), QStringLiteral("cmbFormat"), 675, 270, 1770, 300);
    for (const engine::FormatRow& row : engine::kFormats) {
        if (engine::InWindow(row)) cmbFormat->addItem(Caption(row.caption), int(row.format));
    }
    MakeLabel(Frame7, QStringLiteral("lblSpace"), QStringLiteral("色空間："), 2580, 330, 720, 180);
    cmbSpace = Place(new QComboBox(Frame7), QStringLiteral("cmbSpace"), 3300, 270, 1485, 300);
    for (const engine::ColorSpaceRow& row : engine::kColorSpaces) {
        cmbSpace->addItem(Caption(row.caption), int(row.space));
    }
    MakeLabel(Frame7, QStringLiteral("lblFit"), QStringLiteral("文字数の上限："), 135, 720, 1200,
              180);
    txtFit = Place(new QLineEdit(Frame7), QStringLiteral("txtFit"), 1335, 675, 1110, 270);
    MakeLabel(Frame7, QStringLiteral("lblFitNote"), QStringLiteral("（空欄なら無制限）"), 2535, 720,
              2250, 180);
    chkContrast = Place(new QCheckBox(QStringLiteral("コントラストを確認する"), Frame7),
                        QStringLiteral("chkContrast"), 135, 1065, 3000, 285);
    cmdImage = Place(new QPushButton(QStringLiteral("画像..."), Frame7), QStringLiteral("cmdImage"),
                     3300, 1035, 1485, 345);
    connect(cmdImage, &QPushButton::clicked, this, &SettingsDialog::cmdImage_Click);

    Frame8 = Place(new QGroupBox(QStringLiteral("追加の色（最後の色の前に入ります）"), page),
                   QStringLiteral("Frame8"), 90, 1635, 4920, 2040);
    // Swatch, "#", field, like the colour row of the main window; three to a row.
    for (int k = 0; k < kStopCount; ++k) {
        const int left = 180 + 1590 * (k % 3);
        const int top = 315 + 330 * (k / 3);
        picStop[k] = Place(new ColorBox(Frame8), Indexed("picStop", k), left, top, 240, 270);
        picStop[k]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picStop[k]->setToolTip(QStringLiteral("ｸﾘｯｸするとｶﾗｰﾊﾟﾚｯﾄで色を選べます。"));
        MakeLabel(Frame8, Indexed("lblStop", k), QStringLiteral("#"), left + 240, top, 120, 270);
        txtStop[k] = Place(new QLineEdit(Frame8), Indexed("txtStop", k), left + 360, top, 780, 270);
        txtStop[k]->setTextMargins(-1, 0, -1, 0);  // six digits in a field sized for them
    }
    // The target has no room in the rows above: it takes the free end of the last row of stops,
    // on the page itself (not in the group of stops), lined up with the colour space's list.
    MakeLabel(page, QStringLiteral("lblTarget"), QStringLiteral("投稿先："), 1860, 3315, 720, 180);
    cmbTarget = Place(new QComboBox(page), QStringLiteral("cmbTarget"), 2580, 3255, 2295, 300);
    cmbTarget->addItem(QStringLiteral("指定なし"), -1);
    for (std::size_t i = 0; i < engine::kTargets.size(); ++i) {
        cmbTarget->addItem(Caption(engine::kTargets[i].caption), static_cast<int>(i));
    }
    connect(cmbTarget, &QComboBox::currentIndexChanged, this, &SettingsDialog::cmbTarget_Click);
    connect(cmbFormat, &QComboBox::currentIndexChanged, this, &SettingsDialog::cmbFormat_Click);
    for (int k = 0; k < kStopCount; ++k) {
        connect(txtStop[k], &QLineEdit::textChanged, this, [this, k] { txtStop_Change(k); });
        connect(picStop[k], &ColorBox::clicked, this, [this, k] { picStop_Click(k); });
    }
}

void SettingsDialog::LoadOutputPage()
{
    const settings::OutputSettings& output = FormsOf().State().Output;
    {
        // The stored limit stays, even where it is not the target's own.
        const QSignalBlocker quiet(cmbTarget);
        cmbTarget->setCurrentIndex(output.Target == nullptr
                                       ? 0
                                       : static_cast<int>(output.Target - engine::kTargets.data()) +
                                             1);
    }
    SelectValue(cmbFormat, output.Format);
    SelectValue(cmbSpace, output.Space);
    txtFit->setText(output.Fit ? QString::number(*output.Fit) : QString());
    chkContrast->setChecked(engine::IsSet(output.Contrast));
    m_image = output.Image;
    for (std::size_t k = 0; k < txtStop.size(); ++k) {
        txtStop[k]->setText(k < output.ExtraStops.size() ? ToQString(output.ExtraStops[k])
                                                         : QString());
        txtStop_Change(static_cast<int>(k));
    }
}

bool SettingsDialog::CheckOutputPage()
{
    const settings::FitReading fit = txtFit->isEnabled()
                                         ? settings::ReadFit(ToU16(txtFit->text())).reading
                                         : settings::FitReading::None;
    switch (fit) {
        case settings::FitReading::None:
        case settings::FitReading::Value:
            break;
        case settings::FitReading::NotANumber:
            RefuseOutput(txtFit, QStringLiteral("文字数の上限は数字で指定してね（＾＾；"));
            return false;
        case settings::FitReading::NotWhole:
            RefuseOutput(txtFit, QStringLiteral("文字数の上限は整数で！"));
            return false;
        case settings::FitReading::TooSmall:
            RefuseOutput(txtFit, QStringLiteral("文字数の上限は１以上で！"));
            return false;
        case settings::FitReading::TooLarge:
            RefuseOutput(txtFit, QStringLiteral("文字数の上限が大きすぎます。"));
            return false;
    }
    for (QLineEdit* stop : txtStop) {
        if (!stop->text().trimmed().isEmpty() && !settings::ReadStopColor(ToU16(stop->text()))) {
            RefuseOutput(stop, QStringLiteral("追加の色は16進数６桁（例：FF8000）で指定してね"));
            return false;
        }
    }
    return true;
}

settings::OutputSettings SettingsDialog::OutputPage() const
{
    settings::OutputSettings output = FormsOf().State().Output;
    output.Format = ValueAt<engine::OutputFormat>(cmbFormat, cmbFormat->currentIndex());
    output.Space = ValueAt<engine::ColorSpace>(cmbSpace, cmbSpace->currentIndex());
    output.ExtraStops.clear();
    for (const QLineEdit* stop : txtStop) {
        if (auto color = settings::ReadStopColor(ToU16(stop->text()))) {
            output.ExtraStops.push_back(*color);  // empty fields are skipped, the rest close up
        }
    }
    if (txtFit->isEnabled()) {
        const settings::FitValue fit = settings::ReadFit(ToU16(txtFit->text()));
        output.Fit = fit.reading == settings::FitReading::Value
                         ? std::optional<std::int32_t>(fit.value)
                         : std::nullopt;
    }
    // A stored value the box cannot show (a 2, say) stays unless the box was changed.
    if (chkContrast->isChecked() != engine::IsSet(output.Contrast)) {
        output.Contrast = chkContrast->isChecked() ? 1 : 0;
    }
    output.Image = m_image;
    const int target = cmbTarget->currentData().toInt();
    output.Target = target < 0 ? nullptr : &engine::kTargets[static_cast<std::size_t>(target)];
    return output;
}

void SettingsDialog::cmbTarget_Click(int index)
{
    const int target = cmbTarget->itemData(index).toInt();
    if (target < 0) return;  // "指定なし" changes nothing else
    const engine::TargetRow& row = engine::kTargets[static_cast<std::size_t>(target)];
    SelectValue(cmbFormat, row.format);
    txtFit->setText(row.limit == 0 ? QString() : QString::number(row.limit));
}

void SettingsDialog::cmbFormat_Click(int index)
{
    const auto format = ValueAt<engine::OutputFormat>(cmbFormat, index);
    // A format that cannot meet a limit leaves the limit alone, neither checked nor taken.
    txtFit->setEnabled(engine::FormatSupportsFit(format));
    // Another format is another place.
    const int target = cmbTarget->currentData().toInt();
    if (target >= 0 && engine::kTargets[static_cast<std::size_t>(target)].format != format) {
        cmbTarget->setCurrentIndex(0);
    }
}

void SettingsDialog::cmdImage_Click()
{
    ImageSettingsDialog dialog(m_image, this);
    if (dialog.exec() == QDialog::Accepted) m_image = dialog.Image();
}

void SettingsDialog::RefuseOutput(QWidget* field, const QString& message)
{
    ShowMessage(this, message);
    // The field must be in sight when it gets the focus.
    TabStrip1->setCurrentIndex(kOutputTab);
    field->setFocus();
}

void SettingsDialog::txtStop_Change(int index)
{
    // An empty stop shows no colour at all rather than the black its text would read as.
    ColorBox* swatch = picStop[index];
    const QString text = txtStop[index]->text();
    swatch->setAutoFillBackground(!text.trimmed().isEmpty());
    if (!text.trimmed().isEmpty()) {
        SetSwatchColor(swatch, FromColorValue(engine::HexToColor(ToU16(text))));
    }
    swatch->update();
}

void SettingsDialog::picStop_Click(int index)
{
    // This dialog already holds the main window; the palette holds this dialog instead.
    PaletteDialog* palette =
        FormsOf().ShowPalette(txtStop[index]->text(), SecondaryWindow::Modality::Modeless);
    setEnabled(false);
    connect(palette, &PaletteDialog::colorChosen, this,
            [this, index](const QString& text, const QColor& color) {
                txtStop[index]->setText(text);
                SetSwatchColor(picStop[index], color);
            });
    connect(palette, &PaletteDialog::unloaded, this, [this] { setEnabled(true); });
}

}  // namespace kelvara::ui
