#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace tarvo {

// The window's client area: paints the handheld unscaled at (0, 0) and passes
// mouse presses and releases on itself (not on a control) to the designer.
class ClientArea final : public QWidget {
    Q_OBJECT

public:
    explicit ClientArea(QWidget* parent = nullptr);

signals:
    void MouseDown(int button, float x, float y);
    void MouseUp(int button, float x, float y);
    void resized();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QPixmap m_background;
};

} // namespace tarvo
