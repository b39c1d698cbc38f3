#include "build_fixture.h"

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

TEST_F(BuildConsoleTest, TenFailedPollsShowTenDotGroupsInBothPanes) {
    poll(10);
    EXPECT_EQ(console1(), kCompiling + dots(10));
    EXPECT_EQ(console2(), kCompiling + dots(10));
    EXPECT_TRUE(polling());
}

TEST_F(BuildConsoleTest, ErrorFileAloneKeepsPollingAndIsReloadedEachTime) {
    poll(2);
    writeErr("main.c:3:1: error: expected ';'\r\n");
    for (int i = 3; i <= 4; ++i) {
        poll(1);
        EXPECT_EQ(console1(), QStringLiteral("main.c:3:1: error: expected ';'\r\n ."));
        EXPECT_EQ(console2(), kCompiling + dots(i));
        EXPECT_TRUE(polling());
    }
}

TEST_F(BuildConsoleTest, BothFilesStopThePolling) {
    poll(3);
    writeOut("cc -c main.c\nBuild failed\n");
    poll(1);
    EXPECT_TRUE(polling());
    writeErr("main.c:7:5: error: 'x' undeclared\n");
    poll(1);
    EXPECT_FALSE(polling());
    EXPECT_EQ(console1(), QStringLiteral("main.c:7:5: error: 'x' undeclared\r\n"));
    EXPECT_EQ(console2(), QStringLiteral("cc -c main.c\r\nBuild failed\r\n"));
}

TEST_F(BuildConsoleTest, StaleOutputStopsAsSoonAsTheErrorFileExists) {
    // Left by an earlier build: the build command deletes only Err.txt.
    writeOut("output of the earlier build");
    form->buildCommands().Command10_Click();
    poll(2);
    EXPECT_TRUE(polling());
    writeErr("");
    poll(1);
    EXPECT_FALSE(polling());
    EXPECT_EQ(console1(), QString());
    EXPECT_EQ(console2(), QStringLiteral("output of the earlier build"));
}

TEST_F(BuildConsoleTest, TimerTicksDriveThePoll) {
    writeErr("e");
    writeOut("o");
    EXPECT_TRUE(waitUntilPollingStops(5000));
    EXPECT_EQ(console1(), QStringLiteral("e"));
    EXPECT_EQ(console2(), QStringLiteral("o"));
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
