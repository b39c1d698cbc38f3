#include "designer/designer_state.h"
#include "editor/file_tabs.h"
#include "platform/object_picture.h"
#include "platform/pane_family.h"
#include "platform/paths.h"
#include "platform/rich_text_pane.h"
#include "project/project_commands.h"
#include "project_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace tarvo::testing {
namespace {

class NewProject : public ProjectTest {
protected:
    void SetUp() override {
        ProjectTest::SetUp();
        writeFile(QStringLiteral("sdk/Template/main.c"), "int main(void) { return 0; }\r\n");
        writeFile(QStringLiteral("sdk/Template/res/resource.txt"),
                  sampleProjectFiles()[QStringLiteral("res/resource.txt")]);
        writeFile(QStringLiteral("sdk/Template/res/resource.h"), "#define T 1\n");
        writeFile(QStringLiteral("sdk/Template/res/form.bmp"), "BM");
    }
    void create(const QString& answer) {
        dialogs.inputAnswers << answer;
        form->projectCommands().Command8_Click();
    }
    QStringList shownKinds() const {
        QStringList kinds;
        for (const ScriptedDialogs::Shown& s : dialogs.shown)
            kinds << s.kind;
        return kinds;
    }
};

TEST_F(NewProject, CopiesTheTemplateAndOpensTheCopy) {
    ui().Label2->setText(QStringLiteral("Form 2"));
    form->designer().CurrentFormPage = 2;
    const QString answer = path(QStringLiteral("Work/App"));
    dialogs.inputAnswers << answer;
    form->action(QStringLiteral("NewProject"))->trigger();

    ASSERT_FALSE(dialogs.shown.isEmpty());
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Please enter the path of the new project"));
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Create Project"));
    EXPECT_EQ(dialogs.shown[0].extra, ctx().settings.SDKProjectPath);
    EXPECT_EQ(shownKinds(), QStringList{QStringLiteral("input")});

    EXPECT_EQ(readFile(QStringLiteral("Work/App/res/form.bmp")), "BM");
    EXPECT_EQ(ctx().project.ProjectPath, answer);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Tarvo IDE ") + answer);
    EXPECT_TRUE(ui().Text1->text().startsWith(QStringLiteral("Tarvo resources\r\n")));
    EXPECT_EQ(tabTexts(), (QStringList{"resource.txt", "resource.h", "main.c"}));
    for (QPushButton* b :
         {ui().Command5, ui().Command6, ui().Command7, ui().Command9, ui().Command10})
        EXPECT_TRUE(b->isEnabled());
    // Page 0 of the new project is shown, as after Open Project.
    EXPECT_EQ(form->designer().CurrentFormPage, 0);
    EXPECT_EQ(ui().Label2->text(), QStringLiteral("Form 0"));
    EXPECT_EQ(form->designer().ObjectPictures[1]->toolTipText(), QStringLiteral("1001,3"));
    EXPECT_TRUE(starter.started.isEmpty());
}

TEST_F(NewProject, EmptyOrUnchangedDefaultAnswersDoNothing) {
    for (const QString& answer : {QString(), ctx().settings.SDKProjectPath}) {
        dialogs.shown.clear();
        create(answer);
        EXPECT_TRUE(ctx().project.ProjectPath.isEmpty());
        EXPECT_EQ(shownKinds(), QStringList{QStringLiteral("input")});
        EXPECT_FALSE(ui().Command5->isEnabled());
    }
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("sdk/res"))));
    create(path(QStringLiteral("SDK/"))); // the default in other letter case goes ahead
    EXPECT_EQ(ctx().project.ProjectPath, path(QStringLiteral("SDK")));
}

