#pragma once

#include "project_folder.h"

#include <QHash>
#include <QList>
#include <QMetaObject>
#include <QString>
#include <memory>

namespace tarvo {

class CrashRecovery;
class FileTabs;
class FormLoader;
class OutsideChanges;
class RichTextPane;
struct DesignerState;
struct IdeContext;

// Open, Save and New Project.
class ProjectCommands {
public:
    ProjectCommands(IdeContext& ctx, FileTabs& tabs, FormLoader& loader, DesignerState& designer);
    ~ProjectCommands();
    ProjectCommands(const ProjectCommands&) = delete;
    ProjectCommands& operator=(const ProjectCommands&) = delete;

    void Command4_Click(); // Open Project
    void Command5_Click(); // Save Project
    void Command8_Click(); // New Project

    // Writes every pane whose text differs from its file, asking first where
    // the file changed on disk since it was loaded or saved. False when a
    // changed file was left unwritten (Skip, Cancel, an error): callers that
    // need the files on disk must not go on.
    bool saveProject();

    // The rest of Open Project once its main.c is chosen (by the dialog or the
    // command line): checks, loading and the page reload.
    void openProject(const QString& chosen);

    // Whether a pane's text changed since it was loaded or saved.
    bool hasUnsavedChanges() const;
    // Asks to save when something changed; false when the user cancelled (or a
    // save failed), so the caller must not go on.
    bool confirmDiscardChanges();

    // Marks the tab of `pane` while the pane holds unsaved changes. The
    // resource panes are watched from the start; code panes when created.
    void watchPane(RichTextPane* pane);

    // The files Save Project writes, with their panes: Text1, resourceh and,
    // when the IDE edits code itself, the code panes in tab order.
    QList<ProjectFile> projectFiles() const;

    // Looks for files changed on disk soon (the window became active again).
    void checkOutsideChanges();
    OutsideChanges& outsideChanges() { return *m_outside; }
    CrashRecovery& crashRecovery() { return *m_recovery; }

private:
    // Whether every file that loading the folder needs can be read; if not,
    // says which one and why. The versions read are kept for loadFolder.
    bool isReadableOrReported(const QString& projectPath, const QString& title);
    // Makes the folder the open project: panes, tabs, code editor, buttons.
    void loadFolder(const QString& projectPath, const QString& title);
    void enableProjectButtons();
    void reloadFormPage();

    IdeContext& m_ctx;
    FileTabs& m_tabs;
    FormLoader& m_loader;
    DesignerState& m_designer;
    QList<QMetaObject::Connection> m_watches;
    QHash<QString, FileStamp> m_readStamps; // of the folder loadFolder loads next
    QHash<QString, QByteArray> m_readBytes; // its files as the check read them
    bool m_loading = false;                 // a project is being read or loaded: Open and New wait
    std::unique_ptr<OutsideChanges> m_outside;
    std::unique_ptr<CrashRecovery> m_recovery;
};

} // namespace tarvo
