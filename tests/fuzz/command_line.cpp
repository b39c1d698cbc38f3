// A command setting, then NUL-separated paths: a split written back quoted comes back
// unchanged, and the Windows command line gives the argument vector started elsewhere.
#include "platform/command_line.h"
#include "fuzz_check.h"

using namespace tarvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QStringList parts = QString::fromUtf8(fuzzBytes(data, size)).split(QChar(0));
    const QString setting = parts.takeFirst();
    const SplitCommand split = splitCommandLine(setting);
    // The program name cannot hold a quote: quotes there only group.
    const QString program = QLatin1Char('"') + split.program + QLatin1Char('"');
    QString rendered = program;
    for (const QString& argument : split.arguments)
        rendered += QLatin1Char(' ') + quoteWindowsArgument(argument);
    FUZZ_CHECK(splitCommandLine(rendered) == split);

    const ProgramCommand command = commandFromSetting(setting, parts);
    CommandSubstitutes windows;
    windows.windowsHost = true;
    FUZZ_CHECK(splitCommandLine(program + windowsArgumentText(command)) ==
               resolveCommand(command, windows));
    return 0;
}
