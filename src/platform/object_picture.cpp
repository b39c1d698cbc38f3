#include "object_picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace tarvo {

ObjectPicture::ObjectPicture(QWidget* parent) : QWidget(parent) {
    applyGeometry();
}

void ObjectPicture::setLeft(float v) {
    m_left = v;
    applyGeometry();
}
void ObjectPicture::setTop(float v) {
    m_top = v;
    applyGeometry();
}
void ObjectPicture::setWidth(float v) {
    m_width = v;
    applyGeometry();
}
void ObjectPicture::setHeight(float v) {
    m_height = v;
    applyGeometry();
}

void ObjectPicture::setBackColor(const QColor& c) {
    m_backColor = c;
    update();
}

void ObjectPicture::copyPropertiesFrom(const ObjectPicture& other) {
    setParent(other.parentWidget());
    m_backColor = other.m_backColor;
    m_left = other.m_left;
    m_top = other.m_top;
    m_width = other.m_width;
    m_height = other.m_height;
    setToolTip(other.toolTip());
    setVisible(false);
    applyGeometry();
}

void ObjectPicture::applyGeometry() {
    // A negative size shows as nothing; the designer never stores one.
    const int w = std::max(0, int(std::lround(m_width)));
    const int h = std::max(0, int(std::lround(m_height)));
    setGeometry(int(std::lround(m_left)), int(std::lround(m_top)), w, h);
}

void ObjectPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_backColor);
    p.setPen(m_backColor.darker(160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ObjectPicture::mousePressEvent(QMouseEvent* e) {
    emit MouseDown(int(e->button()), float(e->position().x()), float(e->position().y()));
}

void ObjectPicture::mouseReleaseEvent(QMouseEvent* e) {
    emit MouseUp(int(e->button()), float(e->position().x()), float(e->position().y()));
}

PictureFamily::PictureFamily(ObjectPicture* element0) : m_element0(element0) {}

PictureFamily::~PictureFamily() {
    for (auto& [i, p] : m_elements)
        delete p;
}

ObjectPicture* PictureFamily::create(int i) {
    if (i <= 0)
        return m_element0;
    if (auto* existing = at(i))
        return existing;
    auto* p = new ObjectPicture;
    p->copyPropertiesFrom(*m_element0);
    m_elements[i] = p;
    if (onCreated)
        onCreated(i, p);
    return p;
}

void PictureFamily::destroy(int i) {
    auto it = m_elements.find(i);
    if (it == m_elements.end())
        return;
    delete it->second;
    m_elements.erase(it);
}

ObjectPicture* PictureFamily::at(int i) const {
    if (i == 0)
        return m_element0;
    auto it = m_elements.find(i);
    return it == m_elements.end() ? nullptr : it->second;
}

LineShape::LineShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void LineShape::setLine(int x1, int y1, int x2, int y2) {
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    const int left = std::min(x1, x2), top = std::min(y1, y2);
    setGeometry(left, top, std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1);
    update();
}

void LineShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(Qt::black);
    const QPoint o = pos();
    p.drawLine(m_x1 - o.x(), m_y1 - o.y(), m_x2 - o.x(), m_y2 - o.y());
}

} // namespace tarvo
