#pragma once

#include "ide_test.h"

#include <QMap>

namespace tarvo::testing {

// The files of a small project: line ends of every kind, a non-UTF-8 file,
// a byte-order mark and a bitmap, as real projects have them.
QMap<QString, QByteArray> sampleProjectFiles();

// Replaces the whole text as typing would, so the pane counts as changed
// (setText sets a new baseline instead).
void replaceText(RichTextPane* pane, const QString& text);

// The SDK, the tool folder and the projects all inside the temporary folder.
class ProjectTest : public IdeTest {
protected:
    void SetUp() override;

    // Writes the files under `folder` and returns the folder's full path.
    QString makeProject(const QString& folder,
                        const QMap<QString, QByteArray>& files = sampleProjectFiles()) const;
    // Open Project with `folder`/main.c chosen in the dialog.
    void openProject(const QString& folderPath);
};

} // namespace tarvo::testing
