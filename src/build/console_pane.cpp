#include "console_pane.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <memory>
#include <utility>

namespace tarvo {

ConsolePane::ConsolePane(QWidget* parent) : RichTextPane(parent) {
    setReadOnly(true);
    // A caret the keyboard moves, so that Enter has a line to act on.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Tool output is not undone; the ticks would only pile up history.
    document()->setUndoRedoEnabled(false);
    connect(document(), &QTextDocument::contentsChange, this, [this] {
        if (m_appending)
            return;
        m_kept.clear();
        clearMark();
    });
    connect(this, &RichTextPane::DblClick, this, &ConsolePane::lineActivated);
}

void ConsolePane::appendText(const QString& text) {
    if (text.isEmpty())
        return;
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) {
        // A new line starts: the kept end of the old one goes in first, once.
        insertAtEnd(std::exchange(m_kept, QString()) + text);
        return;
    }
    const int lastLineLength = document()->lastBlock().length() - 1;
    if (!m_kept.isEmpty() || lastLineLength + text.size() > shownLineLength()) {
        m_kept += text;
        ++m_keptAppends;
        return;
    }
    insertAtEnd(text);
}

void ConsolePane::insertAtEnd(const QString& text) {
    m_appending = true;
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    c.insertText(text);
    m_appending = false;
}

QString ConsolePane::text() const {
    return m_kept.isEmpty() ? RichTextPane::text() : RichTextPane::text() + m_kept;
}

int ConsolePane::textLength() const {
    return RichTextPane::textLength() + keptLength();
}

int ConsolePane::keptLength() const {
    return int(m_kept.size());
}

// As many characters as the pane is wide, and one more.
int ConsolePane::shownLineLength() const {
    const int charWidth = std::max(1, fontMetrics().horizontalAdvance(QLatin1Char(' ')));
    return width() / charWidth + 1;
}

void ConsolePane::markLine(int position) {
    setSelStart(position);
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(document());
    mark.cursor.setPosition(textCursor().position());
    mark.format.setBackground(QColor(255, 232, 150));
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    setExtraSelections({mark});
}

void ConsolePane::clearMark() {
    if (hasMark())
        setExtraSelections({});
}

bool ConsolePane::hasMark() const {
    return !extraSelections().isEmpty();
}

bool ConsolePane::isWaiting() const {
    return m_waitTimer && m_waitTimer->isActive();
}

void ConsolePane::keyPressEvent(QKeyEvent* e) {
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && e->modifiers() == Qt::NoModifier) {
        emit lineActivated();
        e->accept();
        return;
    }
    if (e->key() == Qt::Key_Escape && isWaiting()) {
        emit stopWaitingRequested();
        e->accept();
        return;
    }
    RichTextPane::keyPressEvent(e);
}

QMenu* ConsolePane::createContextMenu(const QPoint& pos) {
    QMenu* menu = createStandardContextMenu(pos);
    menu->addSeparator();
    QAction* stop = menu->addAction(QStringLiteral("Stop Waiting"));
    stop->setObjectName(QStringLiteral("StopWaiting"));
    stop->setShortcut(QKeySequence(Qt::Key_Escape));
    stop->setEnabled(isWaiting());
    connect(stop, &QAction::triggered, this, &ConsolePane::stopWaitingRequested);
    return menu;
}

void ConsolePane::contextMenuEvent(QContextMenuEvent* e) {
    const std::unique_ptr<QMenu> menu(createContextMenu(e->pos()));
    menu->exec(e->globalPos());
}

} // namespace tarvo
