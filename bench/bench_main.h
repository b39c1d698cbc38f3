#pragma once
// What every benchmark program does around its runs: an offscreen Qt
// application unless a platform is set, and a console table whose times stay
// at hand for the figures printed after it.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tarvo::bench {

using Times = std::map<std::string, double>;

// The console table, keeping each run's adjusted real time by name.
class TimesReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    Times times;
};

// Runs the registered benchmarks; `after` prints figures from their times
// while the application still exists.
inline int runBenchmarks(int argc, char** argv,
                         const std::function<void(const Times&)>& after = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (after)
        after(reporter.times);
    return 0;
}

} // namespace tarvo::bench
