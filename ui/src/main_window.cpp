// SPDX-License-Identifier: MIT
// MainWindow: construction, start-up (Form_Load), window height and shut-down (Form_Unload).
#include "kelvara/ui/main_window.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "kelvara/settings/settings_file.h"
#include "kelvara/ui/accessibility.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/platform.h"
#include "main_window_sink.h"

static void InitKelvaraResources() { Q_INIT_RESOURCE(kelvara); }

namespace kelvara::ui {

namespace {

constexpr int kClientWidth = 4905;  // twips; only the height ever changes

// The Lum.ini this window reads at start-up and writes at exit.
std::filesystem::path SettingsPath(const AppState& state)
{
    if (!state.SettingsFile.isEmpty()) {
        return {ToU16(state.SettingsFile)};
    }
    return std::filesystem::path(ToU16(state.ProgramFolder)) / settings::kSettingsFileName;
}

// Until the window's own Lum.ini exists, a start reads the fallback (an installed copy's
// program folder or packaged first-start settings) as if it were its own.
std::filesystem::path SettingsSource(const AppState& state)
{
    std::filesystem::path own = SettingsPath(state);
    std::error_code error;
    if (state.FallbackSettingsFile.isEmpty() ||
        std::filesystem::status(own, error).type() != std::filesystem::file_type::not_found) {
        return own;
    }
    return {ToU16(state.FallbackSettingsFile)};
}

}  // namespace

MainWindow::MainWindow(Forms& forms, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      m_forms(forms),
      m_resultSink(std::make_unique<ResultSink>(forms.State())),
      m_run(std::make_unique<session::RunControl>(*this))
{
    InitKelvaraResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ToQString(session::kAppTitle));
    setAttribute(Qt::WA_DeleteOnClose);

    setCentralWidget(new QWidget(this));
    CreateToolFrame();
    CreateMainFrame();
    CreateStatusLine();
    CreateMenus();
    CreateLockTable();
    ConnectControls();
    ConnectToolbar();
    ConnectState();
    CreateCaptionTimer();
    Form_Load();
    DescribeControls(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateCaptionTimer()
{
    m_captionTimer = new QTimer(this);
    m_captionTimer->setSingleShot(true);
    connect(m_captionTimer, &QTimer::timeout, this, &MainWindow::ShowCaption);
}

AppState& MainWindow::State() const { return m_forms.State(); }

QAbstractButton* MainWindow::chkBtn(int index) const
{
    return index >= 2 && index <= 12 ? m_chkBtn[static_cast<std::size_t>(index)] : nullptr;
}

void MainWindow::Form_Load()
{
    // 1. Settings: input text, saved colours, options, the four colour texts.
    AppState& state = State();
    const std::filesystem::path source = SettingsSource(state);
    const engine::FileRead<settings::StoredSettings> loaded = settings::LoadSettings(source);
    const settings::StoredSettings& stored = loaded.value;
    const std::error_code reason = loaded.error;
    txtFor->setText(ToQString(stored.txtFor));
    for (std::size_t i = 0; i < stored.SavedColors.size(); ++i) {
        state.SavedColors[i] = ToQString(stored.SavedColors[i]);
    }
    state.TagOptions = stored.TagOptions;
    txtCfor->setText(ToQString(stored.txtCfor));
    txtClat->setText(ToQString(stored.txtClat));
    txtCmid->setText(ToQString(stored.txtCmid));
    txtBack->setText(ToQString(stored.txtBack));
    state.Output = stored.Output;

    // 2.-4. Heights, toolbar shown and view closed, on top (which also shows the window).
    ViewClosedHeight = 2160;
    ViewOpenHeight = 7320;
    SetOuterHeight(2160);
    SetTopmost(this, 1);

    // 5.-7. Enabling.
    if (state.TagOptions.h_ColorCount == 2) {
        txtCmid->setEnabled(false);
        cmdMid->setEnabled(false);
        mnuMidColor->setEnabled(false);
    }
    if (state.TagOptions.h_instantflag == 1) {
        cmdSend->hide();
    } else if (state.TagOptions.h_instantflag == 0) {
        cmdSend->show();
    }
    cmdStop->setEnabled(false);

    // 8.-9. Swatches, toolbar and size caption.
    ColorStartup();
    ToolbarStartup();

    // A Lum.ini that is there but cannot be read is reported once the window is up, and left
    // as it is at exit: saving over it would lose what it holds.
    m_keepSettingsFile = static_cast<bool>(reason);
    if (reason) {
        QTimer::singleShot(0, this, [this, source, reason] {
            ShowFileError(this, QStringLiteral("設定を読み込めませんでした。"), source, reason);
        });
    }
}

void MainWindow::Form_Unload()
{
    const AppState& state = State();
    settings::StoredSettings stored;
    stored.txtFor = ToU16(txtFor->text());
    for (std::size_t i = 0; i < stored.SavedColors.size(); ++i) {
        stored.SavedColors[i] = ToU16(state.SavedColors[i]);
    }
    stored.TagOptions = state.TagOptions;
    stored.txtCfor = ToU16(txtCfor->text());
    stored.txtClat = ToU16(txtClat->text());
    stored.txtCmid = ToU16(txtCmid->text());
    stored.txtBack = ToU16(txtBack->text());
    stored.Output = state.Output;
    if (m_keepSettingsFile && SettingsSource(state) == SettingsPath(state)) {
        return;
    }
    const auto path = SettingsPath(state);
    if (const std::error_code reason = settings::SaveSettings(stored, path)) {
        ShowFileError(this, QStringLiteral("設定を保存できませんでした。"), path, reason);
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // While a modal-acting window has the main window disabled, it stays: that window still
    // works on it and hands it back when it closes.
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    // A close in the middle of a run stops the run first; the window closes once it has ended.
    if (m_run->Running()) {
        StopRequested = -1;
        m_closeWhenIdle = true;
        event->ignore();
        return;
    }
    Form_Unload();
    // The edit window sends its result back to this window's view, so it goes too.
    m_forms.Unload<EditWindow>();
    event->accept();
}

void MainWindow::SetOuterHeight(int twips)
{
    // The heights are outer heights of a window with a classic Windows frame. The client area
    // they give is kept whatever frame the window manager draws, so a tall title bar never
    // cuts off the button row; the menu bar takes the height Qt gives it on top of that.
    const int clientHeight = Twips(twips) - StandardFrameHeight(/*withMenuBar=*/true);
    setFixedWidth(Twips(kClientWidth));
    setFixedHeight(clientHeight + MenuBarHeight(this));
}

}  // namespace kelvara::ui
