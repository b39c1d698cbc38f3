#pragma once

#include "colorize_scan.h"

#include <QObject>
#include <QTimer>
#include <array>
#include <memory>

class QTextBlock;

namespace tarvo {

class RichTextPane;

// The keyword lists a pass was made with, as the settings hold them.
using KeywordListsKey = std::array<QString, 3>;

// Keeps a coloured pane coloured while its text changes: after each edit the
// changed lines, and the lines after them up to where the scan state at a
// line's start is again what it was, get the scan's colours in place of their
// own. The lines on view are done at once, the rest in short timer slices.
// Letter case is never changed here. Lives as a child of its pane from the
// pane's first full pass on, which hands it the scan state of every line.
class LiveColorizer final : public QObject {
    Q_OBJECT

public:
    explicit LiveColorizer(RichTextPane& pane);
    // The one attached to `pane`, if any.
    static LiveColorizer* of(RichTextPane& pane);

    // After a full pass with `table`: the state at each line's start.
    void adopt(QVector<ScanState> lineStarts, std::shared_ptr<const KeywordTable> table,
               const KeywordListsKey& key);
    // Whether the pane's text and colours are those of its last pass with
    // the lists `key`.
    bool isUpToDate(const KeywordListsKey& key) const;
    // While set, text changes are the full pass's own letter-case fixes.
    void setSuspended(bool suspended);
    bool isIdle() const { return m_next < 0; }
    // Does all waiting work at once.
    void finish();

    // Longest stretch of colouring done in one go.
    static constexpr int kSliceMs = 8;

private:
    void onContentsChange(int pos, int removed, int added);
    void schedule(int first, int last, int delta);
    // Colours from m_next on until the states agree again, line `lastLine`
    // is done or `budgetMs` is spent.
    void work(int lastLine, qint64 budgetMs);
    int lastLineOnView() const;

    RichTextPane& m_pane;
    std::shared_ptr<const KeywordTable> m_table;
    KeywordListsKey m_passKey;
    quint64 m_passEdits = 0;
    quint64 m_seenEdits = 0;
    QVector<ScanState> m_starts; // the scan state at each line's start
    int m_next = -1;             // first line still to colour; -1 when none
    int m_mustReach = -1;        // colour at least up to this line
    int m_docLength = 0;
    bool m_suspended = false;
    bool m_colourOnView = false; // set by a change, done when the edit is complete
    QTimer m_slices;
};

} // namespace tarvo
