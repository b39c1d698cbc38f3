// Tabs bound to panes and files: listing a folder, choosing tabs, New Text File.
#include "editor_fixture.h"

#include <QFile>
#include <QScrollBar>
#include <QTabBar>
#include <QTextCursor>

namespace tarvo::testing {
namespace {

const QString kCode = QStringLiteral("INT x;\r\n");

class TabsTest : public EditorTest {
protected:
    QString listSampleProject() {
        QList<QPair<QString, QString>> files;
        for (const char* name : {"main.c", "util.h", "build.bat", "MAKE.C", "x.cpp", "x.hpp"})
            files.append({QString::fromLatin1(name), kCode});
        return openProject(files);
    }
    QList<int> shownTabs() {
        QList<int> out;
        for (int i = 1; i <= form->fileTabs().tabCount(); ++i)
            if (!pane(i)->isHidden())
                out << i;
        return out;
    }
};

TEST_F(TabsTest, FirstScreenThenChoosingATabShowsOnlyItsPaneAtText1sPlaceColouredIfCode) {
    settings().SDKProjectPath = QStringLiteral("/sdk/");
    form->fileTabs().showWelcome(); // says how to begin, over the pane and not in it
    EXPECT_TRUE(ui().Text1->text().isEmpty());
    const QString welcome = ui().Text1->placeholderText();
    for (const char* part : {"Ctrl+L", "Ctrl+N", "/sdk/Template"})
        EXPECT_TRUE(welcome.contains(QDir::toNativeSeparators(QString::fromLatin1(part)))) << part;
    listSampleProject();
    EXPECT_TRUE(ui().Text1->placeholderText().isEmpty());
    EXPECT_EQ(captions().size(), 8); // the folder "res" gets none
    for (int i = 1; i <= 8; ++i) {   // every tab shows; no code pane made before its choice
        EXPECT_TRUE(ui().TabStrip1->isTabVisible(i - 1)) << i;
        if (i >= 3) {
            EXPECT_EQ(ui().OtherTextFile->madeAt(i), nullptr) << i;
        }
    }
    EXPECT_TRUE(ui().NewTextFile->isEnabled());
    const std::pair<const char*, bool> kCases[] = {
        {"resource.h", true}, {"main.c", true},  {"util.h", true},     {"resource.txt", false},
        {"x.cpp", true},      {"MAKE.C", false}, {"build.bat", false}, {"x.hpp", false},
        {"resource.h", true}}; // coloured again each time it is chosen
    for (const auto& [caption, coloured] : kCases) {
        const int i = int(captions().indexOf(QString::fromLatin1(caption))) + 1;
        if (i < 3)
            pane(i)->setText(kCode);
        ui().StatusBar1->showMessage(QStringLiteral("Cursor is at line:7"));
        chooseTab(i);
        EXPECT_EQ(status(), QString()) << caption;
        EXPECT_EQ(shownTabs(), QList<int>{i}) << caption;
        EXPECT_EQ(std::pair(pane(i)->text(), pane(i)->colorAt(0)),
                  coloured ? std::pair(QStringLiteral("int x;\r\n"), kGreen)
                           : std::pair(kCode, QColor()))
            << caption;
    }
    form->resize(form->width() + 120, form->height() + 90); // hidden panes follow too
    form->Form_Resize();
    for (int i = 2; i <= 8; ++i)
        EXPECT_EQ(pane(i)->geometry(), ui().Text1->geometry()) << i;
    for (int i = 1; i <= 8; ++i)
        form->fileTabs().setTabModified(i, false);
    for (int i : {0, 1, 8, 9}) // only tabs that exist take the change marker
        form->fileTabs().setTabModified(i, true);
    EXPECT_EQ(tabTexts().join(u' ').count(u'*'), 2);
    EXPECT_TRUE(tabTexts()[0].endsWith(u'*') && tabTexts()[7].endsWith(u'*'));
}

TEST_F(TabsTest, PanesKeepTheirPlaceTakeTheKeyboardWhenClickedAndNeedAReadableFile) {
    const QString folder =
        openProject({{QStringLiteral("a.c"), kCode.repeated(200)}, {QStringLiteral("b.c"), kCode}});
    showActive();
    chooseTab(3);
    EXPECT_EQ(pane(3)->verticalScrollBar()->value(), 0); // a freshly loaded pane starts at the top
    pane(3)->select(481, 5);
    pane(3)->verticalScrollBar()->setValue(50);
    for (int i : {4, 2, 4, 1, 3}) {
        QTest::mouseClick(ui().TabStrip1, Qt::LeftButton, {},
                          ui().TabStrip1->tabRect(i - 1).center());
        QTest::qWait(0);
        EXPECT_TRUE(pane(i)->hasFocus()) << i;
    }
    EXPECT_EQ(std::tuple(pane(3)->selStart(), pane(3)->selLength(),
                         pane(3)->verticalScrollBar()->value()),
              std::tuple(481, 5, 50));
    // A file that cannot be read gets no tab that Save could overwrite.
    QFile locked(folder + QStringLiteral("/b.c"));
    ASSERT_TRUE(locked.setPermissions({}));
    if (locked.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "file permissions do not stop this user from reading";
    form->fileTabs().resetToResourceTabs();
    QString error;
    EXPECT_FALSE(form->fileTabs().ShowFileList(folder, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("b.c: ")));
    EXPECT_EQ(captions().join(u' '), QStringLiteral("resource.txt resource.h a.c"));
    EXPECT_EQ(ui().OtherTextFile->indices(), QList<int>{3});
}

TEST_F(TabsTest, NewTextFileAddsAShownEmptyPaneOrSaysWhyNot) {
    dialogs.inputAnswers << QStringLiteral("a.c");
    form->fileTabs().NewTextFile_Click(); // no project: nothing asked
    EXPECT_TRUE(dialogs.shown.isEmpty());
    const QString folder = listSampleProject();
    const QStringList before = captions();
    const std::pair<QString, const char*> kCases[] = {
        {QStringLiteral("MAIN.c"), "\"main.c\" is already"},
        {before.last(), "already"},
        {QStringLiteral("sub/x.c"), "separator"},
        {QStringLiteral("x..c"), "\"..\""},
        {QString(), ""}}; // cancelled: nothing said
    for (const auto& [name, reason] : kCases) {
        dialogs.shown.clear();
        dialogs.inputAnswers = QStringList{name};
        form->fileTabs().NewTextFile_Click();
        EXPECT_EQ(captions(), before) << name.toStdString();
        EXPECT_EQ(dialogs.messages().size(), *reason ? 1 : 0) << reason;
        EXPECT_TRUE(dialogs.messages().join(QString()).contains(QString::fromLatin1(reason)));
    }
    dialogs.inputAnswers = QStringList{QStringLiteral("util.c")};
    form->fileTabs().NewTextFile_Click();
    EXPECT_EQ(dialogs.shown.last().title + u'|' + dialogs.shown.last().text,
              QStringLiteral("Create Project|Please enter the name of the new file"));
    EXPECT_EQ(captions(), before + QStringList{QStringLiteral("util.c")});
    EXPECT_EQ(std::pair(form->fileTabs().selectedTab(), shownTabs()), std::pair(9, QList<int>{9}));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/util.c")));
}

} // namespace
} // namespace tarvo::testing
