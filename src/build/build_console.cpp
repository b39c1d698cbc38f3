#include "build_console.h"

#include "app/core/ide_context.h"
#include "console_pane.h"

#include <QTabWidget>
#include <QTimer>

namespace tarvo {

BuildConsole::BuildConsole(IdeContext& ctx) : m_ctx(ctx) {}

void BuildConsole::Timer1_Timer() {
    const QString sdk = m_ctx.settings.SDKProjectPath;
    ConsolePane* errors = m_ctx.ui.ConsoleText1;
    ConsolePane* output = m_ctx.ui.ConsoleText2;
    // A file not written yet (or still held by the build) is the normal case:
    // show a sign of life and try again on the next tick.
    if (!errors->loadFile(sdk + QStringLiteral("Err.txt")) ||
        !output->loadFile(sdk + QStringLiteral("Out.txt"))) {
        errors->appendText(QStringLiteral(" ."));
        output->appendText(QStringLiteral(" ."));
        return;
    }
    m_ctx.ui.Timer1->stop();
    // The messages are what the user came for.
    if (errors->textLength() > 0)
        m_ctx.ui.Console->setCurrentIndex(0);
    if (onOutputShown)
        onOutputShown();
}

void BuildConsole::StopWaiting_Click() {
    if (!m_ctx.ui.Timer1->isActive())
        return;
    m_ctx.ui.Timer1->stop();
    const QString said = QStringLiteral("\r\nStopped waiting for the build's Err.txt and Out.txt.");
    m_ctx.ui.ConsoleText1->appendText(said);
    m_ctx.ui.ConsoleText2->appendText(said);
}

} // namespace tarvo
