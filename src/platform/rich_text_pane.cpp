#include "rich_text_pane.h"

#include "file_ops.h"
#include "rtf_reader.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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

} // namespace

RichTextPane::RichTextPane(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(false);
    setBaseline();
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &RichTextPane::onCursorChanged);
    connect(this, &QPlainTextEdit::selectionChanged, this, &RichTextPane::onCursorChanged);
    connect(document(), &QTextDocument::contentsChanged, this, &RichTextPane::onContentsChanged);
}

QString RichTextPane::text() const {
    if (m_textCache.isNull()) {
        QString raw = document()->toRawText();
        raw.replace(kParagraph, QLatin1String("\r\n"));
        m_textCache = raw.isNull() ? QString(QLatin1String("")) : raw;
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
    QTextCursor c(document());
    c.setPosition(toDocPos(selStart()));
    c.setPosition(toDocPos(selStart() + selLength()), QTextCursor::KeepAnchor);
    QTextCharFormat f;
    f.setForeground(color);
    c.mergeCharFormat(f);
}

void RichTextPane::setSelBold(bool bold) {
    QTextCursor c(document());
    c.setPosition(toDocPos(selStart()));
    c.setPosition(toDocPos(selStart() + selLength()), QTextCursor::KeepAnchor);
    QTextCharFormat f;
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    c.mergeCharFormat(f);
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
    // run to document positions without a block lookup per run.
    const QString crlf = text();
    QVector<int> lineStarts{0};
    for (qsizetype i = crlf.indexOf(QLatin1Char('\n')); i >= 0;
         i = crlf.indexOf(QLatin1Char('\n'), i + 1))
        lineStarts.append(int(i + 1));
    const int length = int(crlf.size());
    auto docPos = [&](int pos) {
        pos = std::clamp(pos, 0, length);
        const auto line = std::upper_bound(lineStarts.cbegin(), lineStarts.cend(), pos) - 1;
        return pos - int(line - lineStarts.cbegin());
    };

    QTextCursor c(document());
    const bool wasSettingSelection = m_settingSelection;
    m_settingSelection = true;
    c.beginEditBlock();
    for (const FormatRun& run : runs) {
        const int from = docPos(run.start);
        const int to = docPos(run.start + run.length);
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        if (!run.caseFix.isEmpty() && run.caseFix.size() == run.length &&
            c.selectedText() != run.caseFix) {
            const QTextCharFormat keep = c.charFormat();
            c.insertText(run.caseFix, keep);
            c.setPosition(from);
            c.setPosition(to, QTextCursor::KeepAnchor);
        }
        QTextCharFormat f;
        if (run.color)
            f.setForeground(*run.color);
        if (run.bold)
            f.setFontWeight(*run.bold ? QFont::Bold : QFont::Normal);
        if (run.color || run.bold)
            c.mergeCharFormat(f);
    }
    c.endEditBlock();
    m_settingSelection = wasSettingSelection;
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
