// SPDX-License-Identifier: MIT
// Forms: creates each window on first use, shows it, and unloads windows by type.
#include "kelvara/ui/forms.h"

#include <type_traits>

#include "kelvara/ui/app_state.h"
#include "kelvara/ui/edit_window.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/palette_dialog.h"
#include "kelvara/ui/settings_dialog.h"
#include "kelvara/ui/version_window.h"

namespace kelvara::ui {

namespace {

// A window closed by its own button is unloaded at once, though deleted only later.
template <typename Window>
Window* Loaded(const QPointer<Window>& slot)
{
    if constexpr (std::is_base_of_v<SecondaryWindow, Window>) {
        if (!slot.isNull() && slot->IsUnloaded()) return nullptr;
    }
    return slot.data();
}

template <typename Window>
Window* Raise(Window* window)
{
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace

template <class Window>
QPointer<Window>& Forms::Slot()
{
    return std::get<QPointer<Window>>(m_windows);
}

template <class Window>
const QPointer<Window>& Forms::Slot() const
{
    return std::get<QPointer<Window>>(m_windows);
}

Forms::Forms(AppState& state, QObject* parent) : QObject(parent), m_state(state) {}

Forms::~Forms()
{
    // Windows still loaded refer to this object; they go with it, without their unload steps.
    delete Slot<PaletteDialog>().data();
    delete Slot<EditWindow>().data();
    delete Slot<SettingsDialog>().data();
    delete Slot<VersionWindow>().data();
    delete Slot<MainWindow>().data();
}

template <class Window>
Window* Forms::Show()
{
    QPointer<Window>& slot = Slot<Window>();
    if (Loaded(slot) == nullptr) slot = new Window(*this);
    return Raise(slot.data());
}

PaletteDialog* Forms::ShowPalette(std::optional<QString> start, SecondaryWindow::Modality modality)
{
    QPointer<PaletteDialog>& slot = Slot<PaletteDialog>();
    if (Loaded(slot) == nullptr) slot = new PaletteDialog(*this, std::move(start), modality);
    return Raise(slot.data());
}

template <class Window>
Window* Forms::Find() const
{
    return Loaded(Slot<Window>());
}

// Closes the window (its unload step runs). A window that is destroyed on close counts as
// unloaded at once, even before its deferred deletion.
template <class Window>
void Forms::Unload()
{
    QPointer<Window>& slot = Slot<Window>();
    if (!slot.isNull() && slot->close() && slot->testAttribute(Qt::WA_DeleteOnClose)) {
        slot = nullptr;
    }
}

void Forms::UnloadAll()
{
    Unload<PaletteDialog>();
    Unload<EditWindow>();
    Unload<SettingsDialog>();
    Unload<MainWindow>();
    Unload<VersionWindow>();
}

void Forms::HoldMainWindow(bool held)
{
    if (MainWindow* main = Find<MainWindow>()) main->setEnabled(!held);
}

bool Forms::MainWindowOnTop() const
{
    const MainWindow* main = Find<MainWindow>();
    return main != nullptr && main->IsTopmost();
}

template MainWindow* Forms::Show<MainWindow>();
template EditWindow* Forms::Show<EditWindow>();
template SettingsDialog* Forms::Show<SettingsDialog>();
template VersionWindow* Forms::Show<VersionWindow>();
template MainWindow* Forms::Find<MainWindow>() const;
template PaletteDialog* Forms::Find<PaletteDialog>() const;
template EditWindow* Forms::Find<EditWindow>() const;
template SettingsDialog* Forms::Find<SettingsDialog>() const;
template VersionWindow* Forms::Find<VersionWindow>() const;
template void Forms::Unload<MainWindow>();
template void Forms::Unload<PaletteDialog>();
template void Forms::Unload<EditWindow>();
template void Forms::Unload<SettingsDialog>();
template void Forms::Unload<VersionWindow>();

}  // namespace kelvara::ui
