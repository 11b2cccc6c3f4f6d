// SPDX-License-Identifier: MIT
// PaletteDialog (Form2, "ｶﾗｰﾊﾟﾚｯﾄ"): edits one colour with three RGB sliders, 64 fixed swatches
// and twelve saved colours, and hands the chosen colour back to whoever opened it.
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
    // `start`: the colour text to begin from, as its field holds it.
    PaletteDialog(Forms& forms, std::optional<QString> start, Modality modality);

    // Six upper-case hex digits RRGGBB of three components 0..255.
    static QString ComposeColorText(int red, int green, int blue);

signals:
    // OK: the chosen colour, as six upper-case hex digits and as a colour.
    void colorChosen(const QString& text, const QColor& color);
    // The palette is gone, however it was closed.
    void unloaded();

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
    std::optional<QString> m_start;
};

}  // namespace kelvara::ui
