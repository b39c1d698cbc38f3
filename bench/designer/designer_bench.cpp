// Loading a page of 500 objects from a resource text of about 1 MB: the
// designer's loader against the same load by literal searches from position 0.
#include "app/form1.h"
#include "designer/form_loader.h"
#include "designer/form_pages.h"
#include "naive_form_load.h"
#include "platform/dialogs.h"
#include "platform/object_picture.h"
#include "platform/program_starter.h"
#include "platform/rich_text_pane.h"
#include "resource_text_generator.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>

namespace {

using namespace tarvo;

constexpr int kBlocks = 5000;
constexpr int kObjectsOnPage = 500;

// One main window holding the generated text and 500 object pictures.
struct Workspace {
    Workspace() {
        QFile ini(dir.filePath(QStringLiteral("IDE.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.close();
        form = std::make_unique<Form1>(Form1Services{&dialogs, &starter, dir.path()});
        form->formPages().createPictures(1, kObjectsOnPage);
        form->context().settings.ObjectsPerPage = kObjectsOnPage;
        form->context().project.ProjectPath = dir.path();
        form->ui().Text1->setText(bench::generateResourceText(kBlocks, kObjectsOnPage));
        // Callers hide the pane while a page loads.
        form->ui().Text1->hide();
    }

    // Leaves nothing of an earlier load, so a comparison sees each load's own work.
    void scramble() {
        DesignerState& s = form->designer();
        for (int i = 1; i <= kObjectsOnPage; ++i) {
            ObjectPicture* p = s.ObjectPictures[size_t(i)];
            p->setLeft(-1);
            p->setWidth(-1);
            p->setToolTipText(QStringLiteral("stale"));
        }
        s.NextPictureSlot = -1;
        s.NextObjectId = -1;
        form->ui().Text1->select(5, 5);
    }

    // What a load leaves behind, for comparing the two loads.
    QString snapshot() {
        const DesignerState& s = form->designer();
        QString out = QStringLiteral("slot %1 id %2 caret %3/%4 messages %5\n")
                          .arg(s.NextPictureSlot)
                          .arg(s.NextObjectId)
                          .arg(form->ui().Text1->selStart())
                          .arg(form->ui().Text1->selLength())
                          .arg(dialogs.shown.size());
        for (int i = 1; i <= kObjectsOnPage; ++i) {
            const ObjectPicture* p = s.ObjectPictures[size_t(i)];
            out += QStringLiteral("%1 %2 %3 %4 %5\n")
                       .arg(p->left())
                       .arg(p->top())
                       .arg(p->width())
                       .arg(p->height())
                       .arg(p->toolTipText());
        }
        return out;
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    RecordingProgramStarter starter;
    std::unique_ptr<Form1> form;
};

Workspace& workspace() {
    static Workspace w;
    return w;
}

void checkSameResults(benchmark::State& state) {
    Workspace& w = workspace();
    w.scramble();
    bench::naiveLoadFormPage(w.form->context(), w.form->designer(), 0);
    const QString naive = w.snapshot();
    w.scramble();
    w.form->formLoader().LoadFormPage(0);
    const QString indexed = w.snapshot();
    if (naive != indexed || w.form->designer().NextPictureSlot != kObjectsOnPage + 1)
        state.SkipWithError("the two loads disagree");
}

void BM_LoadFormPage(benchmark::State& state) {
    checkSameResults(state);
    Workspace& w = workspace();
    for (auto _ : state)
        w.form->formLoader().LoadFormPage(0);
    state.counters["text_chars"] = w.form->ui().Text1->textLength();
}
BENCHMARK(BM_LoadFormPage)->Unit(benchmark::kMillisecond);

void BM_LoadFormPageByLiteralSearches(benchmark::State& state) {
    Workspace& w = workspace();
    for (auto _ : state)
        bench::naiveLoadFormPage(w.form->context(), w.form->designer(), 0);
}
BENCHMARK(BM_LoadFormPageByLiteralSearches)->Unit(benchmark::kMillisecond)->Iterations(3);

// Prints the speed-up of the loader over the literal searches after the run.
class SpeedUpReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto fast = m_times.find("BM_LoadFormPage");
        const auto slow = m_times.find("BM_LoadFormPageByLiteralSearches/iterations:3");
        if (fast != m_times.end() && slow != m_times.end() && fast->second > 0)
            std::printf("Speed-up of LoadFormPage over literal searches: %.0fx\n",
                        slow->second / fast->second);
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    SpeedUpReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
