// Started by the start-up benchmark: shows the IDE's window ("ide") or a bare
// Qt window with one text edit ("bare"), lets it paint, prints the resident
// size in kB and ends. IDE.ini is read from the working folder, as at a real start.
#include "app/form1.h"
#include "platform/dialogs.h"
#include "platform/program_starter.h"

#include "proc_status.h"

#include <QApplication>
#include <QMainWindow>
#include <QPlainTextEdit>

#include <cstdio>
#include <memory>
#include <string>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tarvo::ScriptedDialogs dialogs; // a start-up that asks anything would wait forever
    tarvo::RecordingProgramStarter starter;
    std::unique_ptr<QMainWindow> window;
    if (argc > 1 && std::string(argv[1]) == "bare") {
        window = std::make_unique<QMainWindow>();
        window->setCentralWidget(new QPlainTextEdit);
        window->resize(800, 600);
    } else {
        window = std::make_unique<tarvo::Form1>(tarvo::Form1Services{&dialogs, &starter, {}});
    }
    window->show();
    QApplication::processEvents();
    std::printf("%lld\n", tarvo::bench::statusKb("VmRSS:"));
    return dialogs.shown.isEmpty() ? 0 : 1;
}
