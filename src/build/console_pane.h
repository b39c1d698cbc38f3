#pragma once

#include "platform/rich_text_pane.h"

class QMenu;
class QTimer;

namespace tarvo {

// A pane of the build console. The user reads, selects and copies but does
// not type; Escape and the context menu's "Stop Waiting" ask to end the wait
// for a build's output, Enter and a double click ask to go to the compiler
// message on the caret's line.
class ConsolePane final : public RichTextPane {
    Q_OBJECT

public:
    explicit ConsolePane(QWidget* parent = nullptr);

    // Adds `text` at the end of the text. Qt lays a line out whole on every
    // change, so a line that grows by two characters a tick would cost more
    // with every tick: what lengthens the last line past the pane's width is
    // counted in text() but kept out of the document, where nobody could see
    // it without scrolling. Any other change of the text drops that part.
    void appendText(const QString& text);

    QString text() const override;
    int textLength() const override;
    // Characters of text() that the document does not hold (the end of the
    // last line).
    int keptLength() const;

    // Running means a build's output is awaited; "Stop Waiting" is offered
    // only then.
    void setWaitTimer(const QTimer* timer) { m_waitTimer = timer; }
    bool isWaiting() const;
    // The context menu: the usual copy and select items, then "Stop Waiting".
    QMenu* createContextMenu(const QPoint& pos);

    // Marks the line holding `position` (a CR LF position) with a background
    // across the pane and brings it into view; a change of the text, other
    // than an append, takes the mark away.
    void markLine(int position);
    void clearMark();
    bool hasMark() const;

    // Counts every change of the text, so that what was read from it can be
    // told stale.
    quint64 changeCount() const { return editCount() + m_keptAppends; }

signals:
    void stopWaitingRequested();
    void lineActivated(); // the caret (selStart) is on the line

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    int shownLineLength() const;
    void insertAtEnd(const QString& text);

    QString m_kept; // the end of the last line, not in the document
    bool m_appending = false;
    quint64 m_keptAppends = 0;
    const QTimer* m_waitTimer = nullptr;
};

} // namespace tarvo
