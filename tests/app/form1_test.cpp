// Start-up, the menus, the layout and the shell's own commands of the main window.
#include "ide_test.h"

#include "app/handheld_art.h"
#include "app/start_options.h"
#include "platform/command_line.h"
#include "platform/object_picture.h"
#include "platform/pane_family.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace tarvo::testing {
namespace {

using Form1Test = IdeTest;

TEST_F(Form1Test, StartsOnIdeIniWithObjectsPerPagePicturesAndOneMessageForAllProblems) {
    const struct {
        const char* ini; // null: no IDE.ini at all
        int pictures;
        const char* message; // a part of the one message, or null for none
    } cases[] = {{"ObjectsPerPage,0\r\n", 0, nullptr},
                 {"ObjectsPerPage,500\r\n", 500, nullptr},
                 {"ObjectsPerPage,-4\r\n", 0, "uses 0"},
                 {"Bogus,\"1\r\nObjectsPerPage,700\r\n", 500, "Line 1: Unknown key \"Bogus\""},
                 {nullptr, 0, "could not be read"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini ? c.ini : "missing");
        dialogs.shown.clear();
        QFile::remove(path("IDE.ini"));
        c.ini ? makeForm(QByteArray(c.ini)) : makeForm();
        ASSERT_EQ(dialogs.messages().size(), c.message ? 1 : 0);
        if (c.message) {
            EXPECT_TRUE(dialogs.messages()[0].contains(QLatin1String(c.message)));
        }
        EXPECT_EQ(ui().DynamicPicture->count(), c.pictures);
        for (int i = 0; i <= DesignerState::MaxPictures; ++i)
            ASSERT_EQ(designer().ObjectPictures[size_t(i)],
                      i <= c.pictures ? ui().DynamicPicture->at(i) : nullptr)
                << i;
        EXPECT_TRUE(ctx().project.ProjectPath.isEmpty());
    }
    EXPECT_TRUE(dialogs.messages()[0].contains(QDir::toNativeSeparators(path("IDE.ini"))));
    EXPECT_EQ(ui().Label2->text(), "Form 0");
    EXPECT_FALSE(ui().Timer1->isActive());
    QStringList cells;
    for (int row = 0; row < ui().MSFlexGrid1->rowCount(); ++row) {
        for (int column : {0, 1})
            cells << ui().MSFlexGrid1->item(row, column)->text();
        EXPECT_EQ(ui().MSFlexGrid1->item(row, 1)->textAlignment(),
                  int(Qt::AlignLeft | Qt::AlignVCenter));
    }
    EXPECT_EQ(cells.join('|'), "Property|Value R/O (Modify text file)|ID||Type||X||Y||Width||"
                               "Height|||");
    const QRect screen = form->screen()->geometry(), frame = form->frameGeometry();
    EXPECT_LE(std::abs((frame.left() - screen.left()) - (screen.right() - frame.right())), 1);
    EXPECT_LE(std::abs((frame.top() - screen.top()) - (screen.bottom() - frame.bottom())), 1);
}

TEST(StartOptions, ProjectHelpVersionAndUsageErrors) {
    // Arguments, then "project|exit code" or "exit code!" when the IDE stops at once.
    const std::pair<QStringList, const char*> rows[] = {
        {{}, "|0"},         {{"p q/"}, "p q/|0"}, {{"--", "--help"}, "--help|0"},
        {{"-h"}, "0!"},     {{"--help"}, "0!"},   {{"--version"}, "0!"},
        {{"a", "b"}, "1!"}, {{"--bogus"}, "1!"},
    };
    for (const auto& [args, expected] : rows) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const StartOptions o = parseStartOptions(QStringList{"tarvoide"} + args);
        EXPECT_EQ(o.exit ? QString::number(o.exitCode) + '!'
                         : o.project + '|' + QString::number(o.exitCode),
                  QLatin1String(expected));
        EXPECT_EQ(o.exit, !o.output.isEmpty());
        // Only help and version are answered without a display.
        EXPECT_EQ(asksOnlyForText(QStringList{"tarvoide"} + args), o.exit && !o.exitCode);
    }
}

