// SPDX-License-Identifier: MIT
// The main window with output choices from Lum.ini's section "Output": every format reaching the
// clipboard and the edit window, the preview of formats a browser cannot show, the status line
// under the open view, and nothing of it with the classic choices.
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <functional>

#include "kelvara/engine/generator.h"
#include "kelvara/engine/output_format.h"
#include "kelvara/ui/edit_window.h"
#include "kelvara/ui/settings_dialog.h"
#include "main_window_fixture.h"
#include "ui_test_main.h"

using namespace kelvara::ui;
using namespace kelvara::ui::test;
namespace engine = kelvara::engine;

namespace {

// Lum.ini with the standard entries (two colours red to blue on white) and these additions.
QString IniWith(const QList<IniEntry>& changes) { return StandardIni(changes); }

engine::OutputOptions Options(engine::OutputFormat format)
{
    engine::OutputOptions options;
    options.format = format;
    return options;
}

// What the engine, and so kelvara-gen, makes of the standard settings and this text.
QString Expected(const engine::OutputOptions& output, const QString& text,
                 const engine::TagOptions& options)
{
    const engine::FixedColors colors(u"FF0000", u"00FF00", u"0000FF");
    return ToQString(engine::GenerateFormatted(options, output, ToU16(text), colors).tags);
}

QString PageText(const MainWindowFixture& f)
{
    return ToQString(engine::DecodeShiftJis(f.Page().toStdString()));
}

void WatchCaptions(MainWindow* window, const std::function<void(const QString&)>& handler)
{
    QObject::connect(window, &MainWindow::captionChanged, window, handler);
}

}  // namespace

class MainWindowOutputTest : public QObject {
    Q_OBJECT
private slots:
    void classicChoicesChangeNothing();
    void statusLineShowsOnlyWithTheViewOpen();
    void everyFormatReachesClipboardAndEditWindow_data();
    void everyFormatReachesClipboardAndEditWindow();
    void windowAndKelvaraGenGiveTheSameBytes_data();
    void windowAndKelvaraGenGiveTheSameBytes();
    void extraStopsComeBeforeTheLastColour_data();
    void extraStopsComeBeforeTheLastColour();
    void pageShowsSpansForFormatsABrowserCannotShow_data();
    void pageShowsSpansForFormatsABrowserCannotShow();
    void editedResultIsShownAsItIs();
    void statusLineCountsLengthAndLowContrast();
    void statusLineSaysWhenTheTextWasGrouped();
    void statusLineNamesTheOptionsTheFormatLeavesOut();
    void limitTooSmallIsRefusedWithAMessage();
    void stoppedRunLeavesPageAndClipboardAlone_data();
    void stoppedRunLeavesPageAndClipboardAlone();
    void settingsDialogShowsTheStatusLineAtOnce();
    void statusLineNamesTheTargetAndCountsItsWay_data();
    void statusLineNamesTheTargetAndCountsItsWay();
    void textsAFormatOrTargetCannotTakeGetAMessage_data();
    void textsAFormatOrTargetCannotTakeGetAMessage();
};

void MainWindowOutputTest::classicChoicesChangeNothing()
{
    MainWindowFixture f;
    f.Field("txtFor")->setText(QStringLiteral("abc"));
    f.Button("cmdView")->click();
    QCOMPARE(OuterHeight(f.window), Twips(7320));
    f.Button("cmdGo")->click();
    QVERIFY(f.Find("frmStatus")->isHidden());
    QCOMPARE(f.Page(), ShiftJis(QStringLiteral("<BODY BGCOLOR=\"#FFFFFF\" > ") +
                                Expected({}, "abc", f.state.TagOptions) + "\r\n"));
    f.window->close();
    QVERIFY(!f.ReadFile("Lum.ini").contains("[Output]"));
}

