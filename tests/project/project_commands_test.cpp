#include "designer/designer_state.h"
#include "platform/object_picture.h"
#include "platform/pane_family.h"
#include "platform/paths.h"
#include "project_fixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace tarvo::testing {
namespace {

class ProjectCommandsTest : public ProjectTest {
protected:
    bool opened() const {
        const Controls& c = form->ui();
        return c.Command5->isEnabled() && c.Command6->isEnabled() && c.Command7->isEnabled() &&
               c.Command9->isEnabled() && c.Command10->isEnabled();
    }
    void setPage(int page) {
        designer().CurrentFormPage = page;
        ui().Label2->setText(QStringLiteral("Form %1").arg(page));
    }
    bool atPageZero() { return designer().CurrentFormPage == 0 && ui().Label2->text() == "Form 0"; }
    void create(const QString& answer) {
        dialogs.inputAnswers << answer;
        project().Command8_Click();
    }
    void makeTemplate() {
        writeFile("sdk/Template/main.c", "int main(void) { return 0; }\r\n");
        writeFile("sdk/Template/res/resource.txt", sampleProjectFiles()["res/resource.txt"]);
        writeFile("sdk/Template/res/resource.h", "#define T 1\n");
    }
    QString kinds() const {
        QStringList k;
        for (const ScriptedDialogs::Shown& s : dialogs.shown)
            k << s.kind;
        return k.join(',');
    }
};

TEST_F(ProjectCommandsTest, OpenLoadsTheChosenFolder) {
    setPage(2);
    project().Command4_Click(); // cancelled: nothing opens but the page is reset
    EXPECT_TRUE(atPageZero() && !opened());
    const QString folder = makeProject("App");
    setPage(3);
    dialogs.shown.clear();
    dialogs.openAnswers << folder + PathSep() + "main.c";
    form->action("OpenProject")->trigger();
    EXPECT_EQ(dialogs.shown[0].text + '|' + dialogs.shown[0].extra,
              settings().SDKProjectPath + "main.c|Code (main.c)|main.c");
    EXPECT_EQ(ctx().project.ProjectPath, folder + PathSep());
    EXPECT_EQ(form->windowTitle(), "Tarvo IDE [" + folder + PathSep() + "]");
    EXPECT_EQ(tabTexts(), kSampleTabs);
    EXPECT_EQ(pane(6)->text(), "Gr\u00fc\u00dfe aus M\u00fcnchen\r\nKein UTF-8\r\n");
    EXPECT_TRUE(opened() && atPageZero() && !project().hasUnsavedChanges());
    EXPECT_EQ(designer().ObjectPictures[1]->toolTipText(), QStringLiteral("1001,3"));

    // A second project replaces the code tabs; a code pane on view gives way to Text1.
    ui().Text1->hide();
    pane(5)->show();
    auto files = sampleProjectFiles();
    for (const char* name : {"util.h", "bom.c", "mixed.c", "Notes.txt"})
        files.remove(name);
    openProject(makeProject("Second", files));
    EXPECT_EQ(tabTexts(), (QStringList{"resource.txt", "resource.h", "main.c"}));
    EXPECT_EQ(ui().OtherTextFile->indices(), QList<int>{3});
    EXPECT_EQ(form->fileTabs().paneOnView(), ui().Text1);
    EXPECT_EQ(kinds(), "open,open");
    EXPECT_TRUE(starter.started.isEmpty());

    // Without LoadCode (only exactly TRUE counts) the outside editor gets the folder.
    settings().LoadCode = "true";
    openProject(folder);
    ASSERT_EQ(starter.started.size(), 1);
    EXPECT_EQ(starter.started[0].command,
              commandFromPath(settings().IniPath + "loadeditor.bat", {folder + PathSep()}));
    EXPECT_EQ(starter.started[0].style, WindowStyle::NormalFocus);
    EXPECT_EQ(tabTexts(), (QStringList{"resource.txt", "resource.h"}));
}

TEST_F(ProjectCommandsTest, NewCopiesTheTemplateAndOpensTheCopy) {
    makeTemplate();
    setPage(2);
    const QString answer = path("Work/App");
    dialogs.inputAnswers << answer;
    form->action("NewProject")->trigger();
    EXPECT_EQ(kinds(), "input");
    EXPECT_EQ(dialogs.shown[0].text + '|' + dialogs.shown[0].title + '|' + dialogs.shown[0].extra,
              "Please enter the path of the new project|Create Project|" +
                  settings().SDKProjectPath);
    EXPECT_EQ(ctx().project.ProjectPath, answer);
    EXPECT_EQ(form->windowTitle(), "Tarvo IDE " + answer);
    EXPECT_EQ(tabTexts(), (QStringList{"resource.txt", "resource.h", "main.c"}));
    EXPECT_TRUE(opened() && atPageZero());
    EXPECT_EQ(designer().ObjectPictures[1]->toolTipText(), QStringLiteral("1001,3"));
    // Empty or the default answer does nothing; the default in other letter case goes ahead,
    // without its trailing separator so that the copy lands in the folder itself.
    for (const QString& a : {QString(), settings().SDKProjectPath})
        create(a);
    EXPECT_EQ(ctx().project.ProjectPath, answer);
    create(path("SDK/"));
    EXPECT_EQ(ctx().project.ProjectPath, path("SDK"));
    EXPECT_EQ(readFile("SDK/res/resource.h"), "#define T 1\n");

    // Files the copy would replace are listed (fifteen fit) and replaced only after a yes.
    writeFile("Old/main.c", "mine\r\n");
    for (int i = 1; i < 15; ++i)
        writeFile(QStringLiteral("sdk/Template/f%1.c").arg(i), "t"),
            writeFile(QStringLiteral("Old/f%1.c").arg(i), "o");
    for (const bool yes : {false, true}) {
        dialogs.shown.clear();
        dialogs.confirmAnswers << yes;
        create(path("Old"));
        ASSERT_EQ(kinds(), "input,confirm");
        const QString question = dialogs.shown[1].text;
        EXPECT_TRUE(question.contains("main.c") && question.contains("f14.c") &&
                    !question.contains("resource.txt") && !question.contains("more"))
            << question.toStdString();
        EXPECT_EQ(readFile("Old/main.c"), yes ? "int main(void) { return 0; }\r\n" : "mine\r\n");
        EXPECT_EQ(ctx().project.ProjectPath, path(yes ? "Old" : "SDK"));
    }
}

// A project that cannot be opened or created is reported by name and leaves
// the open one as it was: tabs, unsaved edit, page; the edit is not asked about.
TEST_F(ProjectCommandsTest, FailuresAreReportedAndChangeNothing) {
    const struct {
        std::function<void()> arrange;
        const char* newAnswer; // Open Project on "Broken" when null
        const char* named;
    } cases[] = {
        {[&] { QFile::remove(path("Broken/res/resource.h")); }, nullptr, "Broken/res/resource.h"},
        {[&] { QFile::remove(path("Broken/res/resource.txt")); }, nullptr,
         "Broken/res/resource.txt"},
        {[&] { writeFile("plain.txt", "a file\r\n"); }, "plain.txt", "plain.txt"},
        {[] {}, "sdk/Template/App", "sdk/Template"},
        {[&] { writeFile("New/res", "x"); }, "New", "New"}, // the copy cannot make res/
        {[&] { QDir(path("sdk/Template")).removeRecursively(); }, "New", "sdk/Template"},
        {[&] { QFile::remove(path("sdk/Template/res/resource.h")); }, "New",
         "sdk/Template/res/resource.h"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        SetUp();
        makeTemplate();
        makeProject("Broken");
        c.arrange();
        openProject(makeProject("Good"));
        replaceText(ui().Text1, "edited\r\n");
        setPage(1);
        auto state = [&] {
            return tabTexts() << ctx().project.ProjectPath << form->windowTitle()
                              << ui().Text1->text() << ui().Label2->text();
        };
        const QStringList before = state();
        dialogs.shown.clear();
        dialogs.saveAnswers << SaveAnswer::Discard;
        dialogs.confirmAnswers << true;
        c.newAnswer ? create(path(c.newAnswer)) : openProject(path("Broken"));
        EXPECT_EQ(state(), before);
        EXPECT_EQ(designer().CurrentFormPage, 1);
        EXPECT_TRUE(starter.started.isEmpty());
        EXPECT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(c.newAnswer || kinds() == "open,message") << kinds().toStdString();
        EXPECT_TRUE(dialogs.messages().value(0).contains(QDir::toNativeSeparators(path(c.named))))
            << dialogs.messages().value(0).toStdString();
        EXPECT_FALSE(QFileInfo::exists(path("sdk/Template/App")));
    }
    EXPECT_EQ(readFile("plain.txt"), "a file\r\n");
}

// Only changed panes are written, each in its file's own format; an unchanged
// file is not touched, so a read-only one blocks nothing.
TEST_F(ProjectCommandsTest, SaveWritesOnlyWhatChanged) {
    const auto files = sampleProjectFiles();
    const QByteArray edited = QByteArray(files["res/resource.txt"]).replace("X=10", "X=11");
    openProject(makeProject("App"));
    QMap<QString, QDateTime> times;
    for (const QString& name : files.keys()) {
        touch(path("App/" + name), -86400);
        times[name] = QFileInfo(path("App/" + name)).lastModified();
    }
    ASSERT_TRUE(QFile::setPermissions(path("App/res/resource.h"), QFile::ReadOwner));
    replaceText(ui().Text1, QString::fromLatin1(edited));
    replaceText(pane(6), pane(6)->text() + "\u00e4\r\n");
    replaceText(pane(7), pane(7)->text() + "int more;\r\n");
    EXPECT_EQ(tabTexts(), (QStringList{"resource.txt*", "resource.h", "bom.c", "main.c", "mixed.c",
                                       "Notes.txt*", "util.h*"}));
    dialogs.shown.clear();
    form->action("SaveProject")->trigger();
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.value(0).text.toStdString();
    const QMap<QString, QByteArray> saved{
        {"res/resource.txt", edited},
        {"util.h", "#define UTIL 1\nint util(void);\nint more;\n"},
        {"Notes.txt", files["Notes.txt"] + "\xe4\r\n"}};
    for (const QString& name : files.keys()) {
        EXPECT_EQ(readFile("App/" + name), saved.value(name, files[name])) << name.toStdString();
        EXPECT_EQ(QFileInfo(path("App/" + name)).lastModified() == times[name],
                  !saved.contains(name))
            << name.toStdString();
    }
    EXPECT_EQ(tabTexts(), kSampleTabs);
    makeForm(path("tool")); // no project open
    replaceText(ui().Text1, "scratch\r\n");
    EXPECT_FALSE(project().hasUnsavedChanges() || project().saveProject());
    EXPECT_EQ(dialogs.messages(), QStringList{"No project is open."});
}

// resource.txt and main.c are edited, then main.c is changed on disk or the disk
// fails. A save that leaves a changed file unwritten fails; the pane keeps the
// edit, nothing on disk is damaged, and the last word names the file and why.
TEST_F(ProjectCommandsTest, SaveAsksOrReportsBeforeLosingAnything) {
    const QByteArray resource = sampleProjectFiles()["res/resource.txt"],
                     main = sampleProjectFiles()["main.c"];
    const QByteArray mine(5000, 'x'), edited = QByteArray(resource).replace("X=10", "X=11");
    auto theirs = [this](const QString& app) { writeFile(app + "/main.c", "theirs\n"); };
    const struct {
        std::function<void(const QString& app)> inject;
        QStringList answers;
        bool saved;
        QByteArray resource, main; // on disk afterwards; empty: no file
        const char* named;
        const char* said;
    } cases[] = {
        {theirs, {"Overwrite"}, true, edited, mine, "main.c", "has changed on disk"},
        {theirs, {"Skip"}, false, edited, "theirs\n", "main.c", "has changed on disk"},
        {theirs, {"Cancel"}, false, resource, "theirs\n", "main.c", "has changed on disk"},
        {[](auto app) { QFile::setPermissions(app + "/main.c", QFile::ReadOwner); },
         {},
         false,
         edited,
         main,
         "main.c",
         "read-only"},
        {[](auto app) { QDir(app).removeRecursively(); },
         {"Overwrite", "Overwrite"},
         false,
         {},
         {},
         "res/resource.txt",
         "ENOENT"},
        {[](auto app) { QFile::remove(app + "/main.c"), QDir().mkpath(app + "/main.c"); },
         {"Overwrite"},
         false,
         edited,
         {},
         "main.c",
         "EISDIR"},
        {[](auto) {}, {}, false, edited, main, "main.c", "EFBIG"}, // a full disk
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        SetUp();
        const QString app = makeProject(QStringLiteral("A%1").arg(&c - cases));
        openProject(app);
        replaceText(ui().Text1, QString::fromLatin1(edited));
        replaceText(pane(4), mine);
        c.inject(app);
        dialogs.askAnswers = c.answers;
        rlimit before{}, limit{1024, RLIM_INFINITY};
        getrlimit(RLIMIT_FSIZE, &before);
        limit.rlim_max = before.rlim_max;
        auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (qstrcmp(c.said, "EFBIG") == 0)
            setrlimit(RLIMIT_FSIZE, &limit);
        EXPECT_EQ(project().saveProject(), c.saved);
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);
        ASSERT_EQ(dialogs.questions().size(), c.answers.size());
        const QString said = dialogs.shown.value(dialogs.shown.size() - 1).text;
        EXPECT_TRUE(said.startsWith(QDir::toNativeSeparators(app + '/' + c.named)) &&
                    said.contains(c.said))
            << said.toStdString();
        for (const auto& [name, bytes] :
             {std::pair{"res/resource.txt", c.resource}, {"main.c", c.main}})
            EXPECT_EQ(QFileInfo(app + '/' + name).isFile() ? readFile(app + '/' + name) : "",
                      bytes);
        EXPECT_EQ(pane(4)->text(), mine);
        EXPECT_EQ(pane(4)->isModified(), !c.saved);
        EXPECT_TRUE(QDir(app).entryList({"*.tmp"}, QDir::Files | QDir::Hidden).isEmpty());
    }
}

enum class Command { Exit, Open, New };

TEST_F(ProjectCommandsTest, UnsavedChangesAreAskedAboutByEveryCommand) {
    QApplication::setQuitOnLastWindowClosed(false);
    int created = 0;
    auto run = [&](Command command) { // true when the command went ahead
        switch (command) {
        case Command::Exit:
            form->show();
            form->Exit_Click();
            return !form->isVisible();
        case Command::Open:
            openProject(path("Other"));
            return ctx().project.ProjectPath.contains("Other");
        case Command::New:
            create(path(QStringLiteral("New%1").arg(++created)));
            return ctx().project.ProjectPath.endsWith(QStringLiteral("New%1").arg(created));
        }
        return false;
    };
    for (Command command : {Command::Exit, Command::Open, Command::New}) {
        for (SaveAnswer answer : {SaveAnswer::Save, SaveAnswer::Discard, SaveAnswer::Cancel}) {
            SCOPED_TRACE(int(command) * 10 + int(answer));
            SetUp();
            makeTemplate();
            makeProject("Other");
            openProject(makeProject("App"));
            EXPECT_TRUE(project().confirmDiscardChanges()); // nothing changed: no question
            replaceText(pane(4), "edited\r\n");
            dialogs.shown.clear();
            dialogs.saveAnswers << answer;
            EXPECT_EQ(run(command), answer != SaveAnswer::Cancel);
            ASSERT_EQ(kinds().count("askSave"), 1);
            EXPECT_EQ(dialogs.shown[command == Command::Exit ? 0 : 1].text,
                      QStringLiteral("Save changes to the project?"));
            EXPECT_EQ(readFile("App/main.c"),
                      answer == SaveAnswer::Save ? "edited\r\n" : sampleProjectFiles()["main.c"]);
            EXPECT_EQ(ctx().project.ProjectPath.contains("App"),
                      answer == SaveAnswer::Cancel || command == Command::Exit);
            form->hide();
        }
    }
    // A save that fails keeps the window open.
    ASSERT_TRUE(QFile::setPermissions(path("App/main.c"), QFile::ReadOwner));
    dialogs.saveAnswers << SaveAnswer::Save;
    form->show();
    form->Exit_Click();
    EXPECT_TRUE(form->isVisible());
    form->hide();
}

TEST_F(ProjectCommandsTest, ResourceCommandsShowPanesAndStartTheEditor) {
    openProject(makeProject("App"));
    ui().TabStrip1->setCurrentIndex(4); // choosing a tab is the strip's business
    for (const bool header : {true, false}) {
        for (int tab : {3, 5, 7})
            pane(tab)->show();
        form->action(header ? "resourceh1" : "resourcetxt")->trigger();
        EXPECT_TRUE(ui().resourceh->isHidden() != header && ui().Text1->isHidden() == header);
        for (int tab = 3; tab <= 7; ++tab)
            EXPECT_TRUE(pane(tab)->isHidden()) << header << tab;
        EXPECT_EQ(ui().TabStrip1->currentIndex(), 4);
    }
    const QString chosen = path("some notes.txt");
    writeFile(chosen, "notes\r\n");
    dialogs.shown.clear();
    dialogs.openAnswers << QString() << path("missing.c") << chosen;
    for (int i = 0; i < 3; ++i)
        form->action("EditFile")->trigger();
    ASSERT_EQ(starter.started.size(), 1); // only an existing file goes to the editor
    EXPECT_EQ(starter.started[0].command, commandFromSetting("edit", {chosen}));
    EXPECT_EQ(dialogs.shown.value(0).text + '|' + dialogs.shown[0].extra,
              ctx().project.ProjectPath + "*.*|Resource (*.txt)|*.txt|Code (*.c;*.h)|*.c;*.h");
}

} // namespace
} // namespace tarvo::testing
