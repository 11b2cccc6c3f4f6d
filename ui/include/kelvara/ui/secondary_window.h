// SPDX-License-Identifier: MIT
// What every secondary window (palette, edit window, settings dialog, version window) shares:
// a fixed-size dialog frame named and captioned after the window, topmost mode taken once from
// the main window at load, and, for the windows that act modal, the main window disabled from
// load to unload (both through Forms: no secondary window knows the main window). The unload
// step runs once, however the window is closed.
#pragma once

#include <QWidget>

class QCloseEvent;

namespace kelvara::ui {

class Forms;

class SecondaryWindow : public QWidget {
    Q_OBJECT
public:
    enum class Modality {
        Modeless,      // the main window stays usable
        DisablesMain,  // the main window is disabled while this window is loaded
    };

    // True once the window has been closed, even before it is deleted.
    bool IsUnloaded() const { return m_unloaded; }

protected:
    SecondaryWindow(Forms& forms, Modality modality, const QString& name, const QString& caption,
                    int clientWidthTwips, int clientHeightTwips);

    // The shared part of the load step; each window calls it first thing in its Form_Load.
    void LoadAsSecondary();
    // The window's own unload step, after the shared one has handed the main window back.
    virtual void Form_Unload() {}

    Forms& FormsOf() const { return m_forms; }

    void closeEvent(QCloseEvent* event) final;

private:
    Forms& m_forms;
    Modality m_modality;
    bool m_unloaded = false;
};

}  // namespace kelvara::ui