void MainWindowOutputTest::statusLineShowsOnlyWithTheViewOpen()
{
    MainWindowFixture f(IniWith({{"Output", "Format", "span"}}));
    const QRect frame = f.Find("Frame1")->geometry();
    const QRect back = f.Find("txtBack")->geometry();
    QCOMPARE(OuterHeight(f.window), Twips(2160));
    QVERIFY(f.Find("frmStatus")->isHidden());

    f.Button("cmdView")->click();
    QVERIFY(f.Find("frmStatus")->isVisible());
    // Below everything frmMain holds; nothing there moves.
    QCOMPARE(f.Find("frmStatus")->y(), f.Find("frmMain")->geometry().bottom() + 1);
    QCOMPARE(f.Find("Frame1")->geometry(), frame);
    QCOMPARE(f.Find("txtBack")->geometry(), back);
    QCOMPARE(OuterHeight(f.window), Twips(7320 + 270));
    QVERIFY(f.window->geometry().height() >=
            f.Find("frmStatus")->geometry().bottom() + f.window->centralWidget()->y());

    f.Button("cmdView")->click();
    QCOMPARE(OuterHeight(f.window), Twips(2160));
    QVERIFY(f.Find("frmStatus")->isHidden());

    // The toolbar hidden: the view opens 270 twips taller than 6540, closes as before.
    f.Button("cmdTool")->click();
    f.Button("cmdView")->click();
    QCOMPARE(OuterHeight(f.window), Twips(6540 + 270));
    QCOMPARE(f.Find("frmStatus")->y(), f.Find("frmMain")->geometry().bottom() + 1);
    f.Button("cmdView")->click();
    QCOMPARE(OuterHeight(f.window), Twips(1380));
}

void MainWindowOutputTest::everyFormatReachesClipboardAndEditWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format");
    QTest::newRow("font") << "font" << static_cast<int>(engine::OutputFormat::Font);
    QTest::newRow("span") << "span" << static_cast<int>(engine::OutputFormat::Span);
    QTest::newRow("css") << "css" << static_cast<int>(engine::OutputFormat::Css);
    QTest::newRow("bbcode") << "bbcode" << static_cast<int>(engine::OutputFormat::BbCode);
    QTest::newRow("wiki") << "wiki" << static_cast<int>(engine::OutputFormat::Wiki);
    QTest::newRow("json") << "json" << static_cast<int>(engine::OutputFormat::Json);
    QTest::newRow("mfm") << "mfm" << static_cast<int>(engine::OutputFormat::Mfm);
    QTest::newRow("minimessage") << "minimessage"
                                 << static_cast<int>(engine::OutputFormat::MiniMessage);
}

