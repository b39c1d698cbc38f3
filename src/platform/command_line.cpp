#include "command_line.h"

#include <QDir>
#include <QRegularExpression>

namespace tarvo {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// The program name follows simpler rules than the arguments: quotes only
// group, and backslashes are always literal (a folder path may end in one).
QString takeProgram(const QString& line, qsizetype& i) {
    QString program;
    bool quoted = false;
    for (; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            continue;
        }
        if (!quoted && isBlank(c))
            break;
        program += c;
    }
    return program;
}

// `endsQuoted` tells whether the line ends inside a quote.
QStringList takeArguments(const QString& line, qsizetype i, bool* endsQuoted = nullptr) {
    QStringList args;
    const qsizetype n = line.size();
    if (endsQuoted)
        *endsQuoted = false;
    while (true) {
        while (i < n && isBlank(line[i]))
            ++i;
        if (i >= n)
            break;
        QString arg;
        bool quoted = false;
        while (i < n && (quoted || !isBlank(line[i]))) {
            const QChar c = line[i];
            if (c == QLatin1Char('\\')) {
                qsizetype backslashes = 0;
                while (i < n && line[i] == QLatin1Char('\\')) {
                    ++backslashes;
                    ++i;
                }
                if (i < n && line[i] == QLatin1Char('"')) {
                    arg += QString(backslashes / 2, QLatin1Char('\\'));
                    if (backslashes % 2 == 1) {
                        arg += QLatin1Char('"');
                        ++i;
                    }
                    // An even count leaves the quote to group below.
                } else {
                    arg += QString(backslashes, QLatin1Char('\\'));
                }
                continue;
            }
            if (c == QLatin1Char('"')) {
                if (quoted && i + 1 < n && line[i + 1] == QLatin1Char('"')) {
                    arg += QLatin1Char('"');
                    i += 2;
                    continue;
                }
                quoted = !quoted;
                ++i;
                continue;
            }
            arg += c;
            ++i;
        }
        if (endsQuoted)
            *endsQuoted = quoted;
        args << arg;
    }
    return args;
}

bool sameProgram(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isNotepad(const QString& program) {
    return sameProgram(program, kNotepad);
}

bool isFileBrowser(const QString& program) {
    return sameProgram(program, kExplorer) || sameProgram(program, kExplorerExe);
}

const QString kDesktopOpener = QStringLiteral("xdg-open");

// The command line's text after the program name, as written but with a quote
// left open closed, so that text appended to it starts a new argument.
QString argumentText(const QString& commandLine) {
    qsizetype i = 0;
    takeProgram(commandLine, i);
    QString text = commandLine.mid(i);
    bool open = false;
    takeArguments(commandLine, i, &open);
    if (open) {
        // Backslashes before the added quote would escape it: double them.
        qsizetype backslashes = 0;
        while (backslashes < text.size() &&
               text[text.size() - 1 - backslashes] == QLatin1Char('\\'))
            ++backslashes;
        text += QString(backslashes, QLatin1Char('\\')) + QLatin1Char('"');
    }
    return text;
}

QStringList optionSafePaths(const QStringList& paths) {
    QStringList out;
    for (const QString& p : paths) {
        if (!p.isEmpty())
            out << optionSafePath(p);
    }
    return out;
}

} // namespace

ProgramCommand commandFromSetting(const QString& commandText, const QStringList& paths) {
    return ProgramCommand{commandText, false, paths};
}

ProgramCommand commandFromPath(const QString& programPath, const QStringList& paths) {
    return ProgramCommand{programPath, true, paths};
}

SplitCommand splitCommandLine(const QString& commandLine) {
    SplitCommand out;
    qsizetype i = 0;
    out.program = takeProgram(commandLine, i);
    out.arguments = takeArguments(commandLine, i);
    return out;
}

QString quoteWindowsArgument(const QString& argument) {
    static const QRegularExpression needsQuotes(QStringLiteral("[ \\t\\n\\v\"]"));
    if (!argument.isEmpty() && !argument.contains(needsQuotes))
        return argument;
    QString out(QLatin1Char('"'));
    qsizetype backslashes = 0;
    for (const QChar c : argument) {
        if (c == QLatin1Char('\\')) {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a quote: double them there.
        if (c == QLatin1Char('"'))
            out += QString(backslashes * 2 + 1, QLatin1Char('\\'));
        else
            out += QString(backslashes, QLatin1Char('\\'));
        out += c;
        backslashes = 0;
    }
    out += QString(backslashes * 2, QLatin1Char('\\'));
    out += QLatin1Char('"');
    return out;
}

QString windowsArgumentText(const ProgramCommand& command) {
    QString text = command.programIsPath ? QString() : argumentText(command.program);
    for (const QString& p : optionSafePaths(command.paths))
        text += QLatin1Char(' ') + quoteWindowsArgument(p);
    return text;
}

QString displayCommand(const ProgramCommand& command) {
    QString text = command.programIsPath ? quoteWindowsArgument(command.program) : command.program;
    for (const QString& p : command.paths) {
        if (!p.isEmpty())
            text += QLatin1Char(' ') + quoteWindowsArgument(p);
    }
    return text;
}

QString optionSafePath(const QString& path) {
    if (path.startsWith(QLatin1Char('-')))
        return QLatin1Char('.') + QString(QDir::separator()) + path;
    return path;
}

bool isBatchFile(const QString& program) {
    return program.endsWith(QLatin1String(".bat"), Qt::CaseInsensitive);
}

SplitCommand resolveCommand(const ProgramCommand& command, const CommandSubstitutes& subs) {
    SplitCommand cmd;
    if (command.programIsPath)
        cmd.program = optionSafePath(command.program);
    else
        cmd = splitCommandLine(command.program);
    cmd.arguments += optionSafePaths(command.paths);
    if (subs.windowsHost)
        return cmd;

    if (!command.programIsPath && isNotepad(cmd.program)) {
        const SplitCommand editor = splitCommandLine(subs.preferedTextEditor.trimmed());
        // An editor setting that itself names Notepad would come back here.
        if (editor.program.isEmpty() || isNotepad(editor.program)) {
            cmd.program = kDesktopOpener;
        } else {
            cmd.program = editor.program;
            cmd.arguments = editor.arguments + cmd.arguments;
        }
        return cmd;
    }
    if (!command.programIsPath && isFileBrowser(cmd.program)) {
        cmd.program = kDesktopOpener;
        // The browser started without a folder shows the user's own files.
        if (cmd.arguments.isEmpty())
            cmd.arguments << QDir::homePath();
        return cmd;
    }
    if (isBatchFile(cmd.program)) {
        cmd.arguments.prepend(cmd.program);
        cmd.program = QStringLiteral("/bin/sh");
    }
    return cmd;
}

QString unspellablePart(const ProgramCommand& command) {
    const QChar replacement(QChar::ReplacementCharacter);
    if (command.program.contains(replacement))
        return command.program;
    for (const QString& p : command.paths) {
        if (p.contains(replacement))
            return p;
    }
    return QString();
}

} // namespace tarvo
