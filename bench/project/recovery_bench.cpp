// What keeping unsaved texts costs while the user works: a designer gesture
// only restarts a timer, and the write that follows a pause (or the 30 s
// round) costs one pass over the changed texts. Resource texts of about 1 MB
// and 10 MB, opened as a project.
#include "app/form1.h"
#include "platform/dialogs.h"
#include "platform/program_starter.h"
#include "platform/rich_text_pane.h"
#include "project/crash_recovery.h"
#include "project/project_commands.h"
#include "resource_text_generator.h"

#include "bench_main.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <map>
#include <memory>

namespace {

using namespace tarvo;

struct OpenProject {
    explicit OpenProject(int blocks) {
        QDir(dir.path()).mkpath(QStringLiteral("App/res"));
        const QList<std::pair<QString, QByteArray>> files{
            {QStringLiteral("IDE.ini"), "LoadCode,TRUE\r\nObjectsPerPage,500\r\n"},
            {QStringLiteral("App/main.c"), "int main(void) { return 0; }\r\n"},
            {QStringLiteral("App/res/resource.h"), "#define Form1 1\r\n"},
            {QStringLiteral("App/res/resource.txt"),
             bench::generateResourceText(blocks, 100).toUtf8()}};
        for (const auto& [name, bytes] : files) {
            QFile f(dir.filePath(name));
            f.open(QIODevice::WriteOnly);
            f.write(bytes);
        }
        form = std::make_unique<Form1>(Form1Services{&dialogs, &starter, dir.path()});
        form->projectCommands().openProject(dir.filePath(QStringLiteral("App/main.c")));
    }
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    RecordingProgramStarter starter;
    std::unique_ptr<Form1> form;
};

std::map<int, std::unique_ptr<OpenProject>> projects;

OpenProject& project(int blocks) {
    auto& p = projects[blocks];
    if (!p)
        p = std::make_unique<OpenProject>(blocks);
    return *p;
}

// One character typed into the resource text, with the recovery armed: the
// recovery's part is restarting a timer; the rest is the pane's own.
void BM_EditOfTheResourceText(benchmark::State& state) {
    RichTextPane* text1 = project(int(state.range(0))).form->ui().Text1;
    for (auto _ : state) {
        text1->select(0, 1);
        text1->setSelText(QStringLiteral("#"));
    }
}
BENCHMARK(BM_EditOfTheResourceText)->Arg(5000)->Arg(50000)->Unit(benchmark::kMicrosecond);

// The write after a pause: the changed resource text, atomically, to the state folder.
void BM_RecoveryWrite(benchmark::State& state) {
    OpenProject& p = project(int(state.range(0)));
    RichTextPane* text1 = p.form->ui().Text1;
    text1->select(0, 1);
    text1->setSelText(QStringLiteral("!"));
    state.counters["MB"] = text1->textLength() / 1e6;
    for (auto _ : state) {
        if (!p.form->projectCommands().crashRecovery().update())
            state.SkipWithError("the recovery data could not be written");
    }
}
BENCHMARK(BM_RecoveryWrite)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    const QTemporaryDir state; // the recovery data stays out of the user's home
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    return tarvo::bench::runBenchmarks(argc, argv, [](const tarvo::bench::Times&) {
        projects.clear(); // while their state folder is still there
    });
}
