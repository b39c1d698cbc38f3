#include "toolbox.h"

#include "app/core/ide_context.h"

namespace tarvo {

Toolbox::Toolbox(IdeContext& ctx, DesignerState& state, ObjectMover& mover, PropertyGrid& grid)
    : m_ctx(ctx), m_state(state), m_mover(mover), m_grid(grid) {}

void Toolbox::Command1_Click(int Index) {}

void Toolbox::Form_MouseDown(int Button, float X, float Y) {}

void Toolbox::Form_MouseUp(int Button, float X, float Y) {}

bool Toolbox::ReadTemplateFile(const QString& fileName, QString* error) {
    return false;
}

void Toolbox::AppendTemplateText() {}

} // namespace tarvo
