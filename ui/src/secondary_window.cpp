// SPDX-License-Identifier: MIT
// SecondaryWindow: the load and unload steps the secondary windows share.
#include "kelvara/ui/secondary_window.h"

#include <QCloseEvent>

#include "kelvara/ui/forms.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {

SecondaryWindow::SecondaryWindow(Forms& forms, Modality modality, const QString& name,
                                 const QString& caption, int clientWidthTwips,
                                 int clientHeightTwips)
    : QWidget(nullptr), m_forms(forms), m_modality(modality)
{
    // No parent, so that disabling the main window never disables this one.
    setObjectName(name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(Twips(clientWidthTwips), Twips(clientHeightTwips));
}

void SecondaryWindow::LoadAsSecondary()
{
    if (m_modality == Modality::DisablesMain) m_forms.HoldMainWindow(true);
    // Read once: the window does not follow later changes of the main window's setting.
    if (m_forms.MainWindowOnTop()) SetTopmost(this, 1);
}

void SecondaryWindow::closeEvent(QCloseEvent* event)
{
    if (!m_unloaded) {
        m_unloaded = true;
        if (m_modality == Modality::DisablesMain) m_forms.HoldMainWindow(false);
        Form_Unload();
    }
    event->accept();
}

}  // namespace kelvara::ui
