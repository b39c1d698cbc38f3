// Colouring a whole C file: ColorizeWords (one edit block) against formatting
// each token through its own selection, and how the pass grows with the file.
#include "app/core/ide_context.h"
#include "editor/colorize_scan.h"
#include "editor/colorizer.h"
#include "platform/rich_text_pane.h"

#include <QApplication>
#include <QTabBar>
#include <benchmark/benchmark.h>

namespace {

using namespace tarvo;

// About 33 characters a line, every token class represented.
QString generatedCFile(int lines) {
    static const char* const kLines[] = {
        "#define MAX_ITEMS%1 (%1 + 1)\r\n",       "static int counter%1 = %1; /* next */\r\n",
        "UInt16 Func%1(char* name, int n) {\r\n", "    if (n > 10) return 0x1F; // done\r\n",
        "    name = \"text %1\"; n++; n--;\r\n",  "    /* a block comment that\r\n",
        "       spans two lines */ main();\r\n",  "} /* Func%1 */\r\n",
    };
    QString text;
    text.reserve(lines * 34);
    for (int i = 0; i < lines; ++i) {
        const QString line = QString::fromLatin1(kLines[i % 8]);
        text += line.contains(QLatin1String("%1")) ? line.arg(i) : line;
    }
    return text;
}

void configure(Settings& s) {
    s.Colorizew = QStringLiteral("TRUE");
    s.DataTypesKeywords = QStringLiteral("*int*char*void*long*short*unsigned*signed*float*double*"
                                         "UInt*Int*Boolean*Char*Err*");
    s.ReservedKeyWords = QStringLiteral("*if*else*while*for*do*return*switch*case*break*continue*"
                                        "static*extern*struct*typedef*const*#define*#include*"
                                        "#ifdef*#endif*sizeof*");
    s.ExtraKeyWords = QStringLiteral("*main*PilotMain*EvtGetEvent*FrmGotoForm*");
}

// A hidden pane, as the file tabs colour it, with the strip for the pointer.
struct Fixture {
    Fixture() {
        configure(ctx.settings);
        pane.hide();
        ctx.ui.resourceh = &pane;
        ctx.ui.TabStrip1 = &strip;
    }
    IdeContext ctx;
    RichTextPane pane;
    QTabBar strip;
};

void colorizeWords(benchmark::State& state) {
    const QString text = generatedCFile(int(state.range(0)));
    Fixture f;
    Colorizer colorizer(f.ctx);
    for (auto _ : state) {
        state.PauseTiming();
        f.pane.setText(text);
        state.ResumeTiming();
        colorizer.ColorizeWords(2);
    }
    state.counters["KB"] = double(text.size()) / 1024.0;
}

// The scan alone, without the pane.
void scanOnly(benchmark::State& state) {
    const QString text = generatedCFile(int(state.range(0)));
    Settings s;
    configure(s);
    const KeywordLists lists{KeywordList(s.DataTypesKeywords), KeywordList(s.ReservedKeyWords),
                             KeywordList(s.ExtraKeyWords)};
    for (auto _ : state)
        benchmark::DoNotOptimize(scanColorRuns(text, lists));
}

// The token-by-token way: one selection and separate format calls per token.
void perTokenSelection(benchmark::State& state) {
    const QString text = generatedCFile(int(state.range(0)));
    Fixture f;
    KeywordLists lists{KeywordList(f.ctx.settings.DataTypesKeywords),
                       KeywordList(f.ctx.settings.ReservedKeyWords),
                       KeywordList(f.ctx.settings.ExtraKeyWords)};
    for (auto _ : state) {
        state.PauseTiming();
        f.pane.setText(text);
        state.ResumeTiming();
        for (const FormatRun& r : scanColorRuns(f.pane.text(), lists)) {
            f.pane.select(r.start, r.length);
            if (r.bold)
                f.pane.setSelBold(*r.bold);
            if (r.color)
                f.pane.setSelColor(*r.color);
            if (!r.caseFix.isEmpty())
                f.pane.setSelText(r.caseFix);
        }
        f.pane.setSelStart(0);
    }
}

BENCHMARK(colorizeWords)
    ->Name("ColorizeWords/lines")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(scanOnly)
    ->Name("Scan/lines")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(perTokenSelection)
    ->Name("PerTokenSelection/lines")
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
