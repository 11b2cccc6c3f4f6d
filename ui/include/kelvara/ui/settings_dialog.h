// SettingsDialog (Form4, "設定"): the tabbed dialog that edits the generation options.
// Check boxes and size-mode options write TagOptions at once and mirror onto the option
// toolbar; the font face, the base size and the pixel range are taken only by a successful OK.
#pragma once

#include <QList>
#include <array>

#include "kelvara/engine/option_table.h"
#include "kelvara/engine/tag_options.h"
#include "kelvara/ui/secondary_window.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace kelvara::ui {

class Forms;

class SettingsDialog : public SecondaryWindow {
    Q_OBJECT
public:
    explicit SettingsDialog(Forms& forms);

private:
    // settings_dialog_layout.cpp
    void CreateControls();
    void CreateTextPage(QWidget* page);
    void CreateFontPage(QWidget* page);
    void CreateColorPage(QWidget* page);
    void CreateOtherPage(QWidget* page);

    void ConnectControls();
    void Form_Load();
    void Form_Unload() override;

    void TabStrip1_Click();
    void SetFromField(QCheckBox* box);
    void ApplyCheckRule(const engine::OptionRow& row, bool checked);
    QCheckBox* BoxOf(const engine::OptionRow& row) const;
    void optFont_Click(int index);
    void cmdOK_Click();
    void RefuseSizes(const QString& message);

    engine::TagOptions& Options();

    QTabBar* TabStrip1 = nullptr;
    std::array<QFrame*, 4> Frame6{};
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QGroupBox* Frame5 = nullptr;

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

    // Every check box, each bound to its row of the option table by its name.
    QList<QCheckBox*> m_boxes;
};

}  // namespace kelvara::ui
