#pragma once

#include "app/form1.h"
#include "build/console_pane.h"
#include "files.h"
#include "platform/dialogs.h"
#include "platform/program_starter.h"
#include "platform/rich_text_pane.h"

#include <QTemporaryDir>
#include <memory>

namespace tarvo::testing {

// The main window on scripted dialogs and a recording program starter, with
// its IDE.ini and every file the test touches inside one temporary folder.
class IdeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    // On IDE.ini in `iniFolder` (the temporary folder when empty), written first if given.
    Form1& makeForm(const QString& iniFolder = QString());
    Form1& makeForm(const QByteArray& ini, const QString& iniFolder = QString());
    // Paths in the temporary folder (absolute ones kept); folder() makes it, ending in "/".
    QString path(const QString& relative) const { return QDir(dir.path()).filePath(relative); }
    QString folder(const QString& relative) const;
    void writeFile(const QString& p, const QByteArray& b) const { testing::writeFile(path(p), b); }
    QByteArray readFile(const QString& p) const { return testing::readFile(path(p)); }
    IdeContext& ctx() { return form->context(); }
    Settings& settings() { return form->context().settings; }
    Controls& ui() { return form->ui(); }
    DesignerState& designer() { return form->designer(); }
    QStringList tabTexts() const; // as the strip shows them, change marks included

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    RecordingProgramStarter starter;
    std::unique_ptr<Form1> form;
};

} // namespace tarvo::testing
