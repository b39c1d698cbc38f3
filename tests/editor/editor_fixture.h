#pragma once

#include "app/form1.h"
#include "editor/colorizer.h"
#include "editor/file_tabs.h"
#include "editor/find.h"
#include "editor/focus_tracking.h"
#include "platform/dialogs.h"
#include "platform/pane_family.h"
#include "platform/program_starter.h"
#include "platform/rich_text_pane.h"

#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace tarvo {

// The main window with scripted dialogs, colouring on and small keyword lists.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Writes `files` (name, text) into a fresh project folder and lists it into
    // tabs the way Open Project does.
    QString openProject(const QList<QPair<QString, QString>>& files);
    void chooseTab(int i); // as a click on tab i would
    RichTextPane* pane(int i) { return form->fileTabs().paneOfTab(i); }
    QString status() const { return form->ui().StatusBar1->currentMessage(); }
    QStringList captions();

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    RecordingProgramStarter starter;
    std::unique_ptr<Form1> form;
    IdeContext* ctx = nullptr;
};

// Colour of the character at CR LF position `pos` of `pane`; invalid when
// none was ever set.
QColor colorAt(RichTextPane* pane, int pos);
bool boldAt(RichTextPane* pane, int pos);

} // namespace tarvo
