#include "editor/file_tabs.h"
#include "platform/paths.h"
#include "platform/rich_text_pane.h"
#include "project/project_commands.h"
#include "project_fixture.h"

#include <QApplication>
#include <QFile>

namespace tarvo::testing {
namespace {

class UnsavedChanges : public ProjectTest {
protected:
    void SetUp() override {
        ProjectTest::SetUp();
        QApplication::setQuitOnLastWindowClosed(false);
        openProject(makeProject(QStringLiteral("App")));
        makeProject(QStringLiteral("Other"));
        writeFile(QStringLiteral("sdk/Template/res/resource.txt"), "template text\r\n");
        writeFile(QStringLiteral("sdk/Template/res/resource.h"), "template header\r\n");
        writeFile(QStringLiteral("sdk/Template/main.c"), "template main\r\n");
        dialogs.shown.clear();
        starter.started.clear();
    }

    int questionsAsked() const {
        int n = 0;
        for (const ScriptedDialogs::Shown& s : dialogs.shown) {
            if (s.kind == QLatin1String("askSave")) {
                EXPECT_EQ(s.text, QStringLiteral("Save changes to the project?"));
                ++n;
            }
        }
        return n;
    }
};

enum class Command { Exit, Open, New };

TEST_F(UnsavedChanges, TheAnswerDecidesWhatEveryCommandDoes) {
    int created = 0; // a fresh folder for each New Project
    // Runs the command; true when it went ahead.
    auto run = [&](Command command) {
        switch (command) {
        case Command::Exit:
            form->show();
            form->Exit_Click();
            return !form->isVisible();
        case Command::Open:
            openProject(path(QStringLiteral("Other")));
            return ctx().project.ProjectPath.contains(QStringLiteral("Other"));
        case Command::New:
            dialogs.inputAnswers << path(QStringLiteral("New%1").arg(++created));
            form->projectCommands().Command8_Click();
            return ctx().project.ProjectPath.endsWith(QStringLiteral("New%1").arg(created));
        }
        return false;
    };
    for (Command command : {Command::Exit, Command::Open, Command::New}) {
        for (SaveAnswer answer : {SaveAnswer::Save, SaveAnswer::Discard, SaveAnswer::Cancel}) {
            SCOPED_TRACE(int(command) * 10 + int(answer));
            SetUp();
            const QByteArray before = readFile(QStringLiteral("App/main.c"));
            replaceText(form->fileTabs().paneOfTab(4), QStringLiteral("edited\r\n"));
            ASSERT_TRUE(form->projectCommands().hasUnsavedChanges());
            dialogs.saveAnswers << answer;
            EXPECT_EQ(run(command), answer != SaveAnswer::Cancel);
            EXPECT_EQ(questionsAsked(), 1);
            EXPECT_EQ(readFile(QStringLiteral("App/main.c")),
                      answer == SaveAnswer::Save ? QByteArray("edited\r\n") : before);
            if (answer == SaveAnswer::Cancel) {
                EXPECT_TRUE(ctx().project.ProjectPath.contains(QStringLiteral("App")));
                EXPECT_EQ(form->fileTabs().paneOfTab(4)->text(), QStringLiteral("edited\r\n"));
            }
            form->hide();
        }
    }
}

TEST_F(UnsavedChanges, NothingChangedMeansNoQuestion) {
    EXPECT_FALSE(form->projectCommands().hasUnsavedChanges());
    EXPECT_TRUE(form->projectCommands().confirmDiscardChanges());
    openProject(path(QStringLiteral("Other")));
    EXPECT_EQ(questionsAsked(), 0);
}

TEST_F(UnsavedChanges, EveryProjectPaneCounts) {
    ProjectCommands& project = form->projectCommands();
    for (RichTextPane* pane : {ui().Text1, ui().resourceh, form->fileTabs().paneOfTab(3),
                               form->fileTabs().paneOfTab(7)}) {
        const QString original = pane->text();
        replaceText(pane, original + QStringLiteral("x"));
        EXPECT_TRUE(project.hasUnsavedChanges()) << pane->objectName().toStdString();
        replaceText(pane, original);
        EXPECT_FALSE(project.hasUnsavedChanges());
    }
}

TEST_F(UnsavedChanges, TypingBackTheOriginalTextClearsTheMark) {
    RichTextPane* pane = form->fileTabs().paneOfTab(7);
    const QString original = pane->text();
    pane->setFocus();
    pane->moveCursor(QTextCursor::End);
    pane->insertPlainText(QStringLiteral("y"));
    EXPECT_EQ(form->fileTabs().tabCaption(7), QStringLiteral("util.h"));
    EXPECT_EQ(tabTexts().at(6), QStringLiteral("util.h*"));
    pane->textCursor().deletePreviousChar();
    EXPECT_EQ(pane->text(), original);
    EXPECT_EQ(tabTexts().at(6), QStringLiteral("util.h"));
    EXPECT_FALSE(form->projectCommands().hasUnsavedChanges());
}

TEST_F(UnsavedChanges, ASaveThatFailsKeepsTheWindowOpen) {
    replaceText(ui().resourceh, QStringLiteral("#define LOST 1\r\n"));
    ASSERT_TRUE(
        QFile::setPermissions(path(QStringLiteral("App/res/resource.h")), QFile::ReadOwner));
    dialogs.saveAnswers << SaveAnswer::Save;
    form->show();
    form->Exit_Click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(dialogs.messages().size(), 1);
    form->hide();
}

TEST_F(UnsavedChanges, EditsWithoutAProjectAreNotAskedAbout) {
    makeForm(path(QStringLiteral("tool")));
    dialogs.shown.clear();
    replaceText(ui().Text1, QStringLiteral("scratch\r\n"));
    EXPECT_FALSE(form->projectCommands().hasUnsavedChanges());
    form->show();
    form->Exit_Click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(questionsAsked(), 0);
}

} // namespace
} // namespace tarvo::testing
