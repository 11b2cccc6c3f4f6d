// SPDX-License-Identifier: MIT
// SettingsDialog (Form4, "設定"): the tabbed dialog that edits the generation options.
// Check boxes and size-mode options write TagOptions at once (the main window's toolbar mirrors
// the boxes through the model's signal); the font face, the base size and the pixel range are
// taken only by a successful OK.
// A fifth page, "出力", holds the output choices (format, colour space, extra colour stops,
// length limit, contrast check); they too are taken only by a successful OK.
#pragma once

#include <QList>
#include <QString>
#include <array>
#include <optional>

#include "kelvara/engine/tag_options.h"
#include "kelvara/settings/output_settings.h"
#include "kelvara/ui/option_table.h"
#include "kelvara/ui/secondary_window.h"

class QButtonGroup;
class QColor;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace kelvara::ui {

class ColorBox;
class Forms;

class SettingsDialog : public SecondaryWindow {
    Q_OBJECT
public:
    explicit SettingsDialog(Forms& forms);

    // Extra stops k (0..12) of the "出力" page: the field txtStop(k) with its swatch picStop(k).
    static constexpr int kStopCount = 13;

private:
    // settings_dialog_layout.cpp
    void CreateControls();
    void CreateTextPage(QWidget* page);
    void CreateFontPage(QWidget* page);
    void CreateColorPage(QWidget* page);
    void CreateOtherPage(QWidget* page);
    void CreateOutputPage(QWidget* page);

    void ConnectControls();
    void Form_Load();
    void Form_Unload() override;

    void TabStrip1_Click();
    void SetFromField(QCheckBox* box);
    void ApplyCheckRule(const ToggleRow& row, bool checked);
    QCheckBox* BoxOf(const ToggleRow& row) const;
    void optFont_Click(int index);
    void cmdOK_Click();
    void RefuseSizes(const QString& message);

    // The "出力" page (settings_dialog_output.cpp).
    void LoadOutputPage();
    bool CheckOutputPage();
    [[nodiscard]] settings::OutputSettings OutputPage() const;
    void RefuseOutput(QWidget* field, const QString& message);
    void txtStop_Change(int index);
    void picStop_Click(int index);
    void cmbTarget_Click(int index);
    void cmbFormat_Click(int index);

    [[nodiscard]] const engine::TagOptions& Options() const;

    QTabBar* TabStrip1 = nullptr;
    std::array<QFrame*, 5> Frame6{};
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QGroupBox* Frame7 = nullptr;
    QGroupBox* Frame8 = nullptr;

    QCheckBox* chkTate = nullptr;
    QCheckBox* chkCenter = nullptr;
    QCheckBox* chkmarquee = nullptr;
    QCheckBox* chkblink = nullptr;
    QCheckBox* chkBold = nullptr;
    QCheckBox* chkItalic = nullptr;
    QCheckBox* chkUnder = nullptr;
    QCheckBox* chkNot = nullptr;
    QCheckBox* chkUp = nullptr;
    QCheckBox* chkSub = nullptr;
    QCheckBox* chkMColor = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* chkInstant = nullptr;

    std::array<QRadioButton*, 5> optFont{};
    QButtonGroup* m_optFontGroup = nullptr;
    QComboBox* cmbSize = nullptr;
    QComboBox* cmbFont = nullptr;
    std::array<QLineEdit*, 2> txtMaxMin{};
    QPushButton* cmdOK = nullptr;

    QComboBox* cmbFormat = nullptr;
    QComboBox* cmbSpace = nullptr;
    QLineEdit* txtFit = nullptr;
    QCheckBox* chkContrast = nullptr;
    // The picture's settings, edited in their own small dialog from the page "出力".
    QPushButton* cmdImage = nullptr;
    settings::ImageSettings m_image;
    void cmdImage_Click();
    std::array<QLineEdit*, kStopCount> txtStop{};
    std::array<ColorBox*, kStopCount> picStop{};
    // Where the text goes: "指定なし", then the rows of engine::kTargets. Choosing one sets the
    // format and the limit; another format clears it.
    QComboBox* cmbTarget = nullptr;

    // Every check box, each bound to its row of the option table by its name.
    QList<QCheckBox*> m_boxes;
};

}  // namespace kelvara::ui
