#include "app/core/layout_rules.h"

#include <QPointF>
#include <gtest/gtest.h>

#include <optional>

using namespace tarvo;

namespace {

using Size = std::optional<float>;
constexpr Size kKept = std::nullopt;

// Expected sizes worked out by hand from the layout formulas in double
// precision, then rounded to single precision; kKept: the rule leaves it.
struct LayoutCase {
    const char* name;
    double clientWidth, clientHeight, outerWidth, outerHeight, text1Tall, consoleTop, consoleTall;
    Size text1Width, text1Height, line1X2, tabStripWidth, consoleHeight, paneTwips;
};

const LayoutCase kCases[] = {
    // The design: 708 x 576 client, outer 716 x 631 pixels at 15 twips per pixel.
    {"design size", 708, 576, 10740, 9465, 353, 480, 200, 312.46927f, 527.31537f, 708.f, 312.46927f,
     76.31537f, 550.88568f},
    {"large window", 1000, 700, 15120, 11235, 353, 480, 200, 603.17462f, 650.15576f, 1000.f,
     603.17462f, 199.15576f, 2406.43506f},
    // 6000 twips or less across: Text1 and the tab strip keep their width.
    {"narrow window", 380, 576, 5820, 9465, 353, 480, 200, kKept, 527.31537f, 380.f, 57.f,
     76.31537f, 556.19855f},
    // Minimised: the console height is reproduced, the pane rule is skipped.
    {"minimised", 0, 0, 2400, 450, 527, 480, 76, kKept, kKept, 0.f, 57.f, 76.f, kKept},
    // After SmallScreen the console starts at the grid's top (353).
    {"small screen", 708, 576, 10740, 9465, 527, 353, 76, 312.46927f, 527.31537f, 708.f, 312.46927f,
     203.31537f, 2477.41113f},
    {"small screen, enlarged", 1000, 700, 15120, 11235, 527, 353, 203, 603.17462f, 650.15576f,
     1000.f, 603.17462f, 326.15576f, 4326.67529f},
    // A or B not above 1 skips the first rule entirely.
    {"A not above 1", 100, 100, 600, 600, 353, 480, 200, kKept, kKept, kKept, kKept, kKept, 960.f},
    {"B not above 1", 100, 100, 6000, 600, 353, 480, 200, kKept, kKept, kKept, kKept, kKept,
     9600.f},
    // A window not yet realised: nothing divides by zero.
    {"no outer size", 708, 576, 0, 0, 353, 480, 200, kKept, kKept, kKept, kKept, kKept, kKept},
};

TEST(LayoutRules, FollowTheFormulas) {
    for (const LayoutCase& c : kCases) {
        SCOPED_TRACE(c.name);
        LayoutInput in;
        in.clientWidth = c.clientWidth;
        in.clientHeight = c.clientHeight;
        in.outerWidth = c.outerWidth;
        in.outerHeight = c.outerHeight;
        in.text1Height = c.text1Tall;
        in.consoleTop = c.consoleTop;
        in.consoleHeight = c.consoleTall;
        const LayoutOutput out = computeLayout(in);
        auto got = [](bool set, float value) { return set ? Size(value) : kKept; };
        const auto expectSize = [](Size actual, Size expected, const char* what) {
            EXPECT_EQ(actual.has_value(), expected.has_value()) << what;
            if (actual && expected) {
                EXPECT_FLOAT_EQ(*actual, *expected) << what;
            }
        };
        expectSize(got(out.setText1Width, out.text1Width), c.text1Width, "Text1 width");
        expectSize(got(out.setText1Height, out.text1Height), c.text1Height, "Text1 height");
        expectSize(got(out.setLine1X2, out.line1X2), c.line1X2, "Line1 X2");
        expectSize(got(out.setTabStripWidth, out.tabStripWidth), c.tabStripWidth, "tab strip");
        expectSize(got(out.setConsoleHeight, out.consoleHeight), c.consoleHeight, "console");
        expectSize(got(out.setConsolePaneHeights, out.consolePaneHeightTwips), c.paneTwips,
                   "console panes");
        EXPECT_EQ(QPointF(out.gridColumn0Twips, out.gridColumn1Twips), QPointF(2800, 2630));
    }
}

} // namespace
