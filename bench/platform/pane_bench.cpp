// Loading and saving text panes, and opening projects, against a bare
// QPlainTextEdit in the same run and at 1x and 10x the work. Prints the
// ratios the goals are stated in. Memory is the process's resident size.
#include "app/form1.h"
#include "editor/colorize_scan.h"
#include "editor/file_tabs.h"
#include "platform/dialogs.h"
#include "platform/program_starter.h"
#include "platform/rich_text_pane.h"
#include "project/outside_changes.h"
#include "project/project_commands.h"

#include "bench_main.h"
#include "proc_status.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace tarvo;

double megabytes(qint64 bytes) {
    return double(bytes) / (1024.0 * 1024.0);
}

// Bytes the program holds on the heap, which, unlike the resident size, falls
// when memory is freed.
qint64 heapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return qint64(m.uordblks + m.hblkhd);
}

// The peak resident size since the last resetPeak().
qint64 peakBytes() {
    return bench::statusKb("VmHWM:") * 1024;
}

// Freed memory is given back first, or a run would reuse what an earlier one
// left and seem to need nothing.
// Processor time of this process: the machine the benchmarks share may be
// busy, and the wall clock then says more about the others than about us.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

void resetPeak() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

QByteArray codeFile(int lines) {
    QByteArray out;
    for (int i = 0; i < lines; ++i)
        out += "    counter" + QByteArray::number(i % 97) + " = Func(name, 0x1F); // step\r\n";
    return out;
}

QByteArray resourceText(qint64 bytes) {
    QByteArray out;
    out.reserve(bytes + 64);
    for (int id = 1000; out.size() < bytes; ++id)
        out += "#BUTTON\r\nID=" + QByteArray::number(id) +
               "\r\n(SH)BOUNDS.X=10\r\n(SH)BOUNDS.Y=20\r\n(B)OBJECT.TYPE=3\r\n";
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// The floor: the file's text read and set into a bare widget.
void bareLoad(QWidget* window, const QString& path) {
    QPlainTextEdit bare(window);
    bare.setLineWrapMode(QPlainTextEdit::NoWrap);
    bare.show();
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    bare.setPlainText(QString::fromUtf8(f.readAll()));
    QApplication::processEvents();
}

void paneLoad(QWidget* window, const QString& path, RichTextPane** keep = nullptr) {
    auto* pane = new RichTextPane(window);
    pane->show();
    pane->loadFile(path);
    QApplication::processEvents();
    if (keep)
        *keep = pane;
    else
        delete pane;
}

std::map<std::string, std::vector<double>> g_samples;

void record(const std::string& key, double value) {
    g_samples[key].push_back(value);
}

double median(const std::string& key) {
    std::vector<double> v = g_samples[key];
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void timedLoad(benchmark::State& state, bool bare, const QByteArray& bytes,
               const std::string& key) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("resource.txt"));
    writeFile(path, bytes);
    QWidget window;
    window.show();
    for (auto _ : state) {
        resetPeak();
        const qint64 before = peakBytes();
        QElapsedTimer t;
        t.start();
        const double cpu = cpuMs();
        RichTextPane* pane = nullptr;
        bare ? bareLoad(&window, path) : paneLoad(&window, path, &pane);
        const double ms = double(t.nsecsElapsed()) / 1e6;
        record(key + ".cpuMs", cpuMs() - cpu);
        state.SetIterationTime(ms / 1e3);
        record(key + ".ms", ms);
        record(key + ".peakMB", megabytes(peakBytes() - before));
        if (pane) {
            // A two-character edit in the middle, then the save.
            pane->setSelStart(pane->textLength() / 2);
            pane->setSelText(QStringLiteral("ab"));
            QElapsedTimer s;
            s.start();
            const double saveCpu = cpuMs();
            pane->saveFile(path);
            record(key + ".saveMs", double(s.nsecsElapsed()) / 1e6);
            record(key + ".saveCpuMs", cpuMs() - saveCpu);
            delete pane;
        }
    }
    state.counters["peakMB"] = median(key + ".peakMB");
}

void loadCode(benchmark::State& state) {
    const int lines = int(state.range(0));
    timedLoad(state, state.range(1) != 0, codeFile(lines),
              (state.range(1) ? "bareLines" : "paneLines") + std::to_string(lines));
}

