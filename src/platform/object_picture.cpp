#include "object_picture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace tarvo {

namespace {

// Pixels an object picture covers for its single-precision bounds.
QRect roundedRect(const QRectF& r) {
    const int w = std::max(0, int(std::lround(r.width())));
    const int h = std::max(0, int(std::lround(r.height())));
    return {int(std::lround(r.left())), int(std::lround(r.top())), w, h};
}

constexpr int kHandle = 5;                      // side of a handle square
constexpr int kOutlineMargin = kHandle / 2 + 1; // room around the object

} // namespace

int shiftState(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= 1;
    if (modifiers & Qt::ControlModifier)
        shift |= 2;
    if (modifiers & Qt::AltModifier)
        shift |= 4;
    return shift;
}

ObjectPicture::ObjectPicture(QWidget* parent) : QWidget(parent) {
    // A press gives the picture the keyboard, so that keys act on the object
    // rather than on a text pane that may not even be in view.
    setFocusPolicy(Qt::ClickFocus);
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
    setGeometry(roundedRect(QRectF(m_left, m_top, m_width, m_height)));
    emit boundsChanged();
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

void ObjectPicture::mouseMoveEvent(QMouseEvent* e) {
    emit MouseMove(int(e->buttons()), float(e->position().x()), float(e->position().y()));
}

void ObjectPicture::keyPressEvent(QKeyEvent* e) {
    emit KeyDown(e->key(), shiftState(e->modifiers()));
}

OutlineShape::OutlineShape(QWidget* parent, bool withHandles)
    : QWidget(parent), m_withHandles(withHandles) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void OutlineShape::showAround(QRectF r) {
    m_outlined = roundedRect(r);
    // The frame runs one pixel outside the object, so that it hides none of it.
    setGeometry(m_outlined.adjusted(-kOutlineMargin - 1, -kOutlineMargin - 1, kOutlineMargin + 1,
                                    kOutlineMargin + 1));
    raise();
    show();
    update();
}

void OutlineShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect frame = m_outlined.translated(-pos()).adjusted(-1, -1, 0, 0);
    if (!m_withHandles) {
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(frame);
        return;
    }
    const QColor ink(0, 0, 160);
    p.setPen(ink);
    p.drawRect(frame);
    const int xs[] = {frame.left(), frame.center().x(), frame.right() + 1};
    const int ys[] = {frame.top(), frame.center().y(), frame.bottom() + 1};
    for (int ix = 0; ix < 3; ++ix) {
        for (int iy = 0; iy < 3; ++iy) {
            if (ix == 1 && iy == 1)
                continue;
            p.fillRect(xs[ix] - kHandle / 2, ys[iy] - kHandle / 2, kHandle, kHandle, ink);
        }
    }
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