void MainWindowOutputTest::everyFormatReachesClipboardAndEditWindow()
{
    QFETCH(QString, name);
    QFETCH(int, format);
    MainWindowFixture f(IniWith({{"Set", "h_textflag", "1"},
                                 {"Set", "h_instantflag", "1"},
                                 {"Font", "h_BoldFlag", "1"},
                                 {"Output", "Format", name},
                                 {"Output", "Space", "oklab"}}));
    f.Field("txtFor")->setText(QStringLiteral("虹色abc"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    f.Button("cmdGo")->click();
    engine::OutputOptions output = Options(static_cast<engine::OutputFormat>(format));
    output.space = engine::ColorSpace::OkLab;
    const QString expected = Expected(output, QStringLiteral("虹色abc"), f.state.TagOptions);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(f.state.ResultTags, expected);
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    auto* edit =
        f.forms->Find<EditWindow>()->findChild<QPlainTextEdit*>(QStringLiteral("txtKekka"));
    QCOMPARE(edit->toPlainText(), expected);

    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    f.Button("cmdSend")->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
}

void MainWindowOutputTest::windowAndKelvaraGenGiveTheSameBytes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("space");
    QTest::addColumn<QString>("fit");  // empty: no limit
    QTest::addColumn<QString>("text");
    const QString text = QStringLiteral("虹色の<a&b>\"x\"[y]{z};グラデーション");
    for (const engine::FormatRow& row : engine::kFormats) {
        if (!engine::InWindow(row)) continue;
        // "&b" is a formatting code to Minecraft chat plug-ins, which amp-hex refuses.
        const bool amp = row.format == engine::OutputFormat::AmpHex;
        QTest::addRow("%s", row.name.data())
            << QString::fromLatin1(row.name.data(), static_cast<qsizetype>(row.name.size()))
            << "oklch"
            << "" << (amp ? QString(text).replace("&b", "& b") : text);
    }
    QTest::newRow("span, rgb, fitted") << "span"
                                       << "rgb"
                                       << "600" << text;
    QTest::newRow("wiki, oklab, fitted") << "wiki"
                                         << "oklab"
                                         << "150" << text;
    QTest::newRow("mfm, oklab, fitted") << "mfm"
                                        << "oklab"
                                        << "200" << text;
}

// The same Lum.ini and text through the window and through kelvara-gen's options.
void MainWindowOutputTest::windowAndKelvaraGenGiveTheSameBytes()
{
    QFETCH(QString, name);
    QFETCH(QString, space);
    QFETCH(QString, fit);
    QFETCH(QString, text);
    QList<IniEntry> entries{{"Set", "h_instantflag", "1"}, {"Set", "n", "3"},
                            {"Set", "h_fontflag", "3"},    {"FontSize", "Max", "30"},
                            {"FontSize", "Min", "10"},     {"Font", "h_BoldFlag", "1"},
                            {"Font", "Under", "1"},        {"Output", "Format", name},
                            {"Output", "Space", space},    {"Output", "Stops", "FF8000"}};
    if (!fit.isEmpty()) entries.append({"Output", "Fit", fit});
    MainWindowFixture f(IniWith(entries));
    f.Field("txtFor")->setText(text);
    f.Button("cmdGo")->click();
    const QString fromWindow = QGuiApplication::clipboard()->text();

    const QString settings =
        QStringLiteral("--settings=") + f.dir.filePath(QStringLiteral("Lum.ini"));
    QStringList args{settings, QStringLiteral("--format=") + name,
                     QStringLiteral("--space=") + space,
                     QStringLiteral("--stops=FF0000,00FF00,FF8000,0000FF")};
    if (!fit.isEmpty()) args << QStringLiteral("--fit=") + fit;
    // With its options, and with the settings file alone: section Output is read as the
    // window reads it.
    for (const QStringList& given : {args, QStringList{settings}}) {
        QProcess gen;
        gen.start(QStringLiteral(KELVARA_GEN), given + QStringList{QStringLiteral("--"), text});
        QVERIFY(gen.waitForFinished());
        QCOMPARE(gen.exitCode(), 0);
        QByteArray out = gen.readAllStandardOutput();
        QVERIFY(out.endsWith('\n'));
        out.chop(1);
        QCOMPARE(fromWindow, QString::fromUtf8(out));
    }
}

void MainWindowOutputTest::extraStopsComeBeforeTheLastColour_data()
{
    QTest::addColumn<QString>("colours");
    QTest::addColumn<QString>("stops");  // the whole list as kelvara-gen takes it
    QTest::newRow("two colours") << "2"
                                 << "FF0000,FF8000,FFFF00,0000FF";
    QTest::newRow("three colours") << "3"
                                   << "FF0000,00FF00,FF8000,FFFF00,0000FF";
}

void MainWindowOutputTest::extraStopsComeBeforeTheLastColour()
{
    QFETCH(QString, colours);
    QFETCH(QString, stops);
    MainWindowFixture f(IniWith({{"Set", "n", colours},
                                 {"Set", "h_instantflag", "1"},
                                 {"Output", "Format", "span"},
                                 {"Output", "Stops", "ff8000,FFFF00"}}));
    f.Field("txtFor")->setText(QStringLiteral("abcdefghij"));
    f.Button("cmdGo")->click();

    engine::OutputOptions output = Options(engine::OutputFormat::Span);
    output.stops = *engine::ParseStopList(stops.toStdString());
    QCOMPARE(QGuiApplication::clipboard()->text(),
             Expected(output, QStringLiteral("abcdefghij"), f.state.TagOptions));
}

void MainWindowOutputTest::pageShowsSpansForFormatsABrowserCannotShow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");  // empty: the page holds the result itself
    QTest::newRow("span") << "span" << QString();
    QTest::newRow("css") << "css" << QString();
    QTest::newRow("bbcode") << "bbcode"
                            << "BBCode";
    QTest::newRow("wiki") << "wiki"
                          << "Wiki";
    QTest::newRow("json") << "json"
                          << "JSON";
    QTest::newRow("mfm") << "mfm"
                         << "Misskey MFM";
    QTest::newRow("minimessage") << "minimessage"
                                 << "MiniMessage";
    QTest::newRow("latex") << "latex"
                           << "LaTeX (GitHub・Zenn)";
    QTest::newRow("discord") << "discord"
                             << "Discord";
    QTest::newRow("wikidot") << "wikidot"
                             << "Wikidot";
    QTest::newRow("amp-hex") << "amp-hex"
                             << "Minecraft &#RRGGBB";
}

