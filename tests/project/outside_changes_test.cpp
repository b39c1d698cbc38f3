#include "designer/designer_state.h"
#include "platform/object_picture.h"
#include "project/crash_recovery.h"
#include "project/outside_changes.h"
#include "project/recovery_store.h"
#include "project_fixture.h"

#include <QScrollBar>
#include <QTabBar>
#include <QTest>

namespace tarvo::testing {
namespace {

class OutsideChangesTest : public ProjectTest {
protected:
    void SetUp() override {
        ProjectTest::SetUp();
        openProject(makeProject("App"));
        dialogs.shown.clear();
    }
    // Replaces the file by a rename, as editors and version control do.
    void replaceOnDisk(const QString& name, const QByteArray& bytes) {
        writeFile("App/.new", bytes);
        QFile::remove(path("App/" + name));
        ASSERT_TRUE(QFile::rename(path("App/.new"), path("App/" + name)));
    }
    void check() { project().outsideChanges().checkNow(); }
    bool waitFor(int tab, const QString& start) {
        return QTest::qWaitFor([&] { return pane(tab)->text().startsWith(start); }, 5000);
    }
};

TEST_F(OutsideChangesTest, AnUnchangedPaneFollowsItsFileKeepingCaretAndScroll) {
    QByteArray text;
    for (int i = 0; i < 200; ++i)
        text += "int line" + QByteArray::number(i) + ";\n";
    replaceOnDisk("util.h", text);
    ASSERT_TRUE(waitFor(7, "int line0;"));
    form->show();
    ui().TabStrip1->setCurrentIndex(6);
    pane(7)->select(40, 3);
    pane(7)->verticalScrollBar()->setValue(50);
    // Seen again after a rename and after a write in place: the watch follows the file.
    replaceOnDisk("util.h", "// first\n" + text);
    ASSERT_TRUE(waitFor(7, "// first"));
    EXPECT_EQ(QString("%1 %2 %3")
                  .arg(pane(7)->selStart())
                  .arg(pane(7)->selLength())
                  .arg(pane(7)->verticalScrollBar()->value()),
              "40 3 50");
    EXPECT_FALSE(pane(7)->isModified());
    writeFile("App/util.h", "// second\n" + text);
    ASSERT_TRUE(waitFor(7, "// second"));
    // A look asked for while a question is open comes once it is answered.
    project().outsideChanges().withoutChecks([&] {
        writeFile("App/util.h", "// held\n");
        QTest::qWait(400);
        EXPECT_TRUE(pane(7)->text().startsWith("// second"));
    });
    EXPECT_TRUE(waitFor(7, "// held"));
    // The form page follows a reloaded resource text.
    QByteArray resource = sampleProjectFiles()["res/resource.txt"];
    replaceOnDisk("res/resource.txt", resource.replace("(SH)BOUNDS.X=10", "(SH)BOUNDS.X=30"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return designer().ObjectPictures[1]->left() == 119; }, 5000));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(OutsideChangesTest, AnEditedPaneAsksWhetherToReloadOrKeepTheEdits) {
    for (const QString answer : {"Reload", "Keep Mine"}) {
        SCOPED_TRACE(answer.toStdString());
        SetUp();
        replaceText(ui().resourceh, "#define MINE 1\r\n"); // edited, unchanged on disk
        replaceText(pane(4), "mine\r\n");
        writeFile("App/main.c", "theirs\n");
        dialogs.askAnswers = QStringList{answer, "Overwrite"};
        check();
        check(); // the same outside version is asked about once
        ASSERT_EQ(dialogs.questions().size(), 1);
        EXPECT_EQ(dialogs.shown[0].text + dialogs.shown[0].extra,
                  QDir::toNativeSeparators(path("App/main.c")) +
                      " has changed on disk. Reload it and lose your changes?Reload|Keep Mine");
        const bool kept = answer == "Keep Mine";
        EXPECT_EQ(pane(4)->text(), kept ? "mine\r\n" : "theirs\r\n");
        EXPECT_EQ(pane(4)->isModified(), kept);
        // Keeping the edits does not make the outside version safe to overwrite.
        EXPECT_TRUE(project().saveProject());
        EXPECT_EQ(dialogs.questions().size(), kept ? 2 : 1);
        EXPECT_EQ(readFile("App/main.c"), kept ? "mine\r\n" : "theirs\n");
    }
}

TEST_F(OutsideChangesTest, ADeletedFileMarksItsTabAndIsWrittenAgainOnlyAfterAsking) {
    QFile::remove(path("App/util.h"));
    check();
    EXPECT_EQ(tabTexts().mid(5), (QStringList{"Notes.txt", "util.h (deleted)"}));
    replaceText(pane(7), "int kept;\n");
    EXPECT_EQ(tabTexts()[6], QStringLiteral("util.h* (deleted)"));
    dialogs.askAnswers << "Overwrite";
    EXPECT_TRUE(project().saveProject());
    ASSERT_EQ(dialogs.questions().size(), 1);
    EXPECT_TRUE(dialogs.questions()[0].text.contains("is no longer on disk"));
    EXPECT_EQ(readFile("App/util.h"), "int kept;\n");
    EXPECT_EQ(tabTexts(), kSampleTabs);
    replaceText(pane(7), "int again;\n"); // what was saved is known now
    EXPECT_TRUE(project().saveProject());
    EXPECT_EQ(dialogs.questions().size(), 1);
    replaceOnDisk("util.h", "int theirs;\n"); // the saved file is watched too
    EXPECT_TRUE(waitFor(7, "int theirs;\r\n"));
}

class CrashRecoveryTest : public ProjectTest {
protected:
    void SetUp() override {
        qputenv("TARVO_RECOVERY_SETTLE_MS", "50");
        qputenv("TARVO_RECOVERY_INTERVAL_MS", interval);
        ProjectTest::SetUp();
        qunsetenv("TARVO_RECOVERY_SETTLE_MS");
        qunsetenv("TARVO_RECOVERY_INTERVAL_MS");
        openProject(makeProject("App"));
        dialogs.shown.clear();
    }
    CrashRecovery& recovery() { return project().crashRecovery(); }
    int kept() { return readRecoverySession(recovery().sessionFolder()).files.size(); }
    QByteArray interval = "0"; // not a valid interval: the default of 30 s
};

TEST_F(CrashRecoveryTest, UnsavedTextsAreKeptUntilSavedOrDiscarded) {
    replaceText(pane(4), "int edited;\r\n");
    QTest::qWait(200); // an edit of a code pane waits for the interval
    EXPECT_FALSE(QFileInfo::exists(recovery().sessionFolder()));
    replaceText(ui().Text1, "#FORM edited\r\n"); // designer gestures settle soon
    ASSERT_TRUE(QTest::qWaitFor([&] { return kept() == 2; }, 5000));
    const RecoverySession session = readRecoverySession(recovery().sessionFolder());
    EXPECT_EQ(session.files[0].name + session.files[1].text, "res/resource.txtint edited;\r\n");
    // This session's own data is not offered while the IDE runs.
    const QString projectFolder = QFileInfo(recovery().sessionFolder()).path();
    EXPECT_TRUE(orphanedSessions(projectFolder, path("App")).isEmpty());

    ASSERT_TRUE(project().saveProject());
    EXPECT_FALSE(QFileInfo::exists(recovery().sessionFolder()));
    for (const char* text : {"again\r\n", "int edited;\r\n", "again\r\n"}) {
        replaceText(pane(4), text);
        ASSERT_TRUE(recovery().update());
        EXPECT_EQ(kept(), int(text[0] == 'a')); // back to the file's text: nothing to keep
    }
    dialogs.saveAnswers << SaveAnswer::Discard;
    ASSERT_TRUE(project().confirmDiscardChanges());
    EXPECT_FALSE(QFileInfo::exists(recovery().sessionFolder()));

    interval = "100"; // a short interval writes code pane edits too
    SetUp();
    replaceText(pane(4), "int later;\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return kept() == 1; }, 5000));
}

TEST_F(CrashRecoveryTest, ACrashedSessionIsOfferedWhenTheProjectIsOpenedAgain) {
    QString crashed;
    for (const QString answer : {"Restore", "Discard", "Later"}) {
        SCOPED_TRACE(answer.toStdString());
        const QString project = makeProject("App-" + answer);
        crashed = projectRecoveryFolder(recoveryRoot(), project) + "/crashed";
        touch(project + "/main.c", -60);
        ASSERT_TRUE(writeRecoverySession(
            {crashed,
             project,
             {{"main.c", "int main(void) { return 2; }\r\n", 0}, {"new.c", "x", 0}}}));
        dialogs.saveAnswers = {SaveAnswer::Discard}; // the edits restored by the case before
        dialogs.askAnswers = QStringList{answer};
        dialogs.shown.clear();
        openProject(project);
        ASSERT_EQ(dialogs.questions().size(), 1);
        EXPECT_EQ(dialogs.questions()[0].extra, QStringLiteral("Restore|Discard|Later"));
        EXPECT_EQ(dialogs.questions()[0].defaultButton, 0);
        const bool restored = answer == "Restore";
        EXPECT_EQ(pane(4)->text().contains("return 2;"), restored);
        QStringList tabs = kSampleTabs;
        if (restored)
            tabs.replace(3, "main.c*"), tabs << "new.c*";
        EXPECT_EQ(tabTexts(), tabs);
        EXPECT_EQ(QFileInfo::exists(crashed), answer == "Later");
        EXPECT_EQ(kept(), restored ? 2 : 0);
    }
    // Data no newer than its file lost to a later save and is not offered.
    removeRecoverySession(crashed);
    ASSERT_TRUE(writeRecoverySession({crashed, path("App-Later"), {{"main.c", "old", 0}}}));
    QFile main(path("App-Later/main.c"));
    ASSERT_TRUE(main.open(QIODevice::ReadWrite));
    main.setFileTime(QFileInfo(crashed + "/text-0").lastModified(), QFile::FileModificationTime);
    dialogs.shown.clear();
    openProject(path("App-Later"));
    EXPECT_TRUE(dialogs.questions().isEmpty());
}

} // namespace
} // namespace tarvo::testing
