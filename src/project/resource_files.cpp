#include "resource_files.h"

#include "app/core/ide_context.h"
#include "platform/dialogs.h"
#include "platform/file_ops.h"
#include "platform/pane_family.h"
#include "platform/program_starter.h"
#include "platform/rich_text_pane.h"
#include "project_folder.h"

#include <QTabBar>

namespace tarvo {

ResourceFiles::ResourceFiles(IdeContext& ctx) : m_ctx(ctx) {}

void ResourceFiles::resourcetxt_Click() {
    showResourcePane(m_ctx.ui.Text1, m_ctx.ui.resourceh);
}

void ResourceFiles::resourceh1_Click() {
    showResourcePane(m_ctx.ui.resourceh, m_ctx.ui.Text1);
}

void ResourceFiles::showResourcePane(RichTextPane* shown, RichTextPane* hidden) {
    shown->setVisible(true);
    hidden->setVisible(false);
    // The selected tab is left alone: choosing a tab is the tab strip's business.
    for (int i = 3; i <= m_ctx.ui.TabStrip1->count(); ++i) {
        if (RichTextPane* pane = m_ctx.ui.OtherTextFile->madeAt(i)) // one never made is hidden
            pane->setVisible(false);
    }
}

void ResourceFiles::mainbmp1_Click() {
    startBitmapEditor(mainBmpPath(m_ctx.project.ProjectPath));
}

void ResourceFiles::formbmp1_Click() {
    startBitmapEditor(formBmpPath(m_ctx.project.ProjectPath));
}

void ResourceFiles::startBitmapEditor(const QString& bitmap) {
    // The file need not exist yet: the editor may create it.
    m_ctx.starter->start(commandFromSetting(m_ctx.settings.PreferedBMPEditor, {bitmap}),
                         WindowStyle::NormalNoFocus);
}

void ResourceFiles::EditFile_Click() {
    const QString chosen =
        m_ctx.dialogs->openFile(m_ctx.project.ProjectPath + QStringLiteral("*.*"),
                                QStringLiteral("Resource (*.txt)|*.txt|Code (*.c;*.h)|*.c;*.h"));
    if (!FileOps::FileExists(chosen))
        return;
    m_ctx.starter->start(commandFromSetting(m_ctx.settings.PreferedTextEditor, {chosen}),
                         WindowStyle::NormalNoFocus);
}

} // namespace tarvo
