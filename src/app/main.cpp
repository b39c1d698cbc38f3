#include "form1.h"
#include "project/project_commands.h"
#include "start_options.h"

#include <QApplication>
#include <csignal>
#include <cstdio>

namespace {

int printAndExit(const tarvo::StartOptions& options) {
    std::fputs(options.output.toLocal8Bit().constData(), options.exitCode ? stderr : stdout);
    return options.exitCode;
}

} // namespace

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
    // Past a file-size limit a write then fails with EFBIG and is reported,
    // instead of ending the IDE with the unsaved work.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QCoreApplication::setApplicationName(QStringLiteral("TarvoIDE"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVO_VERSION));
    QStringList raw;
    for (int i = 0; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    // Help and version must work without a display.
    if (tarvo::asksOnlyForText(raw)) {
        QCoreApplication core(argc, argv);
        return printAndExit(tarvo::parseStartOptions(QCoreApplication::arguments()));
    }
    QApplication app(argc, argv);
    // Parsed after QApplication has taken its own options (-platform, -style...).
    const tarvo::StartOptions options = tarvo::parseStartOptions(QApplication::arguments());
    if (options.exit)
        return printAndExit(options);
    tarvo::Form1 window;
    window.show();
    if (!options.project.isEmpty())
        tarvo::openStartProject(options.project, window.projectCommands(),
                                *window.context().dialogs);
    return app.exec();
}
