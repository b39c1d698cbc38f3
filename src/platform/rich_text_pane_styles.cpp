// Colours and weights: one style number per character, shown as formats only
// on the lines being painted.
#include "rich_text_pane.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <climits>

namespace tarvo {

using pane_styles::CharStyle;
using pane_styles::StyleRun;

// The number of a style, added to the palette when new. A pane showing more
// than 255 different styles shows the further ones plain.
quint8 RichTextPane::styleIndex(const CharStyle& style) {
    if (style.isPlain())
        return 0;
    for (int i = 1; i < m_palette.size(); ++i)
        if (m_palette[i] == style)
            return quint8(i);
    if (m_palette.size() > 255)
        return 0;
    m_palette.append(style);
    return quint8(m_palette.size() - 1);
}

CharStyle RichTextPane::styleAt(int pos) const {
    if (pos < 0 || pos >= textLength())
        return {};
    const int line = lineFromChar(pos);
    const QTextBlock b = doc()->findBlockByNumber(line);
    const int offset = pos - (b.position() + line);
    if (offset >= b.length() - 1)
        return {}; // the CR or LF of a break
    return m_palette.value(m_styles.at(b.position() + offset));
}

QColor RichTextPane::colorAt(int pos) const {
    const CharStyle s = styleAt(pos);
    return s.hasColor ? QColor::fromRgba(s.color) : QColor();
}

bool RichTextPane::boldAt(int pos) const {
    return styleAt(pos).bold;
}

void RichTextPane::setSelColor(const QColor& color) {
    const int from = toDocPos(selStart()), to = toDocPos(selStart() + selLength());
    styleDocRange(from, to, color, std::nullopt);
    markStyleStale(doc()->findBlock(from).blockNumber(), doc()->findBlock(to).blockNumber());
}

void RichTextPane::setSelBold(bool bold) {
    const int from = toDocPos(selStart()), to = toDocPos(selStart() + selLength());
    styleDocRange(from, to, std::nullopt, bold);
    markStyleStale(doc()->findBlock(from).blockNumber(), doc()->findBlock(to).blockNumber());
}

// Changes the colour, the weight or both of document positions from..to-1,
// keeping the other.
void RichTextPane::styleDocRange(int from, int to, const std::optional<QColor>& color,
                                 const std::optional<bool>& bold) {
    if (to <= from || (!color && !bold))
        return;
    std::array<int, 256> changed;
    changed.fill(-1);
    m_styles.transform(from, to, [&](quint8 old) {
        if (changed[old] < 0) {
            CharStyle s = m_palette.value(old);
            if (color) {
                s.hasColor = color->isValid();
                s.color = s.hasColor ? color->rgba() : 0;
            }
            if (bold)
                s.bold = *bold;
            changed[old] = styleIndex(s);
        }
        return quint8(changed[old]);
    });
}

void RichTextPane::applyFormats(const QVector<FormatRun>& runs) {
    if (runs.isEmpty())
        return;
    // Runs change no line break, so the CR LF line starts taken once map every
    // run to document positions without a block lookup per run.
    const QString crlf = text();
    QVector<int> lineStarts{0};
    for (qsizetype i = crlf.indexOf(QLatin1Char('\n')); i >= 0;
         i = crlf.indexOf(QLatin1Char('\n'), i + 1))
        lineStarts.append(int(i + 1));
    const int length = int(crlf.size());
    // Runs come mostly in text order: the line of the previous lookup is tried
    // first.
    int lastLine = 0;
    auto lineOf = [&](int pos) {
        const int next = lastLine + 1;
        if (lineStarts[lastLine] <= pos && (next == lineStarts.size() || pos < lineStarts[next]))
            return lastLine;
        lastLine = int(std::upper_bound(lineStarts.cbegin(), lineStarts.cend(), pos) -
                       lineStarts.cbegin()) -
                   1;
        return lastLine;
    };
    auto docPos = [&](int pos) {
        pos = std::clamp(pos, 0, length);
        return pos - lineOf(pos);
    };

    bool anyCaseFix = false;
    for (const FormatRun& run : runs)
        anyCaseFix = anyCaseFix || !run.caseFix.isEmpty();
    if (anyCaseFix) {
        // One undo step; the fixes keep every line's length, so the styles stay.
        QTextCursor c(doc());
        const bool wasSettingSelection = m_settingSelection;
        m_settingSelection = true;
        c.beginEditBlock();
        for (const FormatRun& run : runs) {
            if (run.caseFix.isEmpty() || run.caseFix.size() != run.length)
                continue;
            c.setPosition(docPos(run.start));
            c.setPosition(docPos(run.start + run.length), QTextCursor::KeepAnchor);
            if (c.selectedText() != run.caseFix)
                c.insertText(run.caseFix);
        }
        c.endEditBlock();
        m_settingSelection = wasSettingSelection;
    }

    int first = INT_MAX, last = -1;
    for (const FormatRun& run : runs) {
        if (!run.color && !run.bold)
            continue;
        const int from = docPos(run.start);
        const int to = docPos(std::max(run.start, run.start + run.length));
        styleDocRange(from, to, run.color, run.bold);
        first = std::min(first, from);
        last = std::max(last, to);
    }
    if (last >= 0)
        markStyleStale(doc()->findBlock(first).blockNumber(), doc()->findBlock(last).blockNumber());
}

void RichTextPane::setLineStyles(int firstLine, const QVector<QVector<StyleRun>>& styles) {
    build();
    QTextBlock b = doc()->findBlockByNumber(firstLine);
    int line = firstLine;
    for (const QVector<StyleRun>& runs : styles) {
        if (!b.isValid())
            break;
        const int start = b.position();
        const int length = b.length() - 1;
        m_styles.set(start, start + length, 0);
        for (const StyleRun& r : runs) {
            const int from = std::clamp(r.start, 0, length);
            const int to = std::clamp(r.start + r.length, from, length);
            m_styles.set(start + from, start + to, styleIndex(r.style));
        }
        b = b.next();
        ++line;
    }
    if (line > firstLine)
        markStyleStale(firstLine, line - 1);
}

QVector<StyleRun> RichTextPane::lineStyles(int line) const {
    build();
    QVector<StyleRun> out;
    const QTextBlock b = doc()->findBlockByNumber(line);
    if (!b.isValid())
        return out;
    for (const StyleBytes::Run& r : m_styles.runs(b.position(), b.position() + b.length() - 1))
        out.append({r.start, r.length, m_palette.value(r.style)});
    return out;
}

// Carries the styles along with an edit of the text. A change that keeps the
// length and the number of lines (a letter-case fix, or its undo) leaves them
// where they are; otherwise the inserted text takes the style of the
// character before it on its line.
void RichTextPane::carryStyles(int pos, int removed, int added) {
    if (removed == added && doc()->blockCount() == m_blockCount)
        return;
    quint8 style = 0;
    if (!m_styles.isAllPlain() && pos > doc()->findBlock(pos).position())
        style = m_styles.at(pos - 1);
    m_styles.remove(pos, removed);
    m_styles.insert(pos, added, style);
}

void RichTextPane::markStyleStale(int firstLine, int lastLine) {
    QTextBlock b = doc()->findBlockByNumber(firstLine);
    for (int line = firstLine; line <= lastLine && b.isValid(); ++line, b = b.next()) {
        const int state = b.userState();
        if (state >= 0)
            b.setUserState(state | kStaleStyle);
    }
    m_staleStyles = true;
    viewport()->update();
}

// Gives the lines on view the formats of their styles; the other lines get
// theirs when they come into view, so colour state stays one byte a character.
void RichTextPane::showStaleStyles() {
    if (!m_staleStyles || !m_built)
        return;
    const QPointF offset = contentOffset();
    const qreal height = viewport()->height();
    int from = -1, to = -1;
    for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
        if (blockBoundingGeometry(b).translated(offset).top() > height)
            break;
        const int state = b.userState();
        if (state >= 0 && !(state & kStaleStyle))
            continue;
        b.setUserState((state < 0 ? int(m_format.typedLineEnd) : state) & ~kStaleStyle);
        QTextLayout* layout = b.layout();
        const QVector<StyleBytes::Run> runs =
            m_styles.runs(b.position(), b.position() + b.length() - 1);
        if (!layout || (runs.isEmpty() && layout->formats().isEmpty()))
            continue;
        QList<QTextLayout::FormatRange> ranges;
        ranges.reserve(runs.size());
        for (const StyleBytes::Run& r : runs)
            ranges.append({r.start, r.length, charFormat(r.style)});
        layout->setFormats(ranges);
        if (from < 0)
            from = b.position();
        to = b.position() + b.length();
    }
    if (from >= 0) {
        // Lays those lines out again with their formats; the text is unchanged.
        m_restyling = true;
        doc()->markContentsDirty(from, to - from);
        m_restyling = false;
    }
}

// The few styles a pane shows are built once each.
QTextCharFormat RichTextPane::charFormat(quint8 style) {
    auto it = m_charFormats.constFind(style);
    if (it != m_charFormats.cend())
        return *it;
    const CharStyle s = m_palette.value(style);
    QTextCharFormat f;
    if (s.hasColor)
        f.setForeground(QColor::fromRgba(s.color));
    if (s.bold)
        f.setFontWeight(QFont::Bold);
    return *m_charFormats.insert(style, f);
}

} // namespace tarvo
