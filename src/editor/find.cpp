#include "find.h"

#include "app/core/ide_context.h"
#include "file_tabs.h"
#include "platform/dialogs.h"
#include "platform/rich_text_pane.h"

namespace tarvo {

Finder::Finder(IdeContext& ctx, FileTabs& tabs) : m_ctx(ctx), m_tabs(tabs) {}

void Finder::Find_Click() {
    RichTextPane* pane = m_tabs.paneInUse();
    m_ctx.editor.FindText = m_ctx.dialogs->inputBox(QStringLiteral("Find:"), QStringLiteral("Find"),
                                                    m_ctx.editor.FindText);
    if (!pane)
        return;
    if (!m_ctx.editor.FindText.isEmpty())
        pane->find(m_ctx.editor.FindText, pane->selStart());
    pane->setFocus();
}

void Finder::FindAgain_Click() {
    RichTextPane* pane = m_tabs.paneInUse();
    if (!pane)
        return;
    if (!m_ctx.editor.FindText.isEmpty()) {
        pane->setSelStart(std::min(pane->selStart() + 1, pane->textLength()));
        pane->find(m_ctx.editor.FindText, pane->selStart());
    }
    pane->setFocus();
}

} // namespace tarvo
