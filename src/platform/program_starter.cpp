#include "program_starter.h"

#include "dialogs.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace tarvo {

int showWindowCode(WindowStyle style) {
    switch (style) {
    case WindowStyle::Hidden:
        return 0; // SW_HIDE
    case WindowStyle::NormalFocus:
        return 1; // SW_SHOWNORMAL
    case WindowStyle::NormalNoFocus:
        return 4; // SW_SHOWNOACTIVATE
    case WindowStyle::MinimizedNoFocus:
        return 7; // SW_SHOWMINNOACTIVE
    }
    return 1;
}

QString whyNotStartable(const QString& program) {
    if (program.trimmed().isEmpty())
        return QStringLiteral("The command line names no program.");
#ifdef Q_OS_WIN
    // Windows finds programs by its own rules (extensions, App Paths);
    // let it try.
    return QString();
#else
    if (!program.contains(QLatin1Char('/'))) {
        if (QStandardPaths::findExecutable(program).isEmpty())
            return QStringLiteral("It was not found on the search path.");
        return QString();
    }
    const QFileInfo info(program);
    if (!info.exists())
        return QStringLiteral("The file does not exist.");
    if (info.isDir())
        return QStringLiteral("It is a folder.");
    if (!info.isExecutable())
        return QStringLiteral("The file is not executable.");
    return QString();
#endif
}

SystemProgramStarter::SystemProgramStarter(Dialogs& dialogs,
                                           std::function<CommandSubstitutes()> substitutes)
    : m_dialogs(dialogs), m_substitutes(std::move(substitutes)) {}

bool SystemProgramStarter::start(const QString& commandLine, WindowStyle style) {
    const CommandSubstitutes subs = m_substitutes ? m_substitutes() : CommandSubstitutes{};
    const SplitCommand cmd = resolveCommandLine(commandLine, subs);

    QString reason = whyNotStartable(cmd.program);
    if (reason.isEmpty()) {
        QProcess process;
        process.setProgram(cmd.program);
#ifdef Q_OS_WIN
        // Hand over the arguments as written: the program splits them itself.
        process.setNativeArguments(argumentText(commandLine));
        const int show = showWindowCode(style);
        process.setCreateProcessArgumentsModifier([show](QProcess::CreateProcessArguments* args) {
            args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
            args->startupInfo->wShowWindow = WORD(show);
        });
#else
        // No window system here tells a program how to show its window.
        Q_UNUSED(style);
        process.setArguments(cmd.arguments);
#endif
        process.setStandardInputFile(QProcess::nullDevice());
        if (process.startDetached())
            return true;
        reason = process.errorString();
    }
    m_dialogs.message(
        QStringLiteral("The program \"%1\" cannot be started.\n%2").arg(cmd.program, reason),
        QStringLiteral("Tarvo IDE"));
    return false;
}

bool RecordingProgramStarter::start(const QString& commandLine, WindowStyle style) {
    started.append({commandLine, style});
    if (failNext) {
        failNext = false;
        return false;
    }
    return true;
}

QStringList RecordingProgramStarter::commandLines() const {
    QStringList out;
    for (const Started& s : started)
        out << s.commandLine;
    return out;
}

} // namespace tarvo
