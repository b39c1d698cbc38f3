#include "line_number_gutter.h"

#include "rich_text_pane.h"

#include <QHelpEvent>
#include <QPainter>
#include <QTextBlock>
#include <QToolTip>

namespace tarvo {

namespace {

QColor markerColor(MarkerKind kind) {
    switch (kind) {
    case MarkerKind::Error:
        return QColor(214, 40, 40);
    case MarkerKind::Warning:
        return QColor(230, 160, 0);
    case MarkerKind::Note:
        break;
    }
    return QColor(70, 120, 200);
}

QString kindName(MarkerKind kind) {
    switch (kind) {
    case MarkerKind::Error:
        return QStringLiteral("error");
    case MarkerKind::Warning:
        return QStringLiteral("warning");
    case MarkerKind::Note:
        break;
    }
    return QStringLiteral("note");
}

} // namespace

LineNumberGutter::LineNumberGutter(RichTextPane* pane) : QWidget(pane), m_pane(pane) {
    setObjectName(QStringLiteral("LineNumberGutter"));
}

// Room for a marker, then for the digits of the last line (at least three).
int LineNumberGutter::preferredWidth() const {
    const int lines = m_pane->QPlainTextEdit::document()->blockCount();
    const int digits = std::max(3, int(QString::number(lines).size()));
    const QFontMetrics metrics(m_pane->font());
    return metrics.height() + digits * metrics.horizontalAdvance(QLatin1Char('9')) + 6;
}

void LineNumberGutter::setMarkers(const QList<LineMarker>& markers) {
    m_markers.clear();
    QTextDocument* doc = m_pane->document();
    for (const LineMarker& m : markers) {
        const QTextBlock block =
            doc->findBlockByNumber(std::clamp(m.line, 1, doc->blockCount()) - 1);
        m_markers.append({QTextCursor(block), m});
    }
    update();
}

void LineNumberGutter::clearMarkers() {
    if (m_markers.isEmpty())
        return;
    m_markers.clear();
    update();
}

QList<LineMarker> LineNumberGutter::markersOn(int line) const {
    QList<LineMarker> found;
    for (const Placed& p : m_markers) {
        if (p.at.block().blockNumber() == line)
            found.append(p.marker);
    }
    return found;
}

int LineNumberGutter::lineAt(int y) const {
    for (const RichTextPane::ShownLine& shown : m_pane->shownLines()) {
        if (y >= shown.top && y < shown.top + shown.height)
            return shown.line;
    }
    return -1;
}

QString LineNumberGutter::toolTipAt(const QPoint& pos) const {
    const int line = lineAt(pos.y());
    QStringList texts;
    for (const LineMarker& m : markersOn(line))
        texts << kindName(m.kind) + QStringLiteral(": ") + m.message;
    return texts.join(QLatin1Char('\n'));
}

bool LineNumberGutter::event(QEvent* e) {
    if (e->type() != QEvent::ToolTip)
        return QWidget::event(e);
    const auto* help = static_cast<QHelpEvent*>(e);
    const QString tip = toolTipAt(help->pos());
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, this);
    return true;
}

void LineNumberGutter::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    painter.fillRect(e->rect(), QColor(240, 240, 240));
    painter.setFont(m_pane->font());
    const QFontMetrics metrics(m_pane->font());
    const int markerSize = metrics.height() * 2 / 3;
    // The heaviest marker of each shown line.
    QHash<int, MarkerKind> heaviest;
    for (const Placed& p : m_markers) {
        const int line = p.at.block().blockNumber();
        const auto it = heaviest.constFind(line);
        if (it == heaviest.cend() || *it < p.marker.kind)
            heaviest[line] = p.marker.kind;
    }
    const int current = m_pane->QPlainTextEdit::textCursor().blockNumber();
    for (const RichTextPane::ShownLine& shown : m_pane->shownLines()) {
        if (shown.top > e->rect().bottom() || shown.top + shown.height < e->rect().top())
            continue;
        if (const auto it = heaviest.constFind(shown.line); it != heaviest.cend()) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(markerColor(*it));
            const int y = shown.top + (metrics.height() - markerSize) / 2;
            painter.drawEllipse(QRect(3, y, markerSize, markerSize));
        }
        painter.setPen(shown.line == current ? QColor(40, 40, 40) : QColor(140, 140, 140));
        painter.drawText(QRect(0, shown.top, width() - 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(shown.line + 1));
    }
}

} // namespace tarvo
