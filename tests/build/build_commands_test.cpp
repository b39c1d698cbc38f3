#include "build/batch_editing.h"
#include "build_fixture.h"

#include <QAction>
#include <QPushButton>

namespace tarvo::testing {
namespace {

struct BuildRow {
    const char* menuItem;
    QPushButton* Controls::*button;
    void (BuildCommands::*handler)();
    const char* batchFile;
    WindowStyle style;
    bool compiles;
};

const BuildRow kBuildRows[] = {
    {"MakeDebug", &Controls::Command10, &BuildCommands::Command10_Click, "makedebug.bat ",
     WindowStyle::Hidden, true},
    {"MakeRelease", &Controls::Command6, &BuildCommands::Command6_Click, "makerelease.bat ",
     WindowStyle::Hidden, true},
    {"MakeLoadDebug", &Controls::Command9, &BuildCommands::Command9_Click, "makeall.bat ",
     WindowStyle::MinimizedNoFocus, true},
    {"LoadToEmulator", &Controls::Command7, &BuildCommands::Command7_Click, "makeload.bat ",
     WindowStyle::MinimizedNoFocus, false},
};

class BuildCommandsTest : public BuildTest, public ::testing::WithParamInterface<BuildRow> {
protected:
    void SetUp() override {
        BuildTest::SetUp();
        m_sdk = folder(QStringLiteral("SDK"));
        settings().IniPath = QStringLiteral("/opt/tarvo tools/");
        settings().SDKProjectPath = m_sdk;
    }
    QString m_sdk;
};

TEST_P(BuildCommandsTest, StartsTheBatchFileWithTheProjectFolderUnquoted) {
    const BuildRow& row = GetParam();
    const QString tools = QStringLiteral("/opt/tarvo tools/") + QLatin1String(row.batchFile);
    // No project yet: the command line ends in the batch file's blank.
    (form->buildCommands().*row.handler)();
    // The menu item works while the button is still disabled.
    (ui().*row.button)->setEnabled(false);
    ctx().project.ProjectPath = QStringLiteral("/home/me/My Projects/Clock/");
    form->action(QLatin1String(row.menuItem))->trigger();
    EXPECT_EQ(starter.commandLines(),
              QStringList({tools, tools + QStringLiteral("/home/me/My Projects/Clock/")}));
    for (const auto& started : starter.started)
        EXPECT_EQ(started.style, row.style);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_P(BuildCommandsTest, CompilingBuildsDeleteErrTxtPrepareTheConsoleAndPoll) {
    const BuildRow& row = GetParam();
    writeFile(m_sdk + QStringLiteral("Err.txt"), "old errors");
    writeFile(m_sdk + QStringLiteral("Out.txt"), "old output");
    ui().ConsoleText1->setText(QStringLiteral("previous errors"));
    ui().ConsoleText2->setText(QStringLiteral("previous output"));
    (form->buildCommands().*row.handler)();
    EXPECT_EQ(QFileInfo::exists(m_sdk + QStringLiteral("Err.txt")), !row.compiles);
    EXPECT_TRUE(QFileInfo::exists(m_sdk + QStringLiteral("Out.txt")));
    EXPECT_EQ(polling(), row.compiles);
    EXPECT_EQ(console1(), row.compiles ? kCompiling : QStringLiteral("previous errors"));
    EXPECT_EQ(console2(), row.compiles ? kCompiling : QStringLiteral("previous output"));
}

INSTANTIATE_TEST_SUITE_P(AllBuilds, BuildCommandsTest, ::testing::ValuesIn(kBuildRows),
                         [](const auto& info) { return std::string(info.param.menuItem); });

using BuildFailureTest = BuildCommandsTest;

TEST_F(BuildFailureTest, BuildThatCannotStartDoesNotWaitForever) {
    starter.failNext = true;
    form->buildCommands().Command10_Click();
    EXPECT_FALSE(polling());
    const QString expected =
        QStringLiteral("The build could not be started: /opt/tarvo tools/makedebug.bat ");
    EXPECT_EQ(console1(), expected);
    EXPECT_EQ(console2(), expected);
}

TEST_F(BuildFailureTest, UndeletableErrorFileStopsTheBuild) {
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
    form->buildCommands().Command10_Click();
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(starter.started.isEmpty());
    EXPECT_FALSE(polling());
    EXPECT_EQ(console1(), QStringLiteral("previous errors"));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].contains(locked + QStringLiteral("Err.txt")));
}

TEST_F(BuildTest, BatchFileItemsOpenThePlainEditorOrRunTheEmulatorScript) {
    const struct {
        const char* menuItem;
        const char* editedFile; // nullptr: the item runs centeremu.bat itself
    } rows[] = {
        {"CenterEmulator", nullptr},
        {"MakeDebugBat", "makedebug.bat"},
        {"MakeReleaseBat", "makerelease.bat"},
        {"MakeLoadBat", "makeload.bat"},
        {"MakeAll", "makeall.bat"},
        {"LoadEditor", "loadeditor.bat"},
    };
    settings().PreferedTextEditor = QStringLiteral("kate"); // not used for these
    for (const auto& row : rows) {
        for (const QString& iniPath : {QStringLiteral("/opt/tarvo tools/"), QString()}) {
            SCOPED_TRACE(row.menuItem);
            starter.started.clear();
            settings().IniPath = iniPath;
            QAction* item = form->action(QLatin1String(row.menuItem));
            EXPECT_TRUE(item->isEnabled());
            item->trigger();
            ASSERT_EQ(starter.started.size(), 1);
            if (row.editedFile) {
                EXPECT_EQ(starter.started[0].commandLine,
                          QStringLiteral("C:\\WINDOWS\\Notepad.exe ") + iniPath +
                              QLatin1String(row.editedFile));
                EXPECT_EQ(starter.started[0].style, WindowStyle::NormalNoFocus);
            } else {
                EXPECT_EQ(starter.started[0].commandLine,
                          iniPath + QStringLiteral("centeremu.bat"));
                EXPECT_EQ(starter.started[0].style, WindowStyle::Hidden);
            }
            EXPECT_FALSE(polling());
        }
    }
}

} // namespace
} // namespace tarvo::testing
