#include "build_console.h"

#include "app/core/ide_context.h"
#include "platform/rich_text_pane.h"

#include <QTimer>

namespace tarvo {

namespace {

void appendDot(RichTextPane* pane) {
    pane->setText(pane->text() + QStringLiteral(" ."));
}

} // namespace

BuildConsole::BuildConsole(IdeContext& ctx) : m_ctx(ctx) {}

void BuildConsole::Timer1_Timer() {
    const QString sdk = m_ctx.settings.SDKProjectPath;
    // A file not written yet (or still held by the build) is the normal case:
    // show a sign of life and try again on the next tick.
    if (!m_ctx.ui.ConsoleText1->loadFile(sdk + QStringLiteral("Err.txt")) ||
        !m_ctx.ui.ConsoleText2->loadFile(sdk + QStringLiteral("Out.txt"))) {
        appendDot(m_ctx.ui.ConsoleText1);
        appendDot(m_ctx.ui.ConsoleText2);
        return;
    }
    m_ctx.ui.Timer1->stop();
}

} // namespace tarvo
