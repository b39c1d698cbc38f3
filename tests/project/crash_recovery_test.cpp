#include "editor/file_tabs.h"
#include "project/crash_recovery.h"
#include "project/project_commands.h"
#include "project/recovery_store.h"
#include "project_fixture.h"

#include <QDateTime>
#include <QLockFile>
#include <QTest>

namespace tarvo::testing {
namespace {

TEST(ChangedSpan, IsTheLeastEditAndNeverSplitsALineBreak) {
    const struct {
        QString from, to;
        int start, removed;
    } cases[] = {
        {"abc", "abc", 3, 0},         {"abc", "aXc", 1, 1},         {"", "new", 0, 0},
        {"a\r\nb", "a\nb", 1, 2}, // CR LF to LF: the whole break goes
        {"a\r\nb", "a\r\r\nb", 1, 2}, {"x\r\n", "x\r\n\r\n", 3, 0},
    };
    for (const auto& c : cases) {
        const TextSpan span = changedSpan(c.from, c.to);
        EXPECT_EQ(std::make_pair(span.start, span.removed), std::make_pair(c.start, c.removed))
            << c.to.toStdString();
        EXPECT_EQ(QString(c.from).replace(span.start, span.removed, span.inserted), c.to);
    }
}

TEST(RecoveryStore, OnlySessionsOfNoRunningIdeAndOfThisProjectAreOffered) {
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("My App"));
    const QString folder = projectRecoveryFolder(dir.path(), project + QLatin1Char('/'));
    EXPECT_EQ(folder, projectRecoveryFolder(dir.path(), project)); // however the path was typed
    EXPECT_TRUE(QFileInfo(folder).fileName().startsWith(QLatin1String("My_App-")));
    auto write = [&](const QString& name, const QString& projectPath) {
        ASSERT_TRUE(writeRecoverySession({folder + QLatin1Char('/') + name,
                                          projectPath,
                                          {{QStringLiteral("main.c"), "int \xc3\xa4;\r\n", 0},
                                           {QStringLiteral("../outside.c"), "no", 0}}}));
    };
    write(QStringLiteral("crashed"), project);
    write(QStringLiteral("running"), project);
    write(QStringLiteral("other"), dir.filePath(QStringLiteral("Other")));
    QLockFile running(folder + QStringLiteral("/running/lock"));
    ASSERT_TRUE(running.tryLock(0));

    const QList<RecoverySession> offered = orphanedSessions(folder, project);
    ASSERT_EQ(offered.size(), 1);
    EXPECT_EQ(offered[0].folder, folder + QStringLiteral("/crashed"));
    ASSERT_EQ(offered[0].files.size(), 1); // a name outside the project is never restored
    EXPECT_EQ(offered[0].files[0].name, QStringLiteral("main.c"));
    EXPECT_EQ(offered[0].files[0].text, "int \xc3\xa4;\r\n");
    EXPECT_TRUE(removeRecoverySession(offered[0].folder));
    EXPECT_TRUE(orphanedSessions(folder, project).isEmpty());
}

class CrashRecoveryTest : public ProjectTest {
protected:
    void SetUp() override {
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("state"))));
        qputenv("TARVO_RECOVERY_SETTLE_MS", "50");
        ProjectTest::SetUp();
        qunsetenv("TARVO_RECOVERY_SETTLE_MS");
        app = makeProject(QStringLiteral("App"));
        openProject(app);
        dialogs.shown.clear();
    }
    CrashRecovery& recovery() { return form->projectCommands().crashRecovery(); }
    QString app;
};

TEST_F(CrashRecoveryTest, UnsavedTextsAreKeptUntilSavedOrDiscarded) {
    RichTextPane* mainC = form->fileTabs().paneOfTab(4);
    replaceText(mainC, QStringLiteral("int edited;\r\n"));
    QTest::qWait(150); // an edit of a code pane waits for the interval
    EXPECT_FALSE(QFileInfo::exists(recovery().sessionFolder()));
    replaceText(ui().Text1, QStringLiteral("#FORM edited\r\n"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return readRecoverySession(recovery().sessionFolder()).files.size() == 2; }, 5000));
    const RecoverySession kept = readRecoverySession(recovery().sessionFolder());
    EXPECT_EQ(kept.files[0].name, QStringLiteral("res/resource.txt"));
    EXPECT_EQ(kept.files[1].text, "int edited;\r\n");

    ASSERT_TRUE(form->projectCommands().saveProject());
    EXPECT_FALSE(QFileInfo::exists(recovery().sessionFolder()));
    replaceText(mainC, QStringLiteral("again\r\n"));
    ASSERT_TRUE(recovery().update());
    EXPECT_TRUE(QFileInfo::exists(recovery().sessionFolder()));
    dialogs.saveAnswers << SaveAnswer::Discard;
    ASSERT_TRUE(form->projectCommands().confirmDiscardChanges());
    EXPECT_FALSE(QFileInfo::exists(recovery().sessionFolder()));
}

TEST_F(CrashRecoveryTest, ACrashedSessionIsOfferedWhenTheProjectIsOpenedAgain) {
    const struct {
        const char* answer;
        bool restored;
        bool dataKept;
    } cases[] = {{"Restore", true, false}, {"Discard", false, false}, {"Later", false, true}};
    QString crashed;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        const QString project = makeProject(QStringLiteral("App-") + c.answer);
        crashed = projectRecoveryFolder(recoveryRoot(), project) + "/crashed";
        touch(project + "/main.c", -60);
        ASSERT_TRUE(
            writeRecoverySession({crashed,
                                  project,
                                  {{"main.c", "int main(void)\r\n{\r\n    return 2;\r\n}\r\n", 0},
                                   {"new.c", "int fresh;\r\n", 0}}}));
        dialogs.saveAnswers = {SaveAnswer::Discard}; // the edits restored by the case before
        dialogs.askAnswers = QStringList{QString::fromLatin1(c.answer)};
        dialogs.shown.clear();
        openProject(project);

        ASSERT_EQ(dialogs.questions().size(), 1);
        EXPECT_EQ(dialogs.questions()[0].extra, QStringLiteral("Restore|Discard|Later"));
        EXPECT_EQ(dialogs.questions()[0].defaultButton, 0);
        EXPECT_EQ(form->fileTabs().paneOfTab(4)->text().contains("return 2;"), c.restored);
        EXPECT_EQ(tabTexts().contains(QStringLiteral("main.c*")), c.restored);
        EXPECT_EQ(tabTexts().contains(QStringLiteral("new.c*")), c.restored);
        EXPECT_EQ(QFileInfo::exists(crashed), c.dataKept);
        EXPECT_EQ(readRecoverySession(recovery().sessionFolder()).files.size(), c.restored ? 2 : 0);
    }
    // Data older than its file lost to a later save and is not offered.
    removeRecoverySession(crashed);
    const QString project = path(QStringLiteral("App-Later"));
    ASSERT_TRUE(writeRecoverySession({crashed, project, {{"main.c", "old", 0}}}));
    touch(project + "/main.c", 60);
    dialogs.shown.clear();
    openProject(project);
    EXPECT_TRUE(dialogs.questions().isEmpty());
}

} // namespace
} // namespace tarvo::testing
