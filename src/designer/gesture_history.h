#pragma once

#include <QPointer>
#include <QtGlobal>
#include <functional>

#include <QVector>

class QTextDocument;

namespace tarvo {

class RichTextPane;
struct IdeContext;
struct TextEdit;

// The designer's gestures as undo steps of Text1's document, which is the
// one history of the resource text: typing in the pane and the designer's
// edits undo in the order they were made.
class GestureHistory {
public:
    explicit GestureHistory(IdeContext& ctx);

    // Runs `edit` as one undo step; an edit that changes nothing adds none.
    // Inside it the pane's text may lag behind the document (a document
    // reports the changes of an edit block when the block ends), so an edit
    // reads the text once before its first write.
    void record(const std::function<void()>& edit);
    // The same for a nudge: consecutive nudges of one object, with nothing
    // else done to the text in between, form a single step.
    void recordNudge(qint16 id, const std::function<void()>& edit);

    // Undo and redo the last step of Text1's history, whatever made it; false
    // when there is none.
    bool undo();
    bool redo();

    // Makes the edits in the pane, last first, so that each position read
    // before the first write still holds.
    static void write(RichTextPane& pane, QVector<TextEdit> edits);
    // Puts Text1's caret at `pos` (a position of the text as edited): at once,
    // or when the open step ends, so that the pane knows the whole change.
    void moveCaret(int pos);

private:
    // Returns whether the text changed.
    bool run(const std::function<void()>& edit, bool joinPrevious);
    QTextDocument* document() const;

    struct NudgeRun {
        QPointer<QTextDocument> document;
        int revision = -1;
        qint16 id = 0;
    };

    IdeContext& m_ctx;
    NudgeRun m_run;
    bool m_open = false;
    QVector<int> m_carets; // waiting for the open step to end
};

} // namespace tarvo