void loadBig(benchmark::State& state) {
    const qint64 mb = state.range(0);
    timedLoad(state, state.range(1) != 0, resourceText(mb << 20),
              (state.range(1) ? "bareMB" : "paneMB") + std::to_string(mb));
}

// The longest the event loop went without running its timers: the gap
// between two ticks of a 1 ms timer, so that work the handler waits for
// while the loop goes on counts only as long as the loop stood still.
class StallMeter {
public:
    StallMeter() {
        m_tick.setTimerType(Qt::PreciseTimer);
        m_tick.setInterval(1);
        QObject::connect(&m_tick, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, double(m_since.nsecsElapsed()) / 1e6);
            m_since.restart();
        });
        m_since.start();
        m_tick.start();
    }
    double longest() const { return m_longest; }

private:
    QTimer m_tick;
    QElapsedTimer m_since;
    double m_longest = 0;
};

// Open Project through the window's own handler on scripted dialogs.
struct Ide {
    explicit Ide(const QString& root) {
        const QString tool = root + QStringLiteral("/tool/"), sdk = root + QStringLiteral("/sdk/");
        QDir().mkpath(tool);
        writeFile(tool + QStringLiteral("IDE.ini"),
                  QStringLiteral("IniPath,%1\r\nSDKProjectPath,%2\r\nLoadCode,TRUE\r\n"
                                 "Colorizew,TRUE\r\nObjectsPerPage,20\r\n")
                      .arg(tool, sdk)
                      .toUtf8());
        form = std::make_unique<Form1>(Form1Services{&dialogs, &starter, tool});
        form->show();
        QApplication::processEvents();
    }
    ScriptedDialogs dialogs;
    RecordingProgramStarter starter;
    std::unique_ptr<Form1> form;
};

void makeProject(const QString& folder, int files, int lines, qint64 bigBytes = 0) {
    writeFile(folder + QStringLiteral("/res/resource.txt"), resourceText(4096));
    writeFile(folder + QStringLiteral("/res/resource.h"), "#define Form1 1000\r\n");
    writeFile(folder + QStringLiteral("/main.c"), codeFile(lines));
    const QByteArray code = codeFile(lines);
    for (int i = 1; i < files; ++i)
        writeFile(folder + QStringLiteral("/file%1.c").arg(i, 4, 10, QLatin1Char('0')), code);
    if (bigBytes > 0)
        writeFile(folder + QStringLiteral("/big.txt"), resourceText(bigBytes));
}

void openProject(benchmark::State& state) {
    const int files = int(state.range(0)), lines = int(state.range(1));
    const qint64 bigBytes = state.range(2) << 20;
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("project"));
    makeProject(folder, files, lines, bigBytes);
    const std::string key = "open" + std::to_string(files) + "x" + std::to_string(lines) +
                            (bigBytes ? "+" + std::to_string(state.range(2)) + "MB" : "");
    for (auto _ : state) {
        Ide ide(dir.path());
        QApplication::processEvents();
        const qint64 before = heapInUse();
        ide.dialogs.openAnswers << folder + QStringLiteral("/main.c");
        QElapsedTimer t;
        t.start();
        const double cpu = cpuMs();
        double longest = 0, ms = 0;
        {
            StallMeter meter;
            ide.form->projectCommands().Command4_Click();
            ms = double(t.nsecsElapsed()) / 1e6;
            record(key + ".cpuMs", cpuMs() - cpu);
            // Whatever the open left queued runs too: the longest stall counts.
            QEventLoop settle;
            QTimer::singleShot(300, &settle, &QEventLoop::quit);
            settle.exec();
            longest = meter.longest();
        }
        state.SetIterationTime(ms / 1e3);
        record(key + ".stallMs", longest);
        record(key + ".addedMB", megabytes(heapInUse() - before));
        if (bigBytes) {
            // Choosing the big file's tab builds its pane.
            FileTabs& tabs = ide.form->fileTabs();
            int tab = 0;
            for (int i = 3; i <= tabs.tabCount(); ++i)
                if (tabs.tabCaption(i) == QStringLiteral("big.txt"))
                    tab = i;
            QElapsedTimer c;
            c.start();
            const double tabCpu = cpuMs();
            ide.form->ui().TabStrip1->setCurrentIndex(tab - 1);
            QApplication::processEvents();
            record(key + ".bigTabMs", double(c.nsecsElapsed()) / 1e6);
            record(key + ".bigTabCpuMs", cpuMs() - tabCpu);
        }
    }
    state.counters["stallMs"] = median(key + ".stallMs");
    state.counters["addedMB"] = median(key + ".addedMB");
}

