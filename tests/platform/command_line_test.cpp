#include "platform/command_line.h"
#include "platform/paths.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tarvo;

namespace {

struct Row {
    QString line;
    QString program;
    QStringList arguments;
};

TEST(SplitCommandLine, FollowsTheWindowsRules) {
    const Row rows[] = {
        {"", "", {}},
        {"makedebug.bat ", "makedebug.bat", {}},
        {" /p/res/main.bmp", "", {"/p/res/main.bmp"}},
        {"a  b\tc", "a", {"b", "c"}},
        {"\"/opt/my viewer/run\" \"/doc path/UI API.pdf\"",
         "/opt/my viewer/run",
         {"/doc path/UI API.pdf"}},
        {"\"C:\\P\\\" x", "C:\\P\\", {"x"}},
        {"prog \"\" \"a\"\"b\" a\"b c\"d", "prog", {"", "a\"b", "ab cd"}},
        {"prog a\\\"b \"a\\\\\" a\\\\\\\"b a\\\\b\\",
         "prog",
         {"a\"b", "a\\", "a\\\"b", "a\\\\b\\"}},
        {"prog \"a b", "prog", {"a b"}},
        {"prog ;rm $(x) `y` | z & w", "prog", {";rm", "$(x)", "`y`", "|", "z", "&", "w"}}};
    for (const Row& r : rows) {
        const SplitCommand got = splitCommandLine(r.line);
        EXPECT_EQ(got.program, r.program) << r.line.toStdString();
        EXPECT_EQ(got.arguments, r.arguments) << r.line.toStdString();
    }
}

TEST(WindowsArgumentText, KeepsTheSettingsArgumentsAndQuotesThePaths) {
    // The setting's own arguments stay as written; empty paths add nothing.
    const ProgramCommand cmd = commandFromSetting(QStringLiteral("\"C:\\my ed\\ed.exe\" /w  /n"),
                                                  {QStringLiteral("C:\\a b\\"), QString()});
    EXPECT_EQ(windowsArgumentText(cmd), QStringLiteral(" /w  /n \"C:\\a b\\\\\""));
    // A quote the setting leaves open is closed, or it would take the paths in.
    EXPECT_EQ(windowsArgumentText(commandFromSetting("ed \"/a b\\", {"/p"})),
              QStringLiteral(" \"/a b\\\\\" /p"));
    EXPECT_EQ(displayCommand(commandFromPath(QStringLiteral("/t t/make.bat"), {"/p/", "a b"})),
              QStringLiteral("\"/t t/make.bat\" /p/ \"a b\""));
}

TEST(ResolveCommand, PathsStayWholeWhileSettingsAreSplitAndSubstituted) {
    const QString dot = QStringLiteral(".") + PathSep();
    struct {
        ProgramCommand command;
        QString editor;
        Row expected; // `line` unused
    } const rows[] = {
        // A path the IDE made is one argument, program or not.
        {commandFromPath("/my tools/makedebug.bat", {"/a  b/"}),
         "",
         {"", "/bin/sh", {"/my tools/makedebug.bat", "/a  b/"}}},
        {commandFromPath("/t/makedebug.bat", {""}), "", {"", "/bin/sh", {"/t/makedebug.bat"}}},
        {commandFromPath("-j/makeall.bat", {"-k/"}),
         "",
         {"", "/bin/sh", {dot + "-j/makeall.bat", dot + "-k/"}}},
        // A setting carries its own arguments; the paths follow them unsplit.
        {commandFromSetting("\"/opt/my viewer/view\" --page 1", {"/d/\"x\" y.pdf"}),
         "",
         {"", "/opt/my viewer/view", {"--page", "1", "/d/\"x\" y.pdf"}}},
        {commandFromSetting("evince", {"-x.pdf", ""}), "", {"", "evince", {dot + "-x.pdf"}}},
        {commandFromSetting(" ", {"/p/res/main.bmp"}), "", {"", "", {"/p/res/main.bmp"}}},
        // Windows programs get this platform's substitutes.
        {commandFromSetting(kNotepad, {"/t t/IDE.ini"}),
         "\"/opt/my ed/ed\" -w",
         {"", "/opt/my ed/ed", {"-w", "/t t/IDE.ini"}}},
        {commandFromSetting(kNotepad, {"/t/IDE.ini"}), "  ", {"", "xdg-open", {"/t/IDE.ini"}}},
        {commandFromSetting(kNotepad, {"/t/IDE.ini"}), kNotepad, {"", "xdg-open", {"/t/IDE.ini"}}},
        {commandFromSetting("explorer", {"/d d/"}), "", {"", "xdg-open", {"/d d/"}}},
        {commandFromSetting(kExplorer, {""}), "", {"", "xdg-open", {QDir::homePath()}}},
        {commandFromSetting("run " + kNotepad), "gedit", {"", "run", {kNotepad}}},
    };
    for (const auto& [command, editor, r] : rows) {
        const SplitCommand got = resolveCommand(command, CommandSubstitutes{editor, false});
        EXPECT_EQ(got.program, r.program) << displayCommand(command).toStdString();
        EXPECT_EQ(got.arguments, r.arguments) << displayCommand(command).toStdString();
    }
    // Windows starts what it is given.
    const ProgramCommand batch = commandFromPath("C:\\t t\\a.bat", {"C:\\p\\"});
    EXPECT_EQ(resolveCommand(batch, CommandSubstitutes{"gedit", true}),
              (SplitCommand{"C:\\t t\\a.bat", {"C:\\p\\"}}));
    EXPECT_EQ(resolveCommand(commandFromSetting(kNotepad, {"x"}), CommandSubstitutes{"ed", true}),
              (SplitCommand{kNotepad, {"x"}}));
}

} // namespace
