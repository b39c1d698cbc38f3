#include "platform/dialogs.h"
#include "platform/program_starter.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace tarvo;

namespace {

TEST(ShowWindowCode, MatchesTheWindowsCodes) {
    const std::pair<WindowStyle, int> table[] = {
        {WindowStyle::Hidden, 0},
        {WindowStyle::NormalFocus, 1},
        {WindowStyle::NormalNoFocus, 4},
        {WindowStyle::MinimizedNoFocus, 7},
    };
    for (const auto& [style, code] : table)
        EXPECT_EQ(showWindowCode(style), code) << int(style);
}

#ifndef Q_OS_WIN

// Writes an executable shell script and returns its path.
QString writeScript(const QTemporaryDir& dir, const QString& name, const QByteArray& body,
                    bool executable = true) {
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + body);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return path;
}

// Waits for a file the started program writes; it runs detached.
QByteArray waitForFile(const QString& path) {
    for (int i = 0; i < 200 && !QFileInfo(path).exists(); ++i)
        QTest::qWait(25);
    QTest::qWait(50); // let the writer finish its one line
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(WhyNotStartable, NamesTheReason) {
    QTemporaryDir dir;
    EXPECT_EQ(whyNotStartable(writeScript(dir, QStringLiteral("ok.sh"), "true\n")), QString());
    EXPECT_EQ(whyNotStartable(QStringLiteral("sh")), QString());
    for (const QString& program : {QString(), writeScript(dir, "plain.sh", "true\n", false),
                                   dir.path(), QStringLiteral("no-such-program-tarvo")})
        EXPECT_FALSE(whyNotStartable(program).isEmpty()) << program.toStdString();
}

// A build batch file in a folder whose name holds shell syntax: a shell
// between the starter and the script would create X.
TEST(SystemProgramStarter, RunsBatchFileThroughAPathHoldingShellSyntaxWithoutAShell) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("$(touch X)")));
    const QString out = dir.filePath(QStringLiteral("args.txt"));
    const QString bat = writeScript(dir, QStringLiteral("$(touch X)/makedebug.bat"),
                                    "printf '%s|' \"$@\" > \"" + out.toUtf8() + ".tmp\"; mv \"" +
                                        out.toUtf8() + ".tmp\" \"" + out.toUtf8() + "\"\n",
                                    false);
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    ScriptedDialogs dialogs;
    SystemProgramStarter starter(dialogs, [] { return CommandSubstitutes{}; });
    const bool started =
        starter.start(QLatin1Char('"') + bat + QStringLiteral("\" /my projects/p1/ $(touch X);y"),
                      WindowStyle::Hidden);
    const QByteArray args = waitForFile(out);
    QDir::setCurrent(cwd);
    EXPECT_TRUE(started);
    EXPECT_EQ(args, QByteArray("/my|projects/p1/|$(touch|X);y|"));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("X"))));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("$(touch X)/X"))));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST(SystemProgramStarter, NotepadStartsThePreferredEditorReadAtEachStart) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("edited.txt"));
    const QString editor = writeScript(dir, QStringLiteral("editor"),
                                       "printf '%s|' \"$@\" > \"" + out.toUtf8() + ".tmp\"; mv \"" +
                                           out.toUtf8() + ".tmp\" \"" + out.toUtf8() + "\"\n");
    QString setting; // empty while the settings are not read yet
    ScriptedDialogs dialogs;
    SystemProgramStarter starter(dialogs, [&] { return CommandSubstitutes{setting}; });
    setting = editor + " -n";
    EXPECT_TRUE(starter.start(kNotepad + " /t/IDE.ini", WindowStyle::NormalFocus));
    EXPECT_EQ(waitForFile(out), QByteArray("-n|/t/IDE.ini|"));
}

TEST(SystemProgramStarter, FailureIsReportedNamingTheProgram) {
    // An empty bitmap editor setting: " " + path must not run the bitmap.
    const std::pair<QString, QString> rows[] = {
        {" /p/res/main.bmp", ""},
        {"/no/such/dir/viewer \"/d/a.pdf\"", "/no/such/dir/viewer"},
        {"C:\\Acrobat\\AcroRd32.exe \"/d/a.pdf\"", "C:\\Acrobat\\AcroRd32.exe"}};
    for (const auto& [line, program] : rows) {
        ScriptedDialogs dialogs;
        SystemProgramStarter starter(dialogs, [] { return CommandSubstitutes{}; });
        EXPECT_FALSE(starter.start(line, WindowStyle::NormalNoFocus));
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages()[0].startsWith(
            QStringLiteral("The program \"%1\" cannot be started.\n").arg(program)))
            << dialogs.messages()[0].toStdString();
    }
}

#endif // Q_OS_WIN

} // namespace
