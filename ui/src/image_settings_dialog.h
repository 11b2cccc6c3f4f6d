// SPDX-License-Identifier: MIT
// The section "画像" of the settings, opened from the page "出力": the picture's pixel size,
// a transparent or filled background, an outline, a shadow and the width lines wrap at, each of
// the last three turned on by its box.
#pragma once

#include <QDialog>

#include "kelvara/settings/output_settings.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace kelvara::ui {

class ImageSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    ImageSettingsDialog(const settings::ImageSettings& image, QWidget* parent);

    // The choices as shown; valid after the dialog was accepted.
    [[nodiscard]] settings::ImageSettings Image() const;

    void accept() override;

private:
    QSpinBox* spnImagePx = nullptr;
    QRadioButton* optTransparent = nullptr;
    QRadioButton* optBack = nullptr;
    QCheckBox* chkOutline = nullptr;
    QLineEdit* txtOutline = nullptr;
    QCheckBox* chkShadow = nullptr;
    QLineEdit* txtShadow = nullptr;
    QCheckBox* chkImageWrap = nullptr;
    QSpinBox* spnImageWrap = nullptr;
};

}  // namespace kelvara::ui
