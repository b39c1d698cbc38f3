#include "editor/file_tabs.h"
#include "platform/pane_family.h"
#include "platform/rich_text_pane.h"
#include "project/resource_files.h"
#include "project_fixture.h"

#include <QAction>
#include <QTabBar>

namespace tarvo::testing {
namespace {

using ResourceFilesTest = ProjectTest;

TEST_F(ResourceFilesTest, EditExternalFileStartsTheTextEditorOnTheChosenFile) {
    writeFile(QStringLiteral("Elsewhere/some notes.txt"), "notes\r\n");
    ctx().project.ProjectPath = path(QStringLiteral("App/"));
    ctx().settings.PreferedTextEditor = QStringLiteral("/opt/text editor/ed");
    const QString chosen = path(QStringLiteral("Elsewhere/some notes.txt"));
    dialogs.openAnswers << chosen;

    form->action(QStringLiteral("EditFile"))->trigger();

    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, path(QStringLiteral("App/*.*")));
    EXPECT_EQ(dialogs.shown[0].extra,
              QStringLiteral("Resource (*.txt)|*.txt|Code (*.c;*.h)|*.c;*.h"));
    ASSERT_EQ(starter.started.size(), 1);
    EXPECT_EQ(starter.started[0].command,
              commandFromSetting(QStringLiteral("/opt/text editor/ed"), {chosen}));
    EXPECT_EQ(starter.started[0].style, WindowStyle::NormalNoFocus);
    // The file stays outside the project.
    EXPECT_EQ(form->fileTabs().tabCount(), 1);
}

TEST_F(ResourceFilesTest, EditExternalFileStartsNothingWithoutAnExistingFile) {
    for (const QString& answer : {QString(), path(QStringLiteral("missing.c"))}) {
        dialogs.openAnswers << answer;
        form->resourceFiles().EditFile_Click();
    }
    EXPECT_TRUE(starter.started.isEmpty());
    EXPECT_EQ(dialogs.shown.size(), 2);
}

TEST_F(ResourceFilesTest, PaneSwitchesLeaveTheSelectedTabAlone) {
    openProject(makeProject(QStringLiteral("App")));
    ui().TabStrip1->setCurrentIndex(4); // tab 5, a code file
    RichTextPane* code = form->fileTabs().paneOfTab(5);
    code->show();
    ui().Text1->hide();
    form->fileTabs().paneOfTab(3)->show();

    form->action(QStringLiteral("resourceh1"))->trigger();
    EXPECT_FALSE(ui().resourceh->isHidden());
    EXPECT_TRUE(ui().Text1->isHidden());
    for (int i = 3; i <= form->fileTabs().tabCount(); ++i)
        EXPECT_TRUE(form->fileTabs().paneOfTab(i)->isHidden()) << i;
    EXPECT_EQ(ui().TabStrip1->currentIndex(), 4);
    EXPECT_EQ(form->fileTabs().paneOnView(), ui().resourceh);

    code->show();
    form->action(QStringLiteral("resourcetxt"))->trigger();
    EXPECT_FALSE(ui().Text1->isHidden());
    EXPECT_TRUE(ui().resourceh->isHidden());
    EXPECT_TRUE(code->isHidden());
    EXPECT_EQ(ui().TabStrip1->currentIndex(), 4);
}

} // namespace
} // namespace tarvo::testing
