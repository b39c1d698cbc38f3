// Open, New and Save Project, outside changes and crash recovery, on the main window.
#include "app/start_options.h"
#include "designer/designer_state.h"
#include "editor/file_tabs.h"
#include "ide_test.h"
#include "platform/object_picture.h"
#include "platform/pane_family.h"
#include "platform/paths.h"
#include "project/crash_recovery.h"
#include "project/outside_changes.h"
#include "project/project_commands.h"
#include "project/recovery_store.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <sys/resource.h>

namespace tarvo::testing {
namespace {

// Line ends of every kind, a non-UTF-8 file, a byte-order mark and a bitmap, as real projects have.
QMap<QString, QByteArray> sampleProjectFiles() {
    return {
        {"main.c",
         "#include \"res/resource.h\"\r\n\r\nint main(void)\r\n{\r\n    return 0;\r\n}\r\n"},
        {"util.h", "#define UTIL 1\nint util(void);\n"},
        {"Notes.txt", "Gr\xfc\xdf"
                      "e aus M\xfcnchen\r\nKein UTF-8\r\n"},
        {"bom.c", "\xef\xbb\xbfint bom;\r\nint x;"},
        {"mixed.c", "int a;\r\nint b;\nint c;\r\n"},
        {"res/resource.txt",
         "Tarvo resources\r\n#FORM\r\nID=1000\r\n(SH)BOUNDS.X=0\r\n(SH)BOUNDS.Y=0\r\n"
         "(SH)BOUNDS.WIDTH=160\r\n(SH)BOUNDS.HEIGHT=160\r\n(U)OBJECT_ID=1001\r\n#END_FORM\r\n"
         "#BUTTON\r\nID=1001\r\n(B)OBJECT.TYPE=3\r\n(SH)BOUNDS.X=10\r\n(SH)BOUNDS.Y=20\r\n"
         "(SH)BOUNDS.WIDTH=40\r\n(SH)BOUNDS.HEIGHT=12\r\n#\r\n"},
        {"res/resource.h", "#define Form1 1000\n#define Button1 1001\n"},
        {"res/main.bmp", QByteArray("BM\x00\x01\x02\xff\r\n\n", 10)},
    };
}
const QStringList kSampleTabs{"resource.txt", "resource.h", "bom.c", "main.c",
                              "mixed.c",      "Notes.txt",  "util.h"};

// Replaces the whole text as typing would, so the pane counts as changed.
void replaceText(RichTextPane* pane, const QString& text) {
    pane->select(0, pane->textLength());
    pane->setSelText(text);
}

// The SDK, the tool folder and the projects all inside the temporary folder.
class ProjectTest : public IdeTest {
protected:
    void SetUp() override {
        IdeTest::SetUp();
        qputenv("TARVO_RECOVERY_SETTLE_MS", "50"); // the interval stays at 30 s
        makeForm(QStringLiteral("IniPath,%1\r\nSDKProjectPath,%2\r\nLoadCode,TRUE\r\n"
                                "ObjectsPerPage,20\r\nPreferedTextEditor,edit\r\n")
                     .arg(path("tool/"), path("sdk/"))
                     .toUtf8(),
                 path("tool/"));
        dialogs.shown.clear();
    }
    QString makeProject(const QString& folder,
                        const QMap<QString, QByteArray>& files = sampleProjectFiles()) const {
        for (auto it = files.begin(); it != files.end(); ++it)
            writeFile(folder + '/' + it.key(), it.value());
        return path(folder);
    }
    void openProject(const QString& folderPath) {
        dialogs.openAnswers << folderPath + PathSep() + QStringLiteral("main.c");
        project().Command4_Click();
    }
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
    ProjectCommands& project() { return form->projectCommands(); }
    int kept() {
        return readRecoverySession(project().crashRecovery().sessionFolder()).files.size();
    }
    RichTextPane* pane(int tab) { return form->fileTabs().paneOfTab(tab); }
    bool opened() const {
        return form->ui().Command5->isEnabled() && form->ui().Command10->isEnabled();
    }
    void setPage(int page) {
        designer().CurrentFormPage = page;
        ui().Label2->setText(QStringLiteral("Form %1").arg(page));
    }
    bool atPageZero() { return designer().CurrentFormPage == 0 && ui().Label2->text() == "Form 0"; }
    QString native(const char* relative) const { return QDir::toNativeSeparators(path(relative)); }
    // Replaces the file by a rename, as editors and version control do.
    void replaceOnDisk(const QString& name, const QByteArray& bytes) {
        writeFile("App/.new", bytes);
        ASSERT_TRUE(QFile::remove(path("App/" + name)) &&
                    QFile::rename(path("App/.new"), path("App/" + name)));
    }
    bool waitFor(int tab, const QString& start) {
        return QTest::qWaitFor([&] { return pane(tab)->text().startsWith(start); }, 5000);
    }
};

TEST_F(ProjectTest, OpenLoadsTheChosenFolder) {
    setPage(2);
    project().Command4_Click(); // cancelled: nothing opens but the page is reset
    EXPECT_TRUE(atPageZero() && !opened());
    const QString folder = makeProject("App") + PathSep();
    setPage(3);
    dialogs.shown.clear();
    dialogs.openAnswers << folder + "main.c";
    form->action("OpenProject")->trigger();
    EXPECT_EQ(dialogs.shown[0].text + '|' + dialogs.shown[0].extra,
              settings().SDKProjectPath + "main.c|Code (main.c)|main.c");
    EXPECT_EQ(ctx().project.ProjectPath + form->windowTitle(),
              folder + "Tarvo IDE [" + folder + "]");
    EXPECT_EQ(tabTexts(), kSampleTabs);
    EXPECT_TRUE(opened() && atPageZero() && !project().hasUnsavedChanges());
    EXPECT_EQ(designer().ObjectPictures[1]->toolTipText(), QStringLiteral("1001,3"));
    // A second project replaces the code tabs; a code pane on view gives way to Text1.
    ui().Text1->hide();
    pane(5)->show();
    openProject(
        makeProject("Second", {{"main.c", "int x;\n"},
                               {"res/resource.txt", sampleProjectFiles()["res/resource.txt"]},
                               {"res/resource.h", ""}}));
    EXPECT_EQ(tabTexts(), (QStringList{"resource.txt", "resource.h", "main.c"}));
    EXPECT_EQ(ui().OtherTextFile->indices(), QList<int>{3});
    EXPECT_EQ(form->fileTabs().paneOnView(), ui().Text1);
    // The command line names a folder or its main.c; anything else is said and opens nothing.
    for (const char* given : {"Second/", "App/main.c", "Gone", "App/util.h", "tool"}) {
        openStartProject(path(given), project(), dialogs);
        EXPECT_EQ(ctx().project.ProjectPath, path(*given == 'S' ? "Second/" : "App/")) << given;
    }
    EXPECT_EQ(
        dialogs.messages().join('|'),
        QStringLiteral("%1 does not exist.%4|%2 is neither a project folder nor its main.c.%4|"
                       "The folder %3 holds no main.c.%4")
            .arg(native("Gone"), native("App/util.h"), native("tool"),
                 "\n\nTarvoIDE starts without a project."));
    EXPECT_TRUE(starter.started.isEmpty());
}

// The window goes on while a big project is read and its tabs are added; Open and New wait.
TEST_F(ProjectTest, OpenAndNewAreIgnoredWhileAProjectLoads) {
    const QString big = makeProject("Big");
    for (int i = 0; i < 1000; ++i)
        writeFile(QStringLiteral("Big/f%1.c").arg(i), "int x;\n");
    int ticks = 0;
    QTimer poke;
    QObject::connect(&poke, &QTimer::timeout, [&] {
        ++ticks;
        project().Command4_Click();
        project().Command8_Click();
    });
    poke.start(0);
    openProject(big);
    poke.stop();
    EXPECT_GT(ticks, 1);
    EXPECT_EQ(kinds(), "open");
    EXPECT_EQ(ui().TabStrip1->count(), 1007);
}

TEST_F(ProjectTest, NewCopiesTheTemplateAndOpensTheCopy) {
    makeTemplate();
    setPage(2);
    const QString answer = path("Work/App");
    dialogs.inputAnswers << answer;
    form->action("NewProject")->trigger();
    EXPECT_EQ(kinds() + dialogs.shown[0].text + '|' + dialogs.shown[0].title + '|' +
                  dialogs.shown[0].extra,
              "inputPlease enter the path of the new project|Create Project|" +
                  settings().SDKProjectPath);
    EXPECT_EQ(ctx().project.ProjectPath + form->windowTitle(), answer + "Tarvo IDE " + answer);
    EXPECT_EQ(tabTexts(), (QStringList{"resource.txt", "resource.h", "main.c"}));
    EXPECT_TRUE(opened() && atPageZero());
    EXPECT_EQ(designer().ObjectPictures[1]->toolTipText(), QStringLiteral("1001,3"));
    // Empty or the default answer does nothing; the default in other letter case goes ahead,
    // without its trailing separator so that the copy lands in the folder itself.
    for (const QString& a : {QString(), settings().SDKProjectPath})
        create(a);
    EXPECT_EQ(ctx().project.ProjectPath, answer);
    create(path("SDK/"));
    EXPECT_EQ(ctx().project.ProjectPath + readFile("SDK/res/resource.h"),
              path("SDK") + "#define T 1\n");
    // Files the copy would replace are named and replaced only after a yes.
    writeFile("Old/main.c", "mine\r\n");
    for (const bool yes : {false, true}) {
        dialogs.shown.clear();
        dialogs.confirmAnswers << yes;
        create(path("Old"));
        EXPECT_TRUE(kinds() == "input,confirm" && dialogs.shown[1].text.contains("\n\nmain.c\n\n"));
        EXPECT_EQ(readFile("Old/main.c") + ctx().project.ProjectPath,
                  yes ? "int main(void) { return 0; }\r\n" + path("Old")
                      : "mine\r\n" + path("SDK"));
    }
}

// A project that cannot be opened or created is reported by name and leaves
// the open one as it was: tabs, unsaved edit, page.
TEST_F(ProjectTest, FailuresAreReportedAndChangeNothing) {
    // Each case: the path the report names, what is removed, where a file is put, New's answer.
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"Broken/res/resource.h", "Broken/res/resource.h", "", nullptr}, // Open on Broken
        {"plain.txt", "", "plain.txt", "plain.txt"},
        {"sdk/Template", "", "", "sdk/Template/App"},
        {"New", "", "New/res", "New"},
        {"sdk/Template", "sdk/Template", "", "New"},
        {"sdk/Template/res/resource.h", "sdk/Template/res/resource.h", "", "New"},
    };
    for (const auto& [named, removed, file, newAnswer] : cases) {
        SCOPED_TRACE(named);
        SetUp();
        makeTemplate();
        makeProject("Broken");
        if (*removed)
            QDir(path(removed)).removeRecursively(), QFile::remove(path(removed));
        if (*file)
            writeFile(file, "a file\r\n");
        openProject(makeProject("Good"));
        replaceText(ui().Text1, "edited\r\n");
        setPage(1);
        auto state = [&] {
            return tabTexts() << ctx().project.ProjectPath << form->windowTitle()
                              << ui().Text1->text()
                              << ui().Label2->text() + QString::number(designer().CurrentFormPage);
        };
        const QStringList before = state();
        dialogs.shown.clear();
        dialogs.saveAnswers << SaveAnswer::Discard;
        dialogs.confirmAnswers << true;
        newAnswer ? create(path(newAnswer)) : openProject(path("Broken"));
        EXPECT_EQ(state(), before);
        EXPECT_TRUE(newAnswer || kinds() == "open,message") << kinds().toStdString();
        EXPECT_TRUE(dialogs.messages().value(0).contains(native(named)));
    }
}

