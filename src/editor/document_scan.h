#pragma once

#include "colorize_scan.h"
#include "line_styles.h"

#include <QTextBlock>

namespace tarvo {

// The text of a document line as the scan reads it: with CR LF when another
// line follows.
QString lineWithBreak(const QTextBlock& block);

// An EarlierWord run of the line `block` resolved against the document: the
// line holding the word and the keyword run there. False when the word is no
// keyword.
struct EarlierWordHit {
    QTextBlock block;
    LineRun run; // positions within `block`
};
bool resolveEarlierWord(const QTextBlock& block, const LineRun& earlier, const KeywordTable& table,
                        EarlierWordHit& hit);

// The line on which the word carried into `block` by `state` began.
QTextBlock lineOfCarriedWord(const QTextBlock& block, const ScanState& state);

class RichTextPane;

// Lays `run` over the present styles of line `block` of `pane`.
void overlayOnLine(RichTextPane& pane, const QTextBlock& block, const LineRun& run);

} // namespace tarvo
