#include "command_line.h"

namespace tarvo {

SplitCommand splitCommandLine(const QString& commandLine) {
    Q_UNUSED(commandLine);
    return {};
}

SplitCommand resolveCommandLine(const QString& commandLine, const CommandSubstitutes& subs) {
    Q_UNUSED(subs);
    return splitCommandLine(commandLine);
}

} // namespace tarvo
