#include "build/error_navigator.h"
#include "build_fixture.h"
#include "editor/file_tabs.h"
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
        const QString project = folder(QStringLiteral("My Proj"));
        writeFile(project + QStringLiteral("main.c"), "int a;\r\nint b;\r\nint main(void)\r\n");
        writeFile(project + QStringLiteral("util.c"), "int u;\nint v;\n");
        writeFile(project + QStringLiteral("res/resource.h"), "#define A 1\r\n");
        writeFile(QStringLiteral("out side/o.c"), "int o;\n");
        settings().LoadCode = QStringLiteral("TRUE");
        settings().PreferedTextEditor = QStringLiteral("edit");
        ctx().project.ProjectPath = project;
        ASSERT_TRUE(ui().resourceh->loadFile(project + QStringLiteral("res/resource.h")));
        form->fileTabs().resetToResourceTabs();
        ASSERT_TRUE(form->fileTabs().ShowFileList(project));
        m_main = form->fileTabs().tabCaption(3) == QStringLiteral("main.c") ? 3 : 4;
        ui().ConsoleText1->setText(QStringLiteral("main.c:3:5: error: e\r\n"
                                                  "In file included from x\r\n"
                                                  ".\\util.c:9:1: warning: past the end\r\n") +
                                   project +
                                   QStringLiteral("res/resource.h:1: note: n\r\n"
                                                  "../out side/o.c:2:1: error: o\r\n"
                                                  "main.c:1:99: error: far right\r\n"
                                                  "gone.c:1:1: error: m"));
        ui().ConsoleText2->setText(QStringLiteral("cc -c main.c\nmain.c(2) : warning C4: x\n"));
    }
    ErrorNavigator& errors() { return form->errorNavigator(); }
    int m_main = 0;
};

// Enter on a message line goes there. F8 and Shift+F8 visit every message in
// console order and wrap; files without a tab go to the outside editor.
TEST_F(ErrorNavigatorTest, EnterF8AndShiftF8GoToTheMessagesFile) {
    ConsolePane* console = ui().ConsoleText1;
    form->show();
    for (const auto& [at, current] : {std::pair{"In file", -1}, {"util.c", 1}}) {
        console->setSelStart(int(console->text().indexOf(QLatin1String(at)) + 3));
        QTest::keyClick(console, current < 0 ? Qt::Key_Return : Qt::Key_Enter);
        EXPECT_EQ(errors().current(), current);
        EXPECT_EQ(form->fileTabs().selectedTab(), current < 0 ? 1 : 7 - m_main);
    }
    console->setText(console->text()); // new text is read again, from the start
    EXPECT_FALSE(console->hasMark());
    EXPECT_EQ(errors().count(), 7);
    EXPECT_EQ(errors().current(), -1);
    auto* f8 = form->findChild<QAction*>(QStringLiteral("NextError"));
    ASSERT_TRUE(f8);
    EXPECT_EQ(f8->shortcut(), QKeySequence(Qt::Key_F8));
    const struct {
        int tab;      // 0: no tab holds the file
        int position; // the caret's CR LF position in that tab's pane
        int consoleTab;
    } visits[] = {{m_main, 16 + 4, 0}, {7 - m_main, 16, 0}, {2, 0, 0},     {0, 0, 0},
                  {m_main, 6, 0},      {0, 0, 0},           {m_main, 8, 1}};
    for (int k = 0; k < 14; ++k) {
        const auto& visit = visits[k % 7];
        SCOPED_TRACE(k);
        starter.started.clear();
        dialogs.shown.clear();
        if (k == 2) { // tab 2 chosen, but the menu put resource.txt on view
            ui().TabStrip1->setCurrentIndex(1);
            form->resourceFiles().resourcetxt_Click();
        }
        f8->trigger();
        EXPECT_EQ(errors().current(), k % 7);
        EXPECT_EQ(ui().Console->currentIndex(), visit.consoleTab);
        EXPECT_EQ(ui().ConsoleText1->hasMark(), visit.consoleTab == 0);
        EXPECT_EQ(ui().ConsoleText2->hasMark(), visit.consoleTab == 1);
        if (visit.tab == 0)
            continue;
        RichTextPane* pane = form->fileTabs().paneOfTab(visit.tab);
        EXPECT_EQ(form->fileTabs().selectedTab(), visit.tab);
        EXPECT_EQ(form->fileTabs().paneOnView(), pane);
        EXPECT_EQ(pane->selStart(), visit.position);
        EXPECT_EQ(pane->selLength(), 0);
        EXPECT_EQ(form->focusWidget(), pane);
        EXPECT_FALSE(pane->isModified());
    }
    form->findChild<QAction*>(QStringLiteral("PreviousError"))->trigger();
    EXPECT_EQ(errors().current(), 5);
    EXPECT_EQ(
        dialogs.messages(),
        QStringList{QStringLiteral("The file %1 of the compiler message was not found.")
                        .arg(QDir::toNativeSeparators(ctx().project.ProjectPath + "gone.c"))});
    errors().PreviousError_Click();
    errors().PreviousError_Click();
    EXPECT_EQ(errors().current(), 3);
    EXPECT_EQ(starter.commands(),
              QList<ProgramCommand>{commandFromSetting(
                  QStringLiteral("edit"), {QFileInfo(path("out side/o.c")).canonicalFilePath()})});
    for (ConsolePane* c : {ui().ConsoleText1, ui().ConsoleText2}) // no messages: F8 does nothing
        c->setText(QStringLiteral("done"));
    errors().NextError_Click();
    errors().PreviousError_Click();
    EXPECT_EQ(errors().count() + errors().current(), -1);
}

} // namespace
} // namespace tarvo::testing
