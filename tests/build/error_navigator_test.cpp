#include "build/error_navigator.h"
#include "build_fixture.h"
#include "editor/file_tabs.h"
#include "editor/jump_to_line.h"
#include "project/resource_files.h"

#include <QAction>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace tarvo::testing {
namespace {

class ErrorNavigatorTest : public BuildTest {
protected:
    void SetUp() override {
        BuildTest::SetUp();
        m_project = folder(QStringLiteral("My Proj"));
        writeFile(m_project + QStringLiteral("main.c"), "int a;\r\nint b;\r\nint main(void)\r\n");
        writeFile(m_project + QStringLiteral("util.c"), "int u;\nint v;\n");
        writeFile(m_project + QStringLiteral("res/resource.h"), "#define A 1\r\n");
        writeFile(path(QStringLiteral("out side/o.c")), "int o;\n");
        settings().LoadCode = QStringLiteral("TRUE");
        settings().PreferedTextEditor = QStringLiteral("edit");
        ctx().project.ProjectPath = m_project;
        ASSERT_TRUE(ui().resourceh->loadFile(m_project + QStringLiteral("res/resource.h")));
        form->fileTabs().resetToResourceTabs();
        ASSERT_TRUE(form->fileTabs().ShowFileList(m_project));
        for (int i = 3; i <= 4; ++i)
            m_tab[form->fileTabs().tabCaption(i)] = i;
        ui().ConsoleText1->setText(QStringLiteral("main.c:3:5: error: e\r\n"
                                                  "In file included from x\r\n"
                                                  "./util.c:9:1: warning: past the end\r\n") +
                                   m_project +
                                   QStringLiteral("res/resource.h:1: note: n\r\n"
                                                  "../out side/o.c:2:1: error: o\r\n"
                                                  "main.c:1:99: error: far right\r\n"
                                                  "gone.c:1:1: error: m"));
        ui().ConsoleText2->setText(QStringLiteral("cc -c main.c\nmain.c(2) : warning C4: x\n"));
    }
    ErrorNavigator& errors() { return form->errorNavigator(); }
    RichTextPane* shownPane() { return form->fileTabs().paneOnView(); }

    QString m_project;
    QMap<QString, int> m_tab;
};

TEST_F(ErrorNavigatorTest, F8AndShiftF8VisitEveryMessageInConsoleOrderAndWrap) {
    auto* f8 = form->findChild<QAction*>(QStringLiteral("NextError"));
    auto* shiftF8 = form->findChild<QAction*>(QStringLiteral("PreviousError"));
    ASSERT_TRUE(f8 && shiftF8);
    EXPECT_EQ(f8->shortcut(), QKeySequence(Qt::Key_F8));
    const struct {
        int tab;      // 0: no tab holds the file
        int position; // the caret's CR LF position in that tab's pane
        int consoleTab;
    } visits[] = {
        {m_tab["main.c"], 16 + 4, 0},
        {m_tab["util.c"], 16, 0},
        {2, 0, 0},
        {0, 0, 0},
        {m_tab["main.c"], 6, 0},
        {0, 0, 0},
        {m_tab["main.c"], 8, 1},
    };
    EXPECT_EQ(errors().count(), 7);
    for (int round = 0; round < 2; ++round) {
        for (int k = 0; k < 7; ++k) {
            SCOPED_TRACE(QStringLiteral("round %1, message %2").arg(round).arg(k).toStdString());
            starter.started.clear();
            dialogs.shown.clear();
            if (k == 2) { // tab 2 chosen, but the menu put resource.txt on view
                ui().TabStrip1->setCurrentIndex(1);
                form->resourceFiles().resourcetxt_Click();
            }
            f8->trigger();
            EXPECT_EQ(errors().current(), k);
            EXPECT_EQ(ui().Console->currentIndex(), visits[k].consoleTab);
            EXPECT_TRUE((visits[k].consoleTab ? ui().ConsoleText2 : ui().ConsoleText1)->hasMark());
            if (visits[k].tab == 0)
                continue;
            RichTextPane* pane = form->fileTabs().paneOfTab(visits[k].tab);
            EXPECT_EQ(form->fileTabs().selectedTab(), visits[k].tab);
            EXPECT_EQ(shownPane(), pane);
            EXPECT_EQ(pane->selStart(), visits[k].position);
            EXPECT_EQ(pane->selLength(), 0);
            EXPECT_EQ(form->focusWidget(), pane);
            EXPECT_FALSE(pane->isModified());
        }
    }
    shiftF8->trigger();
    EXPECT_EQ(errors().current(), 5);
    // A file outside the project opens in the outside editor; a file
    // that is nowhere is reported.
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("The file %1 of the compiler message was not found.")
                              .arg(QDir::toNativeSeparators(m_project + "gone.c"))});
    errors().PreviousError_Click();
    errors().PreviousError_Click();
    EXPECT_EQ(errors().current(), 3);
    ASSERT_EQ(starter.commands().size(), 1);
    EXPECT_EQ(starter.commands()[0],
              commandFromSetting(QStringLiteral("edit"),
                                 {QFileInfo(path("out side/o.c")).canonicalFilePath()}));
}

TEST_F(ErrorNavigatorTest, EnterOrDoubleClickOnAMessageLineGoesThereAndOtherLinesDoNothing) {
    ConsolePane* console = ui().ConsoleText1;
    form->show();
    const QString text = console->text();
    console->setSelStart(int(text.indexOf(QStringLiteral("In file"))));
    QTest::keyClick(console, Qt::Key_Return);
    EXPECT_EQ(errors().current(), -1);
    EXPECT_EQ(form->fileTabs().selectedTab(), 1);

    console->setSelStart(int(text.indexOf(QStringLiteral("util.c")) + 3));
    QTest::keyClick(console, Qt::Key_Enter);
    EXPECT_EQ(errors().current(), 1);
    EXPECT_EQ(form->fileTabs().selectedTab(), m_tab["util.c"]);

    ConsolePane* output = ui().ConsoleText2;
    ui().Console->setCurrentIndex(1);
    output->setSelStart(int(output->text().indexOf(QStringLiteral("warning"))));
    QTest::mouseDClick(output->viewport(), Qt::LeftButton, {}, output->cursorRect().center());
    EXPECT_EQ(errors().current(), 6);
    EXPECT_EQ(shownPane()->selStart(), 8);
    EXPECT_FALSE(console->hasMark());
    // New console text: the messages are read again, and the old mark goes.
    output->setText(QStringLiteral("x.c:1:1: error: new\ny.c:2: warning: w"));
    EXPECT_FALSE(output->hasMark());
    EXPECT_EQ(errors().count(), 8);
    EXPECT_EQ(errors().current(), -1);
}

} // namespace
} // namespace tarvo::testing
