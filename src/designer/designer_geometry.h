#pragma once

namespace tarvo {

struct DesignerState;

// The handheld's screen in window pixels: left/top inside, right/bottom just outside.
struct ScreenRect {
    float left = 89;
    float top = 44;
    float right = 249;
    float bottom = 204;
};

ScreenRect screenRectOf(const DesignerState& state);

// An object picture's place and size in window pixels.
struct PictureBounds {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// A left drag by (dx, dy): only the screen edge in the direction of the move
// is enforced, so a picture already across an edge is not pulled in.
PictureBounds movedBounds(PictureBounds b, float dx, float dy, const ScreenRect& screen);

// A right drag by (dx, dy): the size grows or shrinks, never below 0, and the
// right and bottom edges stay on the screen.
PictureBounds resizedBounds(PictureBounds b, float dx, float dy, const ScreenRect& screen);

// Whether a window point lies on the screen.
bool isOnScreen(float x, float y, const ScreenRect& screen);

// Whether a press at (startX, startY) and a release of `button` (a
// Qt::MouseButton value) at (x, y) drag a rectangle for a new object: from its
// top-left to its bottom-right corner, on the screen, with the left button. A
// start of (0, 0) means the press lay off the screen.
bool isDropRectangle(float startX, float startY, float x, float y, int button,
                     const ScreenRect& screen);

} // namespace tarvo
