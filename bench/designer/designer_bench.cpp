// A page of 500 objects in a resource text of about 1 MB: loading it with the
// designer's loader against the same load by literal searches from position
// 0; a keyboard nudge of one of its objects; undoing a drop onto it. Each
// gesture must take less than a frame (16 ms).
#include "app/form1.h"
#include "designer/designer_keys.h"
#include "designer/form_loader.h"
#include "designer/form_pages.h"
#include "designer/object_selection.h"
#include "designer/toolbox.h"
#include "naive_form_load.h"
#include "platform/dialogs.h"
#include "platform/object_picture.h"
#include "platform/program_starter.h"
#include "platform/rich_text_pane.h"
#include "resource_text_generator.h"

#include "bench_main.h"
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>

namespace {

using namespace tarvo;

constexpr int kBlocks = 5000;
constexpr int kObjectsOnPage = 500;

// One main window holding the generated text, `onPage` of its objects on
// page 0, and 500 object pictures.
struct Workspace {
    explicit Workspace(int onPage = kObjectsOnPage) {
        QFile ini(dir.filePath(QStringLiteral("IDE.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.close();
        form = std::make_unique<Form1>(Form1Services{&dialogs, &starter, dir.path()});
        form->formPages().createPictures(1, kObjectsOnPage);
        form->context().settings.ObjectsPerPage = kObjectsOnPage;
        form->context().settings.TemplatePath = QStringLiteral(TARVO_SAMPLE_DIR "/templates/");
        form->context().project.ProjectPath = dir.path();
        form->ui().Text1->setText(bench::generateResourceText(kBlocks, onPage));
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

// The window shown with page 0 loaded and Text1 on view, as the user works.
Workspace& shownWorkspace(int onPage) {
    static std::map<int, std::unique_ptr<Workspace>> spaces;
    std::unique_ptr<Workspace>& w = spaces[onPage];
    if (!w) {
        w = std::make_unique<Workspace>(onPage);
        w->form->show();
        w->form->formLoader().LoadFormPageHidingText1(0);
        w->form->ui().Text1->show();
    }
    return *w;
}

void BM_NudgeOnAPageOf500Objects(benchmark::State& state) {
    Workspace& w = shownWorkspace(kObjectsOnPage);
    Form1& form = *w.form;
    form.objectSelection().select(kObjectsOnPage / 2);
    const ObjectPicture* picture = form.designer().ObjectPictures[kObjectsOnPage / 2];
    const float left = picture->left();
    const qsizetype messages = w.dialogs.shown.size(); // start-up may have reported IDE.ini
    bool right = true;
    for (auto _ : state) {
        form.designerKeys().Form_KeyDown(right ? Qt::Key_Right : Qt::Key_Left, 0);
        right = !right;
    }
    if (picture->left() != left && picture->left() != left + 1)
        state.SkipWithError("the nudges did not move the object");
    if (w.dialogs.shown.size() != messages)
        state.SkipWithError("a nudge was refused");
}
BENCHMARK(BM_NudgeOnAPageOf500Objects)->Unit(benchmark::kMillisecond);

// A drop onto a page of 499 objects makes 500; its undo loads them again.
void BM_UndoOfADrop(benchmark::State& state) {
    Workspace& w = shownWorkspace(kObjectsOnPage - 1);
    Form1& form = *w.form;
    const int length = form.ui().Text1->textLength();
    for (auto _ : state) {
        state.PauseTiming();
        form.toolbox().Command1_Click(0);
        form.toolbox().Form_MouseDown(int(Qt::LeftButton), 100, 60);
        form.toolbox().Form_MouseUp(int(Qt::LeftButton), 130, 70);
        const bool dropped = form.ui().Text1->textLength() > length;
        state.ResumeTiming();
        form.designerKeys().Form_KeyDown(Qt::Key_Z, 2);
        if (!dropped || form.ui().Text1->textLength() != length ||
            form.designer().NextPictureSlot != kObjectsOnPage) {
            state.SkipWithError("the drop was not made or not undone");
            break;
        }
    }
}
BENCHMARK(BM_UndoOfADrop)->Unit(benchmark::kMillisecond);

// The share of the page load in an undo: the window shown, Text1 hidden
// while the page loads, as after every undo.
void BM_ReloadAfterAnUndo(benchmark::State& state) {
    Form1& form = *shownWorkspace(kObjectsOnPage - 1).form;
    for (auto _ : state)
        form.formLoader().LoadFormPageHidingText1(0);
}
BENCHMARK(BM_ReloadAfterAnUndo)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return tarvo::bench::runBenchmarks(argc, argv, [](const tarvo::bench::Times& times) {
        const auto fast = times.find("BM_LoadFormPage");
        const auto slow = times.find("BM_LoadFormPageByLiteralSearches/iterations:3");
        if (fast != times.end() && slow != times.end() && fast->second > 0)
            std::printf("Speed-up of LoadFormPage over literal searches: %.0fx\n",
                        slow->second / fast->second);
    });
}
