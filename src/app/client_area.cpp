#include "client_area.h"

#include "handheld_art.h"

#include <QMouseEvent>
#include <QPainter>

namespace tarvo {

ClientArea::ClientArea(QWidget* parent) : QWidget(parent), m_background(handheldPicture()) {
    setAutoFillBackground(true);
}

void ClientArea::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, m_background);
}

void ClientArea::mousePressEvent(QMouseEvent* e) {
    emit MouseDown(int(e->button()), float(e->position().x()), float(e->position().y()));
}

void ClientArea::mouseReleaseEvent(QMouseEvent* e) {
    emit MouseUp(int(e->button()), float(e->position().x()), float(e->position().y()));
}

void ClientArea::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    emit resized();
}

} // namespace tarvo