void bareBigTab(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.txt"));
    writeFile(path, resourceText(state.range(0) << 20));
    QWidget window;
    window.show();
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        const double cpu = cpuMs();
        bareLoad(&window, path);
        record("bareBig.ms", double(t.nsecsElapsed()) / 1e6);
        record("bareBig.cpuMs", cpuMs() - cpu);
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
    }
}

// What the colours of a whole C file cost, per character, once shown.
void colourState(benchmark::State& state) {
    QString text = QString::fromLatin1(codeFile(int(state.range(0))));
    text.replace(QLatin1String("counter"), QLatin1String("int counter"));
    const KeywordLists lists{KeywordList(QStringLiteral("*int*char*")),
                             KeywordList(QStringLiteral("*return*static*")),
                             KeywordList(QStringLiteral("*Func*"))};
    QWidget window;
    window.resize(800, 600);
    window.show();
    for (auto _ : state) {
        RichTextPane pane(&window);
        pane.resize(800, 600);
        pane.show();
        pane.setText(text);
        QApplication::processEvents();
        const QVector<FormatRun> runs = scanColorRuns(pane.text(), lists);
        QApplication::processEvents();
        const qint64 before = heapInUse();
        QElapsedTimer t;
        t.start();
        pane.applyFormats(runs);
        QApplication::processEvents(); // the lines on view get their formats
        state.SetIterationTime(double(t.nsecsElapsed()) / 1e9);
        const std::string key = "colour" + std::to_string(state.range(0));
        record(key, double(heapInUse() - before) / double(text.size()));
        state.counters["bytesPerChar"] = median(key);
    }
}

// The look for outside changes that each activation of the window runs, on a
// project just opened (every file was written a moment ago, so each is read
// and hashed) and once the files' times are old enough to be trusted.
void checkOutside(benchmark::State& state) {
    const int files = int(state.range(0));
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("project"));
    makeProject(folder, files, 30);
    Ide ide(dir.path());
    ide.dialogs.openAnswers << folder + QStringLiteral("/main.c");
    ide.form->projectCommands().Command4_Click();
    QApplication::processEvents();
    OutsideChanges& outside = ide.form->projectCommands().outsideChanges();
    const std::string key = "check" + std::to_string(files);
    auto timedCheck = [&](const std::string& what) {
        QElapsedTimer t;
        t.start();
        const double cpu = cpuMs();
        StallMeter meter;
        outside.checkNow();
        const double seconds = double(t.nsecsElapsed()) / 1e9;
        record(key + what + ".ms", seconds * 1e3);
        record(key + what + ".cpuMs", cpuMs() - cpu);
        QEventLoop settle;
        QTimer::singleShot(20, &settle, &QEventLoop::quit);
        settle.exec();
        record(key + what + ".stallMs", meter.longest());
        return seconds;
    };
    timedCheck(".fresh");
    QThread::msleep(2100); // past the file times' granularity
    outside.checkNow();    // takes stamps that are now trusted
    for (auto _ : state)
        state.SetIterationTime(timedCheck(""));
    state.counters["freshMs"] = median(key + ".fresh.ms");
    state.counters["stallMs"] = median(key + ".stallMs");
    state.counters["freshStallMs"] = median(key + ".fresh.stallMs");
}