void MainWindowOutputTest::pageShowsSpansForFormatsABrowserCannotShow()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    MainWindowFixture f(IniWith({{"Output", "Format", name}, {"Output", "Space", "oklch"}}));
    f.Field("txtFor")->setText(QStringLiteral("abcd"));
    f.Button("cmdGo")->click();

    QString shown = f.state.ResultTags;
    if (!title.isEmpty()) {
        engine::OutputOptions span = Options(engine::OutputFormat::Span);
        span.space = engine::ColorSpace::OkLch;
        span.colorsOf = engine::ParseOutputFormat(name.toStdString());
        shown = QStringLiteral("<TITLE>%1（HTML5 spanで表示）</TITLE>").arg(title) +
                Expected(span, QStringLiteral("abcd"), f.state.TagOptions);
        QVERIFY(shown != f.state.ResultTags);
    }
    // Discord draws eight colours: its preview shows those and no others.
    if (name == QStringLiteral("discord")) {
        const QRegularExpression color(QStringLiteral("color:(#[0-9A-F]{6})"));
        int count = 0;
        for (const QRegularExpressionMatch& match : color.globalMatch(shown)) {
            ++count;
            QVERIFY(std::any_of(engine::kDiscordColors.begin(), engine::kDiscordColors.end(),
                                [&](const engine::Rgb& c) {
                                    return ToQString(engine::HtmlColor(c)) == match.captured(1);
                                }));
        }
        QCOMPARE(count, 4);
    }
    const QString page = QStringLiteral("<BODY BGCOLOR=\"#FFFFFF\" > ") + shown + "\r\n";
    QCOMPARE(PageText(f), page);

    // Every other writer of the page shows the same while the result is the run's.
    f.TypeAndLeave(QStringLiteral("txtBack"), QStringLiteral("FFFFF0"));
    QCOMPARE(PageText(f), QString(page).replace("FFFFFF", "FFFFF0"));
}

void MainWindowOutputTest::editedResultIsShownAsItIs()
{
    MainWindowFixture f(IniWith({{"Set", "h_textflag", "1"}, {"Output", "Format", "bbcode"}}));
    f.Field("txtFor")->setText(QStringLiteral("abc"));
    f.Button("cmdGo")->click();
    EditWindow* edit = f.forms->Find<EditWindow>();
    edit->findChild<QPlainTextEdit*>(QStringLiteral("txtKekka"))
        ->setPlainText(QStringLiteral("[b]edited[/b]"));
    edit->findChild<QAbstractButton*>(QStringLiteral("cmdSend"))->click();
    QCOMPARE(PageText(f), QStringLiteral("<BODY BGCOLOR=\"#FFFFFF\" > [b]edited[/b]\r\n"));
}

