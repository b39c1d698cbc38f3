// The real tarvoide on a virtual X display: the handheld's screen in a screenshot.
#include "x_display.h"

#include <QColor>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tarvo::smoke;

namespace {

constexpr int kClientWidth = 708, kClientHeight = 576;
constexpr QRgb kScreenGreen = 0xdeffde, kFrameLine = 0x000000;

TEST(Smoke, HandheldScreenIsDrawnAtItsPlaceInTheRealWindow) {
    if (!installed("Xvfb"))
        GTEST_SKIP() << "Xvfb is not installed";
    for (const char* tool : {"xwininfo", "import"})
        ASSERT_TRUE(installed(tool)) << tool << " is needed next to Xvfb (x11-utils, imagemagick)";
    QTemporaryDir work;
    ASSERT_TRUE(writeFile(work.filePath(QStringLiteral("IDE.ini")),
                          "IniPath,\"" + work.path().toUtf8() +
                              "/\"\r\nObjectsPerPage,20\r\nTabSpace,4\r\nColorizew,TRUE\r\n"));
    XSession x;
    QString error;
    ASSERT_TRUE(x.start(&error)) << error.toStdString();
    ASSERT_TRUE(x.startIde(work.path()));
    QRect window;
    waitFor([&] {
        window = x.windowRect(QStringLiteral("Tarvo IDE"));
        return !window.isEmpty() || !x.ideRunning();
    });
    ASSERT_TRUE(x.ideRunning()) << "tarvoide ended with exit code " << x.ide.exitCode();
    ASSERT_FALSE(window.isEmpty()) << "the window \"Tarvo IDE\" never appeared";
    // No window manager: the X window is exactly the menu bar over the client area.
    ASSERT_EQ(window.width(), kClientWidth);
    ASSERT_GT(window.height(), kClientHeight);
    const QPoint client(window.left(), window.bottom() + 1 - kClientHeight);
    auto pixelAt = [&client](const QImage& shot, int x, int y) {
        return shot.pixel(client.x() + x, client.y() + y) & 0xffffff;
    };
    QImage shot; // the first frames may come before the window has painted itself
    waitFor([&] {
        shot = x.grabScreen(work.path());
        return shot.isNull() || pixelAt(shot, 89, 44) == kScreenGreen;
    });
    ASSERT_FALSE(shot.isNull()) << "import could not take a screenshot";
    // Frame lines on the square's bottom row and right column, just outside its top and left.
    const std::tuple<int, int, QRgb, const char*> kChecks[] = {
        {89, 44, kScreenGreen, "top-left pixel of the screen square"},
        {247, 202, kScreenGreen, "last pixel of the square inside the frame"},
        {248, 203, kFrameLine, "bottom-right corner under the frame lines Line4 and Line5"},
        {88, 100, kFrameLine, "frame line Line2 left of the square"},
        {150, 43, kFrameLine, "frame line Line3 above the square"},
    };
    for (const auto& [px, py, colour, what] : kChecks)
        EXPECT_EQ(QColor(pixelAt(shot, px, py)).name(), QColor(colour).name())
            << what << " at client (" << px << ", " << py << ")";
}

} // namespace
