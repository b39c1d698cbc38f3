#include "batch_editing.h"

#include "app/core/ide_context.h"
#include "platform/command_line.h"
#include "platform/program_starter.h"

namespace tarvo {

namespace {

// The batch files are always edited in the plain editor, whatever
// PreferedTextEditor says.
void editBatchFile(IdeContext& ctx, const QString& name) {
    ctx.starter->start(commandFromSetting(kNotepad, {ctx.settings.IniPath + name}),
                       WindowStyle::NormalNoFocus);
}

} // namespace

BatchEditing::BatchEditing(IdeContext& ctx) : m_ctx(ctx) {}

void BatchEditing::CenterEmulator_Click() {
    m_ctx.starter->start(commandFromPath(m_ctx.settings.IniPath + QStringLiteral("centeremu.bat")),
                         WindowStyle::Hidden);
}

void BatchEditing::MakeDebugBat_Click() {
    editBatchFile(m_ctx, QStringLiteral("makedebug.bat"));
}

void BatchEditing::MakeReleaseBat_Click() {
    editBatchFile(m_ctx, QStringLiteral("makerelease.bat"));
}

void BatchEditing::MakeLoadBat_Click() {
    editBatchFile(m_ctx, QStringLiteral("makeload.bat"));
}

void BatchEditing::MakeAll_Click() {
    editBatchFile(m_ctx, QStringLiteral("makeall.bat"));
}

void BatchEditing::LoadEditor_Click() {
    editBatchFile(m_ctx, QStringLiteral("loadeditor.bat"));
}

} // namespace tarvo
