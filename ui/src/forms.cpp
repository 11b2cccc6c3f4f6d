// SPDX-License-Identifier: MIT
// Forms: creates each window on first use, shows it, and unloads windows by number.
#include "kelvara/ui/forms.h"

#include "kelvara/ui/app_state.h"
#include "kelvara/ui/edit_window.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/palette_dialog.h"
#include "kelvara/ui/settings_dialog.h"
#include "kelvara/ui/version_window.h"

#include <type_traits>

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
Window* Show(QPointer<Window>& slot, Forms& forms)
{
    if (Loaded(slot) == nullptr) {
        slot = new Window(forms);
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot.data();
}

// Closes the window (its unload step runs). A window that is destroyed on close counts as
// unloaded at once, even before its deferred deletion.
template <typename Window>
void Close(QPointer<Window>& slot)
{
    if (!slot.isNull() && slot->close() && slot->testAttribute(Qt::WA_DeleteOnClose)) {
        slot = nullptr;
    }
}

}  // namespace

Forms::Forms(AppState& state, QObject* parent) : QObject(parent), m_state(state) {}

Forms::~Forms()
{
    // Windows still loaded refer to this object; they go with it, without their unload steps.
    delete m_form2.data();
    delete m_form3.data();
    delete m_form4.data();
    delete m_form5.data();
    delete m_form1.data();
}

MainWindow* Forms::ShowForm1() { return Show(m_form1, *this); }
PaletteDialog* Forms::ShowForm2() { return Show(m_form2, *this); }
EditWindow* Forms::ShowForm3() { return Show(m_form3, *this); }
SettingsDialog* Forms::ShowForm4() { return Show(m_form4, *this); }
VersionWindow* Forms::ShowForm5() { return Show(m_form5, *this); }

MainWindow* Forms::Form1() const { return Loaded(m_form1); }
PaletteDialog* Forms::Form2() const { return Loaded(m_form2); }
EditWindow* Forms::Form3() const { return Loaded(m_form3); }
SettingsDialog* Forms::Form4() const { return Loaded(m_form4); }
VersionWindow* Forms::Form5() const { return Loaded(m_form5); }

void Forms::Unload(int formNumber)
{
    switch (formNumber) {
        case 1:
            Close(m_form1);
            break;
        case 2:
            Close(m_form2);
            break;
        case 3:
            Close(m_form3);
            break;
        case 4:
            Close(m_form4);
            break;
        case 5:
            Close(m_form5);
            break;
        default:
            break;
    }
}

void Forms::UnloadAll()
{
    for (int formNumber : {2, 3, 4, 1, 5}) {
        Unload(formNumber);
    }
}

}  // namespace kelvara::ui