// Only changed panes are written, each in its file's own format; an unchanged
// file is not touched, so a read-only one blocks nothing.
TEST_F(ProjectTest, SaveWritesOnlyWhatChanged) {
    const auto files = sampleProjectFiles();
    const QByteArray edited = QByteArray(files["res/resource.txt"]).replace("X=10", "X=11");
    openProject(makeProject("App"));
    ASSERT_TRUE(QFile::setPermissions(path("App/res/resource.h"), QFile::ReadOwner));
    replaceText(ui().Text1, QString::fromLatin1(edited));
    replaceText(pane(6), pane(6)->text() + "\u00e4\r\n");
    replaceText(pane(7), pane(7)->text() + "int more;\r\n");
    form->action("SaveProject")->trigger();
    EXPECT_EQ(kinds(), "open");
    const QMap<QString, QByteArray> saved{
        {"res/resource.txt", edited},
        {"util.h", "#define UTIL 1\nint util(void);\nint more;\n"},
        {"Notes.txt", files["Notes.txt"] + "\xe4\r\n"}};
    for (const QString& name : files.keys()) {
        EXPECT_EQ(readFile("App/" + name), saved.value(name, files[name])) << name.toStdString();
    }
    EXPECT_EQ(tabTexts(), kSampleTabs);
    // The question, the save and recovery treat a pane never made as unchanged
    // without making it; a change on disk reaches it all the same.
    EXPECT_TRUE(!project().hasUnsavedChanges() && project().crashRecovery().update());
    replaceOnDisk("mixed.c", "int moved;\n");
    project().outsideChanges().checkNow();
    for (int i : {3, 4, 5})
        EXPECT_EQ(ui().OtherTextFile->madeAt(i), nullptr) << i;
    EXPECT_EQ(pane(5)->find("moved"), 4);
    EXPECT_EQ(pane(5)->text(), "int moved;\r\n");
    makeForm(path("tool")); // no project open
    replaceText(ui().Text1, "scratch\r\n");
    EXPECT_TRUE(!project().hasUnsavedChanges() && !project().saveProject() &&
                dialogs.messages() == QStringList{"No project is open."});
}

