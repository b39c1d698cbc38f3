#include "program_starter.h"

#include "dialogs.h"

namespace tarvo {

SystemProgramStarter::SystemProgramStarter(Dialogs& dialogs,
                                           std::function<CommandSubstitutes()> substitutes)
    : m_dialogs(dialogs), m_substitutes(std::move(substitutes)) {}

bool SystemProgramStarter::start(const QString& commandLine, WindowStyle style) {
    Q_UNUSED(commandLine);
    Q_UNUSED(style);
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
