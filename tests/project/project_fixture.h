#pragma once

#include "editor/file_tabs.h"
#include "ide_test.h"
#include "project/project_commands.h"

#include <QMap>

namespace tarvo::testing {

// A small project with line ends of every kind, a non-UTF-8 file, a
// byte-order mark and a bitmap, as real projects have them.
QMap<QString, QByteArray> sampleProjectFiles();
// Its tabs once opened.
inline const QStringList kSampleTabs{"resource.txt", "resource.h", "bom.c", "main.c",
                                     "mixed.c",      "Notes.txt",  "util.h"};

// Replaces the whole text as typing would, so the pane counts as changed.
void replaceText(RichTextPane* pane, const QString& text);

// The SDK, the tool folder and the projects all inside the temporary folder.
class ProjectTest : public IdeTest {
protected:
    void SetUp() override;
    // Writes the files under `folder` and returns the folder's full path.
    QString makeProject(const QString& folder,
                        const QMap<QString, QByteArray>& files = sampleProjectFiles()) const;
    // Open Project with `folderPath`/main.c chosen in the dialog.
    void openProject(const QString& folderPath);
    ProjectCommands& project() { return form->projectCommands(); }
    RichTextPane* pane(int tab) { return form->fileTabs().paneOfTab(tab); }
};

} // namespace tarvo::testing