void MainWindowOutputTest::statusLineCountsLengthAndLowContrast()
{
    // Yellow to white on white: every character but none contrasts enough.
    MainWindowFixture f(IniWith({{"Color", "For", "FFFF00"},
                                 {"Color", "Last", "000000"},
                                 {"Output", "Format", "span"},
                                 {"Output", "Contrast", "1"}}));
    f.Button("cmdView")->click();
    f.Field("txtFor")->setText(QStringLiteral("abcdef"));
    f.Button("cmdGo")->click();

    auto* status = f.Find<QLabel>("lblStatus");
    auto* contrast = f.Find<QLabel>("lblContrast");
    engine::OutputOptions output = Options(engine::OutputFormat::Span);
    output.contrastBackground = engine::Rgb{255, 255, 255};
    const engine::FixedColors colors(u"FFFF00", u"00FF00", u"000000");
    const engine::FormattedResult expected =
        engine::GenerateFormatted(f.state.TagOptions, output, u"abcdef", colors);
    QVERIFY(!expected.report.lowContrast.empty());
    QVERIFY(expected.report.lowContrast.size() < 6);
    QCOMPARE(status->text(), QStringLiteral("出力：%1文字").arg(expected.tags.size()));
    QCOMPARE(contrast->text(),
             QStringLiteral("低ｺﾝﾄﾗｽﾄ：%1文字").arg(expected.report.lowContrast.size()));
    QCOMPARE(contrast->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    // Its tooltip names the first one with its colour and ratio.
    const engine::LowContrast& first = expected.report.lowContrast.front();
    QVERIFY2(contrast->toolTip().contains(
                 QStringLiteral("%1文字目「%2」 %3 %4:1")
                     .arg(first.number)
                     .arg(ToQString(first.character), ToQString(engine::HtmlColor(first.color)),
                          QString::fromStdString(engine::FormatRatio(first.ratio)))),
             qPrintable(contrast->toolTip()));

    // Dark to black on white: none too light, and the count is not red.
    f.Field("txtCfor")->setText(QStringLiteral("000080"));
    f.Button("cmdGo")->click();
    QCOMPARE(contrast->text(), QStringLiteral("低ｺﾝﾄﾗｽﾄ：0文字"));
    QVERIFY(contrast->palette().color(QPalette::WindowText) != QColor(255, 0, 0));

    // Cleared: the length goes to 0 and the run's figures go with its result.
    f.Button("cmdClear")->click();
    QCOMPARE(status->text(), QStringLiteral("出力：0文字"));
    QCOMPARE(contrast->text(), QString());
}

void MainWindowOutputTest::statusLineSaysWhenTheTextWasGrouped()
{
    const QString text = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    engine::OutputOptions output = Options(engine::OutputFormat::Span);
    const engine::FixedColors colors(u"FF0000", u"00FF00", u"0000FF");
    MainWindowFixture f(IniWith({{"Output", "Format", "span"}}));
    const std::size_t whole =
        engine::GenerateFormatted(f.state.TagOptions, output, ToU16(text), colors).tags.size();
    output.fit = whole * 2 / 3;  // too short for a span per character
    const engine::FormattedResult fitted =
        engine::GenerateFormatted(f.state.TagOptions, output, ToU16(text), colors);
    QVERIFY(fitted.outcome == engine::RunOutcome::Completed);
    QVERIFY(fitted.report.runs < 26);

    MainWindowFixture limited(
        IniWith({{"Output", "Format", "span"}, {"Output", "Fit", QString::number(*output.fit)}}));
    limited.Button("cmdView")->click();
    limited.Field("txtFor")->setText(text);
    limited.Button("cmdGo")->click();
    QCOMPARE(limited.state.ResultTags, ToQString(fitted.tags));
    QCOMPARE(limited.Find<QLabel>("lblStatus")->text(),
             QStringLiteral("出力：%1文字（%2色にまとめ）")
                 .arg(fitted.tags.size())
                 .arg(fitted.report.runs));

    // A limit the text meets without grouping says nothing of it.
    MainWindowFixture roomy(
        IniWith({{"Output", "Format", "span"}, {"Output", "Fit", QString::number(whole)}}));
    roomy.Field("txtFor")->setText(text);
    roomy.Button("cmdGo")->click();
    QCOMPARE(roomy.Find<QLabel>("lblStatus")->text(), QStringLiteral("出力：%1文字").arg(whole));
}

void MainWindowOutputTest::statusLineNamesTheOptionsTheFormatLeavesOut()
{
    MainWindowFixture f(IniWith({{"Else", "Blink", "1"}, {"Output", "Format", "wiki"}}));
    const auto omitted = engine::OmittedOptions(f.state.TagOptions, engine::OutputFormat::Wiki);
    QVERIFY(std::find(omitted.begin(), omitted.end(), engine::OmittedOption::Blink) !=
            omitted.end());
    f.Button("cmdView")->click();
    f.Field("txtFor")->setText(QStringLiteral("abc"));
    f.Button("cmdGo")->click();
    const QString tip = f.Find<QLabel>("lblStatus")->toolTip();
    QVERIFY2(tip.startsWith(QStringLiteral("この形式では使えない設定：")), qPrintable(tip));
    QVERIFY2(tip.contains(QStringLiteral("点滅")), qPrintable(tip));

    // The notes go with the run's result: cleared, there are none.
    f.Button("cmdClear")->click();
    QCOMPARE(f.Find<QLabel>("lblStatus")->toolTip(), QString());
}

void MainWindowOutputTest::limitTooSmallIsRefusedWithAMessage()
{
    MessageCapture capture;
    MainWindowFixture f(IniWith({{"Output", "Format", "span"}, {"Output", "Fit", "20"}}));
    f.Button("cmdClear")->click();
    const QByteArray page = f.Page();
    f.Field("txtFor")->setText(QStringLiteral("abcdef"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    f.Button("cmdGo")->click();

    engine::OutputOptions output = Options(engine::OutputFormat::Span);
    output.fit = 20;
    const engine::FixedColors colors(u"FF0000", u"00FF00", u"0000FF");
    const auto refused = engine::GenerateFormatted(f.state.TagOptions, output, u"abcdef", colors);
    QVERIFY(refused.outcome == engine::RunOutcome::Refused);
    QVERIFY(refused.report.fitNeeded.has_value());
    QCOMPARE(capture.messages, QStringList{QStringLiteral("20文字には収まりません。\n"
                                                          "少なくとも%1文字必要です。")
                                               .arg(*refused.report.fitNeeded)});
    QCOMPARE(f.Page(), page);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    QVERIFY(f.Button("cmdGo")->isEnabled());
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Kelvara"));
}

void MainWindowOutputTest::stoppedRunLeavesPageAndClipboardAlone_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name :
         {"font", "span", "css", "bbcode", "wiki", "json", "mfm", "minimessage"}) {
        QTest::newRow(name) << QString::fromLatin1(name);
    }
}

void MainWindowOutputTest::stoppedRunLeavesPageAndClipboardAlone()
{
    QFETCH(QString, name);
    MainWindowFixture f(IniWith(
        {{"Set", "h_instantflag", "1"}, {"Output", "Format", name}, {"Output", "Contrast", "1"}}));
    f.Button("cmdView")->click();
    f.Button("cmdClear")->click();
    const QByteArray page = f.Page();
    const QString status = f.Find<QLabel>("lblStatus")->text();
    f.Field("txtFor")->setText(QStringLiteral("abcde"));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QStringList captions;
    WatchCaptions(f.window, [&](const QString& caption) {
        captions << caption;
        if (caption == QStringLiteral("Kelvara･･･処理中 - 2/5文字")) f.Button("cmdStop")->click();
    });
    f.Button("cmdGo")->click();

    QCOMPARE(captions, (QStringList{QStringLiteral("Kelvara･･･処理中 - 3/5文字"),
                                    QStringLiteral("Kelvara･･･処理中 - 2/5文字"),
                                    QStringLiteral("Kelvara")}));
    QCOMPARE(f.Find<QLabel>("lblStatus")->text(), status);
    QCOMPARE(f.Find<QLabel>("lblContrast")->text(), QString());
    QCOMPARE(f.Page(), page);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    QVERIFY(!f.Button("cmdStop")->isEnabled());
}

void MainWindowOutputTest::settingsDialogShowsTheStatusLineAtOnce()
{
    MainWindowFixture f;
    f.Button("cmdView")->click();
    QVERIFY(f.Find("frmStatus")->isHidden());
    const auto setContrast = [&f](bool on) {
        SettingsDialog* dialog = f.forms->Show<SettingsDialog>();
        auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("chkContrast"));
        if (box->isChecked() != on) box->click();
        dialog->findChild<QAbstractButton*>(QStringLiteral("cmdOK"))->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    setContrast(true);
    QVERIFY(f.Find("frmStatus")->isVisible());
    QCOMPARE(OuterHeight(f.window), Twips(7320 + 270));
    QCOMPARE(f.Find<QLabel>("lblContrast")->text(), QString());  // no run yet
    setContrast(false);
    QVERIFY(f.Find("frmStatus")->isHidden());
    QCOMPARE(OuterHeight(f.window), Twips(7320));
}

void MainWindowOutputTest::statusLineNamesTheTargetAndCountsItsWay_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("limit");  // 0: none
    QTest::addColumn<bool>("utf16");
    QTest::newRow("minecraft") << "minecraft"
                               << "Minecraft (MiniMessage)" << 256 << true;
    QTest::newRow("minecraft-plugin") << "minecraft-plugin"
                                      << "Minecraft (&#RRGGBB)" << 256 << true;
    QTest::newRow("misskey-note") << "misskey-note"
                                  << "Misskey ノート" << 3000 << false;
    QTest::newRow("github") << "github"
                            << "GitHub" << 0 << false;
}

