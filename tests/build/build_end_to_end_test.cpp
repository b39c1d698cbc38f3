// Runs the sample workspace's real build scripts with the host compiler and
// watches the console pick up what they write.
#include "build_fixture.h"
#include "editor/file_tabs.h"
#include "platform/file_ops.h"
#include "platform/line_number_gutter.h"
#include "project/project_commands.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

namespace tarvo::testing {
namespace {

const QString kToolsDir = QStringLiteral(TARVO_SOURCE_DIR "/sample/tools");
const QString kTemplateDir = QStringLiteral(TARVO_SOURCE_DIR "/sample/SDK/Template");
constexpr int kBuildLimitMs = 60000;

class BuildEndToEndTest : public BuildTest {
protected:
    void SetUp() override {
#ifdef Q_OS_WIN
        GTEST_SKIP() << "the sample scripts are POSIX shell";
#endif
        if (QStandardPaths::findExecutable(QStringLiteral("cc")).isEmpty())
            GTEST_SKIP() << "no C compiler (cc) on this system";
        BuildTest::SetUp();
        form->context().starter = &m_system;

        // The run script copies the tool folder into the workspace root, which
        // also holds the IDE.ini that the scripts read.
        m_workspace = folder(QStringLiteral("workspace"));
        for (const QFileInfo& f : QDir(kToolsDir).entryInfoList(QDir::Files))
            ASSERT_TRUE(QFile::copy(f.filePath(), m_workspace + f.fileName()));
        m_sdk = m_workspace + QStringLiteral("Output SDK/");
        writeFile(m_workspace + QStringLiteral("IDE.ini"),
                  QStringLiteral("IniPath,\"%1\"\r\nSDKProjectPath,\"%2\"\r\n")
                      .arg(m_workspace, m_sdk)
                      .toUtf8());

        m_project = folder(QStringLiteral("My Projects/Clock"));
        ASSERT_TRUE(FileOps::CopyFolder(kTemplateDir, m_project));
        QFile main(m_project + QStringLiteral("main.c"));
        ASSERT_TRUE(main.open(QIODevice::ReadOnly));
        m_goodMain = main.readAll();

        settings().IniPath = m_workspace;
        settings().SDKProjectPath = m_sdk;
        form->context().project.ProjectPath = m_project;
    }

    // Appends a function with a missing ';' and returns the line it is on.
    int breakMain() {
        const int line = int(m_goodMain.count('\n')) + 1;
        writeFile(m_project + QStringLiteral("main.c"),
                  m_goodMain + "int Broken(void) { return 1 }\n");
        return line;
    }

    void build(void (BuildCommands::*command)()) {
        (form->buildCommands().*command)();
        ASSERT_TRUE(polling());
        ASSERT_TRUE(waitUntilPollingStops(kBuildLimitMs)) << "the build wrote no output";
    }

    QString readSdkFile(const QString& name) {
        QFile f(m_sdk + name);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        return QString::fromUtf8(f.readAll());
    }