// A big project is looked at apart from the window (panes may be built
// meanwhile); each finding still reaches its own file.
TEST_F(ProjectTest, ManyFilesAreEachCheckedAgainstTheirOwnVersion) {
    auto files = sampleProjectFiles();
    for (int i = 10; i < 80; ++i)
        files.insert(QStringLiteral("m%1.c").arg(i), "int m;\n");
    openProject(makeProject("App", files));
    auto tabOf = [&](const QString& name) {
        for (int i = 3; i <= form->fileTabs().tabCount(); ++i)
            if (form->fileTabs().tabCaption(i) == name)
                return i;
        return 0;
    };
    const int edited = tabOf("m15.c"), moved = tabOf("m60.c"), gone = tabOf("m33.c");
    replaceText(pane(edited), "int mine;\r\n");
    for (const char* name : {"m15.c", "m60.c"})
        replaceOnDisk(name, "int theirs;\n");
    QFile::remove(path("App/m33.c"));
    dialogs.askAnswers = QStringList{"Keep Mine"};
    project().outsideChanges().checkNow();
    EXPECT_EQ(dialogs.questions().size(), 1);
    EXPECT_TRUE(dialogs.shown.value(1).text.contains("m15.c has changed on disk"));
    EXPECT_EQ(pane(edited)->text(), "int mine;\r\n");
    EXPECT_TRUE(pane(moved)->text() == "int theirs;\r\n" && !pane(moved)->isModified());
    EXPECT_EQ(tabTexts()[gone - 1], QStringLiteral("m33.c (deleted)"));
    EXPECT_EQ(pane(tabOf("m34.c"))->text(), "int m;\r\n");
}