// Each menu as "name|caption" and its items as "name|caption|shortcuts".
const std::pair<const char*, QStringList> kMenus[] = {
    {"File|&File",
     {"OpenProject|&Open Project|Ctrl+L; Ctrl+O", "SaveProject|&Save Project|Ctrl+S",
      "NewProject|&New Project|Ctrl+N", "NewTextFile|New Text File|",
      "EditFile|Edit External File|", "Exit|E&xit|"}},
    {"Edit|&Edit",
     {"Find|Find|Ctrl+F", "FindAgain|Find Again|F3", "resourcetxt|resource.txt|",
      "resourceh1|resource.h|", "mainbmp1|main.bmp|", "formbmp1|form.bmp|"}},
    {"Options|&Options",
     {"IDEini|Modify IDE.ini|", "MakeDebugBat|Modify MakeDebug.bat|",
      "MakeReleaseBat|Modify MakeRelease.bat|", "MakeLoadBat|Modify MakeLoad.bat|",
      "MakeAll|Modify MakeAll.bat|", "LoadEditor|Modify LoadEditor.bat|",
      "CTemplates|Customize Templates|", "AdjustObjectsPerPage|Adjust ObjectsPerPage|",
      "SmallScreen|SmallScreen|"}},
    {"Compile|&Compile",
     {"MakeDebug|MakeDebug|F7", "MakeRelease|MakeRelease|", "LoadToEmulator|LoadToEmulator|",
      "MakeLoadDebug|MakeAll|", "CenterEmulator|CenterEmulato&r|"}},
    {"Help|&Help",
     {"TarvoIDEHelp|TarvoIDEHelp|", "UIAPI|UI API|", "UIDescriptions|UI Descriptions|",
      "UIEvents|UI Events|", "SystemAPI|System API|", "DataAPIPDF|Database API|",
      "DataManPDF|Data Manager|", "Others|OtherManuals|", "About|&About|"}},
};

TEST_F(Form1Test, MenusAboutModifyIdeIniAndExit) {
    makeForm(QByteArray("IniPath,\"\"\r\n"));
    const QList<QAction*> bar = form->menuBar()->actions();
    ASSERT_EQ(bar.size(), 5);
    for (int m = 0; m < 5; ++m) {
        QMenu* menu = bar[m]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName() + '|' + menu->title(), kMenus[m].first);
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), kMenus[m].second.size()) << kMenus[m].first;
        for (int i = 0; i < items.size(); ++i) {
            const QAction* a = items[i];
            EXPECT_EQ(a->objectName() + '|' + a->text() + '|' +
                          QKeySequence::listToString(a->shortcuts()),
                      kMenus[m].second[i]);
            EXPECT_EQ(a->isEnabled(), a->objectName() != QLatin1String("NewTextFile"));
            EXPECT_EQ(form->action(a->objectName()), a);
        }
    }
    form->action("About")->trigger();
    // IniPath's copy is opened; the restart message comes even when that fails.
    starter.failNext = true;
    form->action("IDEini")->trigger();
    ASSERT_EQ(starter.started.size(), 1);
    EXPECT_FALSE(starter.failNext); // only that start failed
    EXPECT_EQ(starter.started[0].command, commandFromSetting(kNotepad, {"IDE.ini"}));
    EXPECT_EQ(starter.started[0].style, WindowStyle::NormalFocus);
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_EQ(dialogs.shown[0].title + '|' + dialogs.shown[0].text,
              "About TarvoIDE|TarvoIDE Beta 2.1 Written by the TarvoIDE developers.");
    EXPECT_EQ(dialogs.shown[1].title + '|' + dialogs.shown[1].text,
              "Restart to activate|Restart to activate changes.");
    form->show();
    form->action("Exit")->trigger(); // nothing unsaved: no question
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(dialogs.shown.size(), 2);
}

