#include "document_scan.h"

#include "platform/rich_text_pane.h"

namespace tarvo {

QString lineWithBreak(const QTextBlock& block) {
    QString line = block.text();
    if (block.next().isValid())
        line += QLatin1String("\r\n");
    return line;
}

namespace {

// The line `back` characters (CR LF counting two) before the start of
// `block`, and the column there.
QTextBlock walkBack(QTextBlock block, int back, int& column) {
    int offset = -back;
    while (offset < 0 && block.previous().isValid()) {
        block = block.previous();
        offset += block.length() + 1;
    }
    column = offset;
    return block;
}

} // namespace

bool resolveEarlierWord(const QTextBlock& block, const LineRun& earlier, const KeywordTable& table,
                        EarlierWordHit& hit) {
    int column = 0;
    hit.block = walkBack(block, -earlier.start, column);
    return column >= 0 && table.wordRun(QStringView(hit.block.text()).mid(column, earlier.length),
                                        column, hit.run);
}

QTextBlock lineOfCarriedWord(const QTextBlock& block, const ScanState& state) {
    int column = 0;
    return walkBack(block, -state.wordStart, column);
}

void overlayOnLine(RichTextPane& pane, const QTextBlock& block, const LineRun& run) {
    const int line = block.blockNumber();
    pane.setLineStyles(line, {overlayRuns(pane.lineStyles(line), {run}, block.length() - 1)});
}

} // namespace tarvo