BENCHMARK(colourState)
    ->Name("ColourState/lines")
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(loadCode)
    ->Name("LoadCode/lines/bare")
    ->ArgsProduct({{1000, 10000}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(7);
BENCHMARK(loadBig)
    ->Name("LoadBig/MB/bare")
    ->ArgsProduct({{5, 50}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(openProject)
    ->Name("OpenProject/files/lines/bigMB")
    ->Args({20, 1000, 0})
    ->Args({200, 1000, 0})
    ->Args({2000, 30, 0})
    ->Args({20, 1000, 100})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(checkOutside)
    ->Name("CheckOutsideChanges/files")
    ->Arg(200)
    ->Arg(2000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(bareBigTab)
    ->Name("BareBigTab/MB")
    ->Arg(100)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void printRatio(const char* what, double a, double b, const char* goal) {
    std::printf("%-58s %10.2f / %10.2f = %6.2f  (%s)\n", what, a, b, b > 0 ? a / b : 0.0, goal);
}

} // namespace

int main(int argc, char** argv) {
    return tarvo::bench::runBenchmarks(argc, argv, [](const tarvo::bench::Times&) {
        std::printf("\n");
        printRatio("pane load ms, 10,000 vs 1,000 lines", median("paneLines10000.ms"),
                   median("paneLines1000.ms"), "at most 11");
        printRatio("pane load ms, 50 MB vs 5 MB", median("paneMB50.ms"), median("paneMB5.ms"),
                   "at most 12");
        printRatio("pane save ms after a 2-character edit, 50 MB vs 5 MB",
                   median("paneMB50.saveMs"), median("paneMB5.saveMs"),
                   "at most 12; 50 MB under 1000 ms");
        printRatio("pane save CPU ms after a 2-character edit, 50 MB vs 5 MB",
                   median("paneMB50.saveCpuMs"), median("paneMB5.saveCpuMs"),
                   "50 MB under 1000 ms");
        printRatio("50 MB load CPU ms, pane vs bare QPlainTextEdit", median("paneMB50.cpuMs"),
                   median("bareMB50.cpuMs"), "at most 1.5");
        printRatio("50 MB load ms, pane vs bare QPlainTextEdit", median("paneMB50.ms"),
                   median("bareMB50.ms"), "at most 1.5");
        printRatio("50 MB load peak MB, pane vs bare QPlainTextEdit", median("paneMB50.peakMB"),
                   median("bareMB50.peakMB"), "at most 1.5");
        printRatio("colour state bytes per character (100,000 lines), vs 2", median("colour100000"),
                   2.0, "at most 1");
        printRatio("Open Project stall ms, 200 vs 20 files of 1,000 lines",
                   median("open200x1000.stallMs"), median("open20x1000.stallMs"),
                   "200 files: under 100 ms");
        printRatio("Open Project handler CPU ms, 200 vs 20 files of 1,000 lines",
                   median("open200x1000.cpuMs"), median("open20x1000.cpuMs"), "");
        printRatio("Open Project handler CPU ms, 2,000 files vs 100 MB file among 20",
                   median("open2000x30.cpuMs"), median("open20x1000+100MB.cpuMs"), "");
        printRatio("Open Project MB added, 200 vs 20 files of 1,000 lines",
                   median("open200x1000.addedMB"), median("open20x1000.addedMB"),
                   "200 files: at most 25 MB");
        printRatio("Open Project stall ms, 2,000 files vs 100 MB file among 20",
                   median("open2000x30.stallMs"), median("open20x1000+100MB.stallMs"),
                   "each under 100 ms");
        printRatio("outside-changes check ms, 2,000 vs 200 files", median("check2000.ms"),
                   median("check200.ms"), "");
        printRatio("outside-changes check ms just after opening, 2,000 vs 200 files",
                   median("check2000.fresh.ms"), median("check200.fresh.ms"), "");
        printRatio("outside-changes check stall ms, 2,000 vs 200 files",
                   median("check2000.stallMs"), median("check200.stallMs"),
                   "2,000 files: under 100 ms");
        printRatio("outside-changes check stall ms just after opening, 2,000 vs 200 files",
                   median("check2000.fresh.stallMs"), median("check200.fresh.stallMs"),
                   "2,000 files: under 100 ms");
        printRatio("100 MB tab chosen ms, pane vs bare QPlainTextEdit",
                   median("open20x1000+100MB.bigTabMs"), median("bareBig.ms"), "at most 1.5");
        printRatio("100 MB tab chosen CPU ms, pane vs bare QPlainTextEdit",
                   median("open20x1000+100MB.bigTabCpuMs"), median("bareBig.cpuMs"), "at most 1.5");
    });
}