TEST_F(Form1Test, ControlsStandAtTheirDesignPlacesFollowTheLayoutAndTheTabOrder) {
    makeForm(QByteArray("ObjectsPerPage,2\r\n")).show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const Controls& ui = form->ui();
    // Open, Save, New and the four builds down the left edge.
    const QList<QWidget*> left = {ui.Command4, ui.Command5, ui.Command8, ui.Command10,
                                  ui.Command6, ui.Command7, ui.Command9};
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(left[k]->geometry(), QRect(8, 16 + 40 * k, 41, 41)) << k;
    // The toolbox in two columns, row by row.
    const int toolbox[] = {0, 1, 2, 3, 4, 5, 6, 7, 9, 11, 10, 8, 12, 13, 14, 15};
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(ui.Command1[toolbox[k]]->geometry(),
                  QRect(288 + k % 2 * 40, 16 + k / 2 * 40, 41, 41))
            << toolbox[k];
    // The console's panes are placed in twips and shown with their tab.
    const double tpp = form->twipsPerPixel();
    auto px = [tpp](double twips) { return int(std::lround(twips / tpp)); };
    EXPECT_EQ(ui.ConsoleText1->geometry().topLeft(), QPoint(px(105), px(450)));
    EXPECT_EQ(ui.ConsoleText2->geometry().topLeft(), QPoint(px(105), px(450)));
    EXPECT_EQ(QSize(ui.ConsoleText1->width(), ui.ConsoleText2->width()), QSize(px(5175), px(5145)));
    EXPECT_EQ(ui.Console->tabText(0) + ui.Console->tabText(1), "ErrorsOutput");
    for (int tab : {1, 0}) {
        ui.Console->setCurrentIndex(tab);
        EXPECT_EQ(ui.ConsoleText1->isVisible(), tab == 0);
        EXPECT_EQ(ui.ConsoleText2->isVisible(), tab == 1);
    }

    // Checked by the relations the rules establish, on showing and on every resize.
    const auto expectLaidOut = [&] {
        const QRect text1 = ui.Text1->geometry();
        EXPECT_EQ(ui.resourceh->geometry(), text1);
        EXPECT_EQ(ui.TabStrip1->width(), text1.width());
        // Tabs keep the width of their captions rather than stretching over the strip.
        EXPECT_LT(ui.TabStrip1->tabRect(ui.TabStrip1->count() - 1).right(), text1.width() / 2);
        EXPECT_FALSE(ui.TabStrip1->drawBase()); // no line under the strip, over the pane
        EXPECT_EQ(ui.Line1->x2(), ui.client->width());
        EXPECT_EQ(ui.Console->y() + ui.Console->height(), text1.bottom() + 1);
        EXPECT_EQ(ui.MSFlexGrid1->columnWidth(0), px(2800));
        EXPECT_EQ(ui.MSFlexGrid1->columnWidth(1), px(2630));
        const double W = form->frameGeometry().width() * tpp, SW = ui.client->width();
        EXPECT_NEAR(text1.width(), SW - 6000 * SW / W, 0.5);
        // The console height was rounded to pixels after the panes were sized from it.
        EXPECT_NEAR(ui.ConsoleText1->height(), (ui.Console->height() - 40) * W / SW / tpp, 1.2);
        EXPECT_EQ(ui.ConsoleText2->height(), ui.ConsoleText1->height());
    };
    expectLaidOut();
    const int designWidth = ui.Text1->width();
    form->resize(1000, 760);
    QTest::qWait(1);
    expectLaidOut();
    EXPECT_GT(ui.Text1->width(), designWidth);
    // SmallScreen puts the console over the grid, and it stays there.
    form->action("SmallScreen")->trigger();
    EXPECT_EQ(ui.Console->y(), 353);
    expectLaidOut();
    form->resize(1200, 900);
    QTest::qWait(1);
    EXPECT_EQ(ui.Console->y(), 353);
    expectLaidOut();

    // Tab walks the control table.
    QList<QWidget*> expected = {ui.Text1, ui.resourceh};
    for (QPushButton* b : ui.Command1)
        expected << b;
    expected << left << ui.Command2 << ui.Command3 << ui.MSFlexGrid1 << ui.TabStrip1 << ui.Console
             << ui.ConsoleText1 << ui.ConsoleText2;
    QList<QWidget*> seen;
    QWidget* w = ui.Text1;
    do {
        if (expected.contains(w) && !seen.contains(w))
            seen << w;
        w = w->nextInFocusChain();
    } while (w != ui.Text1);
    EXPECT_EQ(seen, expected);
}

TEST(HandheldArt, ScreenSquareIsExactlyTheScreenGreen) {
    const QImage img = handheldPicture().toImage();
    EXPECT_EQ(img.size(), QSize(425, 438));
    QImage screen(160, 160, img.format());
    screen.fill(QColor(222, 255, 222));
    EXPECT_EQ(img.copy(89, 44, 160, 160), screen);
    for (QPoint outside : {QPoint(88, 44), QPoint(89, 43), QPoint(249, 203), QPoint(248, 204)})
        EXPECT_NE(img.pixelColor(outside), screen.pixelColor(0, 0)) << outside.x() << outside.y();
    EXPECT_NE(arrowPicture(true, 14).toImage(), arrowPicture(false, 14).toImage());
    for (bool left : {true, false}) { // the arrows keep off the top and bottom rows
        const QImage arrow = arrowPicture(left, 14).toImage();
        for (int x = 0; x < 14; ++x)
            EXPECT_EQ(qAlpha(arrow.pixel(x, 0)) + qAlpha(arrow.pixel(x, 13)), 0) << left << x;
    }
    EXPECT_NE(buttonPicture("Open", 38).toImage(), buttonPicture("Save", 38).toImage());
}

} // namespace
} // namespace tarvo::testing
