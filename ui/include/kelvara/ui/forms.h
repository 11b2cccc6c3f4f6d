// SPDX-License-Identifier: MIT
// The five windows of the program, by type: each exists at most once and is created on first
// use.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>
#include <tuple>

#include "kelvara/ui/secondary_window.h"

namespace kelvara::ui {

class AppState;
class MainWindow;
class PaletteDialog;
class EditWindow;
class SettingsDialog;
class VersionWindow;

class Forms : public QObject {
    Q_OBJECT
public:
    explicit Forms(AppState& state, QObject* parent = nullptr);
    ~Forms() override;

    AppState& State() { return m_state; }

    // Loads the window if needed (its load step runs once per loading) and shows it modeless.
    // MainWindow, EditWindow, SettingsDialog, VersionWindow.
    template <class Window>
    Window* Show();
    // The palette for one colour, starting from `start` (nothing: black), holding the main
    // window or not. Whoever opens it takes the colour from its signal.
    PaletteDialog* ShowPalette(std::optional<QString> start, SecondaryWindow::Modality modality);

    // The loaded window of that type, or nullptr.
    template <class Window>
    Window* Find() const;

    // Unloading a window that is not loaded does nothing. The window is closed (its unload
    // step runs) and destroyed later.
    template <class Window>
    void Unload();
    // cmdEnd: the palette, the edit window, the settings dialog, the main window, the version
    // window.
    void UnloadAll();

    // What the secondary windows do with the main window while it is loaded (nothing when it
    // is not): hold it disabled, and learn whether windows open on top (its mnuTop).
    void HoldMainWindow(bool held);
    [[nodiscard]] bool MainWindowOnTop() const;

private:
    template <class Window>
    QPointer<Window>& Slot();
    template <class Window>
    const QPointer<Window>& Slot() const;

    AppState& m_state;
    std::tuple<QPointer<MainWindow>, QPointer<PaletteDialog>, QPointer<EditWindow>,
               QPointer<SettingsDialog>, QPointer<VersionWindow>>
        m_windows;
};

}  // namespace kelvara::ui
