#include "batch_editing.h"

#include "app/core/ide_context.h"

namespace tarvo {

BatchEditing::BatchEditing(IdeContext& ctx) : m_ctx(ctx) {}

void BatchEditing::CenterEmulator_Click() {}

void BatchEditing::MakeDebugBat_Click() {}

void BatchEditing::MakeReleaseBat_Click() {}

void BatchEditing::MakeLoadBat_Click() {}

void BatchEditing::MakeAll_Click() {}

void BatchEditing::LoadEditor_Click() {}

} // namespace tarvo
