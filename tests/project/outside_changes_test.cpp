#include "editor/file_tabs.h"
#include "platform/object_picture.h"
#include "project/file_stamp.h"
#include "project/outside_changes.h"
#include "project/project_commands.h"
#include "project_fixture.h"

#include <QScrollBar>
#include <QTabBar>
#include <QTest>

namespace tarvo::testing {
namespace {

TEST(FileStamp, AChangeIsToldApartFromATouchByTheContent) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("main.c"));
    const FileStamp absent = stampFile(path);
    writeFile(path, "int a;");
    EXPECT_EQ(diskChange(absent, path), DiskChange::Changed); // a file where none was
    FileStamp known = stampFile(path);
    EXPECT_EQ(diskChange(known, path), DiskChange::None);
    touch(path, 86400);
    EXPECT_EQ(diskChange(known, path), DiskChange::None);
    writeFile(path, "int b;"); // same size
    EXPECT_EQ(diskChange(known, path), DiskChange::Changed);
    // Times within the file system's granularity of the stamp prove nothing.
    known = stampFile(path);
    known.hash = "other content, same times";
    EXPECT_EQ(diskChange(known, path), DiskChange::Changed);
    known.takenAt += 10000;
    EXPECT_EQ(diskChange(known, path), DiskChange::None);
    QFile::remove(path);
    EXPECT_EQ(diskChange(known, path), DiskChange::Deleted);
}

class OutsideChangesTest : public ProjectTest {
protected:
    void SetUp() override {
        ProjectTest::SetUp();
        openProject(makeProject(QStringLiteral("App")));
        dialogs.shown.clear();
        dialogs.askAnswers.clear();
    }
    // Replaces the file by a rename, as editors and version control do.
    void replaceOnDisk(const QString& name, const QByteArray& bytes) {
        writeFile(QStringLiteral("App/.new"), bytes);
        QFile::remove(path(QStringLiteral("App/") + name));
        ASSERT_TRUE(QFile::rename(path(QStringLiteral("App/.new")), path("App/" + name)));
    }
    RichTextPane* pane(int tab) { return form->fileTabs().paneOfTab(tab); }
    void check() { form->projectCommands().outsideChanges().checkNow(); }
    bool save() { return form->projectCommands().saveProject(); }
};

TEST_F(OutsideChangesTest, AnUnchangedPaneFollowsItsFileKeepingCaretAndScroll) {
    RichTextPane* util = pane(7);
    QByteArray text;
    for (int i = 0; i < 200; ++i)
        text += "int line" + QByteArray::number(i) + ";\n";
    replaceOnDisk(QStringLiteral("util.h"), text);
    ASSERT_TRUE(QTest::qWaitFor([&] { return util->text().startsWith("int line0;"); }, 5000));
    form->show();
    ui().TabStrip1->setCurrentIndex(6);
    util->select(40, 3);
    ASSERT_GT(util->verticalScrollBar()->maximum(), 50);
    util->verticalScrollBar()->setValue(50);
    // A second replacement is seen too: the watch follows the file, not the old inode.
    replaceOnDisk(QStringLiteral("util.h"), "// first\n" + text);
    ASSERT_TRUE(QTest::qWaitFor([&] { return util->text().startsWith("// first"); }, 5000));
    EXPECT_EQ(util->selStart(), 40);
    EXPECT_EQ(util->selLength(), 3);
    EXPECT_EQ(util->verticalScrollBar()->value(), 50);
    EXPECT_FALSE(util->isModified());

    // The form page follows a reloaded resource text.
    QByteArray resource = sampleProjectFiles()["res/resource.txt"];
    resource.replace("(SH)BOUNDS.X=10", "(SH)BOUNDS.X=30");
    replaceOnDisk(QStringLiteral("res/resource.txt"), resource);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return designer().ObjectPictures[1]->left() == 89 + 30; }, 5000));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(OutsideChangesTest, AnEditedPaneAsksWhetherToReloadOrKeepTheEdits) {
    for (const QString& answer : {QStringLiteral("Reload"), QStringLiteral("Keep Mine")}) {
        SCOPED_TRACE(answer.toStdString());
        SetUp();
        replaceText(pane(4), QStringLiteral("mine\r\n"));
        writeFile(QStringLiteral("App/main.c"), "theirs\n");
        dialogs.askAnswers << answer;
        check();
        check(); // the same outside version is asked about once
        const QList<ScriptedDialogs::Shown> asked = dialogs.questions();
        ASSERT_EQ(asked.size(), 1);
        EXPECT_EQ(asked[0].text, QDir::toNativeSeparators(path(QStringLiteral("App/main.c"))) +
                                     " has changed on disk. Reload it and lose your changes?");
        EXPECT_EQ(asked[0].extra, QStringLiteral("Reload|Keep Mine"));
        const bool kept = answer == QLatin1String("Keep Mine");
        EXPECT_EQ(pane(4)->text(),
                  kept ? QStringLiteral("mine\r\n") : QStringLiteral("theirs\r\n"));
        EXPECT_EQ(pane(4)->isModified(), kept);
        // Keeping the edits does not make the outside version safe to overwrite.
        dialogs.askAnswers << QStringLiteral("Overwrite");
        EXPECT_TRUE(save());
        EXPECT_EQ(dialogs.questions().size(), kept ? 2 : 1);
        EXPECT_EQ(readFile(QStringLiteral("App/main.c")), kept ? "mine\r\n" : "theirs\n");
    }
}

TEST_F(OutsideChangesTest, ADeletedFileMarksItsTabAndIsWrittenAgainOnlyAfterAsking) {
    QFile::remove(path(QStringLiteral("App/util.h")));
    check();
    EXPECT_EQ(tabTexts().at(6), QStringLiteral("util.h (deleted)"));
    replaceText(pane(7), QStringLiteral("int kept;\n"));
    EXPECT_EQ(tabTexts().at(6), QStringLiteral("util.h* (deleted)"));
    EXPECT_EQ(form->fileTabs().tabCaption(7), QStringLiteral("util.h"));

    dialogs.askAnswers << QStringLiteral("Overwrite");
    EXPECT_TRUE(save());
    ASSERT_EQ(dialogs.questions().size(), 1);
    EXPECT_TRUE(dialogs.questions()[0].text.contains(QLatin1String("is no longer on disk")));
    EXPECT_EQ(readFile(QStringLiteral("App/util.h")), "int kept;\n");
    EXPECT_EQ(tabTexts().at(6), QStringLiteral("util.h"));
    replaceText(pane(7), QStringLiteral("int again;\n")); // what was saved is known now
    EXPECT_TRUE(save());
    EXPECT_EQ(dialogs.questions().size(), 1);
    replaceOnDisk(QStringLiteral("util.h"), "int theirs;\n"); // the saved file is watched too
    EXPECT_TRUE(QTest::qWaitFor([&] { return pane(7)->text() == "int theirs;\r\n"; }, 5000));
}

} // namespace
} // namespace tarvo::testing
