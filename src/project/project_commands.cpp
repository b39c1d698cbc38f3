#include "project_commands.h"

#include "app/core/ide_context.h"
#include "crash_recovery.h"
#include "designer/designer_state.h"
#include "designer/form_loader.h"
#include "editor/file_tabs.h"
#include "outside_changes.h"
#include "platform/background_work.h"
#include "platform/dialogs.h"
#include "platform/file_ops.h"
#include "platform/pane_family.h"
#include "platform/program_starter.h"
#include "platform/rich_text_pane.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
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
    : m_ctx(ctx), m_tabs(tabs), m_loader(loader), m_designer(designer),
      m_outside(std::make_unique<OutsideChanges>(ctx, tabs, [this] { return projectFiles(); })),
      m_recovery(std::make_unique<CrashRecovery>(ctx, tabs, [this] { return projectFiles(); })) {
    QObject::connect(m_outside.get(), &OutsideChanges::resourceTextReloaded, m_outside.get(),
                     [this] { reloadFormPage(); });
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
    m_recovery->watchPane(pane);
    m_watches << QObject::connect(pane, &RichTextPane::modifiedChanged, pane,
                                  [this, pane](bool modified) {
                                      if (!m_ctx.project.isOpen())
                                          return;
                                      const int tab = m_tabs.tabOfPane(pane);
                                      if (tab > 0)
                                          m_tabs.setTabModified(tab, modified);
                                  });
}

void ProjectCommands::Command4_Click() {
    if (m_loading)
        return;
    openProject(m_ctx.dialogs->openFile(m_ctx.settings.SDKProjectPath + QStringLiteral("main.c"),
                                        QStringLiteral("Code (main.c)|main.c")));
}

void ProjectCommands::openProject(const QString& chosen) {
    if (m_loading)
        return;
    if (FileOps::FileExists(chosen)) {
        const QString folder = folderOfMainFile(chosen);
        // A project that cannot be read whole is not opened at all, so the
        // open one stays as it was, page included.
        if (!isReadableOrReported(folder, kOpenTitle) || !confirmDiscardChanges()) {
            m_readBytes.clear();
            return;
        }
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
    if (m_loading)
        return;
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
    const QList<ProjectFile> files = projectFiles();
    return std::any_of(files.begin(), files.end(),
                       [](const ProjectFile& f) { return f.isModified(); });
}

QList<ProjectFile> ProjectCommands::projectFiles() const {
    // Without a project there is nowhere to save to.
    const QString& projectPath = m_ctx.project.ProjectPath;
    if (!m_ctx.project.isOpen())
        return {};
    QList<ProjectFile> files{
        {m_ctx.ui.Text1, resourceTxtPath(projectPath), QStringLiteral("res/resource.txt"), 1},
        {m_ctx.ui.resourceh, resourceHPath(projectPath), QStringLiteral("res/resource.h"), 2},
    };
    // Code panes are project files only when the IDE edits code itself.
    if (m_ctx.settings.loadCode()) {
        for (int i = 3; i <= m_tabs.tabCount(); ++i) {
            const QString caption = m_tabs.tabCaption(i);
            if (m_ctx.ui.OtherTextFile->exists(i))
                files.append(
                    {m_tabs.madePaneOfTab(i), codeFilePath(projectPath, caption), caption, i});
        }
    }
    return files;
}

void ProjectCommands::checkOutsideChanges() {
    m_outside->scheduleCheck();
}

bool ProjectCommands::confirmDiscardChanges() {
    if (!hasUnsavedChanges())
        return true;
    switch (m_ctx.dialogs->askSave(QStringLiteral("Save changes to the project?"),
                                   QStringLiteral("Tarvo IDE"))) {
    case SaveAnswer::Save:
        return saveProject();
    case SaveAnswer::Discard:
        m_recovery->discard();
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool ProjectCommands::saveProject() {
    if (!m_ctx.project.isOpen()) {
        m_ctx.dialogs->message(QStringLiteral("No project is open."), kSaveTitle);
        return false;
    }
    bool complete = true;
    bool stopped = false;
    // No reload question may come up between the save's questions and its writes.
    m_outside->withoutChecks([&] {
        // Every question first, so that Cancel leaves every file as it was.
        QList<ProjectFile> toWrite;
        for (const ProjectFile& f : projectFiles()) {
            if (!m_outside->needsWriting(f))
                continue;
            const OutsideChanges::Decision decision = m_outside->askBeforeWriting(f);
            if (decision == OutsideChanges::Decision::Cancel) {
                stopped = true;
                return;
            }
            if (decision == OutsideChanges::Decision::Skip)
                complete = false;
            else
                toWrite << f;
        }
        QStringList folders;
        QString error;
        for (const ProjectFile& f : std::as_const(toWrite)) {
            // A pane never made holds its file as read: made only when it must be written.
            RichTextPane* pane = f.pane ? f.pane : m_tabs.paneOfTab(f.tab);
            if (!pane || !pane->saveFile(f.path, &error)) {
                m_ctx.dialogs->message(
                    QStringLiteral("%1 could not be saved:\n%2\n\nSaving stopped at this file.")
                        .arg(displayPath(f.path), error),
                    kSaveTitle);
                stopped = true;
                break;
            }
            m_outside->saved(f);
            const QString folder = QFileInfo(f.path).absolutePath();
            if (!folders.contains(folder))
                folders << folder;
        }
        // The renames last only once the folder's entries are on the disk too.
        for (const QString& folder : std::as_const(folders)) {
            if (!FileOps::SyncFolder(folder, &error)) {
                m_ctx.dialogs->message(
                    QStringLiteral("The folder %1 could not be flushed to the disk:\n%2")
                        .arg(displayPath(folder), error),
                    kSaveTitle);
                complete = false;
            }
        }
    });
    m_recovery->update();
    if (stopped)
        return false;
    reloadFormPage();
    return complete;
}

bool ProjectCommands::isReadableOrReported(const QString& projectPath, const QString& title) {
    m_readStamps.clear();
    m_readBytes.clear();
    // Thousands of files take long to read and stamp; the window stays alive
    // meanwhile and shows nothing of them until all are read.
    const bool withCode = m_ctx.settings.loadCode();
    QHash<QString, FileStamp> stamps;
    QHash<QString, QByteArray> bytes;
    std::optional<ReadFailure> failure;
    m_loading = true;
    runInBackground(
        [&] { failure = findUnreadableProjectFile(projectPath, withCode, &stamps, &bytes); });
    m_loading = false;
    m_readStamps = std::move(stamps);
    m_readBytes = std::move(bytes);
    if (!failure)
        return true;
    m_readBytes.clear();
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
    // Each file is read once: the check before the open kept its bytes.
    for (const auto& [pane, path] : {std::pair{ui.Text1, resourceTxtPath(projectPath)},
                                     std::pair{ui.resourceh, resourceHPath(projectPath)}}) {
        if (m_readBytes.contains(path))
            pane->loadData(m_readBytes.take(path));
        else if (!pane->loadFile(path, &error))
            problems << displayPath(path) + QStringLiteral(": ") + error;
    }
    m_tabs.resetToResourceTabs();
    // A code pane that was on view is gone now.
    if (!m_tabs.paneOnView())
        ui.Text1->show();
    if (withCode) {
        m_loading = true; // the window goes on between the slices of the tabs
        if (!m_tabs.ShowFileList(projectPath, &error, &m_readBytes))
            problems << error;
        m_loading = false;
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
    m_readBytes.clear();
    enableProjectButtons();
    m_outside->projectLoaded(std::exchange(m_readStamps, {}));
    m_recovery->projectLoaded();
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