// resource.txt and main.c are edited, then main.c is changed or removed on disk,
// or the disk fails. A save that leaves a changed file unwritten fails; the pane
// keeps the edit, nothing on disk is damaged, and the last word names the file and why.
TEST_F(ProjectTest, SaveAsksOrReportsBeforeLosingAnything) {
    const QByteArray resource = sampleProjectFiles()["res/resource.txt"],
                     main = sampleProjectFiles()["main.c"];
    const QByteArray mine(5000, 'x'), edited = QByteArray(resource).replace("X=10", "X=11");
    const struct {
        char fault; // t: theirs, k: theirs seen before the save, x: removed, r: read-only,
                    // g: folder gone, d: a folder in its place, b: too big
        QStringList answers;
        bool saved;
        QByteArray resource, main; // on disk afterwards; empty: no file
        const char *named, *said;
    } cases[] = {
        {'t', {"Overwrite"}, true, edited, mine, "main.c", "has changed on disk"},
        {'t', {"Skip"}, false, edited, "theirs\n", "main.c", "has changed on disk"},
        {'t', {"Cancel"}, false, resource, "theirs\n", "main.c", "has changed on disk"},
        {'k',
         {"Reload"},
         true,
         edited,
         "theirs\n",
         "main.c",
         " has changed on disk. Reload it and lose your changes?"},
        {'k', {"Keep Mine", "Overwrite"}, true, edited, mine, "main.c", "has changed on disk"},
        {'x', {"Overwrite"}, true, edited, mine, "main.c", "is no longer on disk"},
        {'x', {"Skip"}, false, edited, {}, "main.c", "is no longer on disk"},
        {'r', {}, false, edited, main, "main.c", "read-only"},
        {'g', {"Overwrite", "Overwrite"}, false, {}, {}, "res/resource.txt", "ENOENT"},
        {'d', {"Overwrite"}, false, edited, {}, "main.c", "EISDIR"},
        {'b', {}, false, edited, main, "main.c", "EFBIG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        SetUp();
        const QString app = makeProject(QStringLiteral("A%1").arg(&c - cases));
        openProject(app);
        replaceText(ui().Text1, QString::fromLatin1(edited));
        replaceText(pane(4), mine);
        dialogs.askAnswers = c.answers;
        if (c.fault == 't' || c.fault == 'k')
            writeFile(app + "/main.c", "theirs\n");
        for (int look = 0; c.fault == 'k' && look < 2; ++look) // the same version is asked once
            project().outsideChanges().checkNow();
        if (c.fault == 'r')
            QFile::setPermissions(app + "/main.c", QFile::ReadOwner);
        if (c.fault == 'g')
            QDir(app).removeRecursively();
        if (c.fault == 'd' || c.fault == 'x')
            QFile::remove(app + "/main.c"), QDir().mkpath(c.fault == 'd' ? app + "/main.c" : app);
        if (c.fault == 'x') { // a removed file marks its tab
            project().outsideChanges().checkNow();
            EXPECT_EQ(tabTexts()[3], QStringLiteral("main.c* (deleted)"));
        }
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        const rlimit small{1024, before.rlim_max};
        auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (c.fault == 'b')
            setrlimit(RLIMIT_FSIZE, &small);
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
        EXPECT_EQ(pane(4)->text(), c.answers.value(0) == "Reload" ? "theirs\r\n" : QString(mine));
        EXPECT_EQ(pane(4)->isModified(), !c.saved);
        EXPECT_TRUE(QDir(app).entryList({"*.tmp"}, QDir::Files | QDir::Hidden).isEmpty());
    }
}

// Exit, Open and New ask once before an edit is lost; Cancel or a failed save stops them.
TEST_F(ProjectTest, UnsavedChangesAreAskedAboutFirst) {
    QApplication::setQuitOnLastWindowClosed(false);
    for (const auto& [command, answer, writable] : {std::tuple{'x', SaveAnswer::Save, false},
                                                    {'x', SaveAnswer::Cancel, true},
                                                    {'o', SaveAnswer::Discard, true},
                                                    {'o', SaveAnswer::Cancel, true},
                                                    {'n', SaveAnswer::Save, true}}) {
        SCOPED_TRACE((std::string{command, char('0' + int(answer)), char('0' + writable)}));
        SetUp();
        makeTemplate();
        openProject(makeProject("App"));
        EXPECT_TRUE(project().confirmDiscardChanges()); // nothing changed: no question
        replaceText(pane(4), "edited\r\n");
        QFile::setPermissions(path("App/main.c"),
                              QFile::ReadOwner | (writable ? QFile::WriteOwner : QFile::ReadOwner));
        dialogs.shown.clear();
        dialogs.saveAnswers << answer;
        form->show();
        command == 'x'   ? form->Exit_Click()
        : command == 'o' ? openProject(makeProject("Other"))
                         : create(path("New"));
        const bool goes = answer != SaveAnswer::Cancel && writable;
        EXPECT_EQ(form->isVisible() && ctx().project.ProjectPath.contains("App"), !goes);
        EXPECT_EQ(kinds().count("askSave"), 1);
        EXPECT_EQ(dialogs.shown.value(kinds().split(',').indexOf("askSave")).text,
                  "Save changes to the project?");
        EXPECT_EQ(readFile("App/main.c"), answer == SaveAnswer::Save && writable
                                              ? "edited\r\n"
                                              : sampleProjectFiles()["main.c"]);
        QFile::setPermissions(path("App/main.c"), QFile::ReadOwner | QFile::WriteOwner);
        QDir(path("New")).removeRecursively();
    }
}

TEST_F(ProjectTest, ResourceCommandsShowPanesAndStartTheEditor) {
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
}

TEST_F(ProjectTest, AnUnchangedPaneFollowsItsFileKeepingCaretAndScroll) {
    openProject(makeProject("App"));
    QSignalSpy pageReloads(&project().outsideChanges(), &OutsideChanges::resourceTextReloaded);
    const QByteArray text = QByteArray("int line;\n").repeated(200);
    replaceOnDisk("util.h", text);
    ASSERT_TRUE(waitFor(7, "int line;"));
    form->show();
    ui().TabStrip1->setCurrentIndex(6);
    pane(7)->select(40, 3);
    pane(7)->verticalScrollBar()->setValue(50);
    // Seen again after a rename and after a write in place: the watch follows the file.
    replaceOnDisk("util.h", "// first\n" + text);
    ASSERT_TRUE(waitFor(7, "// first"));
    EXPECT_TRUE(pane(7)->selStart() == 40 && pane(7)->selLength() == 3 && !pane(7)->isModified());
    EXPECT_EQ(pane(7)->verticalScrollBar()->value(), 50);
    writeFile("App/util.h", "// second\n" + text);
    ASSERT_TRUE(waitFor(7, "// second"));
    // A look asked for while a question is open comes once it is answered.
    project().outsideChanges().withoutChecks([&] {
        writeFile("App/util.h", "// held\n");
        QTest::qWait(400);
        EXPECT_TRUE(pane(7)->text().startsWith("// second"));
    });
    EXPECT_TRUE(waitFor(7, "// held"));
    // The form page follows a reloaded resource text, and only that.
    EXPECT_EQ(pageReloads.count(), 0);
    QByteArray resource = sampleProjectFiles()["res/resource.txt"];
    replaceOnDisk("res/resource.txt", resource.replace("(SH)BOUNDS.X=10", "(SH)BOUNDS.X=30"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return designer().ObjectPictures[1]->left() == 119; }, 5000));
    EXPECT_EQ(kinds(), "open");
}

