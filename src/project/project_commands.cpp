#include "project_commands.h"

#include "app/core/ide_context.h"

namespace tarvo {

ProjectCommands::ProjectCommands(IdeContext& ctx, FileTabs& tabs, FormLoader& loader,
                                 DesignerState& designer)
    : m_ctx(ctx), m_tabs(tabs), m_loader(loader), m_designer(designer) {}

void ProjectCommands::Command4_Click() {}

void ProjectCommands::Command5_Click() {}

void ProjectCommands::Command8_Click() {}

bool ProjectCommands::hasUnsavedChanges() const {
    return false;
}

bool ProjectCommands::confirmDiscardChanges() {
    return true;
}

} // namespace tarvo
