// SettingsDialog: placeholder until the window is built.
#include "kelvara/ui/settings_dialog.h"

namespace kelvara::ui {

SettingsDialog::SettingsDialog(Forms& forms, QWidget* parent) : QWidget(parent), m_forms(forms)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("設定"));
}

}  // namespace kelvara::ui
