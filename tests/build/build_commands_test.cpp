#include "build/batch_editing.h"
#include "build_fixture.h"
#include "project/outside_changes.h"
#include "project/project_commands.h"

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
    {"MakeDebug", &Controls::Command10, &BuildCommands::Command10_Click, "makedebug.bat",
     WindowStyle::Hidden, true},
    {"MakeRelease", &Controls::Command6, &BuildCommands::Command6_Click, "makerelease.bat",
     WindowStyle::Hidden, true},
    {"MakeLoadDebug", &Controls::Command9, &BuildCommands::Command9_Click, "makeall.bat",
     WindowStyle::MinimizedNoFocus, true},
    {"LoadToEmulator", &Controls::Command7, &BuildCommands::Command7_Click, "makeload.bat",
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

TEST_P(BuildCommandsTest, StartsTheBatchFileWithTheProjectFolderAndPollsWhenItCompiles) {
    const BuildRow& row = GetParam();
    const QString tools = QStringLiteral("/opt/tarvo tools/") + QLatin1String(row.batchFile);
    writeFile(m_sdk + QStringLiteral("Err.txt"), "old errors");
    writeFile(m_sdk + QStringLiteral("Out.txt"), "old output");
    ui().ConsoleText1->setText(QStringLiteral("previous errors"));
    ui().ConsoleText2->setText(QStringLiteral("previous output"));
    // No project yet: an empty folder, which the starter leaves out.
    (form->buildCommands().*row.handler)();
    EXPECT_EQ(QFileInfo::exists(m_sdk + QStringLiteral("Err.txt")), !row.compiles);
    EXPECT_TRUE(QFileInfo::exists(m_sdk + QStringLiteral("Out.txt")));
    EXPECT_EQ(polling(), row.compiles);
    EXPECT_EQ(console1(), row.compiles ? kCompiling : QStringLiteral("previous errors"));
    EXPECT_EQ(console2(), row.compiles ? kCompiling : QStringLiteral("previous output"));
    // The menu item works while the button is still disabled.
    (ui().*row.button)->setEnabled(false);
    ctx().project.ProjectPath = QStringLiteral("/home/me/My Projects/Clock/");
    form->action(QLatin1String(row.menuItem))->trigger();
    EXPECT_EQ(starter.commands(),
              (QList<ProgramCommand>{commandFromPath(tools, {""}),
                                     commandFromPath(tools, {ctx().project.ProjectPath})}));
    for (const auto& started : starter.started)
        EXPECT_EQ(started.style, row.style);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_P(BuildCommandsTest, UnsavedChangesAreSavedFirstOrNothingStarts) {
    const BuildRow& row = GetParam();
    const QString project = folder(QStringLiteral("Clock"));
    const QString resource = project + QStringLiteral("res/resource.txt");
    ctx().project.ProjectPath = project;
    (ui().*row.button)->setEnabled(true);
    const struct {
        const char* answers; // "": no question expected
        bool edited, changedOnDisk, starts;
        const char* onDisk; // resource.txt afterwards
    } cases[] = {
        {"", false, false, true, "form"},
        {"Save", true, false, true, "Xform"},
        {"Save|Skip", true, true, false, "theirs"}, // a file left unwritten
        {"Save|Cancel", true, true, false, "theirs"},
        {"Build Without Saving", true, false, true, "form"},
        {"Cancel", true, false, false, "form"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers);
        writeFile(resource, "form");
        ASSERT_TRUE(ui().Text1->loadFile(resource));
        form->projectCommands().outsideChanges().projectLoaded({});
        if (c.edited)
            ui().Text1->setSelText(QStringLiteral("X"));
        if (c.changedOnDisk)
            writeFile(resource, "theirs");
        writeFile(m_sdk + QStringLiteral("Err.txt"), "old errors");
        starter.started.clear();
        dialogs.shown.clear();
        dialogs.askAnswers = QString::fromLatin1(c.answers).split('|', Qt::SkipEmptyParts);
        if (c.edited)
            form->action(QLatin1String(row.menuItem))->trigger();
        else
            (ui().*row.button)->click(); // enabled as with a project open
        EXPECT_EQ(starter.started.size(), c.starts ? 1 : 0);
        EXPECT_EQ(QFileInfo::exists(m_sdk + QStringLiteral("Err.txt")),
                  !(c.starts && row.compiles));
        EXPECT_EQ(readFile(resource), c.onDisk);
        const QList<ScriptedDialogs::Shown> asked = dialogs.questions();
        ASSERT_EQ(asked.size(), (c.edited ? 1 : 0) + (c.changedOnDisk ? 1 : 0));
        if (!c.edited)
            continue;
        EXPECT_EQ(asked[0].text, QStringLiteral("Save changes before building?"));
        EXPECT_EQ(asked[0].extra, QStringLiteral("Save|Build Without Saving|Cancel"));
        EXPECT_EQ(asked[0].defaultButton, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(AllBuilds, BuildCommandsTest, ::testing::ValuesIn(kBuildRows),
                         [](const auto& info) { return std::string(info.param.menuItem); });

using BuildFailureTest = BuildCommandsTest;

TEST_F(BuildFailureTest, BuildThatCannotStartDoesNotWaitForever) {
    starter.failNext = true;
    ctx().project.ProjectPath = QStringLiteral("/p q/");
    form->buildCommands().Command10_Click();
    EXPECT_FALSE(polling());
    const QString expected = QStringLiteral(
        "The build could not be started: \"/opt/tarvo tools/makedebug.bat\" \"/p q/\"");
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

// The full folders are run for real in tests/app/start_arguments_test.cpp.
TEST_F(BuildTest, BatchFileItemsTakeBareNamesWithoutAToolFolder) {
    const std::pair<const char*, const char*> rows[] = {{"CenterEmulator", "centeremu.bat"},
                                                        {"MakeDebugBat", "makedebug.bat"},
                                                        {"MakeReleaseBat", "makerelease.bat"},
                                                        {"MakeLoadBat", "makeload.bat"},
                                                        {"MakeAll", "makeall.bat"},
                                                        {"LoadEditor", "loadeditor.bat"}};
    for (const auto& [menuItem, file] : rows) {
        SCOPED_TRACE(menuItem);
        starter.started.clear();
        QAction* item = form->action(QLatin1String(menuItem));
        EXPECT_TRUE(item->isEnabled());
        item->trigger();
        ASSERT_EQ(starter.started.size(), 1);
        EXPECT_EQ(starter.started[0].command, menuItem == rows[0].first
                                                  ? commandFromPath(QLatin1String(file))
                                                  : commandFromSetting(kNotepad, {file}));
        EXPECT_FALSE(polling());
    }
}

} // namespace
} // namespace tarvo::testing
