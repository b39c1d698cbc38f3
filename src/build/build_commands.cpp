#include "build_commands.h"

#include "app/core/ide_context.h"

namespace tarvo {

BuildCommands::BuildCommands(IdeContext& ctx) : m_ctx(ctx) {}

void BuildCommands::Command10_Click() {}

void BuildCommands::Command6_Click() {}

void BuildCommands::Command9_Click() {}

void BuildCommands::Command7_Click() {}

} // namespace tarvo
