#include "gesture_history.h"

#include "app/core/ide_context.h"
#include "gesture_edits.h"
#include "platform/rich_text_pane.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace tarvo {

GestureHistory::GestureHistory(IdeContext& ctx) : m_ctx(ctx) {}

QTextDocument* GestureHistory::document() const {
    return m_ctx.ui.Text1->document();
}

bool GestureHistory::run(const std::function<void()>& edit, bool joinPrevious) {
    QTextDocument* doc = document();
    bool changed = false;
    const QMetaObject::Connection watch = QObject::connect(doc, &QTextDocument::contentsChange, doc,
                                                           [&changed](int, int removed, int added) {
                                                               if (removed > 0 || added > 0)
                                                                   changed = true;
                                                           });
    // Every replacement made while the block is open, through any cursor of
    // the document, joins the one undo step.
    QTextCursor block(doc);
    if (joinPrevious)
        block.joinPreviousEditBlock();
    else
        block.beginEditBlock();
    m_open = true;
    edit();
    m_open = false;
    block.endEditBlock();
    QObject::disconnect(watch);
    for (const int pos : std::as_const(m_carets))
        m_ctx.ui.Text1->setSelStart(pos);
    m_carets.clear();
    return changed;
}

void GestureHistory::moveCaret(int pos) {
    if (m_open)
        m_carets.append(pos);
    else
        m_ctx.ui.Text1->setSelStart(pos);
}

void GestureHistory::record(const std::function<void()>& edit) {
    m_run = {};
    run(edit, false);
}

void GestureHistory::recordNudge(qint16 id, const std::function<void()>& edit) {
    QTextDocument* doc = document();
    // The last step is this object's nudge only if nothing touched the text
    // since (any edit, undo or redo moves the revision on) and it was not
    // saved since, so that undo still stops at the saved text.
    const bool join = m_run.document == doc && m_run.id == id &&
                      m_run.revision == doc->revision() && m_ctx.ui.Text1->isModified();
    const bool changed = run(edit, join);
    if (changed || join)
        m_run = {doc, doc->revision(), id};
    else
        m_run = {};
}

void GestureHistory::write(RichTextPane& pane, QVector<TextEdit> edits) {
    std::sort(edits.begin(), edits.end(),
              [](const TextEdit& a, const TextEdit& b) { return a.start > b.start; });
    for (const TextEdit& e : std::as_const(edits)) {
        pane.select(e.start, e.length);
        pane.setSelText(e.text);
    }
}

bool GestureHistory::undo() {
    m_run = {};
    if (!document()->isUndoAvailable())
        return false;
    m_ctx.ui.Text1->undo();
    return true;
}

bool GestureHistory::redo() {
    m_run = {};
    if (!document()->isRedoAvailable())
        return false;
    m_ctx.ui.Text1->redo();
    return true;
}

} // namespace tarvo
