#include "colorizer.h"

#include "app/core/ide_context.h"
#include "document_scan.h"
#include "platform/pane_family.h"
#include "platform/rich_text_pane.h"

#include <QScrollBar>
#include <QTabBar>
#include <QTextCursor>
#include <QTextDocument>

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

// Caret, selection and scrolled place of a pane, put back after the pass's
// letter-case fixes have moved a caret that stood on a fixed word.
class ViewPlace {
public:
    explicit ViewPlace(RichTextPane& pane)
        : m_pane(pane), m_anchor(pane.textCursor().anchor()),
          m_position(pane.textCursor().position()),
          m_horizontal(pane.horizontalScrollBar()->value()),
          m_vertical(pane.verticalScrollBar()->value()) {}
    void restore() {
        QTextCursor c = m_pane.textCursor();
        if (c.anchor() != m_anchor || c.position() != m_position) {
            c.setPosition(m_anchor);
            c.setPosition(m_position, QTextCursor::KeepAnchor);
            m_pane.setTextCursor(c);
        }
        m_pane.horizontalScrollBar()->setValue(m_horizontal);
        m_pane.verticalScrollBar()->setValue(m_vertical);
    }

private:
    RichTextPane& m_pane;
    int m_anchor;
    int m_position;
    int m_horizontal;
    int m_vertical;
};

constexpr int kLinesPerBatch = 256;

// The pass line by line: the scan's colours laid over what each line shows,
// and the scan state at every line's start. Returns the lines that need a
// letter-case fix (the line that ends a carried word stands for it).
QVector<int> colourLines(RichTextPane& pane, const KeywordTable& table,
                         QVector<ScanState>& starts) {
    QTextDocument* doc = pane.document();
    starts.clear();
    starts.reserve(doc->blockCount());
    QVector<int> fixLines;
    QVector<LineStyleList> batch;
    int batchFirst = 0;
    auto flush = [&] {
        if (!batch.isEmpty())
            pane.setLineStyles(batchFirst, batch);
        batchFirst += int(batch.size());
        batch.clear();
    };
    ScanState state;
    QVector<LineRun> runs;
    int line = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next(), ++line) {
        starts.append(state);
        runs.clear();
        scanLine(lineWithBreak(block), state, table, runs);
        bool fixes = false;
        for (const LineRun& r : std::as_const(runs)) {
            EarlierWordHit hit;
            if (r.kind != TokenKind::EarlierWord) {
                fixes = fixes || r.caseFix;
            } else if (resolveEarlierWord(block, r, table, hit)) {
                flush();
                overlayOnLine(pane, hit.block, hit.run);
                fixes = fixes || hit.run.caseFix;
            }
        }
        if (fixes)
            fixLines.append(line);
        batch.append(overlayRuns(pane.lineStyles(line), runs, block.length() - 1));
        if (batch.size() >= kLinesPerBatch)
            flush();
    }
    flush();
    return fixLines;
}

// The letter-case fixes of the lines found, scanned again from their stored
// states, as one undo step.
void fixLetterCase(RichTextPane& pane, const KeywordTable& table, const QVector<ScanState>& starts,
                   const QVector<int>& fixLines) {
    if (fixLines.isEmpty())
        return;
    QTextDocument* doc = pane.document();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    QVector<LineRun> runs;
    for (int line : fixLines) {
        const QTextBlock block = doc->findBlockByNumber(line);
        ScanState state = starts[line];
        runs.clear();
        scanLine(lineWithBreak(block), state, table, runs);
        for (const LineRun& r : std::as_const(runs)) {
            QTextBlock at = block;
            LineRun fix = r;
            EarlierWordHit hit;
            if (r.kind == TokenKind::EarlierWord) {
                if (!resolveEarlierWord(block, r, table, hit))
                    continue;
                at = hit.block;
                fix = hit.run;
            }
            if (!fix.caseFix)
                continue;
            cursor.setPosition(at.position() + fix.start);
            cursor.setPosition(at.position() + fix.start + fix.length, QTextCursor::KeepAnchor);
            cursor.insertText(*fix.caseFix);
        }
    }
    cursor.endEditBlock();
}

} // namespace

Colorizer::Colorizer(IdeContext& ctx) : m_ctx(ctx) {}

RichTextPane* Colorizer::paneOf(int Index) const {
    if (Index == 2)
        return m_ctx.ui.resourceh;
    if (Index >= 3 && m_ctx.ui.OtherTextFile)
        return m_ctx.ui.OtherTextFile->at(Index);
    return nullptr;
}

std::shared_ptr<const KeywordTable> Colorizer::tableFor(const KeywordListsKey& key) {
    if (!m_table || key != m_tableKey) {
        m_table = std::make_shared<const KeywordTable>(
            KeywordLists{KeywordList(key[0]), KeywordList(key[1]), KeywordList(key[2])});
        m_tableKey = key;
    }
    return m_table;
}

void Colorizer::ColorizeWords(int Index) {
    if (!m_ctx.settings.colorize())
        return;
    const Settings& s = m_ctx.settings;
    const KeywordListsKey key{s.DataTypesKeywords, s.ReservedKeyWords, s.ExtraKeyWords};
    RichTextPane* pane = paneOf(Index);
    LiveColorizer* live = pane ? LiveColorizer::of(*pane) : nullptr;
    if (live && live->isUpToDate(key))
        return;
    const PassGuard guard(m_ctx);
    // Any failure ends the pass silently; formats already applied stay.
    try {
        if (!pane)
            return;
        if (!live)
            live = new LiveColorizer(*pane);
        const std::shared_ptr<const KeywordTable> table = tableFor(key);
        ViewPlace place(*pane);
        live->setSuspended(true);
        QVector<ScanState> starts;
        const QVector<int> fixLines = colourLines(*pane, *table, starts);
        fixLetterCase(*pane, *table, starts, fixLines);
        live->setSuspended(false);
        live->adopt(std::move(starts), table, key);
        place.restore();
    } catch (...) {
        if (live)
            live->setSuspended(false);
    }
}

} // namespace tarvo
