#include "object_mover.h"

#include "app/core/ide_context.h"

namespace tarvo {

ObjectMover::ObjectMover(IdeContext& ctx, DesignerState& state, FormLoader& loader,
                         PropertyGrid& grid)
    : m_ctx(ctx), m_state(state), m_loader(loader), m_grid(grid) {}

void ObjectMover::DynamicPicture_MouseDown(int Index, int Button, float X, float Y) {}

void ObjectMover::DynamicPicture_MouseUp(int Index, int Button, float X, float Y) {}

void ObjectMover::StoreObjectBounds(qint16 index) {}

} // namespace tarvo
