// SPDX-License-Identifier: MIT
// PaletteDialog (Form2, "ｶﾗｰﾊﾟﾚｯﾄ"): edits the one colour named by ColorTarget (a colour field of
// the main window, or an extra stop of the settings dialog) with three RGB sliders, 64 fixed
// swatches and twelve saved colours.
#pragma once

#include <QFrame>
#include <array>
#include <optional>

#include "kelvara/ui/secondary_window.h"

class QLabel;
class QMouseEvent;
class QPushButton;
class QScrollBar;

namespace kelvara::ui {

class Forms;

// A plain filled rectangle that reports a click (press and release inside it).
class ColorBox : public QFrame {
    Q_OBJECT
public:
    explicit ColorBox(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

class PaletteDialog : public SecondaryWindow {
    Q_OBJECT
public:
    explicit PaletteDialog(Forms& forms);

    // Six upper-case hex digits RRGGBB of three components 0..255.
    static QString ComposeColorText(int red, int green, int blue);

private:
    void CreateControls();  // palette_dialog_layout.cpp
    void ConnectControls();
    void Form_Load();
    void Form_Unload() override;

    void SliderUpdate(int component);  // 0 red, 1 green, 2 blue
    void ShowComponentsOf(const QString& text);
    void SetSlidersFromLabels();
    QColor LabelColor() const;
    void ShowStoredColor(const QString& text);

    void Picture2_Click(int index);
    void picSave_Click(int index);
    void Command1_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    QScrollBar* Slider(int component) const;
    QLabel* ComponentLabel(int component) const;

    std::array<ColorBox*, 12> picSave{};
    std::array<ColorBox*, 64> Picture2{};
    ColorBox* Picture1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QScrollBar* HScroll3 = nullptr;
    QLabel* lblR = nullptr;
    QLabel* lblG = nullptr;
    QLabel* lblB = nullptr;
    QLabel* lblRGB = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    std::array<QString, 64> PaletteTexts;
    // The settings dialog's extra stop being edited; nothing for a main-window colour.
    std::optional<int> m_stop;
};

}  // namespace kelvara::ui
