#include "rich_text_pane.h"

#include "file_ops.h"
#include "rtf_reader.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace tarvo {

namespace {

constexpr QChar kParagraph = QChar::ParagraphSeparator;

// Document text for a text with any kind of line breaks.
QString toDocumentText(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

// Length of a text once its breaks count two characters.
int crlfLength(const QString& text) {
    const QString doc = toDocumentText(text);
    return int(doc.size() + doc.count(QLatin1Char('\n')));
}

using pane_styles::CharStyle;
using pane_styles::LineStyles;
using pane_styles::StyleRun;

// Runs of equal neighbours in one line's per-character styles.
QVector<StyleRun> compress(const QVector<CharStyle>& chars) {
    QVector<StyleRun> runs;
    for (int i = 0; i < chars.size();) {
        int j = i + 1;
        while (j < chars.size() && chars[j] == chars[i])
            ++j;
        if (!chars[i].isPlain())
            runs.append({i, j - i, chars[i]});
        i = j;
    }
    return runs;
}

// Joins touching runs of one style, which edits and clipping leave behind.
void mergeTouching(QVector<StyleRun>& runs) {
    int out = 0;
    for (int i = 0; i < runs.size(); ++i) {
        if (out > 0 && runs[out - 1].start + runs[out - 1].length == runs[i].start &&
            runs[out - 1].style == runs[i].style)
            runs[out - 1].length += runs[i].length;
        else
            runs[out++] = runs[i];
    }
    runs.resize(out);
}

} // namespace

RichTextPane::RichTextPane(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(false);
    setBaseline();
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &RichTextPane::onCursorChanged);
    connect(this, &QPlainTextEdit::selectionChanged, this, &RichTextPane::onCursorChanged);
    connect(document(), &QTextDocument::contentsChanged, this, &RichTextPane::onContentsChanged);
    connect(document(), &QTextDocument::contentsChange, this, &RichTextPane::onContentsChange);
    resetStyles();
}

QString RichTextPane::text() const {
    if (m_textCache.isNull()) {
        // Built in one pass: replacing each break in place moves the rest of
        // the text again and again, which grows faster than the text.
        const QString raw = document()->toRawText();
        const qsizetype breaks = raw.count(kParagraph);
        QString crlf(raw.size() + breaks, Qt::Uninitialized);
        QChar* out = crlf.data();
        for (const QChar c : raw) {
            if (c == kParagraph) {
                *out++ = QLatin1Char('\r');
                *out++ = QLatin1Char('\n');
            } else {
                *out++ = c;
            }
        }
        m_textCache = crlf.isNull() ? QString(QLatin1String("")) : crlf;
    }
    return m_textCache;
}

int RichTextPane::textLength() const {
    const QTextDocument* doc = document();
    return doc->characterCount() - 1 + doc->blockCount() - 1;
}

void RichTextPane::setText(const QString& text) {
    m_settingSelection = m_replacingAll = true;
    setPlainText(toDocumentText(text));
    m_settingSelection = m_replacingAll = false;
    m_loadedBytes.clear();
    m_format = TextFileFormat{};
    setBaseline();
    m_anchor = m_position = 0;
    emit SelChange();
}

