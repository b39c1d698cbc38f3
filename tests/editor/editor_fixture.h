#pragma once

#include "editor/colorizer.h"
#include "editor/file_tabs.h"
#include "editor/find.h"
#include "editor/focus_tracking.h"
#include "ide_test.h"
#include "platform/pane_family.h"

#include <QStatusBar>
#include <QTabBar>

namespace tarvo::testing {

// The main window with colouring on and small keyword lists.
class EditorTest : public IdeTest {
protected:
    void SetUp() override;

    // Writes `files` (name, text) into a fresh project folder and lists it into
    // tabs the way Open Project does.
    QString openProject(const QList<QPair<QString, QString>>& files);
    void chooseTab(int i) { ui().TabStrip1->setCurrentIndex(i - 1); } // runs TabStrip1_Click
    RichTextPane* pane(int i) { return form->fileTabs().paneOfTab(i); }
    QString status() { return ui().StatusBar1->currentMessage(); }
    QStringList captions();
};

// Colour of the character at CR LF position `pos` of `pane`; invalid when
// none was ever set.
QColor colorAt(RichTextPane* pane, int pos);
bool boldAt(RichTextPane* pane, int pos);

} // namespace tarvo::testing
