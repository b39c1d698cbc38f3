#pragma once

#include "command_line.h"

#include <QList>
#include <QObject>
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

// Every program the IDE starts goes through this, never through a shell.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // True when the program was started. On failure the user has already been
    // told (a message box naming the program and the reason).
    virtual bool start(const ProgramCommand& command, WindowStyle style) = 0;
};

// Starts real processes. The tool folder's batch files run detached, since a
// build reports through its output files. Editors, viewers and the desktop
// opener are watched instead: one that ends with a failure status soon after
// its start is reported with the end of its error output.
class SystemProgramStarter final : public ProgramStarter {
public:
    // `substitutes` is read at every start, so it sees the settings once loaded.
    SystemProgramStarter(Dialogs& dialogs, std::function<CommandSubstitutes()> substitutes,
                         int exitWatchMs = 10000);
    bool start(const ProgramCommand& command, WindowStyle style) override;

private:
    bool startWatched(const SplitCommand& cmd, const QString& windowsArguments, WindowStyle style,
                      QString* reason);
    void reportFailedExit(const QString& program, const QString& file, const QString& status,
                          const QString& errorTail);

    Dialogs& m_dialogs;
    std::function<CommandSubstitutes()> m_substitutes;
    int m_exitWatchMs;
    // Receives the watched programs' exits; gone with the starter, so a
    // program that outlives the window reports to no one.
    QObject m_exitReceiver;
};

// For tests: records every command; can be told to fail, or pass the
// commands on to a real starter.
class RecordingProgramStarter final : public ProgramStarter {
public:
    struct Started {
        ProgramCommand command;
        WindowStyle style;
    };
    QList<Started> started;
    bool failNext = false; // the next start fails (and is still recorded)
    ProgramStarter* passOn = nullptr;

    bool start(const ProgramCommand& command, WindowStyle style) override;
    QList<ProgramCommand> commands() const;
};

} // namespace tarvo
