#include "jump_to_line.h"

#include "app/core/controls.h"
#include "file_tabs.h"
#include "platform/rich_text_pane.h"

#include <QScrollBar>
#include <QTabBar>
#include <QTextBlock>

#include <algorithm>

namespace tarvo {

int positionOfLine(const RichTextPane& pane, int line, int column) {
    const QTextDocument* doc = pane.document();
    const QTextBlock block = doc->findBlockByNumber(std::clamp(line, 1, doc->blockCount()) - 1);
    const int offset = std::clamp(column - 1, 0, block.length() - 1);
    // Every line break before the block counts two characters.
    return block.position() + block.blockNumber() + offset;
}

void jumpToLine(Controls& ui, FileTabs& tabs, int tab, int line, int column) {
    RichTextPane* pane = tabs.paneOfTab(tab);
    if (!pane)
        return;
    if (tabs.selectedTab() != tab)
        ui.TabStrip1->setCurrentIndex(tab - 1); // runs TabStrip1_Click
    else if (tabs.paneOnView() != pane)
        tabs.TabStrip1_Click();
    const int scrolledTo = pane->verticalScrollBar()->value();
    pane->setSelStart(positionOfLine(*pane, line, column));
    if (pane->verticalScrollBar()->value() != scrolledTo)
        pane->centerCursor();
    pane->setFocus(Qt::OtherFocusReason);
}

} // namespace tarvo
