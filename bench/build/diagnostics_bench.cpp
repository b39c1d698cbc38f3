// Parsing compiler output: gcc-style messages, each with its two lines of
// source echo and caret, as a failed build leaves them in Err.txt. The goal
// is 10,000 messages in under 20 ms; the larger sizes show the growth.
#include "build/diagnostics.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tarvo;

QString consoleText(int diagnostics) {
    static const char* const kSeverities[] = {"error", "warning", "note", "fatal error"};
    QString text;
    text.reserve(diagnostics * 150);
    for (int i = 0; i < diagnostics; ++i) {
        if (i % 10 == 0)
            text += QStringLiteral("src/module%1.c: In function \u2018f%1\u2019:\n").arg(i);
        text += QStringLiteral("src/module%1.c:%2:%3: %4: \u2018name%1\u2019 undeclared (first "
                               "use in this function)\n")
                    .arg(i / 10)
                    .arg(i % 5000 + 1)
                    .arg(i % 80 + 1)
                    .arg(QLatin1String(kSeverities[i % 4]));
        text +=
            QStringLiteral("   %1 |     value = name%2 + other(1, 2);\n").arg(i % 5000 + 1).arg(i);
        text += QStringLiteral("      |             ^~~~~~~~~\n");
    }
    return text;
}

void parseConsole(benchmark::State& state) {
    const QString text = consoleText(int(state.range(0)));
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<Diagnostic> diagnostics = parseDiagnostics(text);
        found = diagnostics.size();
        benchmark::DoNotOptimize(diagnostics.data());
    }
    if (found != state.range(0))
        state.SkipWithError("wrong number of diagnostics found");
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * text.size() * qsizetype(sizeof(QChar)));
}
BENCHMARK(parseConsole)
    ->Arg(10'000)
    ->Arg(20'000)
    ->Arg(50'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
