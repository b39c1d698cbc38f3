#pragma once

#include <QString>
#include <QStringList>

namespace tarvo {

class Dialogs;
class ProjectCommands;

// What the command line asks for at start.
struct StartOptions {
    QString project;   // a project folder or its main.c; empty: none
    bool exit = false; // --help, --version or a usage error: print `output` and stop
    int exitCode = 0;
    QString output;
};

// `tarvoide [PROJECT]`, with --help and --version; `arguments` include the
// program's name first, as QCoreApplication::arguments() gives them.
StartOptions parseStartOptions(const QStringList& arguments);

// Whether the arguments ask for help or the version, which need no window.
bool asksOnlyForText(const QStringList& arguments);

// The main.c that the command-line argument names: the file itself when it is
// called main.c, or the main.c of the folder; absolute, cleaned and with the
// platform's separators. Empty with `problem` set when it names no project.
QString projectMainFile(const QString& argument, QString* problem);

// Opens the project named on the command line as Open Project would, or says
// in a message box why it is no project; the IDE then runs without one.
void openStartProject(const QString& argument, ProjectCommands& project, Dialogs& dialogs);

} // namespace tarvo
