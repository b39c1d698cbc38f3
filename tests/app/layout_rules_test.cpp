#include "app/core/layout_rules.h"

#include <gtest/gtest.h>

using namespace tarvo;

namespace {

constexpr float kKept = -1; // the rule leaves this size alone

// Inputs: client width and height, outer width and height in twips, Text1's
// height, the console's top and height. Outputs: Text1 width and height, Line1's
// X2, the tab strip's width, the console height, its panes' height in twips;
// worked out by hand in double precision, then rounded to single precision.
struct LayoutCase {
    const char* name;
    double in[7];
    float out[6];
};

const LayoutCase kCases[] = {
    // The design: 708 x 576 client, outer 716 x 631 pixels at 15 twips per pixel.
    {"design size",
     {708, 576, 10740, 9465, 353, 480, 200},
     {312.46927f, 527.31537f, 708, 312.46927f, 76.31537f, 550.88568f}},
    {"large window",
     {1000, 700, 15120, 11235, 353, 480, 200},
     {603.17462f, 650.15576f, 1000, 603.17462f, 199.15576f, 2406.43506f}},
    // 6000 twips or less across: Text1 and the tab strip keep their width.
    {"narrow window",
     {380, 576, 5820, 9465, 353, 480, 200},
     {kKept, 527.31537f, 380, 57, 76.31537f, 556.19855f}},
    // Minimised: the console height is reproduced, the pane rule is skipped.
    {"minimised", {0, 0, 2400, 450, 527, 480, 76}, {kKept, kKept, 0, 57, 76, kKept}},
    // After SmallScreen the console starts at the grid's top (353).
    {"small screen",
     {708, 576, 10740, 9465, 527, 353, 76},
     {312.46927f, 527.31537f, 708, 312.46927f, 203.31537f, 2477.41113f}},
    {"small screen, enlarged",
     {1000, 700, 15120, 11235, 527, 353, 203},
     {603.17462f, 650.15576f, 1000, 603.17462f, 326.15576f, 4326.67529f}},
    // A or B not above 1 skips the first rule entirely.
    {"A not above 1",
     {100, 100, 600, 600, 353, 480, 200},
     {kKept, kKept, kKept, kKept, kKept, 960}},
    {"B not above 1",
     {100, 100, 6000, 600, 353, 480, 200},
     {kKept, kKept, kKept, kKept, kKept, 9600}},
    // A window not yet realised: nothing divides by zero.
    {"no outer size", {708, 576, 0, 0, 353, 480, 200}, {kKept, kKept, kKept, kKept, kKept, kKept}},
};

TEST(LayoutRules, FollowTheFormulas) {
    for (const LayoutCase& c : kCases) {
        SCOPED_TRACE(c.name);
        LayoutInput in;
        in.clientWidth = c.in[0];
        in.clientHeight = c.in[1];
        in.outerWidth = c.in[2];
        in.outerHeight = c.in[3];
        in.text1Height = c.in[4];
        in.consoleTop = c.in[5];
        in.consoleHeight = c.in[6];
        const LayoutOutput o = computeLayout(in);
        const std::pair<bool, float> got[] = {{o.setText1Width, o.text1Width},
                                              {o.setText1Height, o.text1Height},
                                              {o.setLine1X2, o.line1X2},
                                              {o.setTabStripWidth, o.tabStripWidth},
                                              {o.setConsoleHeight, o.consoleHeight},
                                              {o.setConsolePaneHeights, o.consolePaneHeightTwips}};
        for (int k = 0; k < 6; ++k)
            EXPECT_FLOAT_EQ(got[k].first ? got[k].second : kKept, c.out[k]) << "output " << k;
        EXPECT_FLOAT_EQ(o.gridColumn0Twips, 2800);
        EXPECT_FLOAT_EQ(o.gridColumn1Twips, 2630);
    }
}

} // namespace
