#pragma once

namespace tarvo {

class FileTabs;
class FormLoader;
struct DesignerState;
struct IdeContext;

// Open, Save and New Project.
class ProjectCommands {
public:
    ProjectCommands(IdeContext& ctx, FileTabs& tabs, FormLoader& loader, DesignerState& designer);
    void Command4_Click(); // Open Project
    void Command5_Click(); // Save Project
    void Command8_Click(); // New Project

    // Whether a pane's text changed since it was loaded or saved.
    bool hasUnsavedChanges() const;
    // Asks to save when something changed; false when the user cancelled (or a
    // save failed), so the caller must not go on.
    bool confirmDiscardChanges();

private:
    IdeContext& m_ctx;
    FileTabs& m_tabs;
    FormLoader& m_loader;
    DesignerState& m_designer;
};

} // namespace tarvo
