// SPDX-License-Identifier: MIT
// Small platform layer in place of the Windows facilities the windows expect: twips, topmost
// mode, message boxes, swatches, the program folder, string conversion.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

class QWidget;

namespace kelvara::ui {

inline constexpr int kTwipsPerPixel = 15;  // at 96 dpi; Qt scales logical pixels for high DPI
constexpr int Twips(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

// Places a child widget at Left, Top, Width, Height given in twips.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

// The name of a control array element: Indexed("chkBtn", 2) is "chkBtn(2)".
inline QString Indexed(const char* name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// Names a control after its system name and places it; returns it for further set-up.
template <typename Control>
Control* Place(Control* control, const QString& name, int left, int top, int width, int height)
{
    control->setObjectName(name);
    PlaceTwips(control, left, top, width, height);
    return control;
}

// The frame of a classic fixed-single Windows window in pixels: caption and the borders above
// and below, plus the menu bar for a window that has one. The layout's outer heights assume
// this frame; turning them into client heights with it (never with the frame a window manager
// happens to draw) keeps every control of the client area whole under any window manager.
int StandardFrameHeight(bool withMenuBar);
// The height Qt gives the menu bar of a main window at its current width; 0 without one.
int MenuBarHeight(const QWidget* window);
// The outer height in pixels the window stands for: its client area with the standard frame
// (a QMainWindow holds its menu bar inside its own height).
int OuterHeight(const QWidget* window);

// Mode 1 keeps the window above all others, 0 takes that away, anything else does nothing
// and gives 0. Returns non-zero when something was done.
int SetTopmost(QWidget* window, int mode);

// Message box with exclamation icon, one OK button and the title "Kelvara".
void ShowMessage(QWidget* parent, const QString& text);
// A failed file operation: the headline, then on a second line the file and the system's
// reason ("/home/u/Lum.ini: Permission denied").
QString FileErrorText(const QString& headline, const std::filesystem::path& file,
                      const std::error_code& reason);
void ShowFileError(QWidget* parent, const QString& headline, const std::filesystem::path& file,
                   const std::error_code& reason);
// Tests route message boxes here instead (pass an empty function to restore the dialog).
using MessageInterceptor = std::function<void(const QString& text)>;
void SetMessageInterceptor(MessageInterceptor interceptor);

// A swatch is a plain rectangle whose background colour is all that is ever set.
void SetSwatchColor(QWidget* swatch, const QColor& color);
QColor SwatchColor(const QWidget* swatch);
// The colour value red + 256 * green + 65536 * blue as a QColor.
QColor FromColorValue(quint32 value);

// The program's font: IPA P Gothic 9 pt, metric-compatible with the MS P Gothic the captions
// were laid out for, or the nearest Japanese font there is.
QFont ApplicationFont();
// "ＭＳ Ｐゴシック" at the given size, where a window names that font for a label; IPA P Gothic
// stands in for it where it is missing.
QFont GothicFont(qreal pointSize, bool bold = false);

// The clipboard: emptied, then given the text as plain text.
void SetClipboardText(const QString& text);

inline QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::u16string ToU16(const QString& text) { return text.toStdU16String(); }
// The UTF-8 texts of the engine's tables.
inline QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace kelvara::ui
