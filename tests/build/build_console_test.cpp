#include "build_fixture.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QTest>

namespace tarvo::testing {
namespace {

QString dots(int n) {
    return QStringLiteral(" .").repeated(n);
}

class BuildConsoleTest : public BuildTest {
protected:
    void SetUp() override {
        BuildTest::SetUp();
        m_sdk = folder(QStringLiteral("SDK"));
        settings().SDKProjectPath = m_sdk;
        ctx().project.ProjectPath = folder(QStringLiteral("Clock"));
        form->buildCommands().Command10_Click();
        ASSERT_TRUE(polling());
    }
    void poll(int times = 1) {
        for (int i = 0; i < times; ++i)
            form->buildConsole().Timer1_Timer();
    }
    void writeErr(const QByteArray& bytes) { writeFile(m_sdk + QStringLiteral("Err.txt"), bytes); }
    void writeOut(const QByteArray& bytes) { writeFile(m_sdk + QStringLiteral("Out.txt"), bytes); }

    QString m_sdk;
};

TEST_F(BuildConsoleTest, FailedPollsAppendDotGroupsOutOfSightOnceTheLineFillsThePane) {
    poll(10);
    EXPECT_EQ(console1(), kCompiling + dots(10));
    EXPECT_EQ(console2(), kCompiling + dots(10));
    poll(990);
    EXPECT_TRUE(polling());
    for (ConsolePane* pane : {ui().ConsoleText1, ui().ConsoleText2}) {
        EXPECT_EQ(pane->text(), kCompiling + dots(1000));
        EXPECT_EQ(pane->textLength(), kCompiling.size() + 2000);
        // The document holds what the pane can show; the rest is counted.
        const int shown = pane->textLength() - pane->keptLength();
        EXPECT_GT(shown, pane->width() / pane->fontMetrics().horizontalAdvance(' ') - 2);
        EXPECT_LE(shown, pane->width() / pane->fontMetrics().horizontalAdvance(' ') + 1);
        EXPECT_EQ(pane->document()->toPlainText(), pane->text().left(shown));
    }
    // A line break brings the counted dots into the document first.
    form->buildConsole().StopWaiting_Click();
    EXPECT_EQ(ui().ConsoleText2->keptLength(), 0);
    EXPECT_EQ(ui().ConsoleText2->document()->toPlainText(), console2().replace("\r\n", "\n"));
    EXPECT_TRUE(console2().startsWith(kCompiling + dots(1000) + QStringLiteral("\r\nStopped")));
}

TEST_F(BuildConsoleTest, EscapeOrStopWaitingEndsPollingAndSaysSoOnlyWhileWaiting) {
    const QString said = QStringLiteral("\r\nStopped waiting for the build's Err.txt and Out.txt.");
    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way);
        form->buildCommands().Command10_Click();
        poll(3);
        ConsolePane* pane = way == 0 ? ui().ConsoleText1 : ui().ConsoleText2;
        std::unique_ptr<QMenu> menu(pane->createContextMenu({}));
        QAction* stop = menu->findChild<QAction*>(QStringLiteral("StopWaiting"));
        ASSERT_TRUE(stop && stop->isEnabled());
        if (way == 0)
            QTest::keyClick(pane, Qt::Key_Escape);
        else
            stop->trigger();
        EXPECT_FALSE(polling());
        EXPECT_EQ(console1(), kCompiling + dots(3) + said);
        EXPECT_EQ(console2(), kCompiling + dots(3) + said);
        // Nothing is awaited any more: neither way adds a word.
        QTest::keyClick(pane, Qt::Key_Escape);
        menu.reset(pane->createContextMenu({}));
        EXPECT_FALSE(menu->findChild<QAction*>(QStringLiteral("StopWaiting"))->isEnabled());
        EXPECT_EQ(console1(), kCompiling + dots(3) + said);
    }
}

TEST_F(BuildConsoleTest, TicksShowTheFilesWithTheErrorsTabInFrontOnlyWhenErrTxtHasText) {
    for (const char* errors : {"main.c:1:1: error: e\n", ""}) {
        SCOPED_TRACE(errors);
        form->buildCommands().Command10_Click();
        ui().Console->setCurrentIndex(1);
        writeErr(errors);
        writeOut("o");
        EXPECT_TRUE(waitUntilPollingStops(5000)); // the timer's ticks, as in the IDE
        EXPECT_EQ(console2(), QStringLiteral("o"));
        EXPECT_EQ(ui().Console->currentIndex(), *errors ? 0 : 1);
    }
}

// Either file alone keeps the polling going, Err.txt reloaded on each tick.
TEST_F(BuildConsoleTest, PollingStopsOnlyWhenBothFilesAreThere) {
    writeOut("left by the build before"); // the build deletes only Err.txt
    poll(2);
    EXPECT_TRUE(polling());
    EXPECT_EQ(console2(), kCompiling + dots(2));
    QFile::remove(m_sdk + QStringLiteral("Out.txt"));
    writeErr("main.c:3:1: error: expected ';'\r\n");
    for (int i = 3; i <= 4; ++i) {
        poll(1);
        EXPECT_EQ(console1(), QStringLiteral("main.c:3:1: error: expected ';'\r\n ."));
        EXPECT_EQ(console2(), kCompiling + dots(i));
        EXPECT_TRUE(polling());
    }
    writeErr("main.c:7:5: error: 'x' undeclared\n");
    writeOut("cc -c main.c\nBuild failed\n");
    poll(1);
    EXPECT_FALSE(polling());
    EXPECT_EQ(console1(), QStringLiteral("main.c:7:5: error: 'x' undeclared\r\n"));
    EXPECT_EQ(console2(), QStringLiteral("cc -c main.c\r\nBuild failed\r\n"));
}

TEST_F(BuildConsoleTest, LoadBuildLeavesConsoleAndTimerAlone) {
    poll(2);
    form->buildCommands().Command7_Click();
    EXPECT_TRUE(polling());
    EXPECT_EQ(console1(), kCompiling + dots(2));
    writeErr("done");
    writeOut("done");
    poll(1);
    ASSERT_FALSE(polling());
    form->buildCommands().Command7_Click();
    EXPECT_FALSE(polling());
    EXPECT_EQ(console1(), QStringLiteral("done"));
    EXPECT_EQ(console2(), QStringLiteral("done"));
}

} // namespace
} // namespace tarvo::testing
