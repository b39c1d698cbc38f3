// One tick of the build console while a build's files are awaited: both loads
// fail and both panes get their " ." (the visible one is painted, as the event
// loop would). Measured after 0, 1,800 (3 minutes) and 18,000 ticks (30
// minutes); "vs_first" is the cost of a tick against that of the first ticks,
// which must stay within 2. The rewriting tick that the console used to do is
// measured beside it.
#include "app/core/ide_context.h"
#include "build/build_console.h"
#include "build/console_pane.h"

#include "bench_main.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <map>

namespace {

using namespace tarvo;

const QString kCompiling = QStringLiteral("Compiling.  Please wait.");

// The console as the window lays it out, polling an empty SDK folder.
struct Console {
    QTemporaryDir sdk;
    QTabWidget tabs;
    QTimer timer;
    IdeContext ctx;

    Console() {
        ctx.settings.SDKProjectPath = sdk.path() + QLatin1Char('/');
        ctx.ui.Console = &tabs;
        ctx.ui.Timer1 = &timer;
        tabs.setGeometry(0, 0, 359, 200);
        tabs.addTab(new QWidget, QStringLiteral("Errors"));
        tabs.addTab(new QWidget, QStringLiteral("Output"));
        for (ConsolePane** pane : {&ctx.ui.ConsoleText1, &ctx.ui.ConsoleText2}) {
            *pane = new ConsolePane(&tabs);
            (*pane)->setFont(QFont(QStringLiteral("Courier"), 10));
            (*pane)->setGeometry(7, 30, 345, 150);
            (*pane)->setText(kCompiling);
        }
        ctx.ui.ConsoleText2->hide();
        tabs.show();
        timer.start(100'000);
    }
};

std::map<std::string, double> firstTick; // seconds per tick after no ticks, per benchmark

void report(benchmark::State& state, const std::string& name, double seconds) {
    const double perTick = seconds / double(state.iterations());
    if (state.range(0) == 0)
        firstTick[name] = perTick;
    else if (firstTick.count(name))
        state.counters["vs_first"] = perTick / firstTick[name];
}

void tick(benchmark::State& state) {
    Console console;
    BuildConsole poll(console.ctx);
    for (int i = 0; i < state.range(0); ++i)
        poll.Timer1_Timer();
    QElapsedTimer clock;
    double seconds = 0;
    for (auto _ : state) {
        clock.start();
        poll.Timer1_Timer();
        console.ctx.ui.ConsoleText1->repaint();
        const double elapsed = double(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(elapsed);
        seconds += elapsed;
    }
    if (console.ctx.ui.ConsoleText1->textLength() !=
        kCompiling.size() + 2 * (state.range(0) + state.iterations()))
        state.SkipWithError("a dot went missing");
    report(state, "tick", seconds);
}

// What the console did before: the whole text set again with " ." added.
void rewritingTick(benchmark::State& state) {
    Console console;
    for (ConsolePane* pane : {console.ctx.ui.ConsoleText1, console.ctx.ui.ConsoleText2})
        pane->setText(kCompiling + QStringLiteral(" .").repeated(int(state.range(0))));
    QElapsedTimer clock;
    double seconds = 0;
    for (auto _ : state) {
        clock.start();
        for (ConsolePane* pane : {console.ctx.ui.ConsoleText1, console.ctx.ui.ConsoleText2})
            pane->setText(pane->text() + QStringLiteral(" ."));
        console.ctx.ui.ConsoleText1->repaint();
        const double elapsed = double(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(elapsed);
        seconds += elapsed;
    }
    report(state, "rewriting", seconds);
}

BENCHMARK(tick)->Arg(0)->Arg(1'800)->Arg(18'000)->Iterations(200)->UseManualTime()->Unit(
    benchmark::kMicrosecond);
BENCHMARK(rewritingTick)
    ->Arg(0)
    ->Arg(1'800)
    ->Arg(18'000)
    ->Iterations(50)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return tarvo::bench::runBenchmarks(argc, argv);
}
