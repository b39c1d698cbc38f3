// Kills the real tarvoide with SIGKILL after an edit, starts it again on the
// same project and recovers the edit through the real question box.
#include "x_display.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

using namespace tarvo::smoke;

namespace {

bool waitFor(const std::function<bool()>& condition, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > ms)
            return false;
        QThread::msleep(100);
    }
    return true;
}

// The id of the first viewable window whose title matches; empty after 30 s.
QString windowId(const QString& titlePattern) {
    return runTool(QStringLiteral("xdotool"),
                   {QStringLiteral("search"), QStringLiteral("--sync"),
                    QStringLiteral("--onlyvisible"), QStringLiteral("--name"), titlePattern})
        .section(QLatin1Char('\n'), 0, 0);
}

void xdotool(const QStringList& arguments) {
    int code = 0;
    runTool(QStringLiteral("xdotool"), arguments, &code);
    ASSERT_EQ(code, 0) << arguments.join(QLatin1Char(' ')).toStdString();
}

bool fileContains(const QString& path, const QByteArray& text) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.readAll().contains(text);
}

TEST(CrashRecoverySmoke, AnEditSurvivesSigkillAndIsRestoredAtTheNextStart) {
    if (!VirtualDisplay::serverInstalled() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "Xvfb and xdotool are needed";
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QDir dir(work.path());
    dir.mkpath(QStringLiteral("App/res"));
    auto write = [&dir](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(QStringLiteral("IDE.ini"),
          "IniPath,\"" + work.path().toUtf8() + "/\"\r\nObjectsPerPage,20\r\nLoadCode,TRUE\r\n");
    write(QStringLiteral("App/main.c"), "int main(void) { return 0; }\r\n");
    write(QStringLiteral("App/res/resource.h"), "#define Form1 1000\r\n");
    write(QStringLiteral("App/res/resource.txt"),
          "#FORM\r\nID=1000\r\n(SH)BOUNDS.X=0\r\n(SH)BOUNDS.Y=0\r\n(SH)BOUNDS.WIDTH=160\r\n"
          "(SH)BOUNDS.HEIGHT=160\r\n#END_FORM\r\n");

    VirtualDisplay display;
    QString error;
    ASSERT_TRUE(display.start(&error)) << error.toStdString();
    qputenv("DISPLAY", display.name().toLocal8Bit()); // for xdotool
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath(QStringLiteral("state")));
    env.insert(QStringLiteral("TARVO_RECOVERY_INTERVAL_MS"), QStringLiteral("300"));
    auto start = [&](QProcess& ide) {
        ide.setProcessEnvironment(env);
        ide.setWorkingDirectory(work.path());
        ide.start(QStringLiteral(TARVOIDE_BINARY), {dir.filePath(QStringLiteral("App"))});
        ASSERT_TRUE(ide.waitForStarted(10000));
    };
    // Data counts once the list of a session's files names it.
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

    QProcess first;
    start(first);
    const QString main = windowId(QStringLiteral("^Tarvo IDE \\["));
    ASSERT_FALSE(main.isEmpty());
    // Into Text1, which shows resource.txt below the menu bar, on a line of its own.
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), main, QStringLiteral("400"),
             QStringLiteral("120"), QStringLiteral("click"), QStringLiteral("1"),
             QStringLiteral("key"), QStringLiteral("ctrl+End"), QStringLiteral("Return")});
    xdotool({QStringLiteral("type"), QStringLiteral("CRASHTEST")});
    ASSERT_TRUE(waitFor([&] { return recoveryHolds("CRASHTEST"); }, 20000));
    first.kill(); // SIGKILL: no chance to save or clean up
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_FALSE(fileContains(dir.filePath(QStringLiteral("App/res/resource.txt")), "CRASHTEST"));

    QProcess second;
    start(second);
    const QString question = windowId(QStringLiteral("^Recover Unsaved Changes$"));
    ASSERT_FALSE(question.isEmpty());
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), question,
             QStringLiteral("key"), QStringLiteral("Return")}); // Restore, the default
    const QString restored = windowId(QStringLiteral("^Tarvo IDE \\["));
    ASSERT_FALSE(restored.isEmpty());
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), restored,
             QStringLiteral("key"), QStringLiteral("ctrl+s")});
    EXPECT_TRUE(waitFor(
        [&] {
            return fileContains(dir.filePath(QStringLiteral("App/res/resource.txt")), "CRASHTEST");
        },
        20000));
    // Saved: neither the crashed session's data nor this one's is left.
    EXPECT_TRUE(waitFor([&] { return !recoveryHolds("CRASHTEST"); }, 5000));
    second.kill();
    second.waitForFinished(10000);
}

} // namespace
