// SPDX-License-Identifier: MIT
// MainWindow and the output choices: the options a run takes from them, the run's report, the
// preview of formats a browser cannot show (through the equivalent HTML5 spans), and the status
// line under the view. With the classic output none of this shows or changes anything.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "kelvara/engine/characters.h"
#include "kelvara/engine/color.h"
#include "kelvara/engine/options.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/settings/run_options.h"
#include "kelvara/ui/accessibility.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/platform.h"

namespace kelvara::ui {
namespace {

constexpr int kStatusHeight = 270;  // twips, the row below frmMain while the view is open

QString OptionName(engine::OmittedOption option)
{
    if (option == engine::OmittedOption::Face) return QStringLiteral("ﾌｫﾝﾄ");
    if (option == engine::OmittedOption::Size) return QStringLiteral("文字ｻｲｽﾞ");
    const engine::OptionRow* row = engine::OptionOf(option);
    return row != nullptr ? FromUtf8(row->label) : QString();
}

// The count's tooltip: what it counts, and the first characters it counted with their ratios.
QString ContrastDetails(const std::vector<engine::LowContrast>& low)
{
    constexpr std::size_t kListed = 10;
    QString details = QStringLiteral("背景色とのｺﾝﾄﾗｽﾄ比が4.5:1に満たない文字の数です。");
    for (std::size_t i = 0; i < low.size() && i < kListed; ++i) {
        details += QStringLiteral("\n%1文字目「%2」 %3 %4:1")
                       .arg(low[i].number)
                       .arg(ToQString(low[i].character), ToQString(engine::HtmlColor(low[i].color)),
                            QString::fromStdString(engine::FormatRatio(low[i].ratio)));
    }
    if (low.size() > kListed) details += QStringLiteral("\n…ほか%1文字").arg(low.size() - kListed);
    return details;
}

// Code points, the unit a length limit counts in.
qsizetype CodePoints(const QString& text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())) ++count;
    }
    return count;
}

}  // namespace

void MainWindow::CreateStatusLine()
{
    // Below frmMain, so that nothing the window already holds moves or shrinks.
    frmStatus = new QWidget(centralWidget());
    frmStatus->setObjectName(QStringLiteral("frmStatus"));
    PlaceTwips(frmStatus, 45, 780 + 5865, 4845, kStatusHeight);
    lblStatus = Place(new QLabel(frmStatus), QStringLiteral("lblStatus"), 60, 15, 3000, 240);
    lblContrast = Place(new QLabel(frmStatus), QStringLiteral("lblContrast"), 3105, 15, 1680, 240);
    lblContrast->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    frmStatus->hide();
}

bool MainWindow::StatusLineInUse() const { return !State().Output.IsClassic(); }

int MainWindow::StatusLineTwips() const { return StatusLineInUse() ? kStatusHeight : 0; }

engine::OutputOptions MainWindow::OutputSettings() const
{
    const std::u16string first = ToU16(txtCfor->text());
    const std::u16string middle = ToU16(txtCmid->text());
    const std::u16string last = ToU16(txtClat->text());
    const std::u16string background = ToU16(txtBack->text());
    return settings::RunOptions(State().Output, State().TagOptions,
                                {first, middle, last, background});
}

void MainWindow::ShowRunReport(const engine::RunReport& report)
{
    const engine::TargetRow* target = State().Output.Target;
    if (report.fitNeeded && target != nullptr) {
        ui::ShowMessage(this, QStringLiteral("%1の上限%2文字には収まりません。\n"
                                             "少なくとも%3文字必要です。\n"
                                             "１色にまとめて入るのは、最初の%4文字までです。")
                                  .arg(FromUtf8(target->caption))
                                  .arg(State().Output.Fit.value_or(0))
                                  .arg(*report.fitNeeded)
                                  .arg(report.fitCharacters));
        return;
    }
    if (report.fitNeeded) {
        ui::ShowMessage(this, QStringLiteral("%1文字には収まりません。\n少なくとも%2文字必要です。")
                                  .arg(State().Output.Fit.value_or(0))
                                  .arg(*report.fitNeeded));
        return;
    }
    m_runReport = report;
    // A report that comes after the finished run's page still belongs to that run.
    if (m_runFinished) {
        m_reportedRun = report;
        UpdateStatusLine();
    }
}

