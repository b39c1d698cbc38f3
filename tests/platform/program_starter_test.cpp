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

// Waits for a file the started program makes; the IDE does not wait for it.
bool waitForFile(const QString& path) {
    for (int i = 0; i < 200 && !QFileInfo::exists(path); ++i)
        QTest::qWait(25);
    return QFileInfo::exists(path);
}

TEST(WhyNotStartable, NamesTheReason) {
    QTemporaryDir dir;
    EXPECT_EQ(whyNotStartable(writeScript(dir, QStringLiteral("ok.sh"), "true\n")), QString());
    EXPECT_EQ(whyNotStartable(QStringLiteral("sh")), QString());
    for (const QString& program : {QString(), writeScript(dir, "plain.sh", "true\n", false),
                                   dir.path(), QStringLiteral("no-such-program-tarvo")})
        EXPECT_FALSE(whyNotStartable(program).isEmpty()) << program.toStdString();
}

TEST(SystemProgramStarter, ReportsWhatCannotBeStartedNamingIt) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("tools"));
    QDir().mkpath(folder + QStringLiteral("/centeremu.bat"));
    const struct {
        ProgramCommand command;
        QString named;
    } rows[] = {
        // An empty bitmap editor setting must not run the bitmap.
        {commandFromSetting(QString(), {"/p/res/main.bmp"}), "The program \"\" cannot"},
        {commandFromSetting("/no/such/dir/viewer", {"/d/a.pdf"}),
         "The program \"/no/such/dir/viewer\" cannot"},
        {commandFromPath(dir.filePath("makedebug.bat"), {"/p/"}),
         "The program \"" + dir.filePath("makedebug.bat") + "\" cannot"},
        {commandFromPath(folder + "/centeremu.bat"), folder + "/centeremu.bat\" cannot"},
    };
    for (const auto& [command, named] : rows) {
        ScriptedDialogs dialogs;
        SystemProgramStarter starter(dialogs, [] { return CommandSubstitutes{}; });
        EXPECT_FALSE(starter.start(command, WindowStyle::NormalNoFocus));
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages()[0].contains(named)) << dialogs.messages()[0].toStdString();
    }
}

// Editors, viewers and the desktop opener run watched: a quick failure is
// told with the end of what the program wrote to its error output.
TEST(SystemProgramStarter, ReportsAnEarlyFailedExitWithItsLastErrorLines) {
    const struct {
        const char* body;
        int watchMs;
        const char* says; // nullptr: no message
    } rows[] = {
        {"for i in 1 2 3 4 5 6 7; do echo \"line $i\" >&2; done; exit 3", 10000,
         "ended with exit status 3 on \"/d/a b.pdf\".\nIts last error output:\n"
         "line 3\nline 4\nline 5\nline 6\nline 7"},
        {"kill -9 $$", 10000, "ended with a crash on \"/d/a b.pdf\"."},
        {"echo fine >&2; exit 0", 10000, nullptr},
        {"sleep 1; exit 1", 200, nullptr},
    };
    for (const auto& row : rows) {
        QTemporaryDir dir;
        const QString done = dir.filePath(QStringLiteral("done"));
        const QString viewer =
            writeScript(dir, QStringLiteral("viewer"),
                        QByteArray("trap 'touch \"") + done.toUtf8() + "\"' EXIT\n" + row.body);
        ScriptedDialogs dialogs;
        SystemProgramStarter starter(
            dialogs, [] { return CommandSubstitutes{}; }, row.watchMs);
        ASSERT_TRUE(
            starter.start(commandFromSetting(viewer, {"/d/a b.pdf"}), WindowStyle::NormalNoFocus));
        if (!row.says) {
            waitForFile(done);
            QTest::qWait(300); // the exit has been seen by now
            EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.messages().join('|').toStdString();
            continue;
        }
        for (int i = 0; i < 400 && dialogs.shown.isEmpty(); ++i)
            QTest::qWait(25);
        ASSERT_EQ(dialogs.messages().size(), 1) << row.body;
        EXPECT_EQ(dialogs.messages()[0],
                  QStringLiteral("The program \"%1\" ").arg(viewer) + QLatin1String(row.says));
    }
}

// A watched program belongs to no window: it runs on when its starter goes.
TEST(SystemProgramStarter, WatchedProgramOutlivesItsStarter) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out"));
    const QString editor =
        writeScript(dir, QStringLiteral("editor"),
                    "sleep 0.3; echo late >&2; touch \"" + out.toUtf8() + "\"; exit 1");
    ScriptedDialogs dialogs;
    {
        SystemProgramStarter starter(dialogs, [] { return CommandSubstitutes{}; });
        ASSERT_TRUE(starter.start(commandFromSetting(editor, {"/x"}), WindowStyle::NormalFocus));
    }
    EXPECT_TRUE(waitForFile(out));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

#endif // Q_OS_WIN

} // namespace
