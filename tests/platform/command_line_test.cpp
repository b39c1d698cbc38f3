#include "platform/command_line.h"

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
        {"C:\\WINDOWS\\Notepad.exe C:\\Tool\\IDE.ini",
         "C:\\WINDOWS\\Notepad.exe",
         {"C:\\Tool\\IDE.ini"}},
        {"a  b\tc", "a", {"b", "c"}},
        {"/t/makedebug.bat /my projects/p1/", "/t/makedebug.bat", {"/my", "projects/p1/"}},
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

TEST(ArgumentText, IsTheRestExactlyAsWritten) {
    EXPECT_EQ(argumentText(QStringLiteral("\"C:\\my prog\\x.exe\"  a  \"b c\"")),
              QStringLiteral("  a  \"b c\""));
    EXPECT_EQ(argumentText(QStringLiteral("prog")), QString());
}

TEST(ResolveCommandLine, SubstitutesWindowsProgramsOnLinux) {
    struct {
        QString editor;
        Row row;
    } const rows[] = {
        {"gedit", {kNotepad + " /t/IDE.ini", "gedit", {"/t/IDE.ini"}}},
        {"kate", {"c:\\windows\\NOTEPAD.EXE /t/a.bat", "kate", {"/t/a.bat"}}},
        {"\"/opt/my ed/ed\" --new-window",
         {kNotepad + " /t/IDE.ini", "/opt/my ed/ed", {"--new-window", "/t/IDE.ini"}}},
        {"   ", {kNotepad + " /t/IDE.ini", "xdg-open", {"/t/IDE.ini"}}},
        {kNotepad, {kNotepad + " /t/IDE.ini", "xdg-open", {"/t/IDE.ini"}}},
        {"gedit", {kExplorerExe + " /t/HelpFile.htm", "xdg-open", {"/t/HelpFile.htm"}}},
        {"", {"explorer /docs/", "xdg-open", {"/docs/"}}},
        {"", {kExplorer + " ", "xdg-open", {QDir::homePath()}}},
        {"", {"/t/makedebug.bat /p/q/", "/bin/sh", {"/t/makedebug.bat", "/p/q/"}}},
        {"", {"/t/CenterEmu.BAT ", "/bin/sh", {"/t/CenterEmu.BAT"}}},
        {"gedit", {"run " + kNotepad, "run", {kNotepad}}}};
    for (const auto& [editor, r] : rows) {
        const SplitCommand got = resolveCommandLine(r.line, CommandSubstitutes{editor, false});
        EXPECT_EQ(got.program, r.program) << r.line.toStdString();
        EXPECT_EQ(got.arguments, r.arguments) << r.line.toStdString();
    }
    for (const QString& line : {kNotepad + " C:\\t\\IDE.ini", QStringLiteral("C:\\t\\a.bat x")})
        EXPECT_EQ(resolveCommandLine(line, CommandSubstitutes{"gedit", true}),
                  splitCommandLine(line));
}

} // namespace
