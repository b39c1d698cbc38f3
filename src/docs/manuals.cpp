#include "manuals.h"

#include "app/core/ide_context.h"
#include "platform/command_line.h"
#include "platform/program_starter.h"

namespace tarvo {

ProgramCommand manualCommand(const QString& adobePath, const QString& docPath,
                             const QString& document) {
    return commandFromSetting(adobePath, {docPath + document});
}

Manuals::Manuals(IdeContext& ctx) : m_ctx(ctx) {}

void Manuals::TarvoIDEHelp_Click() {
    m_ctx.starter->start(
        commandFromSetting(kExplorerExe, {m_ctx.settings.IniPath + QStringLiteral("HelpFile.htm")}),
        WindowStyle::NormalFocus);
}

void Manuals::UIAPI_Click() {
    openManual(m_ctx.settings.UIAPIDoc);
}

void Manuals::UIDescriptions_Click() {
    openManual(m_ctx.settings.UIDescriptionsDoc);
}

void Manuals::UIEvents_Click() {
    openManual(m_ctx.settings.UIEventsDoc);
}

void Manuals::SystemAPI_Click() {
    openManual(m_ctx.settings.SystemAPIDoc);
}

void Manuals::DataAPIPDF_Click() {
    openManual(m_ctx.settings.DatabaseAPIDoc);
}

void Manuals::DataManPDF_Click() {
    openManual(m_ctx.settings.DataManagerDoc);
}

void Manuals::Others_Click() {
    openFolder(m_ctx.settings.DocPath);
}

void Manuals::CTemplates_Click() {
    openFolder(m_ctx.settings.TemplatePath);
}

void Manuals::openManual(const QString& document) {
    m_ctx.starter->start(manualCommand(m_ctx.settings.AdobePath, m_ctx.settings.DocPath, document),
                         WindowStyle::NormalNoFocus);
}

void Manuals::openFolder(const QString& folder) {
    m_ctx.starter->start(commandFromSetting(kExplorer, {folder}), WindowStyle::NormalFocus);
}

} // namespace tarvo
