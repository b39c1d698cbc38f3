#include "client_area.h"

#include "handheld_art.h"
#include "platform/object_picture.h"

#include <QKeyEvent>
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

void ClientArea::mouseMoveEvent(QMouseEvent* e) {
    emit MouseMove(int(e->buttons()), float(e->position().x()), float(e->position().y()));
}

void ClientArea::keyPressEvent(QKeyEvent* e) {
    // Keys that a control let through are not the designer's.
    if (!hasFocus()) {
        QWidget::keyPressEvent(e);
        return;
    }
    emit KeyDown(e->key(), shiftState(e->modifiers()));
}

void ClientArea::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    emit resized();
}

} // namespace tarvo
