// Start-up, from starting the program to its window shown, of the IDE against
// a bare Qt window with one text edit, each a process of its own, as a user
// starts them; and the resident size each then has. Run it on a display
// (QT_QPA_PLATFORM=xcb): offscreen, Qt's own start is cheaper, so the ratio is larger.
#include "bench_main.h"
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Figures {
    std::vector<double> ms, mb;
};
Figures g_figures[2]; // the IDE, the bare window

double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void startUp(benchmark::State& state) {
    const bool bare = state.range(0) != 0;
    QTemporaryDir workspace;
    QFile ini(workspace.filePath(QStringLiteral("IDE.ini")));
    if (!ini.open(QIODevice::WriteOnly) ||
        ini.write(QStringLiteral("IniPath,%1/\r\nSDKProjectPath,%1/sdk/\r\nLoadCode,TRUE\r\n"
                                 "Colorizew,TRUE\r\nObjectsPerPage,20\r\n")
                      .arg(workspace.path())
                      .toUtf8()) < 0) {
        state.SkipWithError("no workspace");
        return;
    }
    ini.close();
    for (auto _ : state) {
        QProcess probe;
        probe.setWorkingDirectory(workspace.path());
        QElapsedTimer t;
        t.start();
        probe.start(QStringLiteral(TARVO_STARTUP_PROBE),
                    {bare ? QStringLiteral("bare") : QStringLiteral("ide")});
        if (!probe.waitForFinished(30000) || probe.exitCode() != 0) {
            state.SkipWithError("the window did not come up cleanly");
            return;
        }
        const double seconds = double(t.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        g_figures[bare].ms.push_back(seconds * 1e3);
        g_figures[bare].mb.push_back(probe.readAllStandardOutput().trimmed().toDouble() / 1024);
    }
    state.counters["residentMB"] = median(g_figures[bare].mb);
}

BENCHMARK(startUp)
    ->Name("StartUp/bare")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(9)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return tarvo::bench::runBenchmarks(argc, argv, [](const tarvo::bench::Times&) {
        const double ide = median(g_figures[0].ms), bare = median(g_figures[1].ms);
        std::printf("\nstart-up ms, IDE vs bare Qt window   %8.1f / %8.1f = %5.2f  (on a display: "
                    "at most 1.5)\n",
                    ide, bare, bare > 0 ? ide / bare : 0.0);
        std::printf("resident MB, IDE vs bare Qt window   %8.1f / %8.1f\n", median(g_figures[0].mb),
                    median(g_figures[1].mb));
    });
}
