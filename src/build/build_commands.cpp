#include "build_commands.h"

#include "app/core/ide_context.h"
#include "console_pane.h"
#include "platform/dialogs.h"
#include "platform/file_ops.h"
#include "project/project_commands.h"

#include <QTimer>

namespace tarvo {

namespace {

const QString kCompilingText = QStringLiteral("Compiling.  Please wait.");

} // namespace

ProgramCommand buildCommand(const QString& iniPath, const QString& batchFile,
                            const QString& projectPath) {
    return commandFromPath(iniPath + batchFile, {projectPath});
}

BuildCommands::BuildCommands(IdeContext& ctx, ProjectCommands& project)
    : m_ctx(ctx), m_project(project) {}

bool BuildCommands::saveBeforeBuilding() {
    if (!m_project.hasUnsavedChanges())
        return true;
    enum { Save, BuildWithoutSaving, Cancel };
    switch (m_ctx.dialogs->ask(
        QStringLiteral("Save changes before building?"), QStringLiteral("Build"),
        {QStringLiteral("Save"), QStringLiteral("Build Without Saving"), QStringLiteral("Cancel")},
        Save)) {
    case Save:
        return m_project.saveProject();
    case BuildWithoutSaving:
        return true;
    default:
        return false;
    }
}

void BuildCommands::Command10_Click() {
    startCompilingBuild(QStringLiteral("makedebug.bat"), WindowStyle::Hidden);
}

void BuildCommands::Command6_Click() {
    startCompilingBuild(QStringLiteral("makerelease.bat"), WindowStyle::Hidden);
}

void BuildCommands::Command9_Click() {
    startCompilingBuild(QStringLiteral("makeall.bat"), WindowStyle::MinimizedNoFocus);
}

void BuildCommands::Command7_Click() {
    if (!saveBeforeBuilding())
        return;
    m_ctx.starter->start(buildCommand(m_ctx.settings.IniPath, QStringLiteral("makeload.bat"),
                                      m_ctx.project.ProjectPath),
                         WindowStyle::MinimizedNoFocus);
}

void BuildCommands::startCompilingBuild(const QString& batchFile, WindowStyle style) {
    if (!saveBeforeBuilding())
        return;
    const QString errorFile = m_ctx.settings.SDKProjectPath + QStringLiteral("Err.txt");
    QString reason;
    if (FileOps::FileExists(errorFile) && !FileOps::DeleteFile(errorFile, &reason)) {
        // The console would show the old errors as this build's result.
        m_ctx.dialogs->message(
            QStringLiteral(
                "The old error file %1 cannot be deleted: %2\nThe build was not started.")
                .arg(errorFile, reason),
            QStringLiteral("Build"));
        return;
    }
    m_ctx.ui.ConsoleText1->setText(kCompilingText);
    m_ctx.ui.ConsoleText2->setText(kCompilingText);
    const ProgramCommand command =
        buildCommand(m_ctx.settings.IniPath, batchFile, m_ctx.project.ProjectPath);
    if (!m_ctx.starter->start(command, style)) {
        // Nothing will ever write the output files: waiting would only grow
        // dots forever. The starter has already told why.
        const QString notStarted =
            QStringLiteral("The build could not be started: ") + displayCommand(command);
        m_ctx.ui.ConsoleText1->setText(notStarted);
        m_ctx.ui.ConsoleText2->setText(notStarted);
        return;
    }
    // A build started while the console still polls keeps the running timer.
    if (!m_ctx.ui.Timer1->isActive())
        m_ctx.ui.Timer1->start();
}

} // namespace tarvo
