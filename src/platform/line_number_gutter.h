#pragma once

#include <QList>
#include <QTextCursor>
#include <QWidget>

namespace tarvo {

class RichTextPane;

// What a build found on a line of a pane, heaviest last.
enum class MarkerKind { Note, Warning, Error };

struct LineMarker {
    int line = 1; // 1-based; past the end: the last line
    MarkerKind kind = MarkerKind::Error;
    QString message; // shown as the tooltip
};

// The strip left of a pane's text: the line numbers, and a marker on each line
// a build found something on. Markers stay on their lines while the text
// around them is edited; the pane takes them away when its whole text is
// replaced (a load, a reload, setText), which is no longer what the build saw.
class LineNumberGutter final : public QWidget {
    Q_OBJECT

public:
    explicit LineNumberGutter(RichTextPane* pane);

    int preferredWidth() const;

    // Replaces every marker.
    void setMarkers(const QList<LineMarker>& markers);
    void clearMarkers();
    // The markers now on 0-based line `line`, in the order they were given.
    QList<LineMarker> markersOn(int line) const;
    // The tooltip at a point of the gutter: the messages of the line there.
    QString toolTipAt(const QPoint& pos) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    bool event(QEvent* e) override;

private:
    int lineAt(int y) const;

    struct Placed {
        QTextCursor at; // moves with the text as it is edited
        LineMarker marker;
    };
    RichTextPane* m_pane;
    QList<Placed> m_markers;
};

} // namespace tarvo
