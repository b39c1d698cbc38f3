#include "designer_geometry.h"

#include "designer_state.h"

#include <Qt>
#include <algorithm>

namespace tarvo {

ScreenRect screenRectOf(const DesignerState& state) {
    const float left = float(state.ScreenLeft);
    return {left, state.ScreenTop, left + state.ScreenWidth, state.ScreenTop + state.ScreenHeight};
}

PictureBounds movedBounds(PictureBounds b, float dx, float dy, const ScreenRect& screen) {
    if (dx < 0)
        b.left = b.left + dx >= screen.left ? b.left + dx : screen.left;
    if (dy < 0)
        b.top = b.top + dy >= screen.top ? b.top + dy : screen.top;
    if (dx > 0)
        b.left = b.left + dx + b.width <= screen.right ? b.left + dx : screen.right - b.width;
    if (dy > 0)
        b.top = b.top + dy + b.height <= screen.bottom ? b.top + dy : screen.bottom - b.height;
    return b;
}

PictureBounds resizedBounds(PictureBounds b, float dx, float dy, const ScreenRect& screen) {
    b.width = std::max(0.0f, b.width + dx);
    b.height = std::max(0.0f, b.height + dy);
    if (b.left + b.width > screen.right)
        b.width = std::max(0.0f, screen.right - b.left);
    if (b.top + b.height > screen.bottom)
        b.height = std::max(0.0f, screen.bottom - b.top);
    return b;
}

bool isOnScreen(float x, float y, const ScreenRect& screen) {
    return x >= screen.left && x < screen.right && y >= screen.top && y < screen.bottom;
}

bool isDropRectangle(float startX, float startY, float x, float y, int button,
                     const ScreenRect& screen) {
    return startX != 0 && startY != 0 && isOnScreen(x, y, screen) && x - startX > 0 &&
           y - startY > 0 && button == int(Qt::LeftButton);
}

} // namespace tarvo
