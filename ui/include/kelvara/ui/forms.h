// SPDX-License-Identifier: MIT
// The five windows of the program: each exists at most once and is created on first use.
#pragma once

#include <QObject>
#include <QPointer>

namespace kelvara::ui {

struct AppState;
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
    MainWindow* ShowForm1();
    PaletteDialog* ShowForm2();
    EditWindow* ShowForm3();
    SettingsDialog* ShowForm4();
    VersionWindow* ShowForm5();

    // The loaded window, or nullptr.
    MainWindow* Form1() const;
    PaletteDialog* Form2() const;
    EditWindow* Form3() const;
    SettingsDialog* Form4() const;
    VersionWindow* Form5() const;

    // Unloading a window that is not loaded does nothing. The window is closed (its unload
    // step runs) and destroyed later.
    void Unload(int formNumber);
    // cmdEnd: Form2, Form3, Form4, Form1, Form5.
    void UnloadAll();

private:
    AppState& m_state;
    QPointer<MainWindow> m_form1;
    QPointer<PaletteDialog> m_form2;
    QPointer<EditWindow> m_form3;
    QPointer<SettingsDialog> m_form4;
    QPointer<VersionWindow> m_form5;
};

}  // namespace kelvara::ui
