// SPDX-License-Identifier: MIT
// Speed of the main window: a run of 32,767 characters through the window (progress caption
// and pending events after every character), also in other output formats, and start-up to a
// shown main window.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>

#include "kelvara/engine/formats.h"
#include "kelvara/ui/app_state.h"
#include "kelvara/ui/forms.h"
#include "kelvara/ui/main_window.h"
#include "kelvara/ui/platform.h"

namespace {

using namespace kelvara::ui;
namespace engine = kelvara::engine;

// A program folder with two colours, every wrapper on and vertical writing.
class ProgramFolder {
public:
    ProgramFolder()
    {
        QFile ini(m_dir.filePath(QStringLiteral("Lum.ini")));
        if (ini.open(QIODevice::WriteOnly)) {
            ini.write(
                "[Set]\r\nn=2\r\nh_styleflag=1\r\nh_Centerflag=1\r\n"
                "[Font]\r\nh_BoldFlag=1\r\nh_ItalicFlag=1\r\nh_UnderFlag=1\r\nh_NFontSize=3\r\n"
                "h_FontFace=Arial\r\n"
                "[Color]\r\nFor=FF0000\r\nLast=0000FF\r\nMid=00FF00\r\nBack=FFFFFF\r\n");
        }
    }
    QString Path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

void BM_RunThroughWindow(benchmark::State& bench)
{
    ProgramFolder folder;
    AppState state;
    state.ProgramFolder = folder.Path();
    Forms forms(state);
    MainWindow* window = forms.Show<MainWindow>();
    if (!QTest::qWaitForWindowExposed(window)) bench.SkipWithError("window not shown");
    const auto characters = static_cast<int>(bench.range(0));
    window->findChild<QLineEdit*>(QStringLiteral("txtFor"))->setText(QString(characters, u'あ'));
    auto* go = window->findChild<QAbstractButton*>(QStringLiteral("cmdGo"));
    go->click();  // first run creates the view; not part of the measurement

    for (auto _ : bench) {
        go->click();
    }
    bench.SetItemsProcessed(bench.iterations() * characters);
    bench.counters["chars"] = characters;
}
BENCHMARK(BM_RunThroughWindow)->Arg(100)->Arg(32767)->Unit(benchmark::kMillisecond);

// The same run of 32,767 characters in another output format and the last colour space: a format
// previewed as spans also makes the HTML5 span page that stands for it.
void BM_RunThroughWindowInFormat(benchmark::State& bench, engine::OutputFormat format)
{
    ProgramFolder folder;
    AppState state;
    state.ProgramFolder = folder.Path();
    Forms forms(state);
    MainWindow* window = forms.Show<MainWindow>();
    if (!QTest::qWaitForWindowExposed(window)) bench.SkipWithError("window not shown");
    state.Output.Format = format;
    state.Output.Space = engine::kColorSpaces.back().space;
    constexpr int kCharacters = 32767;
    window->findChild<QLineEdit*>(QStringLiteral("txtFor"))->setText(QString(kCharacters, u'あ'));
    auto* go = window->findChild<QAbstractButton*>(QStringLiteral("cmdGo"));
    go->click();

    for (auto _ : bench) {
        go->click();
    }
    bench.SetItemsProcessed(bench.iterations() * kCharacters);
}
// The first format of each kind of preview after the classic one.
const bool kFormatBenchmarks = [] {
    for (const engine::Preview preview : {engine::Preview::Direct, engine::Preview::AsSpans}) {
        for (const engine::FormatRow& row : engine::kFormats) {
            if (row.format == engine::kFormats.front().format || !engine::InWindow(row) ||
                row.preview != preview) {
                continue;
            }
            const std::string name = "BM_RunThroughWindowInFormat/" + std::string(row.name);
            benchmark::RegisterBenchmark(name.c_str(), BM_RunThroughWindowInFormat, row.format)
                ->Unit(benchmark::kMillisecond);
            break;
        }
    }
    return true;
}();

void BM_StartUpToShownWindow(benchmark::State& bench)
{
    ProgramFolder folder;
    for (auto _ : bench) {
        AppState state;
        state.ProgramFolder = folder.Path();
        auto forms = std::make_unique<Forms>(state);
        MainWindow* window = forms->Show<MainWindow>();
        if (!QTest::qWaitForWindowExposed(window)) bench.SkipWithError("window not shown");
        bench.PauseTiming();
        forms.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    QApplication::setFont(ApplicationFont());
    std::fprintf(stderr, "QApplication created in %lld ms\n",
                 static_cast<long long>(clock.elapsed()));

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
