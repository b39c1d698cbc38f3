// Colouring a C file: the full pass of ColorizeWords against formatting each
// token through its own selection, how it grows with the file, and the
// colouring that follows each edit.
#include "app/core/ide_context.h"
#include "editor/colorize_scan.h"
#include "editor/colorizer.h"
#include "editor/live_colorizer.h"
#include "platform/rich_text_pane.h"

#include "bench_main.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QTabBar>
#include <QTextBlock>
#include <QTextCursor>
#include <cstdio>
#include <ctime>
#include <map>

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

// Choosing the tab again without any change since the last pass.
void chooseUnchangedTab(benchmark::State& state) {
    Fixture f;
    f.pane.setText(generatedCFile(int(state.range(0))));
    Colorizer colorizer(f.ctx);
    colorizer.ColorizeWords(2);
    for (auto _ : state)
        colorizer.ColorizeWords(2);
}

// A coloured pane of `lines` lines and a place in its middle line where one
// character is typed, then taken out again, in turn.
struct TypingPane : Fixture {
    explicit TypingPane(int lines) {
        pane.setText(generatedCFile(lines));
        Colorizer(ctx).ColorizeWords(2);
        live = LiveColorizer::of(pane);
        at = pane.document()->findBlockByNumber(lines / 2 + 1).position() + 8;
    }
    void typeOrTakeOut() {
        QTextCursor c(pane.document());
        c.setPosition(at);
        if (typed)
            c.deleteChar();
        else
            c.insertText(QStringLiteral("x"));
        typed = !typed;
    }
    LiveColorizer* live = nullptr;
    int at = 0;
    bool typed = false;
};

// Timed is the colouring that follows the keystroke, not the edit itself.
void colourEditedLine(benchmark::State& state) {
    TypingPane f(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        f.typeOrTakeOut();
        state.ResumeTiming();
        f.live->finish();
    }
}

// The same keystroke timed whole: the pane's own bookkeeping and the colouring.
void typeAndColour(benchmark::State& state) {
    TypingPane f(int(state.range(0)));
    for (auto _ : state) {
        f.typeOrTakeOut();
        f.live->finish();
    }
}

// A double quote typed at the top of a shown pane turns every literal of the
// file inside out: the lines on view are coloured in the keystroke, the rest
// in timer slices. Reports the keystroke, the longest stretch the event loop
// was held by one round of events, and the total.
void quoteAtTop(benchmark::State& state) {
    Fixture f;
    f.pane.setText(generatedCFile(int(state.range(0))));
    Colorizer colorizer(f.ctx);
    colorizer.ColorizeWords(2);
    f.pane.resize(600, 400);
    f.pane.show();
    LiveColorizer* live = LiveColorizer::of(f.pane);
    // Wall time and processor time: on a busy machine the first also counts
    // other programs' turns.
    double keystroke = 0, keystrokeCpu = 0, longest = 0, longestCpu = 0;
    auto cpuMs = [] { return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC; };
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const double cpu = cpuMs();
        QTextCursor c(f.pane.document());
        c.insertText(QStringLiteral("\""));
        keystroke = std::max(keystroke, clock.nsecsElapsed() / 1e6);
        keystrokeCpu = std::max(keystrokeCpu, cpuMs() - cpu);
        while (!live->isIdle()) {
            QElapsedTimer round;
            round.start();
            const double roundCpu = cpuMs();
            QCoreApplication::processEvents();
            longest = std::max(longest, round.nsecsElapsed() / 1e6);
            longestCpu = std::max(longestCpu, cpuMs() - roundCpu);
        }
        state.PauseTiming();
        f.pane.document()->undo();
        live->finish();
        state.ResumeTiming();
    }
    state.counters["keystroke_ms"] = keystroke;
    state.counters["keystroke_cpu_ms"] = keystrokeCpu;
    state.counters["longest_round_ms"] = longest;
    state.counters["longest_round_cpu_ms"] = longestCpu;
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
    ->Name("ColorizeWords")
    ->ArgName("lines")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(chooseUnchangedTab)
    ->Name("ChooseUnchangedTab")
    ->ArgName("lines")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK(colourEditedLine)
    ->Name("ColourEditedLine")
    ->ArgName("lines")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK(typeAndColour)
    ->Name("TypeAndColour")
    ->ArgName("lines")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
BENCHMARK(quoteAtTop)
    ->Name("QuoteAtTop")
    ->ArgName("lines")
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(scanOnly)
    ->Name("Scan")
    ->ArgName("lines")
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(perTokenSelection)
    ->Name("PerTokenSelection")
    ->ArgName("lines")
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace

// After the run, how each measure grew from 10,000 to 100,000 lines.
int main(int argc, char** argv) {
    return tarvo::bench::runBenchmarks(argc, argv, [](const tarvo::bench::Times& times) {
        for (const auto& [name, time] : times) {
            const auto at = name.find("/lines:10000");
            if (at == std::string::npos || (at + 12 < name.size() && name[at + 12] != '/'))
                continue;
            std::string tenfold = name;
            tenfold.replace(at, 12, "/lines:100000");
            const auto big = times.find(tenfold);
            const bool spread =
                name.find("_stddev") != std::string::npos || name.find("_cv") != std::string::npos;
            if (big != times.end() && time > 0 && !spread)
                std::printf("%s%s: 10x the lines takes %.2fx the time\n",
                            name.substr(0, at).c_str(), name.substr(at + 12).c_str(),
                            big->second / time);
        }
    });
}