void MainWindow::PrepareOutputPreview()
{
    // What the finished run gave, and the figures that go with it.
    m_runFinished = true;
    m_reportedResult = State().ResultTags;
    m_reportedCharacters = engine::CharacterText(ToU16(txtFor->text())).size();
    m_reportedRun = m_runReport;
    m_previewTags.clear();
    RememberPictureRun();

    const engine::OutputOptions options = OutputSettings();
    // A format a browser does not render is shown as its HTML5 span equivalent.
    const engine::FormatRow& row = engine::RowOf(options.format);
    if (row.preview != engine::Preview::AsSpans) return;
    const engine::FormattedResult preview = engine::GenerateFormatted(
        Options(), engine::PreviewOptions(options), ToU16(txtFor->text()), *this);
    if (preview.outcome != engine::RunOutcome::Completed) return;
    m_previewTags =
        QStringLiteral("<TITLE>%1（HTML5 spanで表示）</TITLE>").arg(FromUtf8(row.caption)) +
        ToQString(preview.tags);
}

QString MainWindow::PageTags(const QString& tags) const
{
    // Only the very text the last run gave has a span equivalent; an edited one is shown as is.
    if (!m_previewTags.isEmpty() && tags == m_reportedResult) return m_previewTags;
    return tags;
}

void MainWindow::UpdateStatusLine()
{
    const bool viewOpen = mnuView->isChecked();
    frmStatus->move(frmStatus->x(), frmMain->y() + Twips(5865));
    frmStatus->setVisible(viewOpen && StatusLineInUse());
    if (viewOpen) SetOuterHeight(OpenHeight());  // taller by the status line only when in use

    const QString& result = State().ResultTags;
    QString status = QStringLiteral("出力：%1文字").arg(CodePoints(result));
    // With a target: its name, and the length as it counts against the limit.
    if (const engine::TargetRow* target = State().Output.Target) {
        const qsizetype length =
            target->unit == engine::LengthUnit::Utf16Units ? result.size() : CodePoints(result);
        const std::optional<std::int32_t> limit = State().Output.Fit;
        status = limit ? QStringLiteral("%1：%2/%3文字")
                             .arg(FromUtf8(target->caption))
                             .arg(length)
                             .arg(*limit)
                       : QStringLiteral("%1：%2文字").arg(FromUtf8(target->caption)).arg(length);
    }
    QString contrast;
    QStringList notes;
    // The run's figures hold as long as its result is the one on hand.
    if (m_reportedRun && result == m_reportedResult && !result.isEmpty()) {
        if (State().Output.Fit && m_reportedRun->runs < m_reportedCharacters) {
            status += QStringLiteral("（%1色にまとめ）").arg(m_reportedRun->runs);
        }
        if (engine::IsSet(State().Output.Contrast)) {
            contrast = QStringLiteral("低ｺﾝﾄﾗｽﾄ：%1文字").arg(m_reportedRun->lowContrast.size());
        }
        for (engine::OmittedOption option : m_reportedRun->notes) notes << OptionName(option);
    }
    lblStatus->setText(status);
    lblStatus->setToolTip(notes.isEmpty() ? QString()
                                          : QStringLiteral("この形式では使えない設定：") +
                                                notes.join(QStringLiteral("、")));
    lblContrast->setText(contrast);
    lblContrast->setToolTip(contrast.isEmpty() ? QString()
                                               : ContrastDetails(m_reportedRun->lowContrast));
    const bool low = !contrast.isEmpty() && !m_reportedRun->lowContrast.empty();
    lblContrast->setStyleSheet(low ? QStringLiteral("color: #FF0000;") : QString());
    AnnounceStatusLine(frmStatus);
}

int MainWindow::OpenHeight() const
{
    const bool toolbarHidden = frmMain->y() == 0;
    return (toolbarHidden ? 6540 : ViewOpenHeight) + StatusLineTwips();
}

}  // namespace kelvara::ui
