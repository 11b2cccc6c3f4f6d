// SPDX-License-Identifier: MIT
// VersionWindow (Form5, "ﾊﾞｰｼﾞｮﾝ情報"): product name, version, author, contact and contributors.
// Keeps the main window disabled while it is loaded.
#pragma once

#include "kelvara/ui/secondary_window.h"

class QLabel;
class QPushButton;

namespace kelvara::ui {

class Forms;

class VersionWindow : public SecondaryWindow {
    Q_OBJECT
public:
    explicit VersionWindow(Forms& forms);

private:
    void CreateControls();
    void ConnectControls();
    void Form_Load();

    void cmdOK_Click();

    QPushButton* cmdOK = nullptr;
    QLabel* Label6 = nullptr;
};

}  // namespace kelvara::ui
