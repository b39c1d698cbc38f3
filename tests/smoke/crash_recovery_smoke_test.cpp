// SIGKILL the real tarvoide after an edit; the next start recovers it through the question box.
#include "x_display.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tarvo::smoke;

namespace {

bool fileContains(const QString& path, const QByteArray& text) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.readAll().contains(text);
}

TEST(CrashRecoverySmoke, AnEditSurvivesSigkillAndIsRestoredAtTheNextStart) {
    for (const char* tool : {"Xvfb", "xdotool", "xwininfo"})
        if (!installed(tool))
            GTEST_SKIP() << tool << " is needed";
    QTemporaryDir work;
    const QDir dir(work.path());
    for (const auto& [name, bytes] :
         {std::pair<const char*, QByteArray>{"IDE.ini",
                                             "IniPath,\"" + work.path().toUtf8() +
                                                 "/\"\r\nObjectsPerPage,20\r\nLoadCode,TRUE\r\n"},
          {"App/main.c", "int main(void) { return 0; }\r\n"},
          {"App/res/resource.h", "#define Form1 1000\r\n"},
          {"App/res/resource.txt", "#FORM\r\nID=1000\r\n(SH)BOUNDS.X=0\r\n(SH)BOUNDS.Y=0\r\n"
                                   "(SH)BOUNDS.WIDTH=160\r\n(SH)BOUNDS.HEIGHT=160\r\n"
                                   "#END_FORM\r\n"}})
        ASSERT_TRUE(writeFile(dir.filePath(QString::fromLatin1(name)), bytes));
    const QString resourceTxt = dir.filePath(QStringLiteral("App/res/resource.txt"));
    const QStringList project{dir.filePath(QStringLiteral("App"))};
    QProcessEnvironment env;
    env.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath(QStringLiteral("state")));
    env.insert(QStringLiteral("TARVO_RECOVERY_INTERVAL_MS"), QStringLiteral("300"));
    // Data counts once the list of its session's files names it.
    auto recoveryHolds = [&dir](const QByteArray& text) {
        QDirIterator it(dir.filePath(QStringLiteral("state")), {QStringLiteral("text-*")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo data(it.next());
            if (fileContains(data.filePath(), text) &&
                fileContains(data.path() + QStringLiteral("/files"), data.fileName().toUtf8()))
                return true;
        }
        return false;
    };
    XSession x;
    QString error;
    ASSERT_TRUE(x.start(&error)) << error.toStdString();
    auto act = [&x](const QString& arguments) {
        int code = 0;
        x.xdotool(arguments, &code);
        EXPECT_EQ(code, 0) << arguments.toStdString();
    };
    const QString mainWindow = QStringLiteral("^Tarvo.IDE.\\[");
    ASSERT_TRUE(x.startIde(work.path(), project, env));
    const QString main = x.waitForWindow(mainWindow);
    ASSERT_FALSE(main.isEmpty()) << "no main window";
    // A line of its own at the end of Text1, which shows resource.txt.
    act(QStringLiteral("mousemove --window %1 400 120 click 1 key ctrl+End Return").arg(main));
    act(QStringLiteral("type CRASHTEST"));
    ASSERT_TRUE(waitFor([&] { return recoveryHolds("CRASHTEST"); }));
    x.ide.kill(); // SIGKILL: no chance to save or clean up
    ASSERT_TRUE(x.ide.waitForFinished(10000));
    EXPECT_FALSE(fileContains(resourceTxt, "CRASHTEST"));

    ASSERT_TRUE(x.startIde(work.path(), project, env));
    const QString question = x.waitForWindow(QStringLiteral("^Recover.Unsaved.Changes$"));
    ASSERT_FALSE(question.isEmpty()) << "no question box";
    act(QStringLiteral("windowfocus --sync %1 key Return").arg(question)); // Restore
    ASSERT_TRUE(waitFor([&] {
        return x.xdotool(QStringLiteral("search --onlyvisible --name ^Recover")).isEmpty();
    }));
    act(QStringLiteral("windowfocus --sync %1 key ctrl+s").arg(x.waitForWindow(mainWindow)));
    EXPECT_TRUE(waitFor([&] { return fileContains(resourceTxt, "CRASHTEST"); }));
    // Saved: neither the crashed session's data nor this one's is left.
    EXPECT_TRUE(waitFor([&] { return !recoveryHolds("CRASHTEST"); }));
}

} // namespace
