#include "program_starter.h"

#include "dialogs.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <memory>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <unistd.h>
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

namespace {

const QString kTitle = QStringLiteral("Tarvo IDE");

// Why a batch file cannot be run: the shell is always there, the file may not be.
QString whyNoBatchFile(const QString& file) {
    const QFileInfo info(file);
    if (!info.exists())
        return QStringLiteral("The file does not exist.");
    if (info.isDir())
        return QStringLiteral("It is a folder.");
    return QString();
}

void configure(QProcess& process, const SplitCommand& cmd, const QString& windowsArguments,
               WindowStyle style) {
    process.setProgram(cmd.program);
#ifdef Q_OS_WIN
    // Windows programs split their command line themselves.
    process.setNativeArguments(windowsArguments);
    const int show = showWindowCode(style);
    process.setCreateProcessArgumentsModifier([show](QProcess::CreateProcessArguments* args) {
        args->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
        args->startupInfo->wShowWindow = WORD(show);
    });
#else
    // No window system here tells a program how to show its window.
    Q_UNUSED(windowsArguments);
    Q_UNUSED(style);
    process.setArguments(cmd.arguments);
#endif
    process.setStandardInputFile(QProcess::nullDevice());
}

// The last few lines a program wrote to its error output.
QString lastLines(QFile& file) {
    constexpr qint64 kTailBytes = 4096;
    constexpr int kLines = 5;
    if (!file.seek(qMax<qint64>(0, file.size() - kTailBytes)))
        return QString();
    const QStringList lines = QString::fromUtf8(file.readAll())
                                  .remove(QLatin1Char('\r'))
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.mid(qMax<qsizetype>(0, lines.size() - kLines)).join(QLatin1Char('\n'));
}

} // namespace

SystemProgramStarter::SystemProgramStarter(Dialogs& dialogs,
                                           std::function<CommandSubstitutes()> substitutes,
                                           int exitWatchMs)
    : m_dialogs(dialogs), m_substitutes(std::move(substitutes)), m_exitWatchMs(exitWatchMs) {}

bool SystemProgramStarter::start(const ProgramCommand& command, WindowStyle style) {
    const CommandSubstitutes subs = m_substitutes ? m_substitutes() : CommandSubstitutes{};
    if (!subs.windowsHost) {
        const QString unspellable = unspellablePart(command);
        if (!unspellable.isEmpty()) {
            m_dialogs.message(QStringLiteral("The name \"%1\" holds a byte that is not valid "
                                             "UTF-8. It cannot be passed on unchanged, so "
                                             "nothing was started.")
                                  .arg(unspellable),
                              kTitle);
            return false;
        }
    }
    const SplitCommand cmd = resolveCommand(command, subs);
    const QString named =
        command.programIsPath ? command.program : splitCommandLine(command.program).program;
    const bool batch = isBatchFile(named);

    QString reason = batch ? whyNoBatchFile(named) : whyNotStartable(cmd.program);
    if (reason.isEmpty()) {
        if (batch) {
            QProcess process;
            configure(process, cmd, windowsArgumentText(command), style);
            if (process.startDetached())
                return true;
            reason = process.errorString();
        } else if (startWatched(cmd, windowsArgumentText(command), style, &reason)) {
            return true;
        }
    }
    m_dialogs.message(QStringLiteral("The program \"%1\" cannot be started.\n%2")
                          .arg(batch ? named : cmd.program, reason),
                      kTitle);
    return false;
}

bool SystemProgramStarter::startWatched(const SplitCommand& cmd, const QString& windowsArguments,
                                        WindowStyle style, QString* reason) {
    // Parentless, and deleted only once its program has ended: the destructor
    // of a QProcess kills the program, which must be free to outlive the IDE.
    auto* process = new QProcess;
    configure(*process, cmd, windowsArguments, style);
    // Files, not pipes: a program must not die writing to an IDE that has gone.
    process->setStandardOutputFile(QProcess::nullDevice());
    auto errors = std::make_shared<QTemporaryFile>();
    process->setStandardErrorFile(errors->open() ? errors->fileName() : QProcess::nullDevice());
#ifndef Q_OS_WIN
    // A session of its own, as a detached program gets: signals meant for the
    // IDE's terminal are not for it.
    process->setChildProcessModifier([] { ::setsid(); });
#endif
    process->start();
    if (!process->waitForStarted()) {
        *reason = process->errorString();
        delete process;
        return false;
    }
#ifndef Q_OS_WIN
    // The program holds the file open: unlinked now, it is gone once both let go.
    ::unlink(QFile::encodeName(errors->fileName()).constData());
#endif
    QElapsedTimer clock;
    clock.start();
    const QString program = cmd.program;
    const QString file = cmd.arguments.isEmpty() ? QString() : cmd.arguments.last();
    QObject::connect(process, &QProcess::finished, &m_exitReceiver,
                     [this, clock, errors, program, file](int code, QProcess::ExitStatus status) {
                         if (clock.elapsed() > m_exitWatchMs ||
                             (status == QProcess::NormalExit && code == 0))
                             return;
                         reportFailedExit(program, file,
                                          status == QProcess::CrashExit
                                              ? QStringLiteral("a crash")
                                              : QStringLiteral("exit status %1").arg(code),
                                          lastLines(*errors));
                     });
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return true;
}

void SystemProgramStarter::reportFailedExit(const QString& program, const QString& file,
                                            const QString& status, const QString& errorTail) {
    QString text = QStringLiteral("The program \"%1\" ended with %2").arg(program, status);
    if (!file.isEmpty())
        text += QStringLiteral(" on \"%1\"").arg(file);
    text += QLatin1Char('.');
    if (!errorTail.isEmpty())
        text += QStringLiteral("\nIts last error output:\n") + errorTail;
    m_dialogs.message(text, kTitle);
}

bool RecordingProgramStarter::start(const ProgramCommand& command, WindowStyle style) {
    started.append({command, style});
    if (failNext) {
        failNext = false;
        return false;
    }
    return !passOn || passOn->start(command, style);
}

QList<ProgramCommand> RecordingProgramStarter::commands() const {
    QList<ProgramCommand> out;
    for (const Started& s : started)
        out << s.command;
    return out;
}

} // namespace tarvo
