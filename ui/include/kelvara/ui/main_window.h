// SPDX-License-Identifier: MIT
// MainWindow (Form1): input text, command buttons, option toolbar, colour fields, view
// window and menus. It is also the window a generator run talks to.
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>
#include <array>
#include <cstddef>
#include <memory>
#include <optional>

#include "kelvara/engine/output_format.h"
#include "kelvara/engine/preview_page.h"
#include "kelvara/picture/picture_job.h"
#include "kelvara/session/run_control.h"
#include "kelvara/ui/option_table.h"

class QAbstractButton;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class QPushButton;
class QTimer;

namespace kelvara::ui {

class AppState;
struct PictureSource;
class Forms;
class PreviewView;

class MainWindow : public QMainWindow, public session::RunWindow, public engine::PageView {
    Q_OBJECT
public:
    explicit MainWindow(Forms& forms, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The colour fields the palette edits.
    enum class ColorField { First, Last, Background, Middle };
    // Opens the palette on that field's colour; OK sets the field and its swatch, without the
    // field's leave-field handling (the background rewrites the page, as leaving it would).
    void EditColor(ColorField field);
    // The tick of mnuTop: whether windows open on top of all others.
    bool IsTopmost() const;
    // The option toggle chkBtn(index), index 2..12; nullptr for any other index.
    QAbstractButton* chkBtn(int index) const;

    // engine::ColorSource
    std::u16string ColorText(engine::ColorSlot slot) const override;
    // session::RunWindow
    std::u16string InputText() const override;
    const engine::TagOptions& Options() const override;
    engine::TagSink& ResultTags() override;
    std::u16string Result() const override;
    void SetRoleEnabled(session::RunRole role, bool enabled) override;
    void SetCaption(std::u16string_view caption) override;
    void ProcessPendingEvents() override;
    bool IsStopRequested() const override;
    void ClearStopRequest() override;
    void ShowMessage(std::u16string_view message) override;
    void ShowEditWindow(std::u16string_view tags) override;
    void SetClipboard(std::u16string_view text) override;
    void WritePreviewPage() override;
    [[nodiscard]] engine::OutputOptions OutputSettings() const override;
    void ShowRunReport(const engine::RunReport& report) override;
    // engine::PageView
    void Navigate(const std::filesystem::path& page) override;

signals:
    // Every caption a run sets, in order; the title bar shows them at most once per frame.
    void captionChanged(const QString& caption);

public:
    // The picture of the last finished run with the current picture settings (PNG or SVG);
    // empty before a run has finished.
    [[nodiscard]] QByteArray PictureBytes(picture::PictureKind kind) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class ResultSink;

    // A control the run locks: a widget or a top-level menu.
    struct LockTarget {
        QWidget* widget = nullptr;
        QAction* action = nullptr;
    };
    // The text field and swatch of a colour.
    struct ColorControls {
        QLineEdit* field = nullptr;
        QFrame* swatch = nullptr;
    };
    ColorControls ControlsOf(ColorField field) const;
    void CreateLockTable();

    AppState& State() const;

    // Construction steps (main_window_layout.cpp, main_window_menus.cpp).
    void CreateToolFrame();
    void CreateMainFrame();
    void CreateMenus();
    // Menu items "画像として保存..." and "画像をｺﾋﾟｰ" (main_window_picture.cpp).
    void CreatePictureMenus();
    void EnablePictureCommands(bool enabled);
    void RememberPictureRun();
    void mnuSaveImage_Click();
    void mnuCopyImage_Click();
    void ConnectControls();
    void ConnectToolbar();
    void CreateCaptionTimer();

    // Start-up and shut-down (main_window.cpp).
    void Form_Load();
    void Form_Unload();
    void SetOuterHeight(int twips);

    // View, toolbar, topmost, exit, clear, colour editing (main_window_menus.cpp).
    void cmdView_Click();
    void mnuTool_Click();
    void mnuTop_Click();
    void cmdEnd_Click();
    void mnuEnd_Click();
    void cmdClear_Click();
    void mnuSet_Click();
    void mnuVersion_Click();

    // Run, stop, send (main_window_run.cpp).
    void cmdGo_Click();
    void cmdStop_Click();
    void cmdSend_Click();
    void KeepFocusOutOf(QWidget* widget);
    void EnsurePreviewView();
    void ShowCaption();

    // Output choices: run options, report, preview, status line (main_window_output.cpp).
    void CreateStatusLine();
    [[nodiscard]] bool StatusLineInUse() const;
    [[nodiscard]] int StatusLineTwips() const;
    [[nodiscard]] int OpenHeight() const;
    void PrepareOutputPreview();
    [[nodiscard]] QString PageTags(const QString& tags) const;
    // Brings the status line under the view (and the open window's height) in line with the
    // output choices and the current result.
    void UpdateStatusLine();
    // Writes temp.html into the program folder and lets WebBrowser1 load it. On failure the
    // user is told and the previous page stays.
    bool WritePreviewPage(const QString& background, const QString& tags, engine::PageForm form);

    // Colour fields (main_window_colors.cpp).
    void ColorStartup();
    void txtCfor_LostFocus();
    void txtClat_LostFocus();
    void txtCmid_LostFocus();
    void txtBack_LostFocus();

    // Option toolbar (main_window_toolbar.cpp).
    void ToolbarStartup();
    void chkBtn_Click(int Index);
    void cmdBtn_Click(int Index);
    void FocusInput();
    // The toolbar toggle of a row: its state (a change runs its handling) and whether it can be
    // pressed; nullptr, and nothing done, for rows the toolbar has no toggle for.
    QAbstractButton* OptionToggle(const ToggleRow& row) const;
    void SetOptionToggle(const ToggleRow& row, bool set);
    void EnableOptionToggle(const ToggleRow& row, bool enabled);
    // Rewrites lblSize from h_NFontSize and h_FontFace.
    void UpdateSizeCaption();
    // cmdSend shown or hidden; the middle colour's field, button and menu item enabled or not.
    void ShowSendButton(bool shown);
    void EnableMiddleColor(bool enabled);

    // Following the shared state as other windows change it (main_window_toolbar.cpp).
    void ConnectState();
    void FollowOption(engine::OptionField field);
    void TakeSettings();
    void ShowReplacedResult();

    Forms& m_forms;
    std::unique_ptr<ResultSink> m_resultSink;
    std::unique_ptr<session::RunControl> m_run;
    bool m_closeWhenIdle = false;
    bool m_keepSettingsFile = false;  // Lum.ini could not be read at start-up
    QString m_caption;                // the caption the run set last
    QElapsedTimer m_captionShownAt;   // when the title bar last changed
    QTimer* m_captionTimer = nullptr;

    // The report of the run in progress (or last run), and what the last finished run gave:
    // its result, its character count, its report and, for formats a browser does not render,
    // the page markup that stands for it.
    std::optional<engine::RunReport> m_runReport;
    bool m_runFinished = false;
    QString m_reportedResult;
    std::size_t m_reportedCharacters = 0;
    std::optional<engine::RunReport> m_reportedRun;
    QString m_previewTags;

    // Window-level values: outer heights in twips and the stop flag (-1 = stop).
    qint16 ViewClosedHeight = 0;
    qint16 ViewOpenHeight = 0;
    qint16 StopRequested = 0;

    // Frames.
    QWidget* frmTool = nullptr;
    QWidget* frmMain = nullptr;
    QFrame* Frame1 = nullptr;
    PreviewView* WebBrowser1 = nullptr;  // created when the page is first shown

    // frmMain.
    QLabel* Label1 = nullptr;
    QLineEdit* txtFor = nullptr;
    QPushButton* cmdView = nullptr;
    QToolButton* cmdTool = nullptr;
    QToolButton* cmdSend = nullptr;
    QToolButton* cmdClear = nullptr;
    QToolButton* cmdGo = nullptr;
    QToolButton* cmdStop = nullptr;
    QToolButton* cmdEnd = nullptr;
    QLabel* lblSize = nullptr;

    // Status line under the view, shown only with output choices other than the classic ones.
    QWidget* frmStatus = nullptr;
    QLabel* lblStatus = nullptr;
    QLabel* lblContrast = nullptr;

    // Colour rows.
    QFrame* Picture1 = nullptr;
    QFrame* Picture2 = nullptr;
    QFrame* Picture3 = nullptr;
    QFrame* Picture4 = nullptr;
    QLineEdit* txtCfor = nullptr;
    QLineEdit* txtCmid = nullptr;
    QLineEdit* txtClat = nullptr;
    QLineEdit* txtBack = nullptr;
    QPushButton* cmdLColor = nullptr;
    QPushButton* cmdMid = nullptr;
    QPushButton* cmdFColor = nullptr;
    QPushButton* cmdBack = nullptr;

    // The controls of a run's lock, by session::RunRole.
    std::array<LockTarget, static_cast<std::size_t>(session::RunRole::Options) + 1> m_lockTargets{};

    // Option toolbar: cmdBtn(1), cmdBtn(2), cmdBtn(7) and chkBtn(2)..chkBtn(12) by index.
    std::array<QToolButton*, 8> m_cmdBtn{};
    std::array<QToolButton*, 13> m_chkBtn{};

    // Menus.
    QMenu* m_fileMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_showMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* mnuEnd = nullptr;
    QAction* mnuFirstColor = nullptr;
    QAction* mnuMidColor = nullptr;
    QAction* mnuLaterColor = nullptr;
    QAction* mnuBack = nullptr;
    QAction* mnuSet = nullptr;
    QAction* mnuTop = nullptr;
    QAction* mnuView = nullptr;
    QAction* mnuTool = nullptr;
    QAction* mnuVersion = nullptr;
    QAction* mnuSaveImage = nullptr;
    QAction* mnuCopyImage = nullptr;
    std::shared_ptr<const PictureSource> m_picture;  // what the last finished run drew from
};

}  // namespace kelvara::ui
