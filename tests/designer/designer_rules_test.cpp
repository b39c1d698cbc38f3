// The designer's rules that need no window.
#include "designer/designer_geometry.h"
#include "designer/form_pages.h"
#include "designer/gesture_edits.h"
#include "designer/property_grid.h"
#include "designer/toolbox.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

const ScreenRect kScreen; // 89,44 to 249,204

bool operator==(const PictureBounds& a, const PictureBounds& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

TEST(DragBounds, MoveAndResizeStayOnTheScreen) {
    const std::tuple<bool, PictureBounds, float, float, PictureBounds> cases[] = {
        {false, {100, 60, 30, 10}, 5, -7, {105, 53, 30, 10}},
        {false, {94, 60, 30, 10}, -10, 0, {89, 60, 30, 10}},
        {false, {100, 50, 30, 10}, 0, -20, {100, 44, 30, 10}},
        {false, {200, 60, 30, 10}, 100, 0, {219, 60, 30, 10}},
        {false, {100, 180, 30, 10}, 0, 50, {100, 194, 30, 10}},
        // Only the edge in the direction of the move holds.
        {false, {240, 60, 30, 10}, -5, 0, {235, 60, 30, 10}},
        {false, {80, 40, 30, 10}, 5, 6, {85, 46, 30, 10}},
        {false, {80, 40, 30, 10}, 0, 0, {80, 40, 30, 10}},
        {false, {240, 200, 30, 10}, 0, 0, {240, 200, 30, 10}},
        {true, {89, 44, 20, 10}, 10, 5, {89, 44, 30, 15}},
        {true, {230, 44, 10, 10}, 50, 0, {230, 44, 19, 10}},
        {true, {100, 190, 10, 10}, 0, 50, {100, 190, 10, 14}},
        {true, {100, 60, 20, 10}, -30, -30, {100, 60, 0, 0}},
        {true, {260, 210, 20, 10}, 5, 0, {260, 210, 0, 0}},
    };
    for (const auto& [resize, before, dx, dy, expected] : cases) {
        EXPECT_TRUE((resize ? resizedBounds(before, dx, dy, kScreen)
                            : movedBounds(before, dx, dy, kScreen)) == expected)
            << before.left << "," << before.top << " by " << dx << "," << dy;
    }
}

TEST(DropRectangle, RunsDownRightOnTheScreenWithTheLeftButton) {
    const std::tuple<float, float, float, float, Qt::MouseButton, bool> cases[] = {
        {100, 60, 130, 70, Qt::LeftButton, true},       {100, 60, 130, 70, Qt::RightButton, false},
        {0, 60, 130, 70, Qt::LeftButton, false},        {100, 0, 130, 70, Qt::LeftButton, false},
        {100, 60, 90, 70, Qt::LeftButton, false},       {100, 60, 100, 70, Qt::LeftButton, false},
        {100, 60, 130, 50, Qt::LeftButton, false},      {100, 60, 130, 60, Qt::LeftButton, false},
        {100, 60, 249, 70, Qt::LeftButton, false},      {100, 60, 130, 204, Qt::LeftButton, false},
        {89, 44, 248.5f, 203.5f, Qt::LeftButton, true},
    };
    for (const auto& [sx, sy, x, y, button, expected] : cases)
        EXPECT_EQ(isDropRectangle(sx, sy, x, y, int(button), kScreen), expected)
            << sx << "," << sy << " " << x << "," << y;
    const std::tuple<float, float, bool> points[] = {
        {89, 44, true},    {248.9f, 203.9f, true}, {88.9f, 100, false},
        {249, 100, false}, {100, 43.9f, false},    {100, 204, false},
    };
    for (const auto& [x, y, on] : points)
        EXPECT_EQ(isOnScreen(x, y, kScreen), on) << x << "," << y;
}

TEST(DesignerKey, ArrowsNudgeAndShortcutsAreRecognised) {
    using A = DesignerKeyAction;
    const std::tuple<int, int, A, float, float> cases[] = {
        {Qt::Key_Left, 0, A::Move, -1, 0},      {Qt::Key_Down, 1, A::Move, 0, 8},
        {Qt::Key_Right, 2, A::Resize, 1, 0},    {Qt::Key_Up, 3, A::Resize, 0, -8},
        {Qt::Key_Left, 4, A::None, 0, 0},       {Qt::Key_Delete, 0, A::Delete, 0, 0},
        {Qt::Key_Delete, 2, A::None, 0, 0},     {Qt::Key_Z, 2, A::Undo, 0, 0},
        {Qt::Key_Z, 3, A::Redo, 0, 0},          {Qt::Key_Z, 0, A::None, 0, 0},
        {Qt::Key_Y, 2, A::Redo, 0, 0},          {Qt::Key_Y, 0, A::None, 0, 0},
        {Qt::Key_Escape, 0, A::Deselect, 0, 0}, {Qt::Key_Escape, 1, A::None, 0, 0},
        {Qt::Key_Backspace, 0, A::None, 0, 0}};
    for (const auto& [key, shift, action, dx, dy] : cases) {
        const DesignerKey k = designerKey(key, shift);
        EXPECT_TRUE(k.action == action && k.dx == dx && k.dy == dy) << key << " shift " << shift;
    }
}

TEST(DesignerTexts, ToolTipsAnswersAndTypes) {
    const std::pair<const char*, const char*> tips[] = {
        {"12,Button", "12|Button"}, {"7,a,b", "7|a,b"}, {"42", "42|"}, {",x", "|x"}};
    for (const auto& [tip, parts] : tips) {
        const ToolTipParts p = splitToolTip(QString::fromLatin1(tip));
        EXPECT_EQ(p.id + '|' + p.type, QLatin1String(parts));
    }
    const std::pair<const char*, std::optional<int>> answers[] = {
        {" 45 ", 45}, {"0", 0}, {"9", 9},     {"500", 500},      {"501", {}},
        {"-1", {}},   {"", {}}, {"12.5", {}}, {"000000045", 45}, {"0000000045", {}},
    };
    for (const auto& [answer, n] : answers)
        EXPECT_EQ(parseObjectsPerPage(QString::fromLatin1(answer)), n) << answer;
    // The types by button index; an index off the toolbox means its first type.
    const std::pair<int, const char*> types[] = {
        {-1, "Button"}, {0, "Button"}, {11, "Repeat"}, {15, "Form"}, {16, "Button"}};
    for (const auto& [index, word] : types)
        EXPECT_STREQ(toolboxType(index).typeWord, word) << index;
}

} // namespace
} // namespace tarvo