TEST_F(NewProject, ATrailingSeparatorIsStrippedSoTheTemplateLandsInTheFolder) {
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("Apps/First"))));
    create(path(QStringLiteral("Apps/First")) + PathSep());

    EXPECT_EQ(ctx().project.ProjectPath, path(QStringLiteral("Apps/First")));
    EXPECT_EQ(readFile(QStringLiteral("Apps/First/res/resource.txt")),
              sampleProjectFiles()[QStringLiteral("res/resource.txt")]);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("Apps/First/Template"))));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(NewProject, OverwritingFilesNeedsAYes) {
    writeFile(QStringLiteral("Old/main.c"), "my own main\r\n");
    writeFile(QStringLiteral("Old/res/resource.h"), "my own header\r\n");
    writeFile(QStringLiteral("Old/keep.c"), "kept\r\n");

    dialogs.confirmAnswers << false;
    create(path(QStringLiteral("Old")));
    ASSERT_EQ(shownKinds(), (QStringList{"input", "confirm"}));
    const QString question = dialogs.shown[1].text;
    EXPECT_TRUE(question.contains(QStringLiteral("main.c"))) << question.toStdString();
    EXPECT_FALSE(question.contains(QStringLiteral("resource.txt"))) << question.toStdString();
    EXPECT_EQ(readFile(QStringLiteral("Old/main.c")), "my own main\r\n");
    EXPECT_TRUE(ctx().project.ProjectPath.isEmpty());

    dialogs.shown.clear();
    dialogs.confirmAnswers << true;
    create(path(QStringLiteral("Old")));
    EXPECT_EQ(readFile(QStringLiteral("Old/main.c")), "int main(void) { return 0; }\r\n");
    EXPECT_EQ(readFile(QStringLiteral("Old/keep.c")), "kept\r\n");
    EXPECT_EQ(ctx().project.ProjectPath, path(QStringLiteral("Old")));
    EXPECT_EQ(tabTexts(), (QStringList{"resource.txt", "resource.h", "keep.c", "main.c"}));
}

// Failures that must leave the open project as it was.
class NewProjectFailure : public NewProject {
protected:
    void expectReported(const QString& answer, const QStringList& mentioned) {
        openProject(makeProject(QStringLiteral("Current")));
        const QString before = ctx().project.ProjectPath;
        const QString caption = form->windowTitle();
        dialogs.shown.clear();
        create(answer);
        const QStringList messages = dialogs.messages();
        ASSERT_EQ(messages.size(), 1);
        for (const QString& m : mentioned)
            EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(m)))
                << messages[0].toStdString() << " lacks " << m.toStdString();
        EXPECT_EQ(ctx().project.ProjectPath, before);
        EXPECT_EQ(form->windowTitle(), caption);
        EXPECT_EQ(tabTexts().size(), 7);
        EXPECT_TRUE(starter.started.isEmpty());
    }
};

TEST_F(NewProjectFailure, IsReportedAndChangesNothing) {
    const struct {
        const char* name;
        std::function<void()> arrange;
        const char* answer;
        const char* mentioned;
        const char* mustNotExist;
    } cases[] = {
        {"destination is a file", [&] { writeFile(QStringLiteral("plain.txt"), "a file\r\n"); },
         "plain.txt", "plain.txt", nullptr},
        {"destination inside the template", [] {}, "sdk/Template/App", "sdk/Template",
         "sdk/Template/App"},
        // A file where the copy needs the res folder.
        {"copy cannot write a folder", [&] { writeFile(QStringLiteral("Blocked/res"), "x"); },
         "Blocked", "Blocked", nullptr},
        {"missing template folder",
         [&] { QDir(path(QStringLiteral("sdk/Template"))).removeRecursively(); }, "New",
         "sdk/Template", "New"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.arrange();
        expectReported(path(QLatin1String(c.answer)), {path(QLatin1String(c.mentioned))});
        if (c.mustNotExist) {
            EXPECT_FALSE(QFileInfo::exists(path(QLatin1String(c.mustNotExist))));
        }
    }
    EXPECT_EQ(readFile(QStringLiteral("plain.txt")), "a file\r\n");
}

TEST_F(NewProject, WithoutLoadCodeStartsTheOutsideEditorOnTheAnswer) {
    ctx().settings.LoadCode = QStringLiteral("False");
    const QString answer = path(QStringLiteral("My Work/App"));
    create(answer);
    ASSERT_EQ(starter.started.size(), 1);
    EXPECT_EQ(starter.started[0].command,
              commandFromPath(ctx().settings.IniPath + QStringLiteral("loadeditor.bat"), {answer}));
    EXPECT_EQ(starter.started[0].style, WindowStyle::NormalFocus);
    EXPECT_EQ(tabTexts(), (QStringList{"resource.txt", "resource.h"}));
}

} // namespace
} // namespace tarvo::testing
