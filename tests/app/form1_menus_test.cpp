#include "form1_fixture.h"

#include "platform/command_line.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

using namespace tarvo;
using tarvo::testing::Form1Fixture;

namespace {

struct MenuItem {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
};

struct Menu {
    const char* name;
    const char* caption;
    QList<MenuItem> items;
};

const QList<Menu> kMenus = {
    {"File",
     "&File",
     {{"OpenProject", "&Open Project", QKeySequence(QStringLiteral("Ctrl+L"))},
      {"SaveProject", "&Save Project", QKeySequence(QStringLiteral("Ctrl+S"))},
      {"NewProject", "&New Project", QKeySequence(QStringLiteral("Ctrl+N"))},
      {"NewTextFile", "New Text File", {}},
      {"EditFile", "Edit External File", {}},
      {"Exit", "E&xit", {}}}},
    {"Edit",
     "&Edit",
     {{"Find", "Find", QKeySequence(QStringLiteral("Ctrl+F"))},
      {"FindAgain", "Find Again", QKeySequence(QStringLiteral("F3"))},
      {"resourcetxt", "resource.txt", {}},
      {"resourceh1", "resource.h", {}},
      {"mainbmp1", "main.bmp", {}},
      {"formbmp1", "form.bmp", {}}}},
    {"Options",
     "&Options",
     {{"IDEini", "Modify IDE.ini", {}},
      {"MakeDebugBat", "Modify MakeDebug.bat", {}},
      {"MakeReleaseBat", "Modify MakeRelease.bat", {}},
      {"MakeLoadBat", "Modify MakeLoad.bat", {}},
      {"MakeAll", "Modify MakeAll.bat", {}},
      {"LoadEditor", "Modify LoadEditor.bat", {}},
      {"CTemplates", "Customize Templates", {}},
      {"AdjustObjectsPerPage", "Adjust ObjectsPerPage", {}},
      {"SmallScreen", "SmallScreen", {}}}},
    {"Compile",
     "&Compile",
     {{"MakeDebug", "MakeDebug", {}},
      {"MakeRelease", "MakeRelease", {}},
      {"LoadToEmulator", "LoadToEmulator", {}},
      {"MakeLoadDebug", "MakeAll", {}},
      {"CenterEmulator", "CenterEmulato&r", {}}}},
    {"Help",
     "&Help",
     {{"TarvoIDEHelp", "TarvoIDEHelp", {}},
      {"UIAPI", "UI API", {}},
      {"UIDescriptions", "UI Descriptions", {}},
      {"UIEvents", "UI Events", {}},
      {"SystemAPI", "System API", {}},
      {"DataAPIPDF", "Database API", {}},
      {"DataManPDF", "Data Manager", {}},
      {"Others", "OtherManuals", {}},
      {"About", "&About", {}}}},
};

class Menus : public Form1Fixture {};

TEST_F(Menus, EveryMenuAndItemAsTheTableSays) {
    Form1& form = makeForm("IniPath,/t/\r\n");
    const QList<QAction*> bar = form.menuBar()->actions();
    ASSERT_EQ(bar.size(), kMenus.size());
    for (int m = 0; m < kMenus.size(); ++m) {
        const Menu& expected = kMenus[m];
        QMenu* menu = bar[m]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), expected.name);
        EXPECT_EQ(menu->title(), expected.caption);
        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), expected.items.size()) << expected.name;
        for (int i = 0; i < items.size(); ++i) {
            const MenuItem& item = expected.items[i];
            SCOPED_TRACE(item.name);
            EXPECT_EQ(items[i]->objectName(), item.name);
            EXPECT_EQ(items[i]->text(), item.caption);
            EXPECT_EQ(items[i]->shortcut(), item.shortcut);
            EXPECT_EQ(items[i]->menu(), nullptr);
            EXPECT_EQ(items[i]->isEnabled(), qstrcmp(item.name, "NewTextFile") != 0);
            EXPECT_EQ(form.action(QString::fromLatin1(item.name)), items[i]);
        }
    }
    EXPECT_EQ(form.ui().NewTextFile, form.action(QStringLiteral("NewTextFile")));
}

TEST_F(Menus, ItemsOfDisabledButtonsStayEnabled) {
    Form1& form = makeForm("IniPath,/t/\r\n");
    for (const char* name :
         {"SaveProject", "MakeDebug", "MakeRelease", "LoadToEmulator", "MakeLoadDebug"})
        EXPECT_TRUE(form.action(QString::fromLatin1(name))->isEnabled()) << name;
}

TEST_F(Menus, AboutShowsNameVersionAndAuthorship) {
    makeForm("IniPath,/t/\r\n");
    m_form->action(QStringLiteral("About"))->trigger();
    ASSERT_EQ(m_dialogs.shown.size(), 1);
    const auto& box = m_dialogs.shown[0];
    EXPECT_EQ(box.kind, "message");
    EXPECT_EQ(box.title, "About TarvoIDE");
    const QString prefix = QStringLiteral("TarvoIDE Beta 2.1 ");
    ASSERT_TRUE(box.text.startsWith(prefix)) << box.text.toStdString();
    const QString authorship = box.text.mid(prefix.size());
    EXPECT_FALSE(authorship.trimmed().isEmpty());
    EXPECT_FALSE(authorship.startsWith(QLatin1Char(' ')));
    EXPECT_TRUE(m_starter.started.isEmpty());
}

struct IniEditCase {
    const char* iniPath;
    const char* expectedCommandLine;
};

class ModifyIdeIni : public Form1Fixture, public ::testing::WithParamInterface<IniEditCase> {};

TEST_P(ModifyIdeIni, StartsTheEditorOnIniPathAndAsksForARestart) {
    const IniEditCase& c = GetParam();
    makeForm(QByteArray("IniPath,") + c.iniPath + "\r\n");
    m_form->action(QStringLiteral("IDEini"))->trigger();
    ASSERT_EQ(m_starter.started.size(), 1);
    EXPECT_EQ(m_starter.started[0].commandLine, QString::fromLatin1(c.expectedCommandLine));
    EXPECT_EQ(m_starter.started[0].style, WindowStyle::NormalFocus);
    ASSERT_EQ(m_dialogs.shown.size(), 1);
    EXPECT_EQ(m_dialogs.shown[0].kind, "message");
    EXPECT_EQ(m_dialogs.shown[0].text, "Restart to activate changes.");
    EXPECT_EQ(m_dialogs.shown[0].title, "Restart to activate");
}

// The file opened is IniPath's copy, not the one read from the test folder;
// paths are joined as they are, without quotes.
INSTANTIATE_TEST_SUITE_P(
    Paths, ModifyIdeIni,
    ::testing::Values(IniEditCase{"/opt/tarvo/", "C:\\WINDOWS\\Notepad.exe /opt/tarvo/IDE.ini"},
                      IniEditCase{"\"/my tools/\"", "C:\\WINDOWS\\Notepad.exe /my tools/IDE.ini"},
                      IniEditCase{"\"\"", "C:\\WINDOWS\\Notepad.exe IDE.ini"}));

class ModifyIdeIniStartFailure : public Form1Fixture {};

TEST_F(ModifyIdeIniStartFailure, StillShowsTheRestartMessage) {
    makeForm("IniPath,/t/\r\n");
    m_starter.failNext = true;
    m_form->IDEini_Click();
    EXPECT_EQ(m_starter.started.size(), 1);
    EXPECT_EQ(m_dialogs.messages(), QStringList({"Restart to activate changes."}));
}

} // namespace
