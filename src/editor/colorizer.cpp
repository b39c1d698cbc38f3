#include "colorizer.h"

#include "app/core/ide_context.h"
#include "colorize_scan.h"
#include "platform/pane_family.h"
#include "platform/rich_text_pane.h"

#include <QTabBar>

namespace tarvo {

namespace {

// The hourglass over the tab strip and ColorizeIdle false for as long as the
// pass runs, however it ends.
class PassGuard {
public:
    explicit PassGuard(IdeContext& ctx) : m_ctx(ctx) {
        if (m_ctx.ui.TabStrip1)
            m_ctx.ui.TabStrip1->setCursor(Qt::WaitCursor);
        m_ctx.editor.ColorizeIdle = false;
    }
    ~PassGuard() {
        m_ctx.editor.ColorizeIdle = true;
        if (m_ctx.ui.TabStrip1)
            m_ctx.ui.TabStrip1->unsetCursor();
    }
    PassGuard(const PassGuard&) = delete;
    PassGuard& operator=(const PassGuard&) = delete;

private:
    IdeContext& m_ctx;
};

} // namespace

Colorizer::Colorizer(IdeContext& ctx) : m_ctx(ctx) {}

RichTextPane* Colorizer::paneOf(int Index) const {
    if (Index == 2)
        return m_ctx.ui.resourceh;
    if (Index >= 3 && m_ctx.ui.OtherTextFile)
        return m_ctx.ui.OtherTextFile->at(Index);
    return nullptr;
}

void Colorizer::ColorizeWords(int Index) {
    if (!m_ctx.settings.colorize())
        return;
    const PassGuard guard(m_ctx);
    // Any failure ends the pass silently; formats already applied stay.
    try {
        RichTextPane* pane = paneOf(Index);
        if (!pane)
            return;
        const Settings& s = m_ctx.settings;
        const KeywordLists lists{KeywordList(s.DataTypesKeywords), KeywordList(s.ReservedKeyWords),
                                 KeywordList(s.ExtraKeyWords)};
        pane->applyFormats(scanColorRuns(pane->text(), lists));
        pane->setSelStart(0);
    } catch (...) {
    }
}

} // namespace tarvo
