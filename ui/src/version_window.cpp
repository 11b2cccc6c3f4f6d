// VersionWindow: placeholder until the window is built.
#include "kelvara/ui/version_window.h"

namespace kelvara::ui {

VersionWindow::VersionWindow(Forms& forms, QWidget* parent) : QWidget(parent), m_forms(forms)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
}

}  // namespace kelvara::ui
