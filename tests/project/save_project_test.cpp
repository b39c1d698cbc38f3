#include "editor/file_tabs.h"
#include "platform/pane_family.h"
#include "platform/paths.h"
#include "platform/rich_text_pane.h"
#include "project/project_commands.h"
#include "project_fixture.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTabBar>
#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace tarvo::testing {
namespace {

using SaveProject = ProjectTest;

TEST_F(SaveProject, OnlyChangedPanesAreWrittenAndUnchangedFilesAreNotTouched) {
    const auto files = sampleProjectFiles();
    openProject(makeProject(QStringLiteral("App")));
    QMap<QString, QDateTime> times;
    for (auto it = files.begin(); it != files.end(); ++it) {
        touch(path("App/" + it.key()), -86400);
        times[it.key()] = QFileInfo(path("App/" + it.key())).lastModified();
    }
    // An unchanged read-only file blocks nothing.
    ASSERT_TRUE(QFile::setPermissions(path("App/res/resource.h"), QFile::ReadOwner));
    replaceText(form->fileTabs().paneOfTab(4), QStringLiteral("int main;\r\n"));
    dialogs.shown.clear();

    EXPECT_TRUE(form->projectCommands().saveProject());
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.value(0).text.toStdString();
    for (auto it = files.begin(); it != files.end(); ++it) {
        const bool edited = it.key() == QLatin1String("main.c");
        EXPECT_EQ(readFile("App/" + it.key()), edited ? "int main;\r\n" : it.value());
        EXPECT_EQ(QFileInfo(path("App/" + it.key())).lastModified() == times[it.key()], !edited)
            << it.key().toStdString();
    }
}

// Edits to resource.txt and main.c; main.c also changed on disk. The question
// comes before anything is written.
TEST_F(SaveProject, AFileChangedOnDiskIsOverwrittenOnlyWhenTheUserSaysSo) {
    const struct {
        const char* answer;
        bool result;
        QByteArray resource, main;
    } cases[] = {
        {"Overwrite", true, "mine\r\n", "mine\r\n"},
        {"Skip", false, "mine\r\n", "theirs\n"},
        {"Cancel", false, sampleProjectFiles()["res/resource.txt"], "theirs\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        SetUp();
        openProject(makeProject(QStringLiteral("App")));
        replaceText(ui().Text1, QStringLiteral("mine\r\n"));
        replaceText(form->fileTabs().paneOfTab(4), QStringLiteral("mine\r\n"));
        writeFile(QStringLiteral("App/main.c"), "theirs\n");
        dialogs.askAnswers = QStringList{QString::fromLatin1(c.answer)};
        EXPECT_EQ(form->projectCommands().saveProject(), c.result);
        ASSERT_EQ(dialogs.questions().size(), 1);
        EXPECT_EQ(dialogs.questions()[0].extra, QStringLiteral("Overwrite|Skip|Cancel"));
        EXPECT_EQ(dialogs.questions()[0].defaultButton, 2);
        EXPECT_TRUE(dialogs.questions()[0].text.startsWith(
            QDir::toNativeSeparators(path("App/main.c")) + " has changed on disk"));
        EXPECT_EQ(readFile("App/res/resource.txt"), c.resource);
        EXPECT_EQ(readFile("App/main.c"), c.main);
        EXPECT_EQ(form->fileTabs().paneOfTab(4)->isModified(), !c.result);
    }
}

// Each fault: the save fails with a message naming the file and the system's
// reason, the pane keeps the edit, and nothing on disk is damaged.
TEST_F(SaveProject, FaultsOnDiskAreReportedAndLoseNothing) {
    const struct {
        const char* name;
        std::function<void(const QString& app)> inject;
        const char* reason;
    } cases[] = {
        {"read-only", [](auto app) { QFile::setPermissions(app + "/main.c", QFile::ReadOwner); },
         "read-only"},
        {"folder vanished", [](auto app) { QDir(app).removeRecursively(); }, "ENOENT"},
        {"code file replaced by a folder",
         [](auto app) { QFile::remove(app + "/main.c"), QDir().mkpath(app + "/main.c"); },
         "EISDIR"},
        {"disk full (file-size limit)", [](auto) {}, "EFBIG"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        const QString app = makeProject(QString::fromLatin1(c.name));
        openProject(app);
        c.inject(app);
        const QString edit(5000, QLatin1Char('x'));
        replaceText(form->fileTabs().paneOfTab(4), edit);
        dialogs.askAnswers = QStringList{QStringLiteral("Overwrite")}; // where the file is gone
        rlimit before{}, limit{1024, RLIM_INFINITY};
        getrlimit(RLIMIT_FSIZE, &before);
        limit.rlim_max = before.rlim_max;
        auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (qstrcmp(c.reason, "EFBIG") == 0)
            setrlimit(RLIMIT_FSIZE, &limit);
        EXPECT_FALSE(form->projectCommands().saveProject());
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);

        ASSERT_EQ(dialogs.messages().size(), 1);
        const QString message = dialogs.messages()[0];
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(app + "/main.c")) &&
                    message.contains(QLatin1String(c.reason)))
            << message.toStdString();
        EXPECT_EQ(form->fileTabs().paneOfTab(4)->text(), edit);
        EXPECT_TRUE(readFile(app + "/main.c") == sampleProjectFiles()["main.c"] ||
                    !QFileInfo(app + "/main.c").isFile());
        EXPECT_TRUE(QDir(app).entryList({"*.tmp"}, QDir::Files | QDir::Hidden).isEmpty());
    }
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
    replaceText(ui().resourceh, QStringLiteral("#define H 1\n"));

    form->projectCommands().Command5_Click();

    EXPECT_EQ(readFile(QStringLiteral("App/main.c")), sampleProjectFiles()["main.c"]);
    EXPECT_EQ(readFile(QStringLiteral("App/res/resource.h")), "#define H 1\n");
}

} // namespace
} // namespace tarvo::testing