    // The project folder's blank reaches the scripts inside one argument.
    SystemProgramStarter m_system{dialogs, [] { return CommandSubstitutes{}; }};
    QString m_workspace, m_sdk, m_project;
    QByteArray m_goodMain;
};

// The edit-build-fix loop as a user goes through it: the error's line is
// reached from the console, the fix is typed in the pane, and the next build
// saves it first.
TEST_F(BuildEndToEndTest, FromTheCompilerErrorToItsMarkedLineAndAFixSavedBeforeBuilding) {
    const int line = breakMain();
    settings().LoadCode = QStringLiteral("TRUE");
    form->show();
    form->projectCommands().openProject(m_project + QStringLiteral("main.c"));
    build(&BuildCommands::Command10_Click);
    ConsolePane* errors = ui().ConsoleText1;
    const qsizetype at = errors->text().indexOf(QStringLiteral("main.c:%1:").arg(line));
    ASSERT_GE(at, 0) << errors->text().toStdString();
    errors->setSelStart(int(at + 3));
    QTest::mouseDClick(errors->viewport(), Qt::LeftButton, {}, errors->cursorRect().center());

    FileTabs& tabs = form->fileTabs();
    EXPECT_EQ(tabs.tabCaption(tabs.selectedTab()), QStringLiteral("main.c"));
    RichTextPane* main = tabs.paneOnView();
    EXPECT_EQ(main, tabs.paneOfTab(tabs.selectedTab()));
    EXPECT_EQ(main->lineFromChar(main->selStart()) + 1, line);
    EXPECT_EQ(main->selLength(), 0);
    EXPECT_FALSE(main->isModified());
    ASSERT_NE(main->gutter(), nullptr);
    const QList<LineMarker> marks = main->gutter()->markersOn(line - 1);
    ASSERT_EQ(marks.size(), 1);
    EXPECT_EQ(marks[0].kind, MarkerKind::Error);

    const int broken = int(main->text().indexOf(QStringLiteral("int Broken")));
    main->select(broken, main->textLength() - broken);
    main->setSelText(QString());
    form->action(QStringLiteral("MakeDebug"))->trigger(); // Save is the default answer
    ASSERT_TRUE(waitUntilPollingStops(kBuildLimitMs)) << "the build wrote no output";
    ASSERT_EQ(dialogs.questions().size(), 1);
    EXPECT_EQ(readFile(m_project + QStringLiteral("main.c")), m_goodMain);
    EXPECT_EQ(readSdkFile(QStringLiteral("Err.txt")), QString());
    EXPECT_TRUE(console2().contains(QStringLiteral("Build succeeded"))) << console2().toStdString();
    EXPECT_TRUE(console2().contains(QStringLiteral("-g -O0"))) << console2().toStdString();
    EXPECT_TRUE(main->gutter()->markersOn(line - 1).isEmpty());
    // Nothing half-written is left behind.
    EXPECT_EQ(QDir(m_sdk).entryList(QDir::Files), (QStringList{"Err.txt", "Out.txt"}));
}

TEST_F(BuildEndToEndTest, ReleaseAndBuildAllCompileTheirConfigurations) {
    const struct {
        const char* name;
        void (BuildCommands::*command)();
        QStringList objectFolders;
        const char* flags;
    } cases[] = {
        {"release", &BuildCommands::Command6_Click, {"release"}, "-O2"},
        {"all", &BuildCommands::Command9_Click, {"debug", "release"}, "-g -O0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(m_project + QStringLiteral("obj")).removeRecursively();
        build(c.command);
        EXPECT_EQ(console1(), QString());
        EXPECT_TRUE(console2().contains(QLatin1String(c.flags))) << console2().toStdString();
        EXPECT_EQ(
            QDir(m_project + QStringLiteral("obj")).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
            c.objectFolders);
        for (const QString& sub : c.objectFolders)
            EXPECT_TRUE(QFileInfo::exists(m_project + QStringLiteral("obj/") + sub +
                                          QStringLiteral("/main.o")));
    }
}

// The folders differ only in blanks: "p  q" split at blanks and joined again
// would rebuild, and wipe, "p q".
TEST_F(BuildEndToEndTest, BuildAllTouchesOnlyTheOpenProject) {
    const QString built = folder(QStringLiteral("p  q"));
    const QString neighbour = folder(QStringLiteral("p q"));
    for (const QString& p : {built, neighbour}) {
        ASSERT_TRUE(FileOps::CopyFolder(kTemplateDir, p));
        writeFile(p + QStringLiteral("obj/debug/stale.o"), "");
    }
    form->context().project.ProjectPath = built;
    build(&BuildCommands::Command9_Click);
    EXPECT_EQ(console1(), QString());
    EXPECT_EQ(QDir(built + QStringLiteral("obj/debug")).entryList(QDir::Files),
              QStringList{"main.o"});
    EXPECT_EQ(
        QDir(neighbour + QStringLiteral("obj")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        QStringList{"debug"});
    EXPECT_EQ(QDir(neighbour + QStringLiteral("obj/debug")).entryList(QDir::Files),
              QStringList{"stale.o"});
}

} // namespace
} // namespace tarvo::testing
