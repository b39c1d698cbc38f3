#include "editor/file_tabs.h"
#include "platform/pane_family.h"
#include "platform/paths.h"
#include "platform/rich_text_pane.h"
#include "project/project_commands.h"
#include "project_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTabBar>

namespace tarvo::testing {
namespace {

using SaveProject = ProjectTest;

TEST_F(SaveProject, OpenThenSaveLeavesEveryFileByteIdentical) {
    const auto files = sampleProjectFiles();
    openProject(makeProject(QStringLiteral("App")));
    ASSERT_EQ(form->fileTabs().tabCount(), 7);
    // Outside changes make the save visible: it must write every file it holds.
    for (auto it = files.begin(); it != files.end(); ++it)
        writeFile(QStringLiteral("App/") + it.key(), "changed outside\n");

    ui().Command5->click();

    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messages().join('|').toStdString();
    for (auto it = files.begin(); it != files.end(); ++it) {
        if (it.key() == QLatin1String("res/main.bmp"))
            continue; // not held in a pane
        EXPECT_EQ(readFile(QStringLiteral("App/") + it.key()), it.value())
            << it.key().toStdString();
    }
    EXPECT_EQ(readFile(QStringLiteral("App/res/main.bmp")), "changed outside\n");
    EXPECT_EQ(QDir(path(QStringLiteral("App"))).entryList(QDir::Files).size(), 5);
}

TEST_F(SaveProject, EditsAreWrittenInEachFilesOwnFormat) {
    openProject(makeProject(QStringLiteral("App")));
    replaceText(ui().Text1, QStringLiteral("#FORM\r\nID=1\r\n"));
    RichTextPane* util = form->fileTabs().paneOfTab(7);
    ASSERT_EQ(form->fileTabs().tabCaption(7), QStringLiteral("util.h"));
    replaceText(util, util->text() + QStringLiteral("int more;\r\n"));
    RichTextPane* notes = form->fileTabs().paneOfTab(6);
    replaceText(notes, notes->text() + QStringLiteral("\u00e4\r\n"));

    form->action(QStringLiteral("SaveProject"))->trigger();

    EXPECT_EQ(readFile(QStringLiteral("App/res/resource.txt")), "#FORM\r\nID=1\r\n");
    EXPECT_EQ(readFile(QStringLiteral("App/util.h")),
              "#define UTIL 1\nint util(void);\nint more;\n");
    EXPECT_EQ(readFile(QStringLiteral("App/Notes.txt")),
              "Gr\xfc\xdf"
              "e aus M\xfcnchen\r\nKein UTF-8\r\n\xe4\r\n");
    EXPECT_FALSE(form->projectCommands().hasUnsavedChanges());
}

TEST_F(SaveProject, ATabMarkedChangedSavesUnderItsPlainCaption) {
    openProject(makeProject(QStringLiteral("App")));
    RichTextPane* mainC = form->fileTabs().paneOfTab(4);
    replaceText(mainC, QStringLiteral("int main(void) { return 1; }\r\n"));
    replaceText(ui().resourceh, QStringLiteral("#define X 1\r\n"));
    EXPECT_EQ(tabTexts(), (QStringList{"resource.txt", "resource.h*", "bom.c", "main.c*", "mixed.c",
                                       "Notes.txt", "util.h"}));

    form->projectCommands().Command5_Click();

    EXPECT_EQ(readFile(QStringLiteral("App/main.c")), "int main(void) { return 1; }\r\n");
    EXPECT_EQ(readFile(QStringLiteral("App/res/resource.h")), "#define X 1\n");
    EXPECT_EQ(tabTexts(), (QStringList{"resource.txt", "resource.h", "bom.c", "main.c", "mixed.c",
                                       "Notes.txt", "util.h"}));
}

TEST_F(SaveProject, AReadOnlyFileStopsTheSaveAndStaysWhole) {
    openProject(makeProject(QStringLiteral("App")));
    const QByteArray headerBefore = readFile(QStringLiteral("App/res/resource.h"));
    const QByteArray mainBefore = readFile(QStringLiteral("App/main.c"));
    const QString header = path(QStringLiteral("App/res/resource.h"));
    ASSERT_TRUE(QFile::setPermissions(header, QFile::ReadOwner | QFile::ReadGroup));
    replaceText(ui().Text1, QStringLiteral("new resource text\r\n"));
    replaceText(ui().resourceh, QStringLiteral("#define LOST 1\r\n"));
    replaceText(form->fileTabs().paneOfTab(4), QStringLiteral("int main;\r\n"));

    form->projectCommands().Command5_Click();

    // Written in order up to the failing file, nothing after it.
    EXPECT_EQ(readFile(QStringLiteral("App/res/resource.txt")), "new resource text\r\n");
    EXPECT_EQ(readFile(QStringLiteral("App/res/resource.h")), headerBefore);
    EXPECT_EQ(readFile(QStringLiteral("App/main.c")), mainBefore);
    const QStringList messages = dialogs.messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(header)))
        << messages[0].toStdString();
    EXPECT_TRUE(form->projectCommands().hasUnsavedChanges());
    EXPECT_FALSE(ui().Text1->isModified());
}

TEST_F(SaveProject, WithNoProjectOpenNothingIsWritten) {
    ui().Text1->setText(QStringLiteral("typed without a project\r\n"));
    const QString cwdBefore = QDir::currentPath();
    QDir::setCurrent(dir.path());
    form->action(QStringLiteral("SaveProject"))->trigger();
    QDir::setCurrent(cwdBefore);

    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("No project is open.")});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"tool"}));
}

TEST_F(SaveProject, WithoutLoadCodeOnlyTheResourceFilesAreWritten) {
    const QString folder = makeProject(QStringLiteral("App"));
    openProject(folder);
    ctx().settings.LoadCode = QStringLiteral("FALSE");
    replaceText(form->fileTabs().paneOfTab(4), QStringLiteral("int main;\r\n"));
    writeFile(QStringLiteral("App/res/resource.h"), "outside\n");

    form->projectCommands().Command5_Click();

    EXPECT_EQ(readFile(QStringLiteral("App/main.c")), sampleProjectFiles()["main.c"]);
    EXPECT_EQ(readFile(QStringLiteral("App/res/resource.h")),
              sampleProjectFiles()["res/resource.h"]);
}

} // namespace
} // namespace tarvo::testing
