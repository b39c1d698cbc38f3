#include "platform/command_line.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tarvo;

namespace {

struct SplitCase {
    const char* name;
    QString line;
    QString program;
    QStringList arguments;
};

class SplitCommandLine : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLine, GivesProgramAndArguments) {
    const SplitCase& c = GetParam();
    const SplitCommand got = splitCommandLine(c.line);
    EXPECT_EQ(got.program, c.program);
    EXPECT_EQ(got.arguments, c.arguments);
}

const QString BS = QStringLiteral("\\");

INSTANTIATE_TEST_SUITE_P(
    WindowsRules, SplitCommandLine,
    ::testing::Values(
        SplitCase{"Empty", "", "", {}}, SplitCase{"ProgramOnly", "notepad", "notepad", {}},
        SplitCase{"TrailingSpaceGivesNoArgument", "makedebug.bat ", "makedebug.bat", {}},
        SplitCase{"LeadingBlankNamesNoProgram", " /p/res/main.bmp", "", {"/p/res/main.bmp"}},
        SplitCase{"WindowsPathKeepsBackslashes",
                  "C:\\WINDOWS\\Notepad.exe C:\\Tool\\IDE.ini",
                  "C:\\WINDOWS\\Notepad.exe",
                  {"C:\\Tool\\IDE.ini"}},
        SplitCase{"SpacesAndTabsSeparate", "a  b\tc", "a", {"b", "c"}},
        SplitCase{"UnquotedPathWithSpacesSplits",
                  "/t/makedebug.bat /my projects/p1/",
                  "/t/makedebug.bat",
                  {"/my", "projects/p1/"}},
        SplitCase{"QuotesGroupAndVanish",
                  "viewer \"/doc path/UI API.pdf\"",
                  "viewer",
                  {"/doc path/UI API.pdf"}},
        SplitCase{"QuotedProgram", "\"/opt/my viewer/run\" x", "/opt/my viewer/run", {"x"}},
        SplitCase{"ProgramKeepsBackslashBeforeQuote", "\"C:\\P\\\" x", "C:\\P\\", {"x"}},
        SplitCase{"EmptyQuotedArgumentKept", "prog \"\" b", "prog", {"", "b"}},
        SplitCase{"DoubledQuoteInsideQuotes", "prog \"a\"\"b\"", "prog", {"a\"b"}},
        SplitCase{"QuoteInsideWordGroups", "prog a\"b c\"d", "prog", {"ab cd"}},
        SplitCase{"OddBackslashesEscapeQuote", "prog a\\\"b", "prog", {"a\"b"}},
        SplitCase{"EvenBackslashesHalveAndGroup", "prog \"a\\\\\" b", "prog", {"a\\", "b"}},
        SplitCase{"ThreeBackslashesQuote", "prog a\\\\\\\"b", "prog", {"a\\\"b"}},
        SplitCase{"BackslashesElsewhereLiteral", "prog a\\\\b\\", "prog", {"a\\\\b\\"}},
        SplitCase{"UnterminatedQuoteRunsToEnd", "prog \"a b", "prog", {"a b"}},
        SplitCase{"ShellCharactersArePlain",
                  "prog ;rm $(x) `y` | z & w",
                  "prog",
                  {";rm", "$(x)", "`y`", "|", "z", "&", "w"}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

TEST(ArgumentText, IsTheRestExactlyAsWritten) {
    EXPECT_EQ(argumentText(QStringLiteral("viewer \"C:\\D\\a b.pdf\"")),
              QStringLiteral(" \"C:\\D\\a b.pdf\""));
    EXPECT_EQ(argumentText(QStringLiteral("\"C:\\my prog\\x.exe\"  a  b")),
              QStringLiteral("  a  b"));
    EXPECT_EQ(argumentText(QStringLiteral("makedebug.bat ")), QStringLiteral(" "));
    EXPECT_EQ(argumentText(QStringLiteral("prog")), QString());
}

struct ResolveCase {
    const char* name;
    QString line;
    QString editor;
    QString program;
    QStringList arguments;
};

class ResolveOnLinux : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveOnLinux, SubstitutesWindowsPrograms) {
    const ResolveCase& c = GetParam();
    const SplitCommand got = resolveCommandLine(c.line, CommandSubstitutes{c.editor, false});
    EXPECT_EQ(got.program, c.program);
    EXPECT_EQ(got.arguments, c.arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Substitutes, ResolveOnLinux,
    ::testing::Values(
        ResolveCase{
            "NotepadBecomesEditor", kNotepad + " /t/IDE.ini", "gedit", "gedit", {"/t/IDE.ini"}},
        ResolveCase{
            "NotepadAnyCase", "c:\\windows\\NOTEPAD.EXE /t/a.bat", "kate", "kate", {"/t/a.bat"}},
        ResolveCase{"EditorArgumentsComeFirst",
                    kNotepad + " /t/IDE.ini",
                    "\"/opt/my ed/ed\" --new-window",
                    "/opt/my ed/ed",
                    {"--new-window", "/t/IDE.ini"}},
        ResolveCase{
            "NoEditorGivesDesktopOpener", kNotepad + " /t/IDE.ini", "", "xdg-open", {"/t/IDE.ini"}},
        ResolveCase{"BlankEditorGivesDesktopOpener",
                    kNotepad + " /t/IDE.ini",
                    "   ",
                    "xdg-open",
                    {"/t/IDE.ini"}},
        ResolveCase{"EditorNamingNotepadGivesDesktopOpener",
                    kNotepad + " /t/IDE.ini",
                    kNotepad,
                    "xdg-open",
                    {"/t/IDE.ini"}},
        ResolveCase{"ExplorerExe",
                    kExplorerExe + " /t/HelpFile.htm",
                    "gedit",
                    "xdg-open",
                    {"/t/HelpFile.htm"}},
        ResolveCase{"ExplorerByName", "explorer /docs/", "", "xdg-open", {"/docs/"}},
        ResolveCase{
            "ExplorerWithoutFolderOpensHome", kExplorer + " ", "", "xdg-open", {QDir::homePath()}},
        ResolveCase{"BatchFileRunsInShell",
                    "/t/makedebug.bat /p/q/",
                    "",
                    "/bin/sh",
                    {"/t/makedebug.bat", "/p/q/"}},
        ResolveCase{"BatchFileAnyCase", "/t/CenterEmu.BAT", "", "/bin/sh", {"/t/CenterEmu.BAT"}},
        ResolveCase{
            "BatchFileWithEmptyArgument", "/t/makedebug.bat ", "", "/bin/sh", {"/t/makedebug.bat"}},
        ResolveCase{"OtherProgramsUnchanged",
                    "evince \"/d/UI API.pdf\"",
                    "gedit",
                    "evince",
                    {"/d/UI API.pdf"}},
        ResolveCase{"NotepadAsArgumentUnchanged", "run " + kNotepad, "gedit", "run", {kNotepad}}),
    [](const ::testing::TestParamInfo<ResolveCase>& info) { return std::string(info.param.name); });

TEST(ResolveOnWindows, StartsEveryProgramAsNamed) {
    for (const QString& line : {kNotepad + " C:\\t\\IDE.ini", kExplorer + " C:\\docs\\",
                                QStringLiteral("C:\\t\\a.bat x")}) {
        const SplitCommand got = resolveCommandLine(line, CommandSubstitutes{"gedit", true});
        EXPECT_EQ(got, splitCommandLine(line)) << line.toStdString();
    }
}

} // namespace
