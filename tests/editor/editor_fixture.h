#pragma once

#include "editor/colorizer.h"
#include "editor/edit_commands.h"
#include "editor/file_tabs.h"
#include "editor/find.h"
#include "editor/focus_tracking.h"
#include "ide_test.h"
#include "platform/pane_family.h"

#include <QStatusBar>
#include <QTabBar>
#include <QTest>

namespace tarvo::testing {

inline const QColor kGreen(0, 127, 0), kGrey(127, 127, 127), kMagenta(200, 0, 200);

// The main window with colouring on and small keyword lists.
class EditorTest : public IdeTest {
protected:
    void SetUp() override {
        IdeTest::SetUp();
        makeForm();
        dialogs.shown.clear(); // the missing IDE.ini's notice
        settings().Colorizew = QStringLiteral("TRUE");
        settings().DataTypesKeywords = QStringLiteral("*int*char*void*");
        settings().ReservedKeyWords = QStringLiteral("*return*if*#define*");
        settings().ExtraKeyWords = QStringLiteral("*main*");
        settings().TabSpace = 4;
    }
    // Lists a fresh project folder of `files` (name, text) into tabs as Open Project does.
    QString openProject(const QList<QPair<QString, QString>>& files) {
        const QString proj = folder(QStringLiteral("proj/res")).chopped(4); // a folder: no tab
        for (const auto& [name, text] : files)
            writeFile(proj + name, text.toLatin1());
        ctx().project.ProjectPath = QDir::toNativeSeparators(proj.chopped(1));
        form->fileTabs().resetToResourceTabs();
        EXPECT_TRUE(form->fileTabs().ShowFileList(ctx().project.ProjectPath));
        return proj.chopped(1);
    }
    void chooseTab(int i) { ui().TabStrip1->setCurrentIndex(i - 1); } // runs TabStrip1_Click
    RichTextPane* pane(int i) { return form->fileTabs().paneOfTab(i); }
    QString status() { return ui().StatusBar1->currentMessage(); }
    QStringList captions() {
        QStringList out;
        for (int i = 1; i <= form->fileTabs().tabCount(); ++i)
            out << form->fileTabs().tabCaption(i);
        return out;
    }
    void showActive() {
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
};

} // namespace tarvo::testing