TEST_F(ProjectTest, UnsavedTextsAreKeptUntilSavedOrDiscarded) {
    openProject(makeProject("App"));
    replaceText(pane(4), "int edited;\r\n");
    QTest::qWait(200); // an edit of a code pane waits for the interval
    EXPECT_FALSE(QFileInfo::exists(project().crashRecovery().sessionFolder()));
    replaceText(ui().Text1, "#FORM edited\r\n"); // designer gestures settle soon
    ASSERT_TRUE(QTest::qWaitFor([&] { return kept() == 2; }, 5000));
    const RecoverySession session = readRecoverySession(project().crashRecovery().sessionFolder());
    EXPECT_EQ(session.files[0].name + session.files[1].text, "res/resource.txtint edited;\r\n");
    ASSERT_TRUE(project().saveProject());
    EXPECT_FALSE(QFileInfo::exists(project().crashRecovery().sessionFolder()));
    replaceText(pane(4), "again\r\n");
    ASSERT_TRUE(project().crashRecovery().update());
    EXPECT_EQ(kept(), 1);
    dialogs.saveAnswers << SaveAnswer::Discard;
    ASSERT_TRUE(project().confirmDiscardChanges());
    EXPECT_FALSE(QFileInfo::exists(project().crashRecovery().sessionFolder()));
    qputenv("TARVO_RECOVERY_INTERVAL_MS", "100"); // a code pane's edit is kept after the interval
    makeForm(path("tool/"));
    qunsetenv("TARVO_RECOVERY_INTERVAL_MS");
    openProject(makeProject("App2"));
    replaceText(pane(4), "int kept;\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return kept() == 1; }, 5000));
}

TEST_F(ProjectTest, ACrashedSessionIsOfferedWhenTheProjectIsOpenedAgain) {
    for (const QString answer : {"Restore", "Discard", "Later", "Old"}) {
        SCOPED_TRACE(answer.toStdString());
        const QString project = makeProject("App-" + answer);
        const QString crashed = projectRecoveryFolder(recoveryRoot(), project) + "/crashed";
        touch(project + "/main.c", -60);
        ASSERT_TRUE(writeRecoverySession(
            {crashed,
             project,
             {{"main.c", "int main(void) { return 2; }\r\n", 0}, {"new.c", "x", 0}}}));
        if (answer == "Old") { // data older than its file, or as old, was lost to a save
            writeFile(project + "/main.c", "saved\n"), touch(project + "/main.c", 1);
            writeFile(project + "/new.c", "saved\n");
            QFile same(project + "/new.c");
            const qint64 written = readRecoverySession(crashed).files.at(1).written;
            ASSERT_TRUE(same.open(QIODevice::Append) &&
                        same.setFileTime(QDateTime::fromMSecsSinceEpoch(written),
                                         QFileDevice::FileModificationTime));
        }
        dialogs.saveAnswers = {SaveAnswer::Discard}; // the edits restored by the case before
        dialogs.askAnswers = QStringList{answer};
        dialogs.shown.clear();
        openProject(project);
        ASSERT_EQ(dialogs.questions().size(), answer == "Old" ? 0 : 1);
        if (answer == "Old")
            break;
        EXPECT_EQ(dialogs.questions()[0].extra +
                      QString::number(dialogs.questions()[0].defaultButton),
                  QStringLiteral("Restore|Discard|Later0"));
        const bool restored = answer == "Restore";
        EXPECT_EQ(pane(4)->text().contains("return 2;"), restored);
        EXPECT_EQ(tabTexts().mid(3).join(','), restored ? "main.c*,mixed.c,Notes.txt,util.h,new.c*"
                                                        : "main.c,mixed.c,Notes.txt,util.h");
        EXPECT_EQ(QFileInfo::exists(crashed), answer == "Later");
        EXPECT_EQ(kept(), restored ? 2 : 0);
    }
}

} // namespace
} // namespace tarvo::testing
