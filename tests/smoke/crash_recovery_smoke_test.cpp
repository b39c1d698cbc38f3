// Kills the real tarvoide with SIGKILL after an edit, starts it again on the
// same project and recovers the edit through the real question box.
#include "x_display.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>

using namespace tarvo::smoke;

namespace {

bool waitFor(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 20000)
        QThread::msleep(100);
    return condition();
}

// Runs xdotool with space-separated arguments; its first output line.
QString xdotool(const QString& arguments) {
    int code = 0;
    const QString out =
        runTool(QStringLiteral("xdotool"), arguments.split(QLatin1Char(' ')), &code);
    EXPECT_EQ(code, 0) << arguments.toStdString();
    return out.section(QLatin1Char('\n'), 0, 0);
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
    const QDir dir(work.path());
    dir.mkpath(QStringLiteral("App/res"));
    for (const auto& [name, bytes] :
         {std::pair<const char*, QByteArray>{"IDE.ini",
                                             "IniPath,\"" + work.path().toUtf8() +
                                                 "/\"\r\nObjectsPerPage,20\r\nLoadCode,TRUE\r\n"},
          {"App/main.c", "int main(void) { return 0; }\r\n"},
          {"App/res/resource.h", "#define Form1 1000\r\n"},
          {"App/res/resource.txt", "#FORM\r\nID=1000\r\n(SH)BOUNDS.X=0\r\n(SH)BOUNDS.Y=0\r\n"
                                   "(SH)BOUNDS.WIDTH=160\r\n(SH)BOUNDS.HEIGHT=160\r\n"
                                   "#END_FORM\r\n"}}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    const QString resourceTxt = dir.filePath(QStringLiteral("App/res/resource.txt"));

    VirtualDisplay display;
    QString error;
    ASSERT_TRUE(display.start(&error)) << error.toStdString();
    qputenv("DISPLAY", display.name().toLocal8Bit()); // for xdotool
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath(QStringLiteral("state")));
    env.insert(QStringLiteral("TARVO_RECOVERY_INTERVAL_MS"), QStringLiteral("300"));
    QProcess first, second;
    for (QProcess* ide : {&first, &second}) {
        ide->setProcessEnvironment(env);
        ide->setWorkingDirectory(work.path());
    }
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
    const QString mainWindow = QStringLiteral("search --sync --onlyvisible --name ^Tarvo.IDE.\\[");

    first.start(QStringLiteral(TARVOIDE_BINARY), {dir.filePath(QStringLiteral("App"))});
    const QString main = xdotool(mainWindow);
    // A line of its own at the end of Text1, which shows resource.txt.
    xdotool(QStringLiteral("mousemove --window %1 400 120 click 1 key ctrl+End Return").arg(main));
    xdotool(QStringLiteral("type CRASHTEST"));
    ASSERT_TRUE(waitFor([&] { return recoveryHolds("CRASHTEST"); }));
    first.kill(); // SIGKILL: no chance to save or clean up
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_FALSE(fileContains(resourceTxt, "CRASHTEST"));

    second.start(QStringLiteral(TARVOIDE_BINARY), {dir.filePath(QStringLiteral("App"))});
    const QString question =
        xdotool(QStringLiteral("search --sync --onlyvisible --name ^Recover.Unsaved.Changes$"));
    xdotool(QStringLiteral("windowfocus --sync %1 key Return").arg(question)); // Restore
    xdotool(QStringLiteral("windowfocus --sync %1 key ctrl+s").arg(xdotool(mainWindow)));
    EXPECT_TRUE(waitFor([&] { return fileContains(resourceTxt, "CRASHTEST"); }));
    // Saved: neither the crashed session's data nor this one's is left.
    EXPECT_TRUE(waitFor([&] { return !recoveryHolds("CRASHTEST"); }));
    second.kill();
    second.waitForFinished(10000);
}

} // namespace
