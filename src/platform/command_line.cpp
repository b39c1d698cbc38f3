#include "command_line.h"

#include <QDir>

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

QStringList takeArguments(const QString& line, qsizetype i) {
    QStringList args;
    const qsizetype n = line.size();
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

} // namespace

SplitCommand splitCommandLine(const QString& commandLine) {
    SplitCommand out;
    qsizetype i = 0;
    out.program = takeProgram(commandLine, i);
    out.arguments = takeArguments(commandLine, i);
    return out;
}

QString argumentText(const QString& commandLine) {
    qsizetype i = 0;
    takeProgram(commandLine, i);
    return commandLine.mid(i);
}

SplitCommand resolveCommandLine(const QString& commandLine, const CommandSubstitutes& subs) {
    SplitCommand cmd = splitCommandLine(commandLine);
    if (subs.windowsHost)
        return cmd;

    if (isNotepad(cmd.program)) {
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
    if (isFileBrowser(cmd.program)) {
        cmd.program = kDesktopOpener;
        // The browser started without a folder shows the user's own files.
        if (cmd.arguments.isEmpty())
            cmd.arguments << QDir::homePath();
        return cmd;
    }
    if (cmd.program.endsWith(QLatin1String(".bat"), Qt::CaseInsensitive)) {
        cmd.arguments.prepend(cmd.program);
        cmd.program = QStringLiteral("/bin/sh");
    }
    return cmd;
}

} // namespace tarvo
