// The designer's rules that need no window.
#include "designer/designer_geometry.h"
#include "designer/form_pages.h"
#include "designer/property_grid.h"
#include "designer/toolbox.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

const ScreenRect kScreen; // 89,44 to 249,204

TEST(DragBounds, MoveAndResizeStayOnTheScreen) {
    // Only the edge in the direction of the move holds; sizes never go below 0.
    const std::tuple<bool, PictureBounds, float, float, PictureBounds> cases[] = {
        {false, {100, 60, 30, 10}, 5, -7, {105, 53, 30, 10}},
        {false, {94, 60, 30, 10}, -10, 0, {89, 60, 30, 10}},
        {false, {100, 50, 30, 10}, 0, -20, {100, 44, 30, 10}},
        {false, {100, 180, 30, 10}, 0, 50, {100, 194, 30, 10}},
        {false, {200, 60, 30, 10}, 100, 0, {219, 60, 30, 10}},
        {false, {240, 60, 30, 10}, -5, 0, {235, 60, 30, 10}},
        {false, {80, 40, 30, 10}, 5, 6, {85, 46, 30, 10}},
        {true, {89, 44, 20, 10}, 10, 5, {89, 44, 30, 15}},
        {true, {230, 44, 10, 10}, 50, 0, {230, 44, 19, 10}},
        {true, {100, 190, 10, 10}, 0, 50, {100, 190, 10, 14}},
        {true, {100, 60, 20, 10}, -30, -30, {100, 60, 0, 0}},
        {true, {260, 210, 20, 10}, 5, 0, {260, 210, 0, 0}},
    };
    for (const auto& [resize, b, dx, dy, e] : cases) {
        const PictureBounds r =
            resize ? resizedBounds(b, dx, dy, kScreen) : movedBounds(b, dx, dy, kScreen);
        EXPECT_TRUE(r.left == e.left && r.top == e.top && r.width == e.width &&
                    r.height == e.height)
            << b.left << "," << b.top << " by " << dx << "," << dy;
    }
}

TEST(DropRectangle, RunsDownRightOnTheScreenWithTheLeftButton) {
    const std::tuple<float, float, float, float, Qt::MouseButton, bool> cases[] = {
        {100, 60, 130, 70, Qt::LeftButton, true},      {100, 60, 130, 70, Qt::RightButton, false},
        {0, 60, 130, 70, Qt::LeftButton, false},       {100, 0, 130, 70, Qt::LeftButton, false},
        {100, 60, 100, 70, Qt::LeftButton, false},     {100, 60, 130, 60, Qt::LeftButton, false},
        {100, 60, 249, 70, Qt::LeftButton, false},     {100, 60, 130, 204, Qt::LeftButton, false},
        {100, 60, 90, 70, Qt::LeftButton, false},      {100, 60, 130, 50, Qt::LeftButton, false},
        {89, 44, 248.5f, 203.5f, Qt::LeftButton, true}};
    for (const auto& [sx, sy, x, y, button, expected] : cases)
        EXPECT_EQ(isDropRectangle(sx, sy, x, y, int(button), kScreen), expected)
            << sx << "," << sy << " " << x << "," << y;
    const std::tuple<float, float, bool> points[] = {{89, 44, true},      {248.9f, 203.9f, true},
                                                     {88.9f, 100, false}, {249, 100, false},
                                                     {100, 43.9f, false}, {100, 204, false}};
    for (const auto& [x, y, on] : points)
        EXPECT_EQ(isOnScreen(x, y, kScreen), on) << x << "," << y;
}

TEST(DesignerTexts, ToolTipsAnswersAndTypes) {
    for (const auto& [tip, parts] :
         {std::pair{"12,Button", "12|Button"}, {"7,a,b", "7|a,b"}, {"42", "42|"}, {",x", "|x"}}) {
        const ToolTipParts p = splitToolTip(QString::fromLatin1(tip));
        EXPECT_EQ(p.id + '|' + p.type, QLatin1String(parts));
    }
    const std::pair<const char*, std::optional<int>> answers[] = {
        {" 45 ", 45}, {"0", 0},     {"500", 500},      {"501", {}},       {"-1", {}},
        {"", {}},     {"12.5", {}}, {"000000045", 45}, {"0000000045", {}}};
    for (const auto& [answer, n] : answers)
        EXPECT_EQ(parseObjectsPerPage(QString::fromLatin1(answer)), n) << answer;
    // The types by button index; an index off the toolbox means its first type.
    for (const auto& [index, word] :
         {std::pair{-1, "Button"}, {11, "Repeat"}, {15, "Form"}, {16, "Button"}})
        EXPECT_STREQ(toolboxType(index).typeWord, word) << index;
}

} // namespace
} // namespace tarvo
