#include "app/start_options.h"
#include "designer/designer_state.h"
#include "editor/file_tabs.h"
#include "platform/pane_family.h"
#include "platform/paths.h"
#include "platform/rich_text_pane.h"
#include "project/project_commands.h"
#include "project_fixture.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>

namespace tarvo::testing {
namespace {

using OpenProject = ProjectTest;

QList<QPushButton*> projectButtons(const Controls& ui) {
    return {ui.Command5, ui.Command6, ui.Command7, ui.Command9, ui.Command10};
}

TEST_F(OpenProject, LoadsTheChosenFolderWithCodeTabs) {
    const QString folder = makeProject(QStringLiteral("App"));
    form->designer().CurrentFormPage = 3;
    ui().Label2->setText(QStringLiteral("Form 3"));
    dialogs.openAnswers << folder + PathSep() + QStringLiteral("main.c");
    form->action(QStringLiteral("OpenProject"))->trigger();

    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("open"));
    EXPECT_EQ(dialogs.shown[0].text, ctx().settings.SDKProjectPath + QStringLiteral("main.c"));
    EXPECT_EQ(dialogs.shown[0].extra, QStringLiteral("Code (main.c)|main.c"));

    const QString projectPath = folder + PathSep();
    EXPECT_EQ(ctx().project.ProjectPath, projectPath);
    EXPECT_EQ(form->windowTitle(),
              QStringLiteral("Tarvo IDE [") + projectPath + QStringLiteral("]"));
    EXPECT_EQ(tabTexts(), (QStringList{"resource.txt", "resource.h", "bom.c", "main.c", "mixed.c",
                                       "Notes.txt", "util.h"}));
    const auto files = sampleProjectFiles();
    EXPECT_EQ(ui().Text1->text(), QString::fromLatin1(files["res/resource.txt"]));
    EXPECT_EQ(ui().resourceh->text(),
              QStringLiteral("#define Form1 1000\r\n#define Button1 1001\r\n"));
    EXPECT_EQ(form->fileTabs().paneOfTab(6)->text(),
              QStringLiteral("Gr\u00fc\u00dfe aus M\u00fcnchen\r\nKein UTF-8\r\n"));
    for (QPushButton* b : projectButtons(ui()))
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_EQ(form->designer().CurrentFormPage, 0);
    EXPECT_EQ(ui().Label2->text(), QStringLiteral("Form 0"));
    EXPECT_TRUE(starter.started.isEmpty());
    EXPECT_FALSE(form->projectCommands().hasUnsavedChanges());
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messages().join('|').toStdString();
}

TEST_F(OpenProject, WithoutLoadCodeStartsTheOutsideEditorOnTheFolder) {
    ctx().settings.LoadCode = QStringLiteral("true"); // only exactly TRUE counts
    const QString folder = makeProject(QStringLiteral("My Apps/First App"));
    openProject(folder);

    const QString projectPath = folder + PathSep();
    ASSERT_EQ(starter.started.size(), 1);
    EXPECT_EQ(
        starter.started[0].command,
        commandFromPath(ctx().settings.IniPath + QStringLiteral("loadeditor.bat"), {projectPath}));
    EXPECT_EQ(starter.started[0].style, WindowStyle::NormalFocus);
    EXPECT_EQ(tabTexts(), (QStringList{"resource.txt", "resource.h"}));
}

TEST_F(OpenProject, ACancelledDialogOrMissingFileOpensNothingButResetsThePage) {
    form->designer().CurrentFormPage = 2;
    ui().Label2->setText(QStringLiteral("Form 2"));
    const QString titleBefore = form->windowTitle();
    form->projectCommands().Command4_Click(); // no answer: cancelled
    // A chosen name that is no file opens nothing either.
    dialogs.openAnswers << makeProject(QStringLiteral("App")) + QStringLiteral("/missing.c");
    form->projectCommands().Command4_Click();

    EXPECT_TRUE(ctx().project.ProjectPath.isEmpty());
    EXPECT_EQ(form->windowTitle(), titleBefore);
    EXPECT_EQ(form->designer().CurrentFormPage, 0);
    EXPECT_EQ(ui().Label2->text(), QStringLiteral("Form 0"));
    for (QPushButton* b : projectButtons(ui()))
        EXPECT_FALSE(b->isEnabled());
    EXPECT_TRUE(starter.started.isEmpty());
}

TEST_F(OpenProject, ASecondProjectReplacesTheCodeTabsOfTheFirst) {
    openProject(makeProject(QStringLiteral("First")));
    ASSERT_EQ(form->fileTabs().tabCount(), 7);
    auto files = sampleProjectFiles();
    files.remove(QStringLiteral("util.h"));
    files.remove(QStringLiteral("bom.c"));
    files.remove(QStringLiteral("mixed.c"));
    files.remove(QStringLiteral("Notes.txt"));
    files[QStringLiteral("res/resource.h")] = "#define Second 1\r\n";
    const QString second = makeProject(QStringLiteral("Second"), files);
    openProject(second);

    EXPECT_EQ(ctx().project.ProjectPath, second + PathSep());
    EXPECT_EQ(tabTexts(), (QStringList{"resource.txt", "resource.h", "main.c"}));
    EXPECT_EQ(ui().OtherTextFile->indices(), QList<int>{3});
}

TEST_F(OpenProject, FromTheCommandLineAsTheDialogWouldOrWithAMessage) {
    const QString folder = makeProject(QStringLiteral("Cli App"));
    writeFile(QStringLiteral("Other/util.c"), "");
    // A folder without main.c, another file, nothing: each is named, nothing opens.
    for (const QString& notProject : {path("Other"), path("Other/util.c"), path("None")}) {
        dialogs.shown.clear();
        openStartProject(notProject, form->projectCommands(), dialogs);
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages()[0].contains(QDir::toNativeSeparators(notProject)));
        EXPECT_TRUE(ctx().project.ProjectPath.isEmpty());
        EXPECT_FALSE(ui().Command5->isEnabled());
    }
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    for (const QString& argument :
         {folder, folder + QStringLiteral("/main.c"), QStringLiteral("Other/../Cli App")}) {
        dialogs.shown.clear();
        openStartProject(argument, form->projectCommands(), dialogs);
        EXPECT_EQ(ctx().project.ProjectPath, QDir::toNativeSeparators(folder) + PathSep());
        EXPECT_EQ(tabTexts().size(), 7);
        EXPECT_TRUE(ui().Command5->isEnabled());
        EXPECT_TRUE(dialogs.shown.isEmpty());
    }
    QDir::setCurrent(before);
}

