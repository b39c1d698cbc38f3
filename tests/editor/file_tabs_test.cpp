// Tabs bound to panes and files: listing a folder, choosing tabs, New Text File.
#include "editor_fixture.h"

#include "platform/file_ops.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>

namespace tarvo::testing {
namespace {

const QColor kGreen(0, 127, 0);
const QString kCode = QStringLiteral("int x;\r\n");

class FileTabsTest : public EditorTest {
protected:
    QString listSampleProject() {
        return openProject({{QStringLiteral("main.c"), QStringLiteral("int main;\r\n")},
                            {QStringLiteral("util.h"), kCode},
                            {QStringLiteral("build.bat"), kCode},
                            {QStringLiteral("load.bat"), kCode},
                            {QStringLiteral("MAKE.C"), kCode},
                            {QStringLiteral("x.cpp"), kCode},
                            {QStringLiteral("x.hpp"), kCode}});
    }

    // The panes that are not hidden, by tab number.
    QList<int> shownTabs() {
        QList<int> out;
        for (int i = 1; i <= form->fileTabs().tabCount(); ++i) {
            if (pane(i) && !pane(i)->isHidden())
                out << i;
        }
        return out;
    }

    int tabOf(const QString& caption) { return int(captions().indexOf(caption)) + 1; }
};

TEST_F(FileTabsTest, ListingBindsOneTabAndPanePerFileInListingOrder) {
    const QString folder = listSampleProject();
    // Choosing a tab makes that pane's widget only, and every tab shows.
    chooseTab(4);
    for (int i = 1; i <= form->fileTabs().tabCount(); ++i) {
        EXPECT_TRUE(ui().TabStrip1->isTabVisible(i - 1)) << i;
        if (i >= 3) {
            EXPECT_EQ(ui().OtherTextFile->madeAt(i) != nullptr, i == 4) << i;
        }
    }
    chooseTab(1);
    QStringList listed;
    ASSERT_TRUE(FileOps::ListFiles(folder, &listed));
    EXPECT_EQ(captions(),
              QStringList({QStringLiteral("resource.txt"), QStringLiteral("resource.h")}) + listed);
    for (int i = 3; i <= form->fileTabs().tabCount(); ++i) {
        QFile f(folder + QLatin1Char('/') + form->fileTabs().tabCaption(i));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(pane(i)->text(), QString::fromLatin1(f.readAll()));
        EXPECT_TRUE(pane(i)->isHidden());
    }
    EXPECT_TRUE(ui().NewTextFile->isEnabled());
}

TEST_F(FileTabsTest, ChoosingATabEmptiesTheStatusShowsItsPaneAndColoursOnlyCSources) {
    listSampleProject();
    struct Case {
        const char* caption;
        bool coloured;
    };
    const Case cases[] = {{"main.c", true},
                          {"util.h", true},
                          {"x.cpp", true},
                          {"MAKE.C", false},
                          {"build.bat", false}};
    for (const Case& c : cases) {
        const int i = tabOf(QString::fromLatin1(c.caption));
        ASSERT_GE(i, 3) << c.caption;
        ui().StatusBar1->showMessage(QStringLiteral("Cursor is at line:7"));
        chooseTab(i);
        EXPECT_EQ(status(), QString()) << c.caption;
        EXPECT_EQ(shownTabs(), QList<int>{i}) << c.caption;
        EXPECT_EQ(colorAt(pane(i), 0) == kGreen, c.coloured) << c.caption;
    }
}

TEST_F(FileTabsTest, ResourceTabsShowTheirPanesAndTheHeaderIsColouredEachTime) {
    listSampleProject();
    ui().Text1->setText(kCode);
    ui().resourceh->setText(kCode);
    chooseTab(3);
    chooseTab(2);
    EXPECT_EQ(shownTabs(), QList<int>{2});
    EXPECT_EQ(colorAt(pane(2), 0), kGreen);

    pane(2)->setText(QStringLiteral("INT y;\r\n"));
    chooseTab(1);
    EXPECT_EQ(shownTabs(), QList<int>{1});
    EXPECT_FALSE(colorAt(pane(1), 0).isValid()); // resource.txt is never coloured
    chooseTab(2);
    EXPECT_EQ(pane(2)->text(), QStringLiteral("int y;\r\n"));
}

TEST_F(FileTabsTest, EveryPaneTakesText1sRectangleWheneverTheLayoutRuns) {
    listSampleProject();
    chooseTab(3);
    form->resize(form->width() + 120, form->height() + 90);
    form->Form_Resize();
    for (int i = 2; i <= form->fileTabs().tabCount(); ++i)
        EXPECT_EQ(pane(i)->geometry(), ui().Text1->geometry()) << i;
}

TEST_F(FileTabsTest, PanesKeepCaretSelectionAndScrollOverTabChoicesAndPasses) {
    QString code;
    for (int i = 1; i <= 200; ++i)
        code += QStringLiteral("INT v%1;\r\n").arg(i);
    openProject({{QStringLiteral("a.c"), code}, {QStringLiteral("b.c"), kCode}});
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    chooseTab(3);
    EXPECT_EQ(pane(3)->verticalScrollBar()->value(), 0); // a freshly loaded pane starts at the top
    pane(3)->select(code.indexOf(QStringLiteral("INT v60;")) + 1, 5);
    pane(3)->verticalScrollBar()->setValue(50);
    for (bool changed : {false, true}) {
        if (changed) { // the next choice colours the pane again
            QTextCursor end(pane(3)->document());
            end.movePosition(QTextCursor::End);
            end.insertText(QStringLiteral("INT w;"));
        }
        chooseTab(4);
        chooseTab(3);
        EXPECT_EQ(pane(3)->selStart(), code.indexOf(QStringLiteral("INT v60;")) + 1);
        EXPECT_EQ(pane(3)->selLength(), 5);
        EXPECT_EQ(pane(3)->verticalScrollBar()->value(), 50);
    }
}

TEST_F(FileTabsTest, ChoosingATabWithTheMouseGivesItsPaneTheKeyboard) {
    openProject({{QStringLiteral("a.c"), kCode}, {QStringLiteral("b.c"), kCode}});
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    for (int i : {4, 2, 4}) {
        QTest::mouseClick(ui().TabStrip1, Qt::LeftButton, {},
                          ui().TabStrip1->tabRect(i - 1).center());
        QTest::qWait(0);
        EXPECT_TRUE(pane(i)->hasFocus()) << i;
    }
}

TEST_F(FileTabsTest, FirstScreenSaysHowToBeginUntilAProjectIsOpen) {
    settings().SDKProjectPath = QStringLiteral("/sdk/");
    form->fileTabs().showWelcome();
    const QString welcome = ui().Text1->placeholderText();
    for (const char* part : {"Ctrl+L", "Ctrl+N", "Template"})
        EXPECT_TRUE(welcome.contains(QString::fromLatin1(part))) << part;
    EXPECT_TRUE(welcome.contains(QDir::toNativeSeparators(QStringLiteral("/sdk/"))));
    EXPECT_TRUE(ui().Text1->text().isEmpty());
    listSampleProject();
    EXPECT_TRUE(ui().Text1->placeholderText().isEmpty());
}

TEST_F(FileTabsTest, UnreadableFileGetsNoTabThatSaveCouldOverwrite) {
    const QString folder =
        openProject({{QStringLiteral("a.c"), kCode}, {QStringLiteral("b.c"), kCode}});
    QFile locked(folder + QStringLiteral("/b.c"));
    ASSERT_TRUE(locked.setPermissions({}));
    if (locked.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "file permissions do not stop this user from reading";
    form->fileTabs().resetToResourceTabs();
    QString error;
    EXPECT_FALSE(form->fileTabs().ShowFileList(folder, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("b.c")));
    EXPECT_EQ(captions(), QStringList({QStringLiteral("resource.txt"), QStringLiteral("resource.h"),
                                       QStringLiteral("a.c")}));
    EXPECT_EQ(ui().OtherTextFile->indices(), QList<int>{3});
}

TEST_F(FileTabsTest, NewTextFileAddsASelectedEmptyPaneWithoutWritingAFile) {
    const QString folder = listSampleProject();
    const int before = form->fileTabs().tabCount();
    chooseTab(3);
    ui().StatusBar1->showMessage(QStringLiteral("Cursor is at line:3"));
    dialogs.inputAnswers << QStringLiteral("util.c");
    form->fileTabs().NewTextFile_Click();

    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Please enter the name of the new file"));
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Create Project"));
    const int n = before + 1;
    ASSERT_EQ(form->fileTabs().tabCount(), n);
    EXPECT_EQ(form->fileTabs().tabCaption(n), QStringLiteral("util.c"));
    EXPECT_EQ(shownTabs(), QList<int>{n});
    EXPECT_EQ(pane(n)->geometry(), ui().Text1->geometry());
    EXPECT_EQ(status(), QString());
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/util.c")));

    // The new pane takes typed text like any other.
    pane(n)->setSelText(QStringLiteral("int y;\r\n"));
    chooseTab(3);
    chooseTab(n);
    EXPECT_EQ(colorAt(pane(n), 0), kGreen);
}

TEST_F(FileTabsTest, NewTextFileRefusesNamesThatSaveWouldMisplace) {
    listSampleProject();
    const QStringList before = captions();
    struct Case {
        const char* name;
        const char* reason; // a word the message must hold
    };
    const Case cases[] = {
        {"main.c", "already"},     {"resource.h", "already"}, {"sub/x.c", "separator"},
        {"sub\\x.c", "separator"}, {"x..c", "\"..\""},
    };
    for (const Case& c : cases) {
        dialogs.shown.clear();
        dialogs.inputAnswers << QString::fromLatin1(c.name);
        form->fileTabs().NewTextFile_Click();
        EXPECT_EQ(captions(), before) << c.name;
        ASSERT_EQ(dialogs.messages().size(), 1) << c.name;
        EXPECT_TRUE(dialogs.messages()[0].contains(QString::fromLatin1(c.reason))) << c.name;
    }
}

TEST_F(FileTabsTest, NewTextFileAddsNothingBeforeAProjectOrWhenCancelled) {
    dialogs.inputAnswers << QStringLiteral("a.c");
    form->fileTabs().NewTextFile_Click();
    EXPECT_EQ(form->fileTabs().tabCount(), 1);
    EXPECT_TRUE(ui().OtherTextFile->indices().isEmpty());
    EXPECT_TRUE(dialogs.shown.isEmpty());
    dialogs.inputAnswers.clear();
    listSampleProject();
    const QStringList before = captions();
    dialogs.inputAnswers << QString(); // cancelled or nothing entered
    form->fileTabs().NewTextFile_Click();
    EXPECT_EQ(captions(), before);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

} // namespace
} // namespace tarvo::testing
