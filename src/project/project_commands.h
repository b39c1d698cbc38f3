#pragma once

#include <QList>
#include <QMetaObject>
#include <QString>

namespace tarvo {

class FileTabs;
class FormLoader;
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

private:
    bool saveProject();
    // Whether every file that loading the folder needs can be read; if not,
    // says which one and why.
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
};

} // namespace tarvo
