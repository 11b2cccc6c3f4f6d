// PaletteDialog (Form2, "ｶﾗｰﾊﾟﾚｯﾄ"): edits the one colour named by ColorTarget (a colour field
// of the main window, or an extra stop of the settings dialog) with three RGB sliders, 64 fixed
// swatches and twelve saved colours.
#pragma once

#include <QFrame>
#include <QWidget>
#include <array>

class QCloseEvent;
class QLabel;
class QLineEdit;
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

class PaletteDialog : public QWidget {
    Q_OBJECT
public:
    explicit PaletteDialog(Forms& forms, QWidget* parent = nullptr);

    // Six upper-case hex digits RRGGBB of three components 0..255.
    static QString ComposeColorText(int red, int green, int blue);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();  // palette_dialog_layout.cpp
    void ConnectControls();
    void Form_Load();
    void Form_Unload();

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

    QWidget* Owner() const;  // the window held while the palette is open
    QLineEdit* TargetField() const;
    QWidget* TargetSwatch() const;
    QScrollBar* Slider(int component) const;
    QLabel* ComponentLabel(int component) const;

    Forms& m_forms;
    bool m_unloaded = false;

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
};

}  // namespace kelvara::ui
