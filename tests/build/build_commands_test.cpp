#include "build_fixture.h"
#include "project/outside_changes.h"
#include "project/project_commands.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace tarvo::testing {
namespace {

struct BuildRow {
    const char* menuItem;
    QPushButton* Controls::*button;
    const char* batchFile;
    WindowStyle style;
    bool compiles;
};

class BuildCommandsTest : public BuildTest, public ::testing::WithParamInterface<BuildRow> {};

TEST_P(BuildCommandsTest, SavesFirstOrStartsNothingThenStartsTheBatchFileAndPolls) {
    const BuildRow& row = GetParam();
    const QString project = folder(QStringLiteral("My Clock"));
    const QString resource = project + QStringLiteral("res/resource.txt");
    ctx().project.ProjectPath = project;
    const struct {
        const char* answers; // "": no question expected
        bool edited, changedOnDisk, starts, startFails;
        const char* onDisk; // resource.txt afterwards
    } cases[] = {
        {"", false, false, true, false, "form"},
        {"", false, false, true, true, "form"}, // then nothing would ever end the waiting
        {"Save", true, false, true, false, "Xform"},
        {"Save|Skip", true, true, false, false, "theirs"}, // a file left unwritten
        {"Build Without Saving", true, false, true, false, "form"},
        {"Cancel", true, false, false, false, "form"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answers);
        writeFile(resource, "form");
        ASSERT_TRUE(ui().Text1->loadFile(resource));
        form->projectCommands().outsideChanges().projectLoaded({});
        if (c.edited)
            ui().Text1->setSelText(QStringLiteral("X"));
        if (c.changedOnDisk)
            writeFile(resource, "theirs");
        writeFile(m_sdk + QStringLiteral("Err.txt"), "old errors");
        ui().Timer1->stop();
        ui().ConsoleText1->setText(QStringLiteral("before"));
        ui().ConsoleText2->setText(QStringLiteral("before"));
        starter.started.clear();
        starter.failNext = c.startFails;
        dialogs.shown.clear();
        dialogs.askAnswers = QString::fromLatin1(c.answers).split('|', Qt::SkipEmptyParts);
        (ui().*row.button)->setEnabled(!c.edited); // the menu item works without it
        if (c.edited)
            form->action(QLatin1String(row.menuItem))->trigger();
        else
            (ui().*row.button)->click();
        const bool compiling = c.starts && row.compiles;
        QString said = compiling ? kCompiling : QStringLiteral("before");
        if (compiling && c.startFails)
            said = QStringLiteral("The build could not be started: \"%1\" \"%2\"")
                       .arg(kTools + row.batchFile, project);
        EXPECT_EQ(console1() + console2(), said + said);
        EXPECT_EQ(polling(), compiling && !c.startFails);
        EXPECT_EQ(QFileInfo::exists(m_sdk + QStringLiteral("Err.txt")), !compiling);
        EXPECT_EQ(readFile(resource), c.onDisk);
        ASSERT_EQ(starter.started.size(), c.starts ? 1 : 0);
        if (c.starts) {
            EXPECT_EQ(starter.started[0].command,
                      commandFromPath(kTools + QLatin1String(row.batchFile), {project}));
            EXPECT_EQ(starter.started[0].style, row.style);
        }
        const QList<ScriptedDialogs::Shown> asked = dialogs.questions();
        ASSERT_EQ(asked.size(), (c.edited ? 1 : 0) + (c.changedOnDisk ? 1 : 0));
        if (c.edited) {
            EXPECT_EQ(asked[0].text, QStringLiteral("Save changes before building?"));
            EXPECT_EQ(asked[0].extra, QStringLiteral("Save|Build Without Saving|Cancel"));
            EXPECT_EQ(asked[0].defaultButton, 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllBuilds, BuildCommandsTest,
    ::testing::Values(
        BuildRow{"MakeDebug", &Controls::Command10, "makedebug.bat", WindowStyle::Hidden, true},
        BuildRow{"MakeRelease", &Controls::Command6, "makerelease.bat", WindowStyle::Hidden, true},
        BuildRow{"MakeLoadDebug", &Controls::Command9, "makeall.bat", WindowStyle::MinimizedNoFocus,
                 true},
        BuildRow{"LoadToEmulator", &Controls::Command7, "makeload.bat",
                 WindowStyle::MinimizedNoFocus, false}),
    [](const auto& info) { return std::string(info.param.menuItem); });

// Escape or Stop Waiting; dots past the pane's width are counted, not laid out.
TEST_F(BuildTest, StoppingEndsPollingAndSaysSoOnlyWhileWaiting) {
    const QString said = QStringLiteral("\r\nStopped waiting for the build's Err.txt and Out.txt.");
    for (ConsolePane* p : {ui().ConsoleText1, ui().ConsoleText2})
        p->resize(40 * p->fontMetrics().horizontalAdvance(' '), 100); // 3 ticks fit, 1000 do not
    for (const int ticks : {1000, 3}) {
        SCOPED_TRACE(ticks);
        ConsolePane* pane = ticks == 3 ? ui().ConsoleText2 : ui().ConsoleText1;
        form->buildCommands().Command10_Click();
        poll(ticks);
        for (ConsolePane* p : {ui().ConsoleText1, ui().ConsoleText2}) {
            EXPECT_EQ(p->textLength(), kCompiling.size() + 2 * ticks);
            const int shown = p->textLength() - p->keptLength();
            const int fits = p->width() / p->fontMetrics().horizontalAdvance(' ');
            EXPECT_EQ(p->keptLength() == 0, ticks == 3);
            EXPECT_TRUE(ticks == 3 || (shown > fits - 2 && shown <= fits + 1)) << shown;
            EXPECT_EQ(p->document()->toPlainText(), p->text().left(shown));
        }
        std::unique_ptr<QMenu> menu(pane->createContextMenu({}));
        QAction* stop = menu->findChild<QAction*>(QStringLiteral("StopWaiting"));
        ASSERT_TRUE(stop && stop->isEnabled());
        if (ticks == 3)
            stop->trigger();
        else
            QTest::keyClick(pane, Qt::Key_Escape);
        EXPECT_FALSE(polling());
        EXPECT_EQ(console1() + console2(), (kCompiling + dots(ticks) + said).repeated(2));
        EXPECT_EQ(pane->keptLength(), 0); // the line break brings the counted dots in
        EXPECT_EQ(pane->document()->toPlainText(), pane->text().replace("\r\n", "\n"));
        QTest::keyClick(pane, Qt::Key_Escape);
        menu.reset(pane->createContextMenu({}));
        EXPECT_FALSE(menu->findChild<QAction*>(QStringLiteral("StopWaiting"))->isEnabled());
        EXPECT_EQ(console1(), kCompiling + dots(ticks) + said);
    }
}

// Either file alone keeps the polling going; Err.txt is reloaded on each tick.
TEST_F(BuildTest, PollingStopsOnlyWhenBothFilesAreThere) {
    form->buildCommands().Command10_Click();
    const QString err = m_sdk + QStringLiteral("Err.txt"), out = m_sdk + QStringLiteral("Out.txt");
    writeFile(out, "left by the build before");
    poll(2);
    QFile::remove(out);
    writeFile(err, "main.c:3:1: error: expected ';'\r\n");
    for (int i = 3; i <= 4; ++i) {
        poll(1);
        EXPECT_EQ(console1(), QStringLiteral("main.c:3:1: error: expected ';'\r\n ."));
        EXPECT_EQ(console2(), kCompiling + dots(i));
        EXPECT_TRUE(polling());
    }
    ui().Console->setCurrentIndex(1); // an empty Err.txt leaves the Output tab in front
    writeFile(err, "");
    writeFile(out, "cc -c main.c\nBuild succeeded\n");
    poll(1);
    EXPECT_FALSE(polling());
    EXPECT_EQ(console1(), QString());
    EXPECT_EQ(console2(), QStringLiteral("cc -c main.c\r\nBuild succeeded\r\n"));
    EXPECT_EQ(ui().Console->currentIndex(), 1);
}

} // namespace
} // namespace tarvo::testing
