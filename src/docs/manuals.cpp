#include "manuals.h"

#include "app/core/ide_context.h"

namespace tarvo {

Manuals::Manuals(IdeContext& ctx) : m_ctx(ctx) {}

void Manuals::TarvoIDEHelp_Click() {}

void Manuals::UIAPI_Click() {}

void Manuals::UIDescriptions_Click() {}

void Manuals::UIEvents_Click() {}

void Manuals::SystemAPI_Click() {}

void Manuals::DataAPIPDF_Click() {}

void Manuals::DataManPDF_Click() {}

void Manuals::Others_Click() {}

void Manuals::CTemplates_Click() {}

} // namespace tarvo
