#pragma once

#include "command_line.h"

#include <QList>
#include <QString>
#include <functional>

namespace tarvo {

class Dialogs;

// How the started program's window is shown (codes as the handlers name them).
enum class WindowStyle {
    Hidden = 0,
    NormalFocus = 1,
    NormalNoFocus = 4,
    MinimizedNoFocus = 6,
};

// The show-window code that Windows gives the started program's first window.
int showWindowCode(WindowStyle style);

// Why `program` cannot be started on this host, or the empty text when it can
// be tried: a name without a folder is looked up on the search path, a path
// must be an executable file.
QString whyNotStartable(const QString& program);

// Every program the IDE starts goes through this: one command line, started
// without waiting, never through a shell.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // True when the program was started. On failure the user has already been
    // told (a message box naming the program and the reason).
    virtual bool start(const QString& commandLine, WindowStyle style) = 0;
};

// Starts detached processes with QProcess.
class SystemProgramStarter final : public ProgramStarter {
public:
    // `substitutes` is read at every start, so it sees the settings once loaded.
    SystemProgramStarter(Dialogs& dialogs, std::function<CommandSubstitutes()> substitutes);
    bool start(const QString& commandLine, WindowStyle style) override;

private:
    Dialogs& m_dialogs;
    std::function<CommandSubstitutes()> m_substitutes;
};

// For tests: records every command line; can be told to fail.
class RecordingProgramStarter final : public ProgramStarter {
public:
    struct Started {
        QString commandLine;
        WindowStyle style;
    };
    QList<Started> started;
    bool failNext = false; // the next start fails (and is still recorded)

    bool start(const QString& commandLine, WindowStyle style) override;
    QStringList commandLines() const;
};

} // namespace tarvo
