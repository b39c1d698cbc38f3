#include "layout_rules.h"

namespace tarvo {

namespace {

// 6000 twips of outer width stay with the left-hand part of the window, 800
// twips of outer height with the menu, tab row and status bar.
constexpr double kFixedWidthTwips = 6000;
constexpr double kFixedHeightTwips = 800;
constexpr double kConsoleFramePixels = 40;

} // namespace

LayoutOutput computeLayout(const LayoutInput& in) {
    LayoutOutput out;
    const double SW = in.clientWidth;
    const double SH = in.clientHeight;
    const double W = in.outerWidth;
    const double H = in.outerHeight;

    float text1Width = float(in.text1Width);
    float text1Height = float(in.text1Height);
    // A window without an outer size has no ratio of pixels to twips.
    if (W > 0 && H > 0) {
        const double A = W - kFixedWidthTwips * SW / W;
        const double B = H - kFixedWidthTwips * SH / H;
        if (A > 1 && B > 1) {
            const float w = float(SW - kFixedWidthTwips * SW / W);
            if (w > 0) {
                out.setText1Width = true;
                out.text1Width = w;
                text1Width = w;
            }
            const float h = float(SH - kFixedHeightTwips * SH / H);
            if (h > 0) {
                out.setText1Height = true;
                out.text1Height = h;
                text1Height = h;
            }
            out.setLine1X2 = true;
            out.line1X2 = float(SW);
            out.setTabStripWidth = true;
            out.tabStripWidth = text1Width;
        }
    }

    out.gridColumn0Twips = 2800;
    out.gridColumn1Twips = 2630;

    float consoleHeight = float(in.consoleHeight);
    const float c = float(in.text1Top + double(text1Height) - in.consoleTop);
    if (c > 0) {
        out.setConsoleHeight = true;
        out.consoleHeight = c;
        consoleHeight = c;
    }

    if (SW > 0) {
        const float t = float((double(consoleHeight) - kConsoleFramePixels) * W / SW);
        if (t > 0) {
            out.setConsolePaneHeights = true;
            out.consolePaneHeightTwips = t;
        }
    }
    return out;
}

} // namespace tarvo
