// SPDX-License-Identifier: MIT
// The picture settings: a small modal dialog of the settings dialog.
#include "image_settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "kelvara/ui/platform.h"

namespace kelvara::ui {
namespace {

// The colour a box starts with before the user chose one.
const QString kOutlineColor = QStringLiteral("000000");
const QString kShadowColor = QStringLiteral("808080");

}  // namespace

ImageSettingsDialog::ImageSettingsDialog(const settings::ImageSettings& image, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmImage"));
    setWindowTitle(QStringLiteral("画像"));
    auto* group = new QGroupBox(QStringLiteral("画像"), this);
    group->setObjectName(QStringLiteral("fraImage"));
    auto* grid = new QGridLayout(group);

    spnImagePx = new QSpinBox(group);
    spnImagePx->setObjectName(QStringLiteral("spnImagePx"));
    spnImagePx->setRange(picture::kMinPx, picture::kMaxPx);
    spnImagePx->setValue(image.ImagePx);
    spnImagePx->setAccessibleName(QStringLiteral("ｻｲｽﾞ3の大きさ(px)"));
    grid->addWidget(new QLabel(QStringLiteral("ｻｲｽﾞ3の大きさ(px)："), group), 0, 0);
    grid->addWidget(spnImagePx, 0, 1);

    optTransparent = new QRadioButton(QStringLiteral("背景を透明にする"), group);
    optTransparent->setObjectName(QStringLiteral("optTransparent"));
    optBack = new QRadioButton(QStringLiteral("背景色で塗る"), group);
    optBack->setObjectName(QStringLiteral("optBack"));
    (engine::IsSet(image.ImageBack) ? optBack : optTransparent)->setChecked(true);
    grid->addWidget(optTransparent, 1, 0, 1, 2);
    grid->addWidget(optBack, 2, 0, 1, 2);

    const auto colorRow = [&](const QString& caption, const QString& name,
                              const std::u16string& value, const QString& start, int row,
                              QCheckBox*& box, QLineEdit*& field) {
        box = new QCheckBox(caption, group);
        box->setObjectName(QStringLiteral("chk") + name);
        box->setChecked(!value.empty());
        field = new QLineEdit(value.empty() ? start : ToQString(value), group);
        field->setObjectName(QStringLiteral("txt") + name);
        field->setMaxLength(6);
        field->setAccessibleName(caption.chopped(1));  // the caption without its colon
        field->setEnabled(box->isChecked());
        connect(box, &QCheckBox::toggled, field, &QLineEdit::setEnabled);
        grid->addWidget(box, row, 0);
        grid->addWidget(field, row, 1);
    };
    colorRow(QStringLiteral("縁取りの色："), QStringLiteral("Outline"), image.Outline,
             kOutlineColor, 3, chkOutline, txtOutline);
    colorRow(QStringLiteral("影の色："), QStringLiteral("Shadow"), image.Shadow, kShadowColor, 4,
             chkShadow, txtShadow);

    // Lines longer than this wrap; off, they end only at the text's line breaks.
    chkImageWrap = new QCheckBox(QStringLiteral("折り返し幅(px)："), group);
    chkImageWrap->setObjectName(QStringLiteral("chkImageWrap"));
    chkImageWrap->setChecked(image.ImageWrap.has_value());
    spnImageWrap = new QSpinBox(group);
    spnImageWrap->setObjectName(QStringLiteral("spnImageWrap"));
    spnImageWrap->setRange(picture::kMinWrap, picture::kMaxWrap);
    spnImageWrap->setValue(image.ImageWrap.value_or(picture::kDefaultWrap));
    spnImageWrap->setAccessibleName(QStringLiteral("折り返し幅(px)"));
    spnImageWrap->setEnabled(chkImageWrap->isChecked());
    connect(chkImageWrap, &QCheckBox::toggled, spnImageWrap, &QSpinBox::setEnabled);
    grid->addWidget(chkImageWrap, 5, 0);
    grid->addWidget(spnImageWrap, 5, 1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("cmdImageOK"));
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cmdImageCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ImageSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ImageSettingsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

settings::ImageSettings ImageSettingsDialog::Image() const
{
    settings::ImageSettings image;
    image.ImagePx = static_cast<std::int16_t>(spnImagePx->value());
    image.ImageBack = optBack->isChecked() ? 1 : 0;
    if (chkOutline->isChecked()) {
        image.Outline = settings::ReadStopColor(ToU16(txtOutline->text())).value_or(u"");
    }
    if (chkShadow->isChecked()) {
        image.Shadow = settings::ReadStopColor(ToU16(txtShadow->text())).value_or(u"");
    }
    if (chkImageWrap->isChecked()) {
        image.ImageWrap = static_cast<std::int16_t>(spnImageWrap->value());
    }
    return image;
}

void ImageSettingsDialog::accept()
{
    for (const auto& [box, field] : {std::pair{chkOutline, txtOutline}, {chkShadow, txtShadow}}) {
        if (box->isChecked() && !settings::ReadStopColor(ToU16(field->text()))) {
            ShowMessage(this, QStringLiteral("色は16進数６桁（例：FF8000）で指定してね"));
            field->setFocus();
            return;
        }
    }
    QDialog::accept();
}

}  // namespace kelvara::ui
