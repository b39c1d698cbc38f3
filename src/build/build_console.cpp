#include "build_console.h"

#include "app/core/ide_context.h"

namespace tarvo {

BuildConsole::BuildConsole(IdeContext& ctx) : m_ctx(ctx) {}

void BuildConsole::Timer1_Timer() {}

} // namespace tarvo
