// SPDX-License-Identifier: MIT
// PaletteDialog: loading the target colour, the slider updates, the stored colours (fixed and
// saved), saving a colour, and OK / ｷｬﾝｾﾙ.
#include "kelvara/ui/palette_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <optional>

#include "kelvara/engine/color.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {

PaletteDialog::PaletteDialog(Forms& forms, std::optional<QString> start, Modality modality)
    : SecondaryWindow(forms, modality, QStringLiteral("Form2"), QStringLiteral("ｶﾗｰﾊﾟﾚｯﾄ"), 4545,
                      3990),
      m_start(std::move(start))
{
    CreateControls();
    ConnectControls();
    Form_Load();
}

QString PaletteDialog::ComposeColorText(int red, int green, int blue)
{
    return ToQString(engine::ComposeColorText(red, green, blue));
}

void PaletteDialog::ConnectControls()
{
    // valueChanged comes with every real change, while dragging too, and never for the same value.
    for (int component = 0; component < 3; ++component) {
        connect(Slider(component), &QScrollBar::valueChanged, this,
                [this, component] { SliderUpdate(component); });
    }
    for (int n = 0; n < static_cast<int>(Picture2.size()); ++n) {
        connect(Picture2[n], &ColorBox::clicked, this, [this, n] { Picture2_Click(n); });
    }
    for (int i = 0; i < static_cast<int>(picSave.size()); ++i) {
        connect(picSave[i], &ColorBox::clicked, this, [this, i] { picSave_Click(i); });
    }
    connect(Command1, &QPushButton::clicked, this, &PaletteDialog::Command1_Click);
    connect(cmdOK, &QPushButton::clicked, this, &PaletteDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &PaletteDialog::cmdCancel_Click);
}

void PaletteDialog::Form_Load()
{
    LoadAsSecondary();

    // The sliders start at 0, so a colour reading as (0, 0, 0) runs no update and lblRGB keeps
    // the field text as typed; otherwise the last update leaves the composed text.
    if (m_start) {
        const QString& text = *m_start;
        lblRGB->setText(QLatin1Char('#') + text);
        ShowComponentsOf(text);
        SetSwatchColor(Picture1, LabelColor());
        SetSlidersFromLabels();
    }

    int n = 0;
    for (int red = 0; red <= 255; red += 85) {
        for (int green = 0; green <= 255; green += 85) {
            for (int blue = 0; blue <= 255; blue += 85) {
                SetSwatchColor(Picture2[n], QColor(red, green, blue));
                PaletteTexts[n] = ComposeColorText(red, green, blue);
                ++n;
            }
        }
    }

    // An empty slot becomes white for good: the settings file receives "FFFFFF" at exit.
    auto& saved = FormsOf().State().SavedColors;
    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (saved[i].isEmpty()) {
            SetSwatchColor(picSave[i], QColor(255, 255, 255));
            saved[i] = QStringLiteral("FFFFFF");
        } else {
            SetSwatchColor(picSave[i], FromColorValue(engine::HexToColor(ToU16(saved[i]))));
        }
    }
}

void PaletteDialog::SliderUpdate(int component)
{
    ComponentLabel(component)->setText(QString::number(Slider(component)->value()));
    const int red = HScroll1->value();
    const int green = HScroll2->value();
    const int blue = HScroll3->value();
    lblRGB->setText(QLatin1Char('#') + ComposeColorText(red, green, blue));
    SetSwatchColor(Picture1, QColor(red, green, blue));
}

void PaletteDialog::ShowComponentsOf(const QString& text)
{
    const engine::Rgb rgb = engine::ReadColorText(ToU16(text));
    lblR->setText(QString::number(rgb.red));
    lblG->setText(QString::number(rgb.green));
    lblB->setText(QString::number(rgb.blue));
}

void PaletteDialog::SetSlidersFromLabels()
{
    HScroll1->setValue(lblR->text().toInt());
    HScroll2->setValue(lblG->text().toInt());
    HScroll3->setValue(lblB->text().toInt());
}

QColor PaletteDialog::LabelColor() const
{
    return QColor(lblR->text().toInt(), lblG->text().toInt(), lblB->text().toInt());
}

// A stored colour keeps its text as stored in lblRGB (lower case stays lower case).
void PaletteDialog::ShowStoredColor(const QString& text)
{
    ShowComponentsOf(text);
    SetSlidersFromLabels();
    lblRGB->setText(QLatin1Char('#') + text);
    SetSwatchColor(Picture1, LabelColor());
}

void PaletteDialog::Picture2_Click(int index) { ShowStoredColor(PaletteTexts[index]); }

void PaletteDialog::picSave_Click(int index)
{
    ShowStoredColor(FormsOf().State().SavedColors[index]);
}

void PaletteDialog::Command1_Click()
{
    auto& saved = FormsOf().State().SavedColors;
    for (std::size_t i = saved.size() - 1; i >= 1; --i) {
        SetSwatchColor(picSave[i], SwatchColor(picSave[i - 1]));
        saved[i] = saved[i - 1];
    }
    SetSwatchColor(picSave[0], SwatchColor(Picture1));
    saved[0] = lblRGB->text().right(6);
}

void PaletteDialog::cmdOK_Click()
{
    const int red = HScroll1->value();
    const int green = HScroll2->value();
    const int blue = HScroll3->value();
    emit colorChosen(ComposeColorText(red, green, blue), QColor(red, green, blue));
    close();
}

void PaletteDialog::cmdCancel_Click() { close(); }

void PaletteDialog::Form_Unload() { emit unloaded(); }

QScrollBar* PaletteDialog::Slider(int component) const
{
    const std::array<QScrollBar*, 3> sliders{HScroll1, HScroll2, HScroll3};
    return sliders[component];
}

QLabel* PaletteDialog::ComponentLabel(int component) const
{
    const std::array<QLabel*, 3> labels{lblR, lblG, lblB};
    return labels[component];
}

}  // namespace kelvara::ui
