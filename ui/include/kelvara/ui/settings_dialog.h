// SettingsDialog (Form4, "設定"): the tabbed dialog that edits the generation options.
// Check boxes and size-mode options write TagOptions at once and mirror onto the option
// toolbar; the font face, the base size and the pixel range are taken only by a successful OK.
// A fifth page, "出力", holds the output choices (format, colour space, extra colour stops,
// length limit, contrast check); they too are taken only by a successful OK.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "kelvara/engine/tag_options.h"

class QButtonGroup;
class QCheckBox;
class QCloseEvent;
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

class SettingsDialog : public QWidget {
    Q_OBJECT
public:
    explicit SettingsDialog(Forms& forms, QWidget* parent = nullptr);

    // The palette edits extra stop k (0..12) of the "出力" page as ColorTarget 4 + k: the field
    // txtStop(k) with its swatch picStop(k).
    static constexpr int kFirstStopTarget = 4;
    static constexpr int kStopCount = 13;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // A check box, the field it writes, the toolbar toggle it mirrors (0 for none) and, for
    // superscript and subscript, the box and toggle it locks while checked.
    struct CheckRule {
        QCheckBox* box = nullptr;
        std::int16_t engine::TagOptions::*field = nullptr;
        std::int16_t checkedValue = 1;
        std::int16_t clearedValue = 0;
        int toolbarIndex = 0;
        QCheckBox* excludedBox = nullptr;
        int excludedToolbarIndex = 0;
    };

    // settings_dialog_layout.cpp
    void CreateControls();
    void CreateTextPage(QWidget* page);
    void CreateFontPage(QWidget* page);
    void CreateColorPage(QWidget* page);
    void CreateOtherPage(QWidget* page);
    void CreateOutputPage(QWidget* page);

    void ConnectControls();
    void Form_Load();
    void Form_Unload();

    void TabStrip1_Click();
    void ApplyCheckRule(const CheckRule& rule, bool checked);
    void optFont_Click(int index);
    void cmdOK_Click();
    void RefuseSizes(const QString& message);

    // The "出力" page (settings_dialog_output.cpp).
    void LoadOutputPage();
    bool CheckOutputPage();
    void TakeOutputPage();
    void RefuseOutput(QWidget* field, const QString& message);
    void txtStop_Change(int index);
    void picStop_Click(int index);

    void SetToolbarToggle(int index, bool checked);
    void EnableToolbarToggle(int index, bool enabled);

    engine::TagOptions& Options();

    Forms& m_forms;
    bool m_unloaded = false;

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
    std::array<QLineEdit*, kStopCount> txtStop{};
    std::array<ColorBox*, kStopCount> picStop{};

    std::array<CheckRule, 13> m_checkRules{};
};

}  // namespace kelvara::ui
