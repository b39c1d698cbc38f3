// Starts the real tarvoide on a virtual X display with an IDE.ini in its
// working folder and checks the handheld's screen in a screenshot.
#include "x_display.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace tarvo::smoke;

namespace {

constexpr int kClientWidth = 708;
constexpr int kClientHeight = 576;
const QRgb kScreenGreen = qRgb(222, 255, 222);
const QRgb kFrameLine = qRgb(0, 0, 0);

QString rgbText(QRgb c) {
    return QStringLiteral("(%1, %2, %3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

class RunningIde {
public:
    ~RunningIde() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    bool start(const QString& display, const QString& workingFolder) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(workingFolder);
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(QStringLiteral(TARVOIDE_BINARY), {});
        return m_process.waitForStarted(10000);
    }
    // Waits up to `ms` for the program to end; true while it still runs.
    bool stillRunningAfter(int ms) {
        return !m_process.waitForFinished(ms) && m_process.state() == QProcess::Running;
    }
    QString endReport() const {
        return QStringLiteral("tarvoide ended with exit code %1").arg(m_process.exitCode());
    }

private:
    QProcess m_process;
};

TEST(Smoke, HandheldScreenIsDrawnAtItsPlaceInTheRealWindow) {
    if (!VirtualDisplay::serverInstalled())
        GTEST_SKIP() << "Xvfb is not installed";
    for (const char* tool : {"xwininfo", "import"})
        ASSERT_FALSE(QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            << tool << " is needed next to Xvfb (packages x11-utils and imagemagick)";

    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    {
        QFile ini(QDir(work.path()).filePath(QStringLiteral("IDE.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("IniPath,\"" + work.path().toUtf8() +
                  "/\"\r\nObjectsPerPage,20\r\n"
                  "TabSpace,4\r\nColorizew,TRUE\r\n");
    }

    VirtualDisplay display;
    QString error;
    ASSERT_TRUE(display.start(&error)) << error.toStdString();

    RunningIde ide;
    ASSERT_TRUE(ide.start(display.name(), work.path()));

    QRect window;
    QElapsedTimer clock;
    clock.start();
    bool running = true;
    while (window.isEmpty() && clock.elapsed() < 60000) {
        running = ide.stillRunningAfter(200);
        if (!running)
            break;
        window = findWindow(display.name(), QStringLiteral("Tarvo IDE"));
    }
    ASSERT_TRUE(running) << ide.endReport().toStdString();
    ASSERT_FALSE(window.isEmpty()) << "the window \"Tarvo IDE\" never appeared";
    // No window manager: the X window is exactly the menu bar over the client area.
    ASSERT_EQ(window.width(), kClientWidth);
    ASSERT_GT(window.height(), kClientHeight);
    const QPoint client(window.left(), window.bottom() + 1 - kClientHeight);

    auto pixelAt = [&client](const QImage& shot, int x, int y) {
        return shot.pixel(client.x() + x, client.y() + y) & 0xFFFFFF;
    };
    // The first frames may come before the window has painted itself.
    QImage shot;
    clock.restart();
    do {
        QThread::msleep(200);
        shot = grabScreen(display.name(), work.path(), &error);
        ASSERT_FALSE(shot.isNull()) << error.toStdString();
    } while (pixelAt(shot, 89, 44) != (kScreenGreen & 0xFFFFFF) && clock.elapsed() < 30000);

    struct Expected {
        int x;
        int y;
        QRgb colour;
        const char* what;
    };
    // The frame lines stand on the square's bottom row and right column at
    // design and just outside its top and left edges.
    const Expected checks[] = {
        {89, 44, kScreenGreen, "top-left pixel of the screen square"},
        {247, 202, kScreenGreen, "last pixel of the square inside the frame"},
        {248, 203, kFrameLine, "bottom-right corner under the frame lines Line4 and Line5"},
        {88, 100, kFrameLine, "frame line Line2 left of the square"},
        {150, 43, kFrameLine, "frame line Line3 above the square"},
    };
    for (const Expected& e : checks) {
        const QRgb got = pixelAt(shot, e.x, e.y);
        EXPECT_EQ(got, e.colour & 0xFFFFFF)
            << e.what << " at client (" << e.x << ", " << e.y << ") is "
            << rgbText(got).toStdString() << ", expected " << rgbText(e.colour).toStdString();
    }
}

} // namespace
