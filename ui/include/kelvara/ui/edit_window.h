// SPDX-License-Identifier: MIT
// EditWindow (Form3, "編集ｳｲﾝﾄﾞｳ"): the last result in an editable box; "転送" adopts the edited
// text as the result, copies it and re-renders the preview. Leaves the main window usable.
#pragma once

#include "kelvara/ui/secondary_window.h"

class QPlainTextEdit;
class QPushButton;

namespace kelvara::ui {

class Forms;

class EditWindow : public SecondaryWindow {
    Q_OBJECT
public:
    explicit EditWindow(Forms& forms);

    // Puts a run's result into txtKekka, replacing what the box held.
    void ShowResult(const QString& tags);

private:
    void CreateControls();
    void ConnectControls();
    void Form_Load();

    void cmdSend_Click();
    void cmdClose_Click();

    QPushButton* cmdClose = nullptr;
    QPushButton* cmdSend = nullptr;
    QPlainTextEdit* txtKekka = nullptr;
};

}  // namespace kelvara::ui
