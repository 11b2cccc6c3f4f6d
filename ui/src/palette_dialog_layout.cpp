// SPDX-License-Identifier: MIT
// PaletteDialog: the controls in their designed state, placed in twips. The 64 fixed swatches
// form four 4 x 4 blocks, one block per red level, rows by green and columns by blue.
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "kelvara/ui/palette_dialog.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {
namespace {

// "R", "G" or "B" in white on its own colour.
void MakeComponentTag(QWidget* parent, const QString& name, const QString& letter,
                      const QColor& color, int left, int top)
{
    auto* tag = Place(new QLabel(letter, parent), name, left, top, 120, 180);
    tag->setAlignment(Qt::AlignCenter);
    tag->setAutoFillBackground(true);
    QPalette palette = tag->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::WindowText, Qt::white);
    tag->setPalette(palette);
}

QLabel* MakeValueLabel(QWidget* parent, const QString& name, int left, int width)
{
    auto* label = Place(new QLabel(QStringLiteral("0"), parent), name, left, 135, width, 240);
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QScrollBar* MakeSlider(QWidget* parent, const QString& name, int top)
{
    auto* slider = Place(new QScrollBar(Qt::Horizontal, parent), name, 405, top, 4005, 285);
    slider->setRange(0, 255);
    slider->setSingleStep(1);
    slider->setPageStep(10);
    return slider;
}

}  // namespace

void PaletteDialog::CreateControls()
{
    for (int i = 0; i < static_cast<int>(picSave.size()); ++i) {
        picSave[i] = Place(new ColorBox(this), Indexed("picSave", i), 90 + 360 * i, 3735, 330, 195);
    }
    Command1 = Place(new QPushButton(QStringLiteral("色の保存"), this), QStringLiteral("Command1"),
                     3600, 1980, 870, 375);
    for (int n = 0; n < static_cast<int>(Picture2.size()); ++n) {
        const int red = n / 16;
        const int green = n / 4 % 4;
        const int blue = n % 4;
        const int left = 90 + 360 * blue + (red % 2 == 1 ? 1485 : 0);
        const int top = 495 + 225 * green + (red >= 2 ? 945 : 0);
        Picture2[n] = Place(new ColorBox(this), Indexed("Picture2", n), left, top, 330, 195);
    }
    cmdCancel = Place(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this), QStringLiteral("cmdCancel"),
                      3600, 1170, 855, 375);
    cmdOK = Place(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("cmdOK"), 3600, 1575,
                  855, 375);
    Picture1 = Place(new ColorBox(this), QStringLiteral("Picture1"), 3105, 495, 1335, 615);
    HScroll1 = MakeSlider(this, QStringLiteral("HScroll1"), 2430);
    HScroll2 = MakeSlider(this, QStringLiteral("HScroll2"), 2790);
    HScroll3 = MakeSlider(this, QStringLiteral("HScroll3"), 3150);

    Place(new QLabel(QStringLiteral("保存した色："), this), QStringLiteral("Label1"), 45, 3510, 930,
          180);
    const QColor red(255, 0, 0);
    const QColor green(0, 192, 0);
    const QColor blue(0, 0, 255);
    MakeComponentTag(this, QStringLiteral("Label7"), QStringLiteral("B"), blue, 1800, 135);
    MakeComponentTag(this, QStringLiteral("Label6"), QStringLiteral("G"), green, 960, 135);
    MakeComponentTag(this, QStringLiteral("Label5"), QStringLiteral("R"), red, 120, 135);
    lblB = MakeValueLabel(this, QStringLiteral("lblB"), 2040, 480);
    lblG = MakeValueLabel(this, QStringLiteral("lblG"), 1200, 480);
    lblR = MakeValueLabel(this, QStringLiteral("lblR"), 360, 465);

    lblRGB = Place(new QLabel(QStringLiteral("#000000"), this), QStringLiteral("lblRGB"), 2790, 90,
                   1185, 300);
    lblRGB->setFont(GothicFont(12));

    MakeComponentTag(this, QStringLiteral("Label10"), QStringLiteral("B"), blue, 165, 3195);
    MakeComponentTag(this, QStringLiteral("Label9"), QStringLiteral("G"), green, 165, 2835);
    MakeComponentTag(this, QStringLiteral("Label8"), QStringLiteral("R"), red, 165, 2505);
}

}  // namespace kelvara::ui
