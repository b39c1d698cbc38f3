// The sample tool folder's real scripts with the host compiler, as the console sees them.
#include "build_fixture.h"
#include "editor/file_tabs.h"
#include "platform/file_ops.h"
#include "platform/line_number_gutter.h"
#include "project/project_commands.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>

namespace tarvo::testing {
namespace {

const QString kTemplateDir = QStringLiteral(TARVO_SOURCE_DIR "/sample/SDK/Template");
constexpr int kBuildLimitMs = 60000;

QString run(QProcess& p, const QString& program, const QStringList& args) {
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    EXPECT_TRUE(p.waitForFinished(kBuildLimitMs));
    return QString::fromUtf8(p.readAll());
}

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
        // The tool folder is the workspace root, beside the IDE.ini the scripts read.
        m_tools = folder(QStringLiteral("workspace"));
        for (const QFileInfo& f :
             QDir(QStringLiteral(TARVO_SOURCE_DIR "/sample/tools")).entryInfoList(QDir::Files))
            ASSERT_TRUE(QFile::copy(f.filePath(), m_tools + f.fileName()));
        writeFile(m_tools + QStringLiteral("IDE.ini"),
                  QStringLiteral("IniPath,\"%1\"\r\nSDKProjectPath,\"%2\"\r\n")
                      .arg(m_tools, m_sdk)
                      .toUtf8());
        m_project = folder(QStringLiteral("My Projects/Clock"));
        ASSERT_TRUE(FileOps::CopyFolder(kTemplateDir, m_project));
        settings().IniPath = m_tools;
        form->context().project.ProjectPath = m_project;
    }
    void build(void (BuildCommands::*command)()) {
        (form->buildCommands().*command)();
        ASSERT_TRUE(polling());
        ASSERT_TRUE(waitUntilPollingStops(kBuildLimitMs)) << "the build wrote no output";
    }

    // The project folder's blank reaches the scripts inside one argument.
    SystemProgramStarter m_system{dialogs, [] { return CommandSubstitutes{}; }};
    QString m_tools, m_project;
};

// The edit-build-fix loop as a user goes through it: the error's line is
// reached from the console, the fix is typed in the pane, and the next build
// saves it first.
TEST_F(BuildEndToEndTest, FromTheCompilerErrorToItsMarkedLineAndAFixSavedBeforeBuilding) {
    const QByteArray goodMain = readFile(m_project + QStringLiteral("main.c"));
    const int line = int(goodMain.count('\n')) + 1; // a missing ';' appended
    writeFile(m_project + QStringLiteral("main.c"), goodMain + "int Broken(void) { return 1 }\n");
    settings().LoadCode = QStringLiteral("TRUE");
    form->show();
    form->projectCommands().openProject(m_project + QStringLiteral("main.c"));
    ui().Console->setCurrentIndex(1);
    build(&BuildCommands::Command10_Click);
    EXPECT_EQ(ui().Console->currentIndex(), 0); // the errors to the front
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
    EXPECT_EQ(readFile(m_project + QStringLiteral("main.c")), goodMain);
    EXPECT_EQ(readFile(m_sdk + QStringLiteral("Err.txt")), "");
    EXPECT_TRUE(console2().contains(QStringLiteral("Build succeeded"))) << console2().toStdString();
    EXPECT_TRUE(console2().contains(QStringLiteral("-g -O0"))) << console2().toStdString();
    EXPECT_TRUE(main->gutter()->markersOn(line - 1).isEmpty());
    // Nothing half-written is left behind.
    EXPECT_EQ(QDir(m_sdk).entryList(QDir::Files), (QStringList{"Err.txt", "Out.txt"}));
}

// Debug and release from scratch, then loaded. The folders differ only in blanks:
// "p  q" split at blanks and joined again would wipe "p q", whose objects the
// built project's obj folder links to; the link goes, not what it points to.
TEST_F(BuildEndToEndTest, BuildAllCompilesBothConfigurationsOfOnlyTheOpenProject) {
    const QString built = folder(QStringLiteral("p  q"));
    const QString neighbour = folder(QStringLiteral("p q"));
    for (const QString& p : {built, neighbour})
        ASSERT_TRUE(FileOps::CopyFolder(kTemplateDir, p));
    writeFile(neighbour + QStringLiteral("obj/debug/stale.o"), "");
    ASSERT_TRUE(QFile::link(neighbour + QStringLiteral("obj"), built + QStringLiteral("obj")));
    form->context().project.ProjectPath = built;
    build(&BuildCommands::Command9_Click);
    EXPECT_EQ(console1(), QString());
    for (const char* flags : {"-g -O0", "-O2"})
        EXPECT_TRUE(console2().contains(QLatin1String(flags))) << console2().toStdString();
    const auto entries = [](const QString& dir) {
        return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    };
    EXPECT_FALSE(QFileInfo(built + QStringLiteral("obj")).isSymLink());
    EXPECT_EQ(entries(built + QStringLiteral("obj")), (QStringList{"debug", "release"}));
    EXPECT_EQ(entries(built + QStringLiteral("obj/debug")), QStringList{"main.o"});
    EXPECT_EQ(entries(built + QStringLiteral("obj/release")), QStringList{"main.o"});
    EXPECT_EQ(entries(neighbour + QStringLiteral("obj/debug")), QStringList{"stale.o"});
    QProcess load;
    EXPECT_TRUE(run(load, QStringLiteral("/bin/sh"), {m_tools + "makeload.bat", built})
                    .contains(QStringLiteral("(obj/debug/main.o obj/release/main.o)")));
    EXPECT_EQ(load.exitCode(), 0);
}

TEST(SampleTools, ScriptsPassShellcheck) {
    const QString shellcheck = QStandardPaths::findExecutable(QStringLiteral("shellcheck"));
    if (shellcheck.isEmpty())
        GTEST_SKIP() << "shellcheck is not installed (scripts/test-all.sh installs it)";
    QStringList files{QStringLiteral("-x")};
    for (const char* folder : {"/sample/tools", "/scripts", "/scripts/lib"}) {
        const QDir dir(QStringLiteral(TARVO_SOURCE_DIR) + QLatin1String(folder));
        for (const QString& name : dir.entryList({"*.bat", "*.sh"}, QDir::Files))
            files << dir.filePath(name);
    }
    QProcess p;
    const QString said = run(p, shellcheck, files);
    EXPECT_EQ(p.exitCode(), 0) << said.toStdString();
}

} // namespace
} // namespace tarvo::testing