class OpenProjectFailure : public ProjectTest {
protected:
    // Everything a user sees of the open project, to show that it did not move.
    QStringList snapshot() {
        QStringList panes;
        for (int i : ui().OtherTextFile->indices())
            panes << QString::number(i);
        return QStringList{
                   ctx().project.ProjectPath, form->windowTitle(),
                   ui().Text1->text(),        ui().resourceh->text(),
                   ui().Label2->text(),       QString::number(form->designer().CurrentFormPage)} +
               tabTexts() + panes;
    }
    void expectOpenLeavesEverything(const QString& broken, const QString& unreadable) {
        openProject(makeProject(QStringLiteral("Good")));
        replaceText(ui().Text1, QStringLiteral("edited\r\n"));
        form->designer().CurrentFormPage = 1;
        ui().Label2->setText(QStringLiteral("Form 1"));
        const QStringList before = snapshot();
        dialogs.shown.clear();
        starter.started.clear();

        openProject(broken);

        EXPECT_EQ(snapshot(), before);
        EXPECT_TRUE(ui().Text1->isModified());
        EXPECT_TRUE(starter.started.isEmpty());
        // Not opening at all, so the unsaved edit is not asked about.
        for (const ScriptedDialogs::Shown& shown : dialogs.shown)
            EXPECT_NE(shown.kind, QStringLiteral("askSave"));
        const QStringList messages = dialogs.messages();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].contains(QDir::toNativeSeparators(unreadable)))
            << messages[0].toStdString();
    }
};

TEST_F(OpenProjectFailure, UnreadableResourceFileChangesNothing) {
    const struct {
        const char* name;
        const char* missing;
        bool makeFolder; // a folder in its place
        bool loadCode;
    } cases[] = {
        {"missing header", "res/resource.h", false, true},
        {"missing resource text, without code", "res/resource.txt", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        settings().LoadCode = c.loadCode ? QStringLiteral("TRUE") : QString();
        auto files = sampleProjectFiles();
        files.remove(QLatin1String(c.missing));
        const QString broken =
            makeProject(QStringLiteral("Broken_") + QLatin1String(c.name), files);
        if (c.makeFolder) {
            ASSERT_TRUE(QDir().mkpath(broken + QLatin1Char('/') + QLatin1String(c.missing)));
        }
        expectOpenLeavesEverything(broken, broken + QLatin1Char('/') + QLatin1String(c.missing));
    }
}

} // namespace
} // namespace tarvo::testing