int RichTextPane::toDocPos(int pos) const {
    const QTextDocument* doc = document();
    pos = std::clamp(pos, 0, textLength());
    // The block whose CR LF start is the last one at or before pos.
    int lo = 0, hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        const QTextBlock b = doc->findBlockByNumber(mid);
        if (b.position() + mid <= pos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = doc->findBlockByNumber(lo);
    const int offset = pos - (b.position() + lo);
    const int lineLength = b.length() - 1;
    // The LF of a break maps to the start of the next line.
    return b.position() + std::min(offset, lineLength + 1);
}

int RichTextPane::fromDocPos(int pos) const {
    const QTextBlock b = document()->findBlock(pos);
    return pos + (b.isValid() ? b.blockNumber() : document()->blockCount() - 1);
}

int RichTextPane::selStart() const {
    return std::min(m_anchor, m_position);
}

int RichTextPane::selLength() const {
    return std::abs(m_position - m_anchor);
}

void RichTextPane::select(int start, int length) {
    const int len = textLength();
    start = std::clamp(start, 0, len);
    length = std::clamp(length, 0, len - start);
    m_anchor = start;
    m_position = start + length;
    QTextCursor c = textCursor();
    c.setPosition(toDocPos(m_anchor));
    c.setPosition(toDocPos(m_position), QTextCursor::KeepAnchor);
    m_settingSelection = true;
    setTextCursor(c);
    m_settingSelection = false;
    emit SelChange();
}

void RichTextPane::setSelStart(int pos) {
    select(pos, 0);
}

void RichTextPane::setSelLength(int length) {
    select(selStart(), length);
}

QString RichTextPane::selText() const {
    return text().mid(selStart(), selLength());
}

void RichTextPane::setSelText(const QString& newText) {
    QTextCursor c(document());
    c.setPosition(toDocPos(selStart()));
    c.setPosition(toDocPos(selStart() + selLength()), QTextCursor::KeepAnchor);
    const int start = selStart();
    m_settingSelection = true;
    c.insertText(toDocumentText(newText));
    m_settingSelection = false;
    const int caret = start + crlfLength(newText);
    select(caret, 0);
}

void RichTextPane::setSelColor(const QColor& color) {
    styleDocRange(toDocPos(selStart()), toDocPos(selStart() + selLength()), color, std::nullopt);
}

void RichTextPane::setSelBold(bool bold) {
    styleDocRange(toDocPos(selStart()), toDocPos(selStart() + selLength()), std::nullopt, bold);
}

CharStyle RichTextPane::styleAt(int pos) const {
    if (pos < 0 || pos >= textLength())
        return {};
    const int line = lineFromChar(pos);
    const QTextBlock b = document()->findBlockByNumber(line);
    const int offset = pos - (b.position() + line);
    if (offset >= b.length() - 1 || line >= m_lines.size())
        return {}; // the CR or LF of a break
    const QVector<StyleRun>& runs = m_lines[line].runs;
    const auto it = std::upper_bound(runs.cbegin(), runs.cend(), offset,
                                     [](int o, const StyleRun& r) { return o < r.start; });
    if (it == runs.cbegin())
        return {};
    const StyleRun& r = *(it - 1);
    return offset < r.start + r.length ? r.style : CharStyle{};
}

QColor RichTextPane::colorAt(int pos) const {
    const CharStyle s = styleAt(pos);
    return s.hasColor ? QColor::fromRgba(s.color) : QColor();
}

bool RichTextPane::boldAt(int pos) const {
    return styleAt(pos).bold;
}

void RichTextPane::styleDocRange(int from, int to, const std::optional<QColor>& color,
                                 const std::optional<bool>& bold) {
    if (to <= from)
        return;
    QVector<StylePiece> pieces;
    for (QTextBlock b = document()->findBlock(from); b.isValid() && b.position() < to;
         b = b.next()) {
        const int start = b.position();
        const int pieceFrom = std::max(from, start) - start;
        const int pieceTo = std::min(to - start, b.length() - 1);
        if (pieceTo > pieceFrom)
            pieces.append({b.blockNumber(), pieceFrom, pieceTo, color, bold});
    }
    applyPieces(pieces);
}

// Applies pieces in their order (a later one wins where they overlap) and shows
// the lines they touch.
void RichTextPane::applyPieces(QVector<StylePiece>& pieces) {
    if (pieces.isEmpty())
        return;
    auto byLine = [](const StylePiece& a, const StylePiece& b) { return a.line < b.line; };
    if (!std::is_sorted(pieces.cbegin(), pieces.cend(), byLine))
        std::stable_sort(pieces.begin(), pieces.end(), byLine);
    QVector<int> touched;
    QVector<CharStyle> chars;
    for (int i = 0; i < pieces.size();) {
        const int line = pieces[i].line;
        LineStyles& ls = m_lines[line];
        chars.fill(CharStyle{}, std::max(0, ls.length - 1));
        for (const StyleRun& r : ls.runs)
            std::fill(chars.begin() + r.start, chars.begin() + r.start + r.length, r.style);
        for (; i < pieces.size() && pieces[i].line == line; ++i) {
            const StylePiece& p = pieces[i];
            const int to = std::min(p.to, int(chars.size()));
            for (int c = p.from; c < to; ++c) {
                if (p.color) {
                    chars[c].hasColor = true;
                    chars[c].color = p.color->rgba();
                }
                if (p.bold)
                    chars[c].bold = *p.bold;
            }
        }
        ls.runs = compress(chars);
        touched.append(line);
    }
    QTextBlock b = document()->findBlockByNumber(touched.first());
    const int dirtyFrom = b.position();
    int dirtyTo = dirtyFrom;
    for (int k = 0; k < touched.size(); ++k) {
        if (k > 0)
            b = touched[k] == touched[k - 1] + 1 ? b.next()
                                                 : document()->findBlockByNumber(touched[k]);
        showLineStyles(touched[k], b);
        dirtyTo = b.position() + b.length();
    }
    // Lays the lines out again and repaints them; the text is unchanged.
    document()->markContentsDirty(dirtyFrom, dirtyTo - dirtyFrom);
}

void RichTextPane::showLineStyles(int line, QTextBlock block) {
    QTextLayout* layout = block.layout();
    if (!layout)
        return;
    const QVector<StyleRun>& runs = m_lines[line].runs;
    if (runs.isEmpty() && layout->formats().isEmpty())
        return;
    QList<QTextLayout::FormatRange> ranges;
    ranges.reserve(runs.size());
    for (const StyleRun& r : runs)
        ranges.append({r.start, r.length, charFormat(r.style)});
    layout->setFormats(ranges);
}

// The few styles a pane shows are built once each.
QTextCharFormat RichTextPane::charFormat(const CharStyle& style) {
    const quint64 key = (quint64(style.hasColor ? style.color : 0) << 2) |
                        (style.hasColor ? 2u : 0u) | (style.bold ? 1u : 0u);
    auto it = m_charFormats.constFind(key);
    if (it != m_charFormats.cend())
        return *it;
    QTextCharFormat f;
    if (style.hasColor)
        f.setForeground(QColor::fromRgba(style.color));
    if (style.bold)
        f.setFontWeight(QFont::Bold);
    return *m_charFormats.insert(key, f);
}

// Every line plain: the text was replaced as a whole.
void RichTextPane::resetStyles() {
    const QTextDocument* doc = document();
    m_lines.fill(LineStyles{}, doc->blockCount());
    int k = 0;
    for (QTextBlock b = doc->begin(); b.isValid() && k < m_lines.size(); b = b.next())
        m_lines[k++].length = b.length();
    m_stylesLength = doc->characterCount();
}

// A change the styles cannot be carried over (the document was cleared): all
// plain, also on screen.
void RichTextPane::dropAllStyles() {
    resetStyles();
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        if (QTextLayout* layout = b.layout(); layout && !layout->formats().isEmpty())
            layout->clearFormats();
}

// Carries the styles along with an edit of the text. A same-length change that
// keeps every line's length (a letter-case fix, or its undo) leaves them where
// they are; otherwise the changed stretch is cut out and the inserted text
// takes the style of the character before it.
void RichTextPane::onContentsChange(int pos, int removed, int added) {
    ++m_editCount;
    const QTextDocument* doc = document();
    const int total = doc->characterCount();
    if (m_replacingAll) {
        resetStyles();
        return;
    }
    // A change may be reported as reaching over the closing line break, which
    // never changes.
    const int excess = std::max(0, pos + removed - (m_stylesLength - 1));
    removed -= excess;
    added -= excess;
    if (removed < 0 || added < 0 || m_stylesLength - removed + added != total) {
        dropAllStyles();
        return;
    }
    const QTextBlock firstBlock = doc->findBlock(pos);
    const int first = firstBlock.blockNumber();
    const int regionStart = firstBlock.position();
    int oldLast = first;
    int oldEnd = regionStart + m_lines[first].length;
    while (oldEnd <= pos + removed && oldLast + 1 < m_lines.size())
        oldEnd += m_lines[++oldLast].length;
    const QTextBlock lastBlock = doc->findBlock(pos + added);
    const int newLast = lastBlock.blockNumber();
    const int newEnd = lastBlock.position() + lastBlock.length();
    if (newEnd != oldEnd - removed + added ||
        newLast - oldLast != doc->blockCount() - m_lines.size()) {
        dropAllStyles();
        return;
    }
    m_stylesLength = total;

    if (removed == added && newLast == oldLast) {
        bool sameLines = true;
        QTextBlock b = firstBlock;
        for (int k = first; k <= oldLast && sameLines; ++k, b = b.next())
            sameLines = b.length() == m_lines[k].length;
        if (sameLines)
            return;
    }

    // The old runs in positions from the start of the changed lines.
    QVector<StyleRun> runs;
    for (int k = first, offset = 0; k <= oldLast; offset += m_lines[k].length, ++k)
        for (const StyleRun& r : m_lines[k].runs)
            runs.append({r.start + offset, r.length, r.style});
    const int at = pos - regionStart;
    auto afterRemoval = [&](int x) { return x <= at ? x : (x >= at + removed ? x - removed : at); };
    QVector<StyleRun> moved;
    for (const StyleRun& r : runs) {
        int s = afterRemoval(r.start);
        int e = afterRemoval(r.start + r.length);
        if (e <= s)
            continue;
        if (s < at && e >= at) {
            e += added;
        } else if (s >= at) {
            s += added;
            e += added;
        }
        moved.append({s, e - s, r.style});
    }

    // Cut into the new lines, line breaks left plain.
    QVector<LineStyles> fresh;
    fresh.reserve(newLast - first + 1);
    int j = 0;
    QTextBlock b = firstBlock;
    for (int k = first; k <= newLast; ++k, b = b.next()) {
        const int lineFrom = b.position() - regionStart;
        const int lineTo = lineFrom + b.length() - 1;
        LineStyles ls;
        ls.length = b.length();
        while (j < moved.size() && moved[j].start + moved[j].length <= lineFrom)
            ++j;
        for (int i = j; i < moved.size() && moved[i].start < lineTo; ++i) {
            const int s = std::max(moved[i].start, lineFrom);
            const int e = std::min(moved[i].start + moved[i].length, lineTo);
            if (e > s)
                ls.runs.append({s - lineFrom, e - s, moved[i].style});
        }
        mergeTouching(ls.runs);
        fresh.append(ls);
    }
    const int oldCount = oldLast - first + 1;
    if (oldCount > fresh.size())
        m_lines.remove(first + fresh.size(), oldCount - fresh.size());
    else if (oldCount < fresh.size())
        m_lines.insert(first + oldCount, fresh.size() - oldCount, LineStyles{});
    b = firstBlock;
    for (int k = 0; k < fresh.size(); ++k, b = b.next()) {
        m_lines[first + k] = fresh[k];
        showLineStyles(first + k, b);
    }
}

void RichTextPane::setLineStyles(int firstLine,
                                 const QVector<QVector<pane_styles::StyleRun>>& styles) {
    QTextBlock b = document()->findBlockByNumber(firstLine);
    if (!b.isValid() || styles.isEmpty())
        return;
    const int dirtyFrom = b.position();
    int dirtyTo = dirtyFrom;
    for (int k = 0; k < styles.size() && b.isValid() && firstLine + k < m_lines.size();
         ++k, b = b.next()) {
        const int textLength = b.length() - 1;
        QVector<StyleRun> runs;
        runs.reserve(styles[k].size());
        for (const StyleRun& r : styles[k]) {
            const int from = std::max(r.start, 0);
            const int to = std::min(r.start + r.length, textLength);
            if (to > from && !r.style.isPlain())
                runs.append({from, to - from, r.style});
        }
        mergeTouching(runs);
        m_lines[firstLine + k].runs = runs;
        showLineStyles(firstLine + k, b);
        dirtyTo = b.position() + b.length();
    }
    document()->markContentsDirty(dirtyFrom, dirtyTo - dirtyFrom);
}

QVector<pane_styles::StyleRun> RichTextPane::lineStyles(int line) const {
    return line >= 0 && line < m_lines.size() ? m_lines[line].runs : QVector<StyleRun>();
}

int RichTextPane::find(const QString& what, int start) {
    const QString& t = text();
    if (what.isEmpty() || start < 0 || start > t.size())
        return -1;
    const int hit = int(t.indexOf(what, start, Qt::CaseInsensitive));
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

int RichTextPane::lineFromChar(int pos) const {
    const QTextDocument* doc = document();
    pos = std::clamp(pos, 0, textLength());
    int lo = 0, hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= pos)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

bool RichTextPane::loadFile(const QString& path, QString* error) {
    QByteArray bytes;
    if (!FileOps::ReadAll(path, &bytes, error))
        return false;
    if (isRichText(bytes)) {
        showRichText(bytes);
    } else {
        const DecodedText decoded = decodeText(bytes);
        m_settingSelection = m_replacingAll = true;
        setPlainText(decoded.text);
        m_settingSelection = m_replacingAll = false;
        m_format = decoded.format;
        m_loadedBytes = bytes.isNull() ? QByteArray("") : bytes;
    }
    setBaseline();
    m_anchor = m_position = 0;
    emit SelChange();
    return true;
}

void RichTextPane::showRichText(const QByteArray& bytes) {
    const RtfText rich = readRichText(bytes);
    QVector<FormatRun> runs;
    runs.reserve(rich.runs.size());
    for (const RtfRun& r : rich.runs) {
        FormatRun run;
        run.start = r.start;
        run.length = r.length;
        run.color = r.color;
        if (r.bold)
            run.bold = true;
        runs.append(run);
    }
    m_settingSelection = m_replacingAll = true;
    setPlainText(rich.text);
    // The formats belong to the loaded text, not to an undoable edit.
    document()->setUndoRedoEnabled(false);
    applyFormats(runs);
    document()->setUndoRedoEnabled(true);
    m_settingSelection = m_replacingAll = false;
    // Saved as plain 8-bit text: the markup is not written back.
    m_format = TextFileFormat{LineEnd::CrLf, TextEncoding::Latin1, false};
    m_loadedBytes = QByteArray();
}

bool RichTextPane::saveFile(const QString& path, QString* error) {
    const QByteArray bytes =
        (!m_modified && !m_loadedBytes.isNull()) ? m_loadedBytes : encodeText(text(), m_format);
    if (!FileOps::WriteAllAtomic(path, bytes, error))
        return false;
    m_loadedBytes = bytes;
    setBaseline();
    return true;
}

bool RichTextPane::isModified() const {
    return m_modified;
}

void RichTextPane::markUnmodified() {
    setBaseline();
}

void RichTextPane::setBaseline() {
    m_baseline = document()->toRawText();
    if (m_modified) {
        m_modified = false;
        emit modifiedChanged(false);
    }
}

void RichTextPane::onContentsChanged() {
    m_textCache = QString();
    if (m_replacingAll)
        return; // the new text becomes the baseline right after
    const QTextDocument* doc = document();
    const bool modified =
        doc->characterCount() - 1 != m_baseline.size() || doc->toRawText() != m_baseline;
    if (modified != m_modified) {
        m_modified = modified;
        emit modifiedChanged(modified);
    }
    if (!m_settingSelection)
        onCursorChanged();
}

void RichTextPane::onCursorChanged() {
    if (m_settingSelection)
        return;
    const QTextCursor c = textCursor();
    const int anchor = fromDocPos(c.anchor());
    const int position = fromDocPos(c.position());
    if (anchor == m_anchor && position == m_position)
        return;
    m_anchor = anchor;
    m_position = position;
    emit SelChange();
}

void RichTextPane::applyFormats(const QVector<FormatRun>& runs) {
    if (runs.isEmpty())
        return;
    // Runs change no line break, so the CR LF line starts taken once map every
    // run to lines and document positions without a block lookup per run.
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
        if (next < lineStarts.size() && lineStarts[next] <= pos &&
            (next + 1 == lineStarts.size() || pos < lineStarts[next + 1]))
            return lastLine = next;
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
        QTextCursor c(document());
        const bool wasSettingSelection = m_settingSelection;
        m_settingSelection = true;
        c.beginEditBlock();
        for (const FormatRun& run : runs) {
            if (run.caseFix.isEmpty() || run.caseFix.size() != run.length)
                continue;
            const int from = docPos(run.start);
            const int to = docPos(run.start + run.length);
            c.setPosition(from);
            c.setPosition(to, QTextCursor::KeepAnchor);
            if (c.selectedText() != run.caseFix)
                c.insertText(run.caseFix);
        }
        c.endEditBlock();
        m_settingSelection = wasSettingSelection;
    }

    QVector<StylePiece> pieces;
    pieces.reserve(runs.size());
    for (const FormatRun& run : runs) {
        if (!run.color && !run.bold)
            continue;
        const int start = std::clamp(run.start, 0, length);
        const int end = std::clamp(run.start + run.length, start, length);
        const int firstLine = lineOf(start);
        const int endLine = lineOf(end);
        for (int line = firstLine; line <= endLine && line < m_lines.size(); ++line) {
            const int lineStart = lineStarts[line];
            const int textLength = m_lines[line].length - 1;
            const int from = std::clamp(start - lineStart, 0, textLength);
            const int to = std::clamp(end - lineStart, 0, textLength);
            if (to > from)
                pieces.append({line, from, to, run.color, run.bold});
        }
    }
    applyPieces(pieces);
}

void RichTextPane::copyPropertiesFrom(const RichTextPane& other) {
    setParent(other.parentWidget());
    setFont(other.font());
    setGeometry(other.geometry());
    setFocusPolicy(other.focusPolicy());
    setLineWrapMode(other.lineWrapMode());
    setTabStopDistance(other.tabStopDistance());
    setTabChangesFocus(other.tabChangesFocus());
}

void RichTextPane::focusInEvent(QFocusEvent* e) {
    QPlainTextEdit::focusInEvent(e);
    emit GotFocus();
}

void RichTextPane::focusOutEvent(QFocusEvent* e) {
    QPlainTextEdit::focusOutEvent(e);
    emit LostFocus();
}

void RichTextPane::keyReleaseEvent(QKeyEvent* e) {
    QPlainTextEdit::keyReleaseEvent(e);
    if (e->isAutoRepeat())
        return;
    int shift = 0;
    if (e->modifiers() & Qt::ShiftModifier)
        shift |= 1;
    if (e->modifiers() & Qt::ControlModifier)
        shift |= 2;
    if (e->modifiers() & Qt::AltModifier)
        shift |= 4;
    emit KeyUp(e->key(), shift);
}

void RichTextPane::mouseDoubleClickEvent(QMouseEvent* e) {
    QPlainTextEdit::mouseDoubleClickEvent(e);
    emit DblClick();
}

} // namespace tarvo
