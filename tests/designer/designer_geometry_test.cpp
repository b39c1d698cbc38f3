#include "designer/designer_geometry.h"
#include "designer/form_pages.h"
#include "designer/property_grid.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

const ScreenRect kScreen;

void expectBounds(const PictureBounds& actual, const PictureBounds& expected, const char* name) {
    EXPECT_FLOAT_EQ(actual.left, expected.left) << name;
    EXPECT_FLOAT_EQ(actual.top, expected.top) << name;
    EXPECT_FLOAT_EQ(actual.width, expected.width) << name;
    EXPECT_FLOAT_EQ(actual.height, expected.height) << name;
}

TEST(MovedBounds, KeepsTheMoveOnTheScreenInItsDirection) {
    struct Case {
        const char* name;
        PictureBounds before;
        float dx, dy;
        PictureBounds expected;
    };
    const Case cases[] = {
        {"inside", {100, 60, 30, 10}, 5, -7, {105, 53, 30, 10}},
        {"left edge", {94, 60, 30, 10}, -10, 0, {89, 60, 30, 10}},
        {"top edge", {100, 50, 30, 10}, 0, -20, {100, 44, 30, 10}},
        {"right edge", {200, 60, 30, 10}, 100, 0, {219, 60, 30, 10}},
        {"bottom edge", {100, 180, 30, 10}, 0, 50, {100, 194, 30, 10}},
        // Already across the right edge, moved left: not pulled in on the right.
        {"across right, moved left", {240, 60, 30, 10}, -5, 0, {235, 60, 30, 10}},
        // Already across the left edge, moved right: the left edge is not enforced.
        {"across left, moved right", {80, 60, 30, 10}, 5, 0, {85, 60, 30, 10}},
    };
    for (const Case& c : cases)
        expectBounds(movedBounds(c.before, c.dx, c.dy, kScreen), c.expected, c.name);
}

TEST(ResizedBounds, StaysOnTheScreenAndNeverGoesNegative) {
    struct Case {
        const char* name;
        PictureBounds before;
        float dx, dy;
        PictureBounds expected;
    };
    const Case cases[] = {
        {"grow", {89, 44, 20, 10}, 10, 5, {89, 44, 30, 15}},
        {"past right", {230, 44, 10, 10}, 50, 0, {230, 44, 19, 10}},
        {"past bottom", {100, 190, 10, 10}, 0, 50, {100, 190, 10, 14}},
        {"negative width", {100, 60, 20, 10}, -30, 0, {100, 60, 0, 10}},
        {"negative height", {100, 60, 20, 10}, 0, -30, {100, 60, 20, 0}},
        {"outside right", {260, 60, 20, 10}, 5, 0, {260, 60, 0, 10}},
    };
    for (const Case& c : cases)
        expectBounds(resizedBounds(c.before, c.dx, c.dy, kScreen), c.expected, c.name);
}

TEST(DropRectangle, MustRunTopLeftToBottomRightOnTheScreenWithTheLeftButton) {
    struct Case {
        const char* name;
        float sx, sy, x, y;
        Qt::MouseButton button;
        bool expected;
    };
    const Case cases[] = {
        {"string drop", 100, 60, 130, 70, Qt::LeftButton, true},
        {"right button", 100, 60, 130, 70, Qt::RightButton, false},
        {"press off screen", 0, 0, 130, 70, Qt::LeftButton, false},
        {"release left of press", 100, 60, 90, 70, Qt::LeftButton, false},
        {"release right of screen", 100, 60, 249, 70, Qt::LeftButton, false},
        {"last pixel", 100, 60, 248, 203, Qt::LeftButton, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isDropRectangle(c.sx, c.sy, c.x, c.y, int(c.button), kScreen), c.expected)
            << c.name;
}

TEST(SplitToolTip, OnlyTheFirstCommaDivides) {
    struct Case {
        const char* toolTip;
        const char* id;
        const char* type;
    };
    const Case cases[] = {
        {"12,Button", "12", "Button"},
        {"7,a,b", "7", "a,b"},
        {"42", "42", ""},
        {",x", "", "x"},
    };
    for (const Case& c : cases) {
        const ToolTipParts parts = splitToolTip(QString::fromLatin1(c.toolTip));
        EXPECT_EQ(parts.id, QLatin1String(c.id)) << c.toolTip;
        EXPECT_EQ(parts.type, QLatin1String(c.type)) << c.toolTip;
    }
}

TEST(ObjectsPerPageAnswer, AcceptsWholeNumbersFrom0To500) {
    struct Case {
        const char* answer;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {" 45 ", 45}, {"0", 0}, {"500", 500}, {"501", {}}, {"-1", {}}, {"", {}}, {"12.5", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseObjectsPerPage(QString::fromLatin1(c.answer)), c.expected) << c.answer;
}

} // namespace
} // namespace tarvo
