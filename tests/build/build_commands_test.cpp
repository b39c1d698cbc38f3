#include "build/build_commands.h"
#include "test_form.h"

#include <QAction>
#include <QFileInfo>
#include <QPushButton>

namespace tarvo::testing {
namespace {

const QString kCompiling = QStringLiteral("Compiling.  Please wait.");

struct BuildRow {
    const char* name;
    void (BuildCommands::*handler)();
    QPushButton* Controls::*button;
    const char* menuItem;
    const char* batchFile;
    WindowStyle style;
    bool compiles;
};

void PrintTo(const BuildRow& row, std::ostream* os) {
    *os << row.name;
}

const BuildRow kBuildRows[] = {
    {"debug", &BuildCommands::Command10_Click, &Controls::Command10, "MakeDebug", "makedebug.bat ",
     WindowStyle::Hidden, true},
    {"release", &BuildCommands::Command6_Click, &Controls::Command6, "MakeRelease",
     "makerelease.bat ", WindowStyle::Hidden, true},
    {"all", &BuildCommands::Command9_Click, &Controls::Command9, "MakeLoadDebug", "makeall.bat ",
     WindowStyle::MinimizedNoFocus, true},
    {"load", &BuildCommands::Command7_Click, &Controls::Command7, "LoadToEmulator", "makeload.bat ",
     WindowStyle::MinimizedNoFocus, false},
};

class BuildCommandsTest : public FormTest, public ::testing::WithParamInterface<BuildRow> {
protected:
    void SetUp() override {
        FormTest::SetUp();
        m_sdk = folder(QStringLiteral("SDK"));
        settings().IniPath = QStringLiteral("/opt/tarvo tools/");
        settings().SDKProjectPath = m_sdk;
    }
    void run() { (m_form->buildCommands().*GetParam().handler)(); }

    QString m_sdk;
};

TEST_P(BuildCommandsTest, StartsTheBatchFileWithTheProjectFolderUnquoted) {
    const BuildRow& row = GetParam();
    const struct {
        QString projectPath;
        QString expected;
    } cases[] = {
        // No project yet: the command line ends in the batch file's blank.
        {QString(), QStringLiteral("/opt/tarvo tools/") + QLatin1String(row.batchFile)},
        {QStringLiteral("/home/me/My Projects/Clock/"),
         QStringLiteral("/opt/tarvo tools/") + QLatin1String(row.batchFile) +
             QStringLiteral("/home/me/My Projects/Clock/")},
    };
    for (const auto& c : cases) {
        m_starter.started.clear();
        m_form->context().project.ProjectPath = c.projectPath;
        run();
        ASSERT_EQ(m_starter.started.size(), 1);
        EXPECT_EQ(m_starter.started[0].commandLine, c.expected);
        EXPECT_EQ(m_starter.started[0].style, row.style);
    }
}

TEST_P(BuildCommandsTest, CompilingBuildsPrepareTheConsoleAndPoll) {
    const BuildRow& row = GetParam();
    writeFile(m_sdk + QStringLiteral("Err.txt"), "old errors");
    writeFile(m_sdk + QStringLiteral("Out.txt"), "old output");
    ui().ConsoleText1->setText(QStringLiteral("previous errors"));
    ui().ConsoleText2->setText(QStringLiteral("previous output"));

    run();

    EXPECT_EQ(QFileInfo::exists(m_sdk + QStringLiteral("Err.txt")), !row.compiles);
    EXPECT_TRUE(QFileInfo::exists(m_sdk + QStringLiteral("Out.txt")));
    EXPECT_EQ(polling(), row.compiles);
    EXPECT_EQ(console1(), row.compiles ? kCompiling : QStringLiteral("previous errors"));
    EXPECT_EQ(console2(), row.compiles ? kCompiling : QStringLiteral("previous output"));
}

TEST_P(BuildCommandsTest, MenuItemRunsTheButtonsHandler) {
    const BuildRow& row = GetParam();
    // Before a project is open the button is disabled; its menu item is not.
    (ui().*row.button)->setEnabled(false);
    m_form->context().project.ProjectPath = QStringLiteral("/p/");
    QAction* item = m_form->action(QLatin1String(row.menuItem));
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_EQ(m_starter.commandLines(),
              QStringList{QStringLiteral("/opt/tarvo tools/") + QLatin1String(row.batchFile) +
                          QStringLiteral("/p/")});
    EXPECT_EQ(polling(), row.compiles);
}

INSTANTIATE_TEST_SUITE_P(AllBuilds, BuildCommandsTest, ::testing::ValuesIn(kBuildRows),
                         [](const auto& info) { return std::string(info.param.name); });

using BuildFailureTest = BuildCommandsTest;

TEST_F(BuildFailureTest, MissingErrorFileIsNoObstacle) {
    m_form->buildCommands().Command10_Click();
    EXPECT_EQ(m_starter.started.size(), 1);
    EXPECT_TRUE(polling());
    EXPECT_TRUE(m_dialogs.shown.isEmpty());
}

TEST_F(BuildFailureTest, SecondBuildWhilePollingKeepsTheTimerRunning) {
    m_form->buildCommands().Command10_Click();
    writeFile(m_sdk + QStringLiteral("Err.txt"), "first build");
    m_form->buildCommands().Command6_Click();
    EXPECT_FALSE(QFileInfo::exists(m_sdk + QStringLiteral("Err.txt")));
    EXPECT_EQ(console1(), kCompiling);
    EXPECT_TRUE(polling());
    EXPECT_EQ(m_starter.started.size(), 2);
}

TEST_F(BuildFailureTest, BuildThatCannotStartDoesNotWaitForever) {
    m_starter.failNext = true;
    m_form->buildCommands().Command10_Click();
    EXPECT_FALSE(polling());
    const QString expected =
        QStringLiteral("The build could not be started: /opt/tarvo tools/makedebug.bat ");
    EXPECT_EQ(console1(), expected);
    EXPECT_EQ(console2(), expected);
}

TEST_F(BuildFailureTest, UndeletableErrorFileStopsTheBuild) {
    // An Err.txt in a folder without write permission cannot be deleted
    // (except by a user whom permissions do not bind).
    const QString locked = folder(QStringLiteral("locked"));
    writeFile(locked + QStringLiteral("Err.txt"), "old errors");
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    QFile probe(locked + QStringLiteral("probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    settings().SDKProjectPath = locked;
    ui().ConsoleText1->setText(QStringLiteral("previous errors"));

    m_form->buildCommands().Command10_Click();

    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(m_starter.started.isEmpty());
    EXPECT_FALSE(polling());
    EXPECT_EQ(console1(), QStringLiteral("previous errors"));
    ASSERT_EQ(m_dialogs.messages().size(), 1);
    EXPECT_TRUE(m_dialogs.messages()[0].contains(locked + QStringLiteral("Err.txt")));
}

} // namespace
} // namespace tarvo::testing
