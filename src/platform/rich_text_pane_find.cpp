// Reading the text by CR LF positions: lines, ranges and search.
#include "rich_text_pane.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace tarvo {

int RichTextPane::lineFromChar(int pos) const {
    const QTextDocument* d = doc();
    pos = std::clamp(pos, 0, textLength());
    // The line whose CR LF start is the last one at or before pos.
    int lo = 0, hi = d->blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (d->findBlockByNumber(mid).position() + mid <= pos)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

// The text between two CR LF positions, read line by line so that the whole
// text is never copied for a small part of it.
QString RichTextPane::textRange(int from, int to) const {
    QString out;
    if (to <= from)
        return out;
    int line = lineFromChar(from);
    QTextBlock b = doc()->findBlockByNumber(line);
    int lineStart = b.position() + line; // CR LF position of the line's start
    for (; b.isValid() && lineStart < to; b = b.next()) {
        const int lineEnd = lineStart + b.length() - 1; // where its CR stands
        const QString withBreak = b.next().isValid() ? b.text() + QLatin1String("\r\n") : b.text();
        const int a = std::max(from, lineStart) - lineStart;
        const int z = std::min(to, lineEnd + 2) - lineStart;
        if (z > a)
            out += QStringView(withBreak).mid(a, z - a);
        lineStart = lineEnd + 2;
    }
    return out;
}

int RichTextPane::find(const QString& what, int start) {
    const int length = textLength();
    if (what.isEmpty() || start < 0 || start > length)
        return -1;
    int hit = -1;
    if (what.contains(QLatin1Char('\r')) || what.contains(QLatin1Char('\n'))) {
        hit = int(text().indexOf(what, start, Qt::CaseInsensitive));
    } else {
        // Line by line: a text without breaks cannot match across one.
        int line = lineFromChar(start);
        QTextBlock b = doc()->findBlockByNumber(line);
        int offset = start - (b.position() + line);
        for (; b.isValid() && hit < 0; b = b.next(), offset = 0) {
            const qsizetype at = b.text().indexOf(what, offset, Qt::CaseInsensitive);
            if (at >= 0)
                hit = b.position() + b.blockNumber() + int(at);
        }
    }
    if (hit >= 0)
        select(hit, int(what.size()));
    return hit;
}

int RichTextPane::find(const QString& what) {
    if (what.isEmpty())
        return -1;
    if (selLength() == 0)
        return find(what, 0);
    const int start = selStart();
    const int hit = int(selText().indexOf(what, 0, Qt::CaseInsensitive));
    if (hit < 0)
        return -1;
    select(start + hit, int(what.size()));
    return start + hit;
}

} // namespace tarvo
