#pragma once

#include "app/form1.h"
#include "platform/dialogs.h"
#include "platform/program_starter.h"
#include "platform/rich_text_pane.h"

#include <QByteArray>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace tarvo {

// The files of a small project: line ends of every kind, a non-UTF-8 file,
// a byte-order mark and a bitmap, as real projects have them.
QMap<QString, QByteArray> sampleProjectFiles();

// Replaces the whole text as typing would, so the pane counts as changed
// (setText sets a new baseline instead).
void replaceText(RichTextPane* pane, const QString& text);

// A main window on scripted dialogs and a recording starter, with the SDK,
// the tool folder and the projects all inside one temporary folder.
class ProjectTest : public ::testing::Test {
protected:
    void SetUp() override;

    QString path(const QString& relative) const; // inside the temporary folder
    void writeFile(const QString& relative, const QByteArray& bytes) const;
    QByteArray readFile(const QString& relative) const;
    // Writes the files under `folder` and returns the folder's full path.
    QString makeProject(const QString& folder,
                        const QMap<QString, QByteArray>& files = sampleProjectFiles()) const;
    // Open Project with `folder`/main.c chosen in the dialog.
    void openProject(const QString& folderPath);

    Controls& ui() { return form->ui(); }
    IdeContext& ctx() { return form->context(); }
    QStringList tabTexts() const; // as the strip shows them, markers included

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    RecordingProgramStarter starter;
    std::unique_ptr<Form1> form;
};

} // namespace tarvo
