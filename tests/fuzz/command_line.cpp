// A command setting, then NUL-separated paths. Written back with the quoting
// rules the splitter reads, any split must come back unchanged, and the native
// Windows command line must give exactly the argument vector started elsewhere.
#include "platform/command_line.h"
#include "fuzz_check.h"

using namespace tarvo;

namespace {

// The program name cannot hold a quote: quotes there only group.
QString rendered(const SplitCommand& command) {
    QString line = QLatin1Char('"') + command.program + QLatin1Char('"');
    for (const QString& argument : command.arguments)
        line += QLatin1Char(' ') + quoteWindowsArgument(argument);
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QStringList parts = QString::fromUtf8(fuzzBytes(data, size)).split(QChar(0));
    const QString setting = parts.takeFirst();
    const SplitCommand split = splitCommandLine(setting);
    FUZZ_CHECK(splitCommandLine(rendered(split)) == split);

    const ProgramCommand command = commandFromSetting(setting, parts);
    CommandSubstitutes windows;
    windows.windowsHost = true;
    const QString native =
        QLatin1Char('"') + split.program + QLatin1Char('"') + windowsArgumentText(command);
    FUZZ_CHECK(splitCommandLine(native) == resolveCommand(command, windows));
    return 0;
}
