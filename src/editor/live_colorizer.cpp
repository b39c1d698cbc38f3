#include "live_colorizer.h"

#include "document_scan.h"
#include "platform/rich_text_pane.h"

#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextDocument>
#include <limits>

namespace tarvo {

namespace {

constexpr int kLinesPerBatch = 32;

} // namespace

LiveColorizer::LiveColorizer(RichTextPane& pane) : QObject(&pane), m_pane(pane) {
    m_slices.setSingleShot(true);
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, [this] {
        work(std::numeric_limits<int>::max(), kSliceMs);
        if (m_next >= 0)
            m_slices.start();
    });
    // Connected after the pane's own handler, which has carried the styles
    // along and counted the edit by the time this one runs.
    connect(pane.document(), &QTextDocument::contentsChange, this,
            &LiveColorizer::onContentsChange);
    // Restyling while the document still reports the change would upset its
    // layout: the lines on view are coloured once the edit is complete.
    connect(pane.document(), &QTextDocument::contentsChanged, this, [this] {
        if (!m_colourOnView)
            return;
        m_colourOnView = false;
        const int onView = lastLineOnView();
        if (onView >= m_next)
            work(onView, 2 * kSliceMs);
        if (m_next >= 0)
            m_slices.start();
    });
}

LiveColorizer* LiveColorizer::of(RichTextPane& pane) {
    return pane.findChild<LiveColorizer*>(QString(), Qt::FindDirectChildrenOnly);
}

void LiveColorizer::adopt(QVector<ScanState> lineStarts, std::shared_ptr<const KeywordTable> table,
                          const KeywordListsKey& key) {
    m_slices.stop();
    m_starts = std::move(lineStarts);
    m_table = std::move(table);
    m_passKey = key;
    m_passEdits = m_seenEdits = m_pane.editCount();
    m_docLength = m_pane.document()->characterCount();
    m_next = m_mustReach = -1;
    m_colourOnView = false;
}

bool LiveColorizer::isUpToDate(const KeywordListsKey& key) const {
    return m_table && isIdle() && m_pane.editCount() == m_passEdits && key == m_passKey;
}

void LiveColorizer::setSuspended(bool suspended) {
    m_suspended = suspended;
}

void LiveColorizer::finish() {
    while (m_next >= 0)
        work(std::numeric_limits<int>::max(), std::numeric_limits<qint64>::max());
    m_slices.stop();
}

void LiveColorizer::onContentsChange(int pos, int removed, int added) {
    // A change of formats alone, ours included, is no edit.
    if (m_pane.editCount() == m_seenEdits)
        return;
    m_seenEdits = m_pane.editCount();
    const QTextDocument* doc = m_pane.document();
    const int total = doc->characterCount();
    const int oldLength = m_docLength;
    m_docLength = total;
    if (m_suspended || !m_table)
        return;

    // A change may be reported as reaching over the closing line break.
    const int excess = std::max(0, pos + removed - (oldLength - 1));
    removed -= excess;
    added -= excess;
    const int blocks = doc->blockCount();
    const int delta = blocks - int(m_starts.size());
    const QTextBlock firstBlock = doc->findBlock(pos);
    const int first = firstBlock.isValid() ? firstBlock.blockNumber() : blocks - 1;
    const bool consistent = removed >= 0 && added >= 0 && oldLength - removed + added == total &&
                            first + 1 - std::min(delta, 0) <= m_starts.size();
    if (!consistent) {
        // Start again from the top, every line to be coloured.
        m_starts.fill(ScanState{}, blocks);
        m_next = -1;
        schedule(0, blocks - 1, 0);
    } else {
        if (delta > 0)
            m_starts.insert(first + 1, delta, ScanState{});
        else if (delta < 0)
            m_starts.remove(first + 1, -delta);
        const QTextBlock lastBlock = doc->findBlock(pos + added);
        const int last = lastBlock.isValid() ? lastBlock.blockNumber() : blocks - 1;
        schedule(first, last, delta);
    }
    m_colourOnView = true;
}

void LiveColorizer::schedule(int first, int last, int delta) {
    if (m_next < 0) {
        m_next = first;
        m_mustReach = last;
    } else {
        // Lines after the change moved by `delta`; lines that were still
        // waiting stay to be coloured whatever the states say.
        auto moved = [&](int line) { return line <= first ? line : std::max(first, line + delta); };
        m_mustReach = std::max({moved(m_mustReach), moved(m_next), last});
        m_next = std::min(moved(m_next), first);
    }
    // A word carried into the first line may be a keyword of the line it
    // began on; that line is coloured again so that it loses or gains it.
    const ScanState& start = m_starts[m_next];
    if (start.carriesCandidate()) {
        const QTextBlock b = m_pane.document()->findBlockByNumber(m_next);
        m_next = lineOfCarriedWord(b, start).blockNumber();
    }
}

void LiveColorizer::work(int lastLine, qint64 budgetMs) {
    if (m_next < 0)
        return;
    QElapsedTimer clock;
    clock.start();
    const QTextDocument* doc = m_pane.document();
    const int count = doc->blockCount();
    if (m_starts.size() != count) {
        // Lines came or went unreported: colour them all again.
        m_starts.fill(ScanState{}, count);
        m_next = 0;
        m_mustReach = count - 1;
    }
    QTextBlock block = doc->findBlockByNumber(m_next);
    ScanState state = m_starts[m_next];
    int batchFirst = m_next;
    QVector<LineStyleList> batch;
    QVector<LineRun> runs;
    auto flush = [&] {
        if (!batch.isEmpty())
            m_pane.setLineStyles(batchFirst, batch);
        batchFirst += int(batch.size());
        batch.clear();
    };
    for (int line = m_next; block.isValid(); ++line, block = block.next()) {
        runs.clear();
        scanLine(lineWithBreak(block), state, *m_table, runs);
        batch.append(overlayRuns({}, runs, block.length() - 1));
        for (const LineRun& r : std::as_const(runs)) {
            EarlierWordHit hit;
            if (r.kind != TokenKind::EarlierWord || !resolveEarlierWord(block, r, *m_table, hit))
                continue;
            flush();
            overlayOnLine(m_pane, hit.block, hit.run);
        }
        const int next = line + 1;
        const bool settled = next >= count || (line >= m_mustReach && state == m_starts[next] &&
                                               !state.carriesCandidate());
        if (settled) {
            m_next = -1;
            break;
        }
        m_starts[next] = state;
        m_next = next;
        if (line >= lastLine)
            break;
        // Showing the styles costs as much as finding them: the clock is read
        // once a batch is shown.
        if (batch.size() >= kLinesPerBatch) {
            flush();
            if (clock.elapsed() >= budgetMs)
                break;
        }
    }
    flush();
}

int LiveColorizer::lastLineOnView() const {
    if (!m_pane.isVisible())
        return -1;
    // Without wrapping the scroll bar counts lines; the caret's line is on
    // view too once the pane has followed it.
    const int rows = m_pane.viewport()->height() / std::max(1, m_pane.fontMetrics().lineSpacing());
    const int top = std::max(m_pane.verticalScrollBar()->value(), 0);
    return std::max(top, m_pane.textCursor().blockNumber()) + rows + 1;
}

} // namespace tarvo
