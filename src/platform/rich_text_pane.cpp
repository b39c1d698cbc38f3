#include "rich_text_pane.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

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
    m_palette.append(pane_styles::CharStyle{});
    m_styles.reset(doc()->characterCount());
    setBaselineFromDocument();
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &RichTextPane::onCursorChanged);
    connect(this, &QPlainTextEdit::selectionChanged, this, &RichTextPane::onCursorChanged);
    connect(doc(), &QTextDocument::contentsChange, this, &RichTextPane::onContentsChange);
}

QTextDocument* RichTextPane::document() const {
    build();
    return doc();
}

QTextCursor RichTextPane::textCursor() const {
    build();
    return QPlainTextEdit::textCursor();
}

QString RichTextPane::text() const {
    build();
    if (m_textCache.isNull()) {
        // Built in one pass: replacing each break in place moves the rest of
        // the text again and again, which grows faster than the text.
        const QString raw = doc()->toRawText();
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
        dropTextCacheLater();
    }
    return m_textCache;
}

// The copy serves the calls of one handler; between handlers the document is
// the only copy of the text.
void RichTextPane::dropTextCacheLater() const {
    if (m_cacheDropPending)
        return;
    m_cacheDropPending = true;
    QTimer::singleShot(0, this, [this] {
        m_cacheDropPending = false;
        m_textCache = QString();
    });
}

int RichTextPane::textLength() const {
    build();
    return doc()->characterCount() - 1 + doc()->blockCount() - 1;
}

void RichTextPane::setText(const QString& text) {
    m_base.clear();
    m_built = true;
    m_format = TextFileFormat{};
    replaceDocument(toDocumentText(text));
    ++m_editCount;
    setBaselineFromDocument();
    m_anchor = m_position = 0;
    emit SelChange();
}

int RichTextPane::toDocPos(int pos) const {
    const QTextDocument* d = doc();
    pos = std::clamp(pos, 0, textLength());
    const int line = lineFromChar(pos);
    const QTextBlock b = d->findBlockByNumber(line);
    const int offset = pos - (b.position() + line);
    // The LF of a break maps to the start of the next line.
    return b.position() + std::min(offset, b.length());
}

int RichTextPane::fromDocPos(int pos) const {
    const QTextBlock b = doc()->findBlock(pos);
    return pos + (b.isValid() ? b.blockNumber() : doc()->blockCount() - 1);
}

int RichTextPane::selStart() const {
    build();
    return std::min(m_anchor, m_position);
}

int RichTextPane::selLength() const {
    build();
    return std::abs(m_position - m_anchor);
}

void RichTextPane::select(int start, int length) {
    const int len = textLength();
    start = std::clamp(start, 0, len);
    length = std::clamp(length, 0, len - start);
    m_anchor = start;
    m_position = start + length;
    QTextCursor c = QPlainTextEdit::textCursor();
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
    return textRange(selStart(), selStart() + selLength());
}

void RichTextPane::setSelText(const QString& newText) {
    const int start = selStart();
    QTextCursor c(doc());
    c.setPosition(toDocPos(start));
    c.setPosition(toDocPos(start + selLength()), QTextCursor::KeepAnchor);
    m_settingSelection = true;
    c.insertText(toDocumentText(newText));
    m_settingSelection = false;
    select(start + crlfLength(newText), 0);
}

void RichTextPane::onCursorChanged() {
    if (m_settingSelection || !m_built)
        return;
    const QTextCursor c = QPlainTextEdit::textCursor();
    const int anchor = fromDocPos(c.anchor());
    const int position = fromDocPos(c.position());
    if (anchor == m_anchor && position == m_position)
        return;
    m_anchor = anchor;
    m_position = position;
    emit SelChange();
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

void RichTextPane::showEvent(QShowEvent* e) {
    build();
    QPlainTextEdit::showEvent(e);
}

void RichTextPane::paintEvent(QPaintEvent* e) {
    showStaleStyles();
    QPlainTextEdit::paintEvent(e);
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
