#pragma once

#include <QColor>
#include <QWidget>
#include <functional>
#include <map>

namespace tarvo {

// A picture box of the designer: a coloured rectangle with a tooltip, whose
// bounds are kept as single-precision window pixels.
class ObjectPicture : public QWidget {
    Q_OBJECT

public:
    explicit ObjectPicture(QWidget* parent = nullptr);

    float left() const { return m_left; }
    float top() const { return m_top; }
    float width() const { return m_width; }
    float height() const { return m_height; }
    void setLeft(float v);
    void setTop(float v);
    void setWidth(float v);
    void setHeight(float v);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& c);

    QString toolTipText() const { return toolTip(); }
    void setToolTipText(const QString& t) { setToolTip(t); }

    void copyPropertiesFrom(const ObjectPicture& other);

signals:
    // Button (Qt::MouseButton) and position relative to the picture.
    void MouseDown(int button, float x, float y);
    void MouseUp(int button, float x, float y);
    // Buttons held (Qt::MouseButtons) while the pointer moves over a press.
    void MouseMove(int buttons, float x, float y);
    // Key code (Qt::Key) and shift state: Shift 1, Ctrl 2, Alt 4. Every key
    // pressed while the picture has the focus ends here.
    void KeyDown(int keyCode, int shift);
    void boundsChanged();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void applyGeometry();

    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
    QColor m_backColor{192, 255, 192};
};

// The DynamicPicture family: element 0 at design, the others created from it.
class PictureFamily {
public:
    explicit PictureFamily(ObjectPicture* element0);
    ~PictureFamily();
    PictureFamily(const PictureFamily&) = delete;
    PictureFamily& operator=(const PictureFamily&) = delete;

    ObjectPicture* create(int i); // copies element 0's properties; existing one if there
    void destroy(int i);
    ObjectPicture* at(int i) const;
    int count() const { return int(m_elements.size()); } // without element 0

    std::function<void(int, ObjectPicture*)> onCreated;

private:
    ObjectPicture* m_element0;
    std::map<int, ObjectPicture*> m_elements;
};

// An outline drawn over the designer's pictures: a selected object's frame
// with handles, or the rectangle that a held mouse button will give. It lets
// the mouse through to what lies below.
class OutlineShape : public QWidget {
    Q_OBJECT

public:
    OutlineShape(QWidget* parent, bool withHandles);
    // Outlines the rectangle `r` (parent pixels, as an object picture rounds
    // them) from just outside it, above every sibling.
    void showAround(QRectF r);
    QRect outlined() const { return m_outlined; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool m_withHandles;
    QRect m_outlined;
};

// Shift state of a key or mouse event: Shift 1, Ctrl 2, Alt 4.
int shiftState(Qt::KeyboardModifiers modifiers);

// A line control drawn between two points of its parent's client area.
class LineShape : public QWidget {
    Q_OBJECT

public:
    explicit LineShape(QWidget* parent = nullptr);
    int x1() const { return m_x1; }
    int y1() const { return m_y1; }
    int x2() const { return m_x2; }
    int y2() const { return m_y2; }
    void setLine(int x1, int y1, int x2, int y2);
    void setX2(int x2) { setLine(m_x1, m_y1, x2, m_y2); }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
};

} // namespace tarvo
