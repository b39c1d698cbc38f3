#include "app/core/layout_rules.h"

#include <gtest/gtest.h>

#include <optional>

using namespace tarvo;

namespace {

// Expected values were worked out by hand from the layout formulas, in
// double precision and then rounded to single precision.
struct LayoutCase {
    const char* name;
    LayoutInput in;
    std::optional<float> text1Width;
    std::optional<float> text1Height;
    std::optional<float> line1X2;
    std::optional<float> tabStripWidth;
    std::optional<float> consoleHeight;
    std::optional<float> paneHeightTwips;
};

LayoutInput window(double sw, double sh, double w, double h) {
    LayoutInput in;
    in.clientWidth = sw;
    in.clientHeight = sh;
    in.outerWidth = w;
    in.outerHeight = h;
    return in;
}

LayoutInput withText1(LayoutInput in, double height, double consoleTop, double consoleHeight) {
    in.text1Height = height;
    in.consoleTop = consoleTop;
    in.consoleHeight = consoleHeight;
    return in;
}

void expectSet(const char* what, bool set, float value, std::optional<float> expected) {
    EXPECT_EQ(set, expected.has_value()) << what;
    if (set && expected) {
        EXPECT_FLOAT_EQ(value, *expected) << what;
    }
}

class LayoutRules : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutRules, FollowTheFormulas) {
    const LayoutCase& c = GetParam();
    SCOPED_TRACE(c.name);
    const LayoutOutput out = computeLayout(c.in);
    expectSet("Text1 width", out.setText1Width, out.text1Width, c.text1Width);
    expectSet("Text1 height", out.setText1Height, out.text1Height, c.text1Height);
    expectSet("Line1 X2", out.setLine1X2, out.line1X2, c.line1X2);
    expectSet("TabStrip1 width", out.setTabStripWidth, out.tabStripWidth, c.tabStripWidth);
    expectSet("Console height", out.setConsoleHeight, out.consoleHeight, c.consoleHeight);
    expectSet("console pane heights", out.setConsolePaneHeights, out.consolePaneHeightTwips,
              c.paneHeightTwips);
    // The grid's columns are reset on every resize.
    EXPECT_FLOAT_EQ(out.gridColumn0Twips, 2800);
    EXPECT_FLOAT_EQ(out.gridColumn1Twips, 2630);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, LayoutRules,
    ::testing::Values(
        // The design: 708 x 576 client, outer 716 x 631 pixels at 15 twips per pixel.
        LayoutCase{"design size", window(708, 576, 10740, 9465), 312.46927f, 527.31537f, 708.f,
                   312.46927f, 76.31537f, 550.88568f},
        LayoutCase{"large window", window(1000, 700, 15120, 11235), 603.17462f, 650.15576f, 1000.f,
                   603.17462f, 199.15576f, 2406.43506f},
        // 6000 twips or less across: w is not positive, Text1 and the tab strip
        // keep their width; the rest still follows.
        LayoutCase{"narrow window", window(380, 576, 5820, 9465), std::nullopt, 527.31537f, 380.f,
                   57.f, 76.31537f, 556.19855f},
        // Minimised: no pane changes size, the console height is reproduced
        // from the current sizes and the pane rule is skipped.
        LayoutCase{"minimised", withText1(window(0, 0, 2400, 450), 527, 480, 76), std::nullopt,
                   std::nullopt, 0.f, 57.f, 76.f, std::nullopt},
        // After SmallScreen the console starts at the grid's top (353).
        LayoutCase{"small screen, design size",
                   withText1(window(708, 576, 10740, 9465), 527, 353, 76), 312.46927f, 527.31537f,
                   708.f, 312.46927f, 203.31537f, 2477.41113f},
        LayoutCase{"small screen, enlarged",
                   withText1(window(1000, 700, 15120, 11235), 527, 353, 203), 603.17462f,
                   650.15576f, 1000.f, 603.17462f, 326.15576f, 4326.67529f},
        // A tiny outer size makes A negative: rule 1 is skipped entirely; the
        // console below the text panes keeps its height.
        LayoutCase{"A not above 1", window(100, 100, 600, 600), std::nullopt, std::nullopt,
                   std::nullopt, std::nullopt, std::nullopt, 960.f},
        // No outer size at all (a window not yet realised): nothing divides by zero.
        LayoutCase{"no outer size", window(708, 576, 0, 0), std::nullopt, std::nullopt,
                   std::nullopt, std::nullopt, std::nullopt, std::nullopt}));

} // namespace
