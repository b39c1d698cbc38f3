#pragma once

#include <QString>
#include <QStringList>

namespace tarvo {

// A program and the argument vector it receives.
struct SplitCommand {
    QString program;
    QStringList arguments;
    bool operator==(const SplitCommand& o) const {
        return program == o.program && arguments == o.arguments;
    }
};

// What a handler asks to start: a program and the paths the IDE made for it.
struct ProgramCommand {
    // Either a command as a setting gives it (it may carry its own arguments,
    // such as "code -w", and is split by the Windows rules), or, when
    // `programIsPath`, a file the IDE joined itself, which is never split.
    QString program;
    bool programIsPath = false;
    // Each one becomes exactly one argument, byte for byte; an empty one
    // (no project open) becomes no argument at all.
    QStringList paths;

    bool operator==(const ProgramCommand& o) const {
        return program == o.program && programIsPath == o.programIsPath && paths == o.paths;
    }
};

ProgramCommand commandFromSetting(const QString& commandText, const QStringList& paths = {});
ProgramCommand commandFromPath(const QString& programPath, const QStringList& paths = {});

// Splits by the usual Windows rules. The program name ends at the first blank
// outside double quotes, which only group there. In the arguments, blanks (spaces and tabs)
// separate arguments, double quotes group (and are removed), "" inside quotes is one quote,
// backslashes are literal except right before a double quote (2n backslashes + quote -> n
// backslashes and a grouping quote; 2n+1 -> n and a literal quote). Nothing else is special: ; $( )
// ` | & are plain text.
SplitCommand splitCommandLine(const QString& commandLine);

// One argument written so that the Windows rules above read it back unchanged.
QString quoteWindowsArgument(const QString& argument);

// What follows the program name in the native Windows command line: the
// setting's own arguments as written (a quote left open closed), then each
// path quoted.
QString windowsArgumentText(const ProgramCommand& command);

// The command as a user reads it in a message: a quoted argument per path.
QString displayCommand(const ProgramCommand& command);

// A relative path that starts with "-" would be read as an option.
QString optionSafePath(const QString& path);

// True for the batch files of the tool folder, which run under /bin/sh here.
bool isBatchFile(const QString& program);

#ifdef Q_OS_WIN
inline constexpr bool kWindowsHost = true;
#else
inline constexpr bool kWindowsHost = false;
#endif

// Settings the program substitutes depend on.
struct CommandSubstitutes {
    QString preferedTextEditor;      // stands in for Notepad; empty -> xdg-open
    bool windowsHost = kWindowsHost; // Windows starts every program as named
};

// The argument vector really started on this platform:
// - every path made option-safe, empty paths left out;
// - "C:\WINDOWS\Notepad.exe" -> the preferred text editor (itself split, so it
//   may carry arguments) or xdg-open when that is empty;
// - "Explorer" and "C:\WINDOWS\explorer.exe" (any letter case) -> xdg-open,
//   on the home folder when no folder is given;
// - a program ending in ".bat" -> /bin/sh with the batch file as first argument.
// On Windows nothing is substituted.
SplitCommand resolveCommand(const ProgramCommand& command, const CommandSubstitutes& subs);

// The first part of the command (program or path) holding U+FFFD, or the empty
// text. On Linux that is where a file name had a byte that is not valid UTF-8:
// encoded again it would name a different file.
QString unspellablePart(const ProgramCommand& command);

} // namespace tarvo

namespace tarvo {

// Programs that the handlers name by their Windows paths; the program starter
// puts this platform's substitutes in their place.
inline const QString kNotepad = QStringLiteral("C:\\WINDOWS\\Notepad.exe");
inline const QString kExplorerExe = QStringLiteral("C:\\WINDOWS\\explorer.exe");
inline const QString kExplorer = QStringLiteral("Explorer");

} // namespace tarvo
