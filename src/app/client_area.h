#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace tarvo {

// The window's client area: paints the handheld unscaled at (0, 0) and passes
// mouse presses, moves and releases on itself (not on a control) to the
// designer, and the keys pressed while it holds the focus itself.
class ClientArea final : public QWidget {
    Q_OBJECT

public:
    explicit ClientArea(QWidget* parent = nullptr);

signals:
    void MouseDown(int button, float x, float y);
    void MouseUp(int button, float x, float y);
    void MouseMove(int buttons, float x, float y); // while a button is held
    void KeyDown(int keyCode, int shift);          // Shift 1, Ctrl 2, Alt 4
    void resized();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QPixmap m_background;
};

} // namespace tarvo
