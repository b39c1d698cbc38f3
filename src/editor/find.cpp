#include "find.h"

#include "app/core/ide_context.h"

namespace tarvo {

Finder::Finder(IdeContext& ctx, FileTabs& tabs) : m_ctx(ctx), m_tabs(tabs) {}

void Finder::Find_Click() {}

void Finder::FindAgain_Click() {}

} // namespace tarvo