// A settings file naming only the place: its format and limit apply, the status line names it
// and counts as the place counts (UTF-16 units for Minecraft: an emoji counts 2).
void MainWindowOutputTest::statusLineNamesTheTargetAndCountsItsWay()
{
    QFETCH(QString, target);
    QFETCH(QString, caption);
    QFETCH(int, limit);
    QFETCH(bool, utf16);
    MainWindowFixture f(IniWith({{"Output", "Target", target}}));
    f.Button("cmdView")->click();
    QString text;
    for (int i = 0; i < 40; ++i) text += QStringLiteral("😀虹色");
    f.Field("txtFor")->setText(text);
    f.Button("cmdGo")->click();

    const QString& result = f.state.ResultTags;
    QVERIFY(!result.isEmpty());
    const qsizetype length = utf16 ? result.size() : result.toUcs4().size();
    if (limit != 0) QVERIFY(length <= limit);
    if (utf16) QVERIFY(result.toUcs4().size() < limit - 20);  // code points would allow more
    auto* status = f.Find<QLabel>("lblStatus");
    const QString expected =
        limit != 0 ? QStringLiteral("%1：%2/%3文字").arg(caption).arg(length).arg(limit)
                   : QStringLiteral("%1：%2文字").arg(caption).arg(length);
    QVERIFY2(status->text().startsWith(expected), qPrintable(status->text()));
}

