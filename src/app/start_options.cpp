#include "start_options.h"

#include "platform/dialogs.h"
#include "project/project_commands.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tarvo {

StartOptions parseStartOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("TarvoIDE, the IDE for C programs of the Tarvo handheld. IDE.ini is read "
                       "from the working folder."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("PROJECT"),
        QStringLiteral("A project folder, or its main.c, to open at start."),
        QStringLiteral("[PROJECT]"));
    StartOptions options;
    const QString usage = QStringLiteral("\n\n") + parser.helpText();
    if (!parser.parse(arguments)) {
        options = {QString(), true, 1, parser.errorText() + usage};
    } else if (parser.isSet(help)) {
        options = {QString(), true, 0, parser.helpText()};
    } else if (parser.isSet(version)) {
        options = {QString(), true, 0,
                   QCoreApplication::applicationName() + QLatin1Char(' ') +
                       QCoreApplication::applicationVersion() + QLatin1Char('\n')};
    } else if (parser.positionalArguments().size() > 1) {
        options = {QString(), true, 1, QStringLiteral("Only one project can be opened.") + usage};
    } else if (!parser.positionalArguments().isEmpty()) {
        options.project = parser.positionalArguments().constFirst();
    }
    return options;
}

bool asksOnlyForText(const QStringList& arguments) {
    for (const QString& a : arguments.mid(1)) {
        if (a == QLatin1String("--"))
            break;
        for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
            if (a == QLatin1String(option))
                return true;
        }
    }
    return false;
}

QString projectMainFile(const QString& argument, QString* problem) {
    const QFileInfo given(argument);
    const QString shown = QDir::toNativeSeparators(argument);
    QString mainFile;
    if (!given.exists()) {
        *problem = QStringLiteral("%1 does not exist.").arg(shown);
    } else if (given.isDir()) {
        mainFile = QDir(given.absoluteFilePath()).filePath(QStringLiteral("main.c"));
        if (!QFileInfo(mainFile).isFile()) {
            *problem = QStringLiteral("The folder %1 holds no main.c.").arg(shown);
            mainFile.clear();
        }
    } else if (given.fileName() == QLatin1String("main.c")) {
        mainFile = given.absoluteFilePath();
    } else {
        *problem = QStringLiteral("%1 is neither a project folder nor its main.c.").arg(shown);
    }
    return mainFile.isEmpty() ? QString() : QDir::toNativeSeparators(QDir::cleanPath(mainFile));
}

void openStartProject(const QString& argument, ProjectCommands& project, Dialogs& dialogs) {
    QString problem;
    const QString mainFile = projectMainFile(argument, &problem);
    if (mainFile.isEmpty()) {
        dialogs.message(problem + QStringLiteral("\n\nTarvoIDE starts without a project."),
                        QStringLiteral("Open Project"));
        return;
    }
    project.openProject(mainFile);
}

} // namespace tarvo
