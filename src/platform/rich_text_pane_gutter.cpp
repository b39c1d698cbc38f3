// The line gutter and the caret line of a pane.
#include "line_number_gutter.h"
#include "rich_text_pane.h"

#include <QTextBlock>

namespace tarvo {

void RichTextPane::showLineGutter(bool on) {
    if (on == (m_gutter != nullptr))
        return;
    if (!on) {
        delete m_gutter;
        m_gutter = nullptr;
        setViewportMargins(0, 0, 0, 0);
        setExtraSelections({});
        disconnect(this, &QPlainTextEdit::cursorPositionChanged, this,
                   &RichTextPane::highlightCaretLine);
        return;
    }
    m_gutter = new LineNumberGutter(this);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &RichTextPane::placeGutter);
    connect(this, &QPlainTextEdit::updateRequest, m_gutter, [this](const QRect& rect, int dy) {
        if (dy != 0)
            m_gutter->scroll(0, dy);
        else
            m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &RichTextPane::highlightCaretLine);
    placeGutter();
    highlightCaretLine();
    m_gutter->show();
}

void RichTextPane::placeGutter() {
    if (!m_gutter)
        return;
    const int width = m_gutter->preferredWidth();
    // Most new lines leave the width alone; the margin would lay the pane out again.
    if (viewportMargins().left() != width)
        setViewportMargins(width, 0, 0, 0);
    const QRect inside = contentsRect();
    m_gutter->setGeometry(inside.left(), inside.top(), width, inside.height());
}

void RichTextPane::resizeEvent(QResizeEvent* e) {
    QPlainTextEdit::resizeEvent(e);
    placeGutter();
}

void RichTextPane::highlightCaretLine() {
    QTextEdit::ExtraSelection line;
    line.format.setBackground(QColor(255, 249, 214));
    line.format.setProperty(QTextFormat::FullWidthSelection, true);
    line.cursor = QPlainTextEdit::textCursor();
    line.cursor.clearSelection();
    setExtraSelections({line});
    if (m_gutter)
        m_gutter->update();
}

QVector<RichTextPane::ShownLine> RichTextPane::shownLines() const {
    QVector<ShownLine> lines;
    const QPointF offset = contentOffset();
    const int bottom = viewport()->height();
    for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
        const QRectF r = blockBoundingGeometry(b).translated(offset);
        if (r.top() > bottom)
            break;
        if (b.isVisible())
            lines.append({b.blockNumber(), int(r.top()), std::max(1, int(r.height()))});
    }
    return lines;
}

} // namespace tarvo
