#include "project_commands.h"

#include "app/core/ide_context.h"
#include "designer/designer_state.h"
#include "designer/form_loader.h"
#include "editor/file_tabs.h"
#include "platform/dialogs.h"
#include "platform/file_ops.h"
#include "platform/program_starter.h"
#include "platform/rich_text_pane.h"
#include "project_folder.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <utility>

namespace tarvo {

namespace {

const QString kOpenTitle = QStringLiteral("Open Project");
const QString kSaveTitle = QStringLiteral("Save Project");
const QString kCreateTitle = QStringLiteral("Create Project");

// A long list would make the box taller than the screen.
QString listForMessage(const QStringList& files) {
    constexpr int kShown = 15;
    QStringList lines = files.mid(0, kShown);
    if (files.size() > kShown)
        lines << QStringLiteral("... and %1 more").arg(files.size() - kShown);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

ProjectCommands::ProjectCommands(IdeContext& ctx, FileTabs& tabs, FormLoader& loader,
                                 DesignerState& designer)
    : m_ctx(ctx), m_tabs(tabs), m_loader(loader), m_designer(designer) {
    watchPane(m_ctx.ui.Text1);
    watchPane(m_ctx.ui.resourceh);
}

ProjectCommands::~ProjectCommands() {
    // The panes outlive the handlers.
    for (const QMetaObject::Connection& c : std::as_const(m_watches))
        QObject::disconnect(c);
}

void ProjectCommands::watchPane(RichTextPane* pane) {
    if (!pane)
        return;
    m_watches << QObject::connect(pane, &RichTextPane::modifiedChanged, pane,
                                  [this, pane](bool modified) {
                                      if (!m_ctx.project.isOpen())
                                          return;
                                      for (int i = 1; i <= m_tabs.tabCount(); ++i) {
                                          if (m_tabs.paneOfTab(i) == pane) {
                                              m_tabs.setTabModified(i, modified);
                                              return;
                                          }
                                      }
                                  });
}

void ProjectCommands::Command4_Click() {
    openProject(m_ctx.dialogs->openFile(m_ctx.settings.SDKProjectPath + QStringLiteral("main.c"),
                                        QStringLiteral("Code (main.c)|main.c")));
}

void ProjectCommands::openProject(const QString& chosen) {
    if (FileOps::FileExists(chosen)) {
        const QString folder = folderOfMainFile(chosen);
        // A project that cannot be read whole is not opened at all, so the
        // open one stays as it was, page included.
        if (!isReadableOrReported(folder, kOpenTitle) || !confirmDiscardChanges())
            return;
        loadFolder(folder, kOpenTitle);
        m_ctx.ui.form->setWindowTitle(QStringLiteral("Tarvo IDE [") + folder + QLatin1Char(']'));
    }
    m_designer.CurrentFormPage = 0;
    reloadFormPage();
    m_ctx.ui.Label2->setText(QStringLiteral("Form ") + QString::number(m_designer.CurrentFormPage));
}

void ProjectCommands::Command5_Click() {
    saveProject();
}

void ProjectCommands::Command8_Click() {
    const Settings& s = m_ctx.settings;
    const QString answer = m_ctx.dialogs->inputBox(
        QStringLiteral("Please enter the path of the new project"), kCreateTitle, s.SDKProjectPath);
    if (answer.isEmpty() || answer == s.SDKProjectPath)
        return;
    // With a trailing separator the copy would make a Template subfolder.
    const QString projectPath = withoutTrailingSeparator(answer);
    const QString templateFolder = s.SDKProjectPath + QStringLiteral("Template");
    auto fail = [this](const QString& text) {
        m_ctx.dialogs->message(QStringLiteral("The project could not be created.\n\n") + text,
                               kCreateTitle);
    };

    if (!QFileInfo(templateFolder).isDir()) {
        fail(QStringLiteral("The template folder %1 does not exist.")
                 .arg(displayPath(templateFolder)));
        return;
    }
    for (const QString& path : {resourceTxtPath(templateFolder), resourceHPath(templateFolder)}) {
        QByteArray bytes;
        QString error;
        if (!FileOps::ReadAll(path, &bytes, &error)) {
            fail(QStringLiteral("The template file %1 cannot be read:\n%2")
                     .arg(displayPath(path), error));
            return;
        }
    }
    // Copying a folder into itself would never end and would delete its own files.
    if (isSameOrInside(projectPath, templateFolder)) {
        fail(QStringLiteral("%1 lies inside the template folder %2.")
                 .arg(displayPath(projectPath), displayPath(templateFolder)));
        return;
    }
    const QFileInfo destination(projectPath);
    if (destination.exists() && !destination.isDir()) {
        fail(QStringLiteral("%1 is a file, not a folder.").arg(displayPath(projectPath)));
        return;
    }
    const QStringList overwritten = FileOps::FilesOverwrittenByCopy(templateFolder, projectPath);
    if (!overwritten.isEmpty() &&
        !m_ctx.dialogs->confirm(QStringLiteral("These files in %1 will be replaced by the "
                                               "template's:\n\n%2\n\nReplace them?")
                                    .arg(displayPath(projectPath), listForMessage(overwritten)),
                                kCreateTitle))
        return;
    if (!confirmDiscardChanges())
        return;

    QString error;
    if (!FileOps::CopyFolder(templateFolder, projectPath, &error)) {
        fail(QStringLiteral("The template folder %1 could not be copied to %2:\n%3")
                 .arg(displayPath(templateFolder), displayPath(projectPath), error));
        return;
    }
    if (!isReadableOrReported(projectPath, kCreateTitle))
        return;
    loadFolder(projectPath, kCreateTitle);
    // The new project's forms are shown at once, as after Open Project.
    m_designer.CurrentFormPage = 0;
    reloadFormPage();
    m_ctx.ui.Label2->setText(QStringLiteral("Form ") + QString::number(m_designer.CurrentFormPage));
    m_ctx.ui.form->setWindowTitle(QStringLiteral("Tarvo IDE ") + projectPath);
}

bool ProjectCommands::hasUnsavedChanges() const {
    // Without a project there is nowhere to save to.
    if (!m_ctx.project.isOpen())
        return false;
    if (m_ctx.ui.Text1->isModified() || m_ctx.ui.resourceh->isModified())
        return true;
    // Code panes are project files only when the IDE edits code itself.
    if (!m_ctx.settings.loadCode())
        return false;
    for (int i = 3; i <= m_tabs.tabCount(); ++i) {
        const RichTextPane* pane = m_tabs.paneOfTab(i);
        if (pane && pane->isModified())
            return true;
    }
    return false;
}

bool ProjectCommands::confirmDiscardChanges() {
    if (!hasUnsavedChanges())
        return true;
    switch (m_ctx.dialogs->askSave(QStringLiteral("Save changes to the project?"),
                                   QStringLiteral("Tarvo IDE"))) {
    case SaveAnswer::Save:
        return saveProject();
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool ProjectCommands::saveProject() {
    const QString& projectPath = m_ctx.project.ProjectPath;
    if (!m_ctx.project.isOpen()) {
        m_ctx.dialogs->message(QStringLiteral("No project is open."), kSaveTitle);
        return false;
    }
    QList<std::pair<RichTextPane*, QString>> files{
        {m_ctx.ui.Text1, resourceTxtPath(projectPath)},
        {m_ctx.ui.resourceh, resourceHPath(projectPath)},
    };
    if (m_ctx.settings.loadCode()) {
        for (int i = 3; i <= m_tabs.tabCount(); ++i) {
            if (RichTextPane* pane = m_tabs.paneOfTab(i))
                files.append({pane, codeFilePath(projectPath, m_tabs.tabCaption(i))});
        }
    }
    for (const auto& [pane, path] : std::as_const(files)) {
        QString error;
        if (!pane->saveFile(path, &error)) {
            m_ctx.dialogs->message(
                QStringLiteral("%1 could not be saved:\n%2\n\nSaving stopped at this file.")
                    .arg(displayPath(path), error),
                kSaveTitle);
            return false;
        }
    }
    reloadFormPage();
    return true;
}

bool ProjectCommands::isReadableOrReported(const QString& projectPath, const QString& title) {
    const auto failure = findUnreadableProjectFile(projectPath, m_ctx.settings.loadCode());
    if (!failure)
        return true;
    m_ctx.dialogs->message(
        QStringLiteral("The project could not be opened.\n\n%1 cannot be read:\n%2")
            .arg(displayPath(failure->path), failure->reason),
        title);
    return false;
}

void ProjectCommands::loadFolder(const QString& projectPath, const QString& title) {
    const bool withCode = m_ctx.settings.loadCode();
    Controls& ui = m_ctx.ui;
    m_ctx.project.ProjectPath = projectPath;
    QStringList problems;
    QString error;
    if (!ui.Text1->loadFile(resourceTxtPath(projectPath), &error))
        problems << displayPath(resourceTxtPath(projectPath)) + QStringLiteral(": ") + error;
    if (!ui.resourceh->loadFile(resourceHPath(projectPath), &error))
        problems << displayPath(resourceHPath(projectPath)) + QStringLiteral(": ") + error;
    m_tabs.resetToResourceTabs();
    // A code pane that was on view is gone now.
    if (!m_tabs.paneOnView())
        ui.Text1->show();
    if (withCode) {
        if (!m_tabs.ShowFileList(projectPath, &error))
            problems << error;
    } else {
        m_ctx.starter->start(
            commandFromPath(m_ctx.settings.IniPath + QStringLiteral("loadeditor.bat"),
                            {projectPath}),
            WindowStyle::NormalFocus);
    }
    // Only a file changed or removed in the moment since it was read gets here.
    if (!problems.isEmpty())
        m_ctx.dialogs->message(QStringLiteral("Some project files could not be loaded:\n") +
                                   problems.join(QLatin1Char('\n')),
                               title);
    enableProjectButtons();
}

void ProjectCommands::enableProjectButtons() {
    const Controls& ui = m_ctx.ui;
    for (QPushButton* b : {ui.Command5, ui.Command6, ui.Command7, ui.Command9, ui.Command10})
        b->setEnabled(true);
}

void ProjectCommands::reloadFormPage() {
    m_loader.LoadFormPageHidingText1(m_designer.CurrentFormPage);
}

} // namespace tarvo