void MainWindowOutputTest::textsAFormatOrTargetCannotTakeGetAMessage_data()
{
    QTest::addColumn<QString>("key");  // "Format" or "Target"
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("amp-hex") << "Format"
                             << "amp-hex"
                             << "虹&b色"
                             << "ﾃｷｽﾄの2文字目の「&b」はMinecraft &#RRGGBB形式では使えません"
                                "（ﾁｬｯﾄのﾌﾟﾗｸﾞｲﾝが書式ｺｰﾄﾞとして読みます）。";
    QTest::newRow("discord") << "Format"
                             << "discord"
                             << "a```b"
                             << "ﾃｷｽﾄの2文字目からの「```」はDiscord形式では使えません"
                                "（ｺｰﾄﾞﾌﾞﾛｯｸがそこで終わります）。";
    // $[fg.color=RRGGBB ...] leaves 31 of a Misskey name's 50 characters for the text.
    QTest::newRow("misskey-name") << "Target"
                                  << "misskey-name" << QString(40, QChar(0x3042))
                                  << "Misskey 名前の上限50文字には収まりません。\n"
                                     "少なくとも59文字必要です。\n"
                                     "１色にまとめて入るのは、最初の31文字までです。";
}

void MainWindowOutputTest::textsAFormatOrTargetCannotTakeGetAMessage()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, text);
    QFETCH(QString, message);
    MessageCapture capture;
    MainWindowFixture f(IniWith({{"Output", key, value}}));
    f.Field("txtFor")->setText(text);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    f.Button("cmdGo")->click();
    QCOMPARE(capture.messages, QStringList{message});
    QVERIFY(f.state.ResultTags.isEmpty());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    QVERIFY(f.Button("cmdGo")->isEnabled());
}

KELVARA_UI_TEST_MAIN(MainWindowOutputTest)
#include "main_window_output_test.moc"
