// VersionWindow (Form5, "ﾊﾞｰｼﾞｮﾝ情報"): product name, version, author, contact and contributors.
// Keeps the main window disabled while it is loaded.
#pragma once

#include <QWidget>

class QCloseEvent;
class QLabel;
class QPushButton;

namespace kelvara::ui {

class Forms;

class VersionWindow : public QWidget {
    Q_OBJECT
public:
    explicit VersionWindow(Forms& forms, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void ConnectControls();
    void Form_Load();
    void Form_Unload();

    void cmdOK_Click();

    Forms& m_forms;
    bool m_unloaded = false;

    QPushButton* cmdOK = nullptr;
    QLabel* Label6 = nullptr;
};

}  // namespace kelvara::ui
