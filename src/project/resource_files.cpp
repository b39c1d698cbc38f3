#include "resource_files.h"

#include "app/core/ide_context.h"

namespace tarvo {

ResourceFiles::ResourceFiles(IdeContext& ctx) : m_ctx(ctx) {}

void ResourceFiles::resourcetxt_Click() {}

void ResourceFiles::resourceh1_Click() {}

void ResourceFiles::mainbmp1_Click() {}

void ResourceFiles::formbmp1_Click() {}

void ResourceFiles::EditFile_Click() {}

} // namespace tarvo
