// Start-up, the menus and the shell's own commands of the main window.
#include "ide_test.h"

#include "platform/command_line.h"
#include "platform/object_picture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>

namespace tarvo::testing {
namespace {

using StartUp = IdeTest;

TEST_F(StartUp, ReadsTheSettingsFromTheGivenFolderAndOpensNoProject) {
    makeForm(QByteArray("IniPath,/tools/\r\nObjectsPerPage,3\r\nTabSpace,4\r\nLoadCode,TRUE\r\n"));
    EXPECT_EQ(settings().IniPath, "/tools/");
    EXPECT_EQ(settings().ObjectsPerPage, 3);
    EXPECT_EQ(settings().TabSpace, 4);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_TRUE(ctx().project.ProjectPath.isEmpty());
    EXPECT_EQ(ui().Label2->text(), "Form 0");
    EXPECT_FALSE(ui().Timer1->isActive());
}

TEST_F(StartUp, CreatesObjectsPerPagePicturesClampedAfterAMessage) {
    const struct {
        const char* ini;
        int pictures;
        bool warned;
    } cases[] = {{"ObjectsPerPage,0\r\n", 0, false},
                 {"ObjectsPerPage,500\r\n", 500, false},
                 {"ObjectsPerPage,-4\r\n", 0, true},
                 // Every problem of the file joins the one message.
                 {"Bogus,\"1\r\nObjectsPerPage,700\r\n", 500, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini);
        dialogs.shown.clear();
        makeForm(QByteArray(c.ini));
        EXPECT_EQ(dialogs.messages().size(), c.warned ? 1 : 0);
        EXPECT_EQ(settings().ObjectsPerPage, c.pictures);
        EXPECT_EQ(ui().DynamicPicture->count(), c.pictures);
        EXPECT_EQ(designer().ObjectPictures[0], ui().DynamicPicture->at(0));
        for (int i = 1; i <= DesignerState::MaxPictures; ++i) {
            ObjectPicture* p = designer().ObjectPictures[size_t(i)];
            ASSERT_EQ(p != nullptr, i <= c.pictures) << i;
            if (p) {
                EXPECT_EQ(p, ui().DynamicPicture->at(i));
                EXPECT_EQ(QRectF(p->left(), p->top(), p->width(), p->height()), QRectF()) << i;
                EXPECT_FALSE(p->isHidden()) << i;
            }
        }
    }
    EXPECT_TRUE(dialogs.messages()[0].contains(QStringLiteral("700")));
    EXPECT_TRUE(dialogs.messages()[0].contains(QStringLiteral("500")));
    EXPECT_TRUE(dialogs.messages()[0].contains(QStringLiteral("Line 1: Unknown key \"Bogus\"")));
}

TEST_F(StartUp, GridRowsReadFromTheTopInDisplayOrder) {
    makeForm(QByteArray("ObjectsPerPage,1\r\n"));
    const QTableWidget* grid = ui().MSFlexGrid1;
    QStringList names, values;
    for (int row = 0; row < grid->rowCount(); ++row) {
        names << (grid->item(row, 0) ? grid->item(row, 0)->text() : QStringLiteral("-"));
        values << grid->item(row, 1)->text();
        EXPECT_EQ(grid->item(row, 1)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));
    }
    EXPECT_EQ(names, (QStringList{"Property", "ID", "Type", "X", "Y", "Width", "Height", ""}));
    EXPECT_EQ(values, (QStringList{"Value R/O (Modify text file)", "", "", "", "", "", "", ""}));
}

TEST_F(StartUp, MissingIniSaysWhereItLookedAndStartsEmpty) {
    makeForm();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QDir::toNativeSeparators(path("IDE.ini"))))
        << dialogs.shown[0].text.toStdString();
    EXPECT_TRUE(settings().SDKProjectPath.isEmpty());
    EXPECT_EQ(ui().DynamicPicture->count(), 0);
}

TEST_F(StartUp, IsCentredOnTheScreen) {
    makeForm(QByteArray("ObjectsPerPage,0\r\n"));
    const QRect screen = form->screen()->geometry();
    const QRect frame = form->frameGeometry();
    EXPECT_LE(std::abs((frame.left() - screen.left()) - (screen.right() - frame.right())), 1);
    EXPECT_LE(std::abs((frame.top() - screen.top()) - (screen.bottom() - frame.bottom())), 1);
}

// Each menu as "name|caption" and its items as "name|caption|shortcuts"; the
// menu shows the first shortcut.
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

using Menus = IdeTest;

TEST_F(Menus, EveryMenuAndItemAsTheTableSays) {
    makeForm(QByteArray("IniPath,/t/\r\n"));
    const QList<QAction*> bar = form->menuBar()->actions();
    ASSERT_EQ(bar.size(), 5);
    for (int m = 0; m < 5; ++m) {
        const QStringList menuRow = QString::fromLatin1(kMenus[m].first).split('|');
        QMenu* menu = bar[m]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(QStringList({menu->objectName(), menu->title()}), menuRow);
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), kMenus[m].second.size()) << kMenus[m].first;
        for (int i = 0; i < items.size(); ++i) {
            const QStringList row = kMenus[m].second[i].split('|');
            EXPECT_EQ(QStringList({items[i]->objectName(), items[i]->text(),
                                   QKeySequence::listToString(items[i]->shortcuts())}),
                      row);
            EXPECT_EQ(items[i]->isEnabled(), row[0] != QLatin1String("NewTextFile"))
                << row[0].toStdString();
            EXPECT_EQ(form->action(row[0]), items[i]);
        }
    }
}

TEST_F(Menus, AboutShowsNameVersionAndAuthorship) {
    makeForm(QByteArray("IniPath,/t/\r\n"));
    form->action(QStringLiteral("About"))->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].title, "About TarvoIDE");
    const QString prefix = QStringLiteral("TarvoIDE Beta 2.1 ");
    const QString text = dialogs.shown[0].text;
    ASSERT_TRUE(text.startsWith(prefix)) << text.toStdString();
    EXPECT_FALSE(text.mid(prefix.size()).trimmed().isEmpty());
    EXPECT_FALSE(text.mid(prefix.size()).startsWith(QLatin1Char(' ')));
}

TEST_F(Menus, ModifyIdeIniEditsIniPathsCopyAndAsksForARestart) {
    // The file opened is IniPath's copy; the message comes even when the
    // editor cannot be started.
    const struct {
        const char* iniPath;
        const char* file;
        bool startFails;
    } cases[] = {
        {"\"/my tools/\"", "/my tools/IDE.ini", false},
        {"\"\"", "IDE.ini", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.iniPath);
        makeForm(QByteArray("IniPath,") + c.iniPath + "\r\n");
        dialogs.shown.clear();
        starter.started.clear();
        starter.failNext = c.startFails;
        form->action(QStringLiteral("IDEini"))->trigger();
        ASSERT_EQ(starter.started.size(), 1);
        EXPECT_EQ(starter.started[0].command,
                  commandFromSetting(kNotepad, {QString::fromLatin1(c.file)}));
        EXPECT_EQ(starter.started[0].style, WindowStyle::NormalFocus);
        ASSERT_EQ(dialogs.shown.size(), 1);
        EXPECT_EQ(dialogs.shown[0].text, "Restart to activate changes.");
        EXPECT_EQ(dialogs.shown[0].title, "Restart to activate");
    }
}

} // namespace
} // namespace tarvo::testing
