#include "focus_tracking.h"

#include "app/core/ide_context.h"
#include "platform/pane_family.h"
#include "platform/rich_text_pane.h"

#include <QStatusBar>

namespace tarvo {

namespace {

constexpr int kKeyT = 84;
constexpr int kCtrlOnly = 2;

} // namespace

FocusTracking::FocusTracking(IdeContext& ctx) : m_ctx(ctx) {}

void FocusTracking::StoreFocusState() {
    m_savedTabStops.clear();
    for (QWidget* w : m_ctx.ui.collection) {
        if (!w)
            continue;
        const Qt::FocusPolicy policy = w->focusPolicy();
        m_savedTabStops.append({QPointer<QWidget>(w), (policy & Qt::TabFocus) != 0});
        w->setFocusPolicy(Qt::FocusPolicy(policy & ~Qt::TabFocus));
    }
}

void FocusTracking::RestoreFocusState() {
    // Matched by identity: controls created or destroyed while a pane had the
    // focus do not shift the flags onto their neighbours.
    for (const SavedTabStop& saved : std::as_const(m_savedTabStops)) {
        QWidget* w = saved.control;
        if (!w)
            continue;
        const int policy = w->focusPolicy();
        w->setFocusPolicy(
            Qt::FocusPolicy(saved.tabStop ? (policy | Qt::TabFocus) : (policy & ~Qt::TabFocus)));
    }
}

void FocusTracking::Text1_GotFocus() {
    StoreFocusState();
}

void FocusTracking::resourceh_GotFocus() {
    StoreFocusState();
}

void FocusTracking::OtherTextFile_GotFocus(int /*Index*/) {
    StoreFocusState();
}

void FocusTracking::Text1_LostFocus() {
    RestoreFocusState();
}

void FocusTracking::resourceh_LostFocus() {
    RestoreFocusState();
}

void FocusTracking::OtherTextFile_LostFocus(int /*Index*/) {
    RestoreFocusState();
}

void FocusTracking::Text1_KeyUp(int KeyCode, int Shift) {
    softTab(m_ctx.ui.Text1, KeyCode, Shift);
}

void FocusTracking::resourceh_KeyUp(int KeyCode, int Shift) {
    softTab(m_ctx.ui.resourceh, KeyCode, Shift);
}

void FocusTracking::OtherTextFile_KeyUp(int Index, int KeyCode, int Shift) {
    softTab(m_ctx.ui.OtherTextFile->at(Index), KeyCode, Shift);
}

void FocusTracking::OtherTextFile_SelChange(int Index) {
    if (!m_ctx.editor.ColorizeIdle)
        return;
    RichTextPane* pane = m_ctx.ui.OtherTextFile->at(Index);
    // A hidden pane's caret (a file being loaded while the folder is listed)
    // is not the one the user looks at.
    if (!pane || pane->isHidden())
        return;
    const int line = pane->lineFromChar(pane->selStart()) + 1;
    m_ctx.ui.StatusBar1->showMessage(QStringLiteral("Cursor is at line:") + QString::number(line));
}

void FocusTracking::softTab(RichTextPane* pane, int KeyCode, int Shift) {
    if (!pane || KeyCode != kKeyT || Shift != kCtrlOnly)
        return;
    const int spaces = m_ctx.settings.TabSpace;
    if (spaces < 1)
        return;
    // One replacement gives what TabSpace single spaces would: the first
    // replaces the selection, the rest follow at the caret.
    pane->setSelText(QString(spaces, QLatin1Char(' ')));
}

} // namespace tarvo
