#pragma once

#include <QString>
#include <QStringList>

namespace tarvo {

// A command line split into the program and its arguments.
struct SplitCommand {
    QString program;
    QStringList arguments;
    bool operator==(const SplitCommand& o) const {
        return program == o.program && arguments == o.arguments;
    }
};

// Splits by the usual Windows rules. The program name ends at the first blank
// outside double quotes, which only group there. In the arguments, blanks (spaces and tabs)
// separate arguments, double quotes group (and are removed), "" inside quotes is one quote,
// backslashes are literal except right before a double quote (2n backslashes + quote -> n
// backslashes and a grouping quote; 2n+1 -> n and a literal quote). Nothing else is special: ; $( )
// ` | & are plain text.
SplitCommand splitCommandLine(const QString& commandLine);

// The command line's text after the program name, exactly as written (Windows
// hands it to the program unsplit).
QString argumentText(const QString& commandLine);

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

// What is really started on this platform for a command line of the IDE:
// - "C:\WINDOWS\Notepad.exe" -> the preferred text editor (itself split, so it
//   may carry arguments) or xdg-open when that is empty;
// - "Explorer" and "C:\WINDOWS\explorer.exe" (any letter case) -> xdg-open,
//   on the home folder when no folder is given;
// - a program ending in ".bat" -> /bin/sh with the batch file as first argument
//   (on Windows it is started as it is).
// The arguments of the command line are kept. On Windows nothing is replaced.
SplitCommand resolveCommandLine(const QString& commandLine, const CommandSubstitutes& subs);

} // namespace tarvo

namespace tarvo {

// Programs that the handlers name by their Windows paths; the program starter
// puts this platform's substitutes in their place.
inline const QString kNotepad = QStringLiteral("C:\\WINDOWS\\Notepad.exe");
inline const QString kExplorerExe = QStringLiteral("C:\\WINDOWS\\explorer.exe");
inline const QString kExplorer = QStringLiteral("Explorer");

} // namespace tarvo
