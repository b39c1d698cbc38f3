#include "handheld_art.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tarvo {

namespace {

void drawBody(QPainter& p) {
    QLinearGradient body(0, 0, kHandheldWidth, 0);
    body.setColorAt(0.0, QColor(70, 78, 92));
    body.setColorAt(0.5, QColor(104, 114, 132));
    body.setColorAt(1.0, QColor(70, 78, 92));
    QPainterPath outline;
    outline.addRoundedRect(QRectF(40, 4, 258, 430), 34, 34);
    p.fillPath(outline, body);
    p.setPen(QPen(QColor(40, 44, 52), 2));
    p.drawPath(outline);

    // Bezel around the screen.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(36, 40, 48));
    p.drawRoundedRect(QRectF(74, 30, 190, 238), 10, 10);
}

void drawSilkScreen(QPainter& p) {
    // Writing area below the screen, as on the real handheld.
    p.setBrush(QColor(200, 208, 196));
    p.drawRoundedRect(QRectF(89, 212, 160, 48), 4, 4);
    p.setPen(QPen(QColor(120, 128, 120), 1));
    p.drawLine(169, 216, 169, 256);
    QFont f(QStringLiteral("Sans Serif"));
    f.setPixelSize(9);
    p.setFont(f);
    p.drawText(QRectF(89, 246, 80, 12), Qt::AlignCenter, QStringLiteral("abc"));
    p.drawText(QRectF(169, 246, 80, 12), Qt::AlignCenter, QStringLiteral("123"));
}

void drawButtons(QPainter& p) {
    p.setPen(QPen(QColor(30, 34, 40), 1));
    const QColor key(150, 160, 176);
    for (int i = 0; i < 4; ++i) {
        const int x = 82 + i * 46 + (i >= 2 ? 22 : 0);
        p.setBrush(key);
        p.drawEllipse(QRectF(x, 290, 30, 30));
    }
    // Up/down rocker between the application keys.
    p.setBrush(key.lighter(110));
    p.drawRoundedRect(QRectF(170, 284, 24, 20), 6, 6);
    p.drawRoundedRect(QRectF(170, 308, 24, 20), 6, 6);
    p.setBrush(QColor(30, 34, 40));
    p.drawEllipse(QRectF(160, 390, 18, 18)); // power
    QFont f(QStringLiteral("Sans Serif"));
    f.setPixelSize(14);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(220, 226, 236));
    p.drawText(QRectF(40, 350, 258, 24), Qt::AlignCenter, QStringLiteral("T A R V O"));
}

} // namespace

QPixmap handheldPicture() {
    QPixmap pm(kHandheldWidth, kHandheldHeight);
    pm.fill(QColor(236, 233, 216));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    drawBody(p);
    drawSilkScreen(p);
    drawButtons(p);
    // The screen last and without antialiasing: its square must be exact.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(89, 44, 160, 160), kScreenColor);
    return pm;
}

QPixmap buttonPicture(const QString& caption, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QPen(QColor(60, 80, 120), 1));
    p.setBrush(QColor(232, 238, 248));
    p.drawRoundedRect(QRectF(1, 1, size - 2, size - 2), 4, 4);
    // Long captions ("Scheduler Line") get a smaller font rather than clipped words.
    const QRect inner(2, 2, size - 4, size - 4);
    QFont f(QStringLiteral("Sans Serif"));
    for (int pixels = std::max(7, size / 4); pixels >= 5; --pixels) {
        f.setPixelSize(pixels);
        const QRect needed =
            QFontMetrics(f).boundingRect(inner, Qt::AlignCenter | Qt::TextWordWrap, caption);
        if (needed.width() <= inner.width() && needed.height() <= inner.height())
            break;
    }
    p.setFont(f);
    p.setPen(QColor(20, 30, 60));
    p.drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, caption);
    return pm;
}

QPixmap arrowPicture(bool left, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 30, 60));
    const qreal h = size / 2.0;
    for (int k = 0; k < 2; ++k) {
        const qreal x0 = k * h;
        QPolygonF tri;
        if (left)
            tri << QPointF(x0, h) << QPointF(x0 + h, 1) << QPointF(x0 + h, size - 1);
        else
            tri << QPointF(x0 + h, h) << QPointF(x0, 1) << QPointF(x0, size - 1);
        p.drawPolygon(tri);
    }
    return pm;
}

QIcon applicationIcon() {
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(80, 90, 108));
    p.setPen(QPen(QColor(40, 44, 52), 2));
    p.drawRoundedRect(QRectF(12, 2, 40, 60), 8, 8);
    p.fillRect(QRectF(18, 8, 28, 28), kScreenColor);
    p.setPen(QColor(20, 60, 20));
    QFont f(QStringLiteral("Sans Serif"));
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(18, 8, 28, 28), Qt::AlignCenter, QStringLiteral("T"));
    p.setBrush(QColor(150, 160, 176));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QRectF(17 + i * 11, 44, 8, 8));
    return QIcon(pm);
}

} // namespace tarvo
