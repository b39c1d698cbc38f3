#pragma once

namespace tarvo {

// What the layout rules read from the window and its controls.
struct LayoutInput {
    double clientWidth = 0;  // SW, pixels
    double clientHeight = 0; // SH, pixels
    double outerWidth = 0;   // W, twips
    double outerHeight = 0;  // H, twips
    double text1Top = 29;
    double text1Width = 57;
    double text1Height = 353;
    double consoleTop = 480;
    double consoleHeight = 200;
};

// What they set; a field is only applied when its flag says so.
struct LayoutOutput {
    bool setText1Width = false;
    float text1Width = 0;
    bool setText1Height = false;
    float text1Height = 0;
    bool setLine1X2 = false;
    float line1X2 = 0;
    bool setTabStripWidth = false;
    float tabStripWidth = 0; // equals Text1's width after the rule
    float gridColumn0Twips = 2800;
    float gridColumn1Twips = 2630;
    bool setConsoleHeight = false;
    float consoleHeight = 0;
    bool setConsolePaneHeights = false;
    float consolePaneHeightTwips = 0;
};

// The rules that run on every resize (Form_Resize). Every computed size is
// rounded to single precision.
LayoutOutput computeLayout(const LayoutInput& in);

// Twips per pixel at the screen's logical DPI (15 at 96 DPI).
inline double twipsPerPixel(double logicalDpi) {
    return 1440.0 / logicalDpi;
}

} // namespace tarvo
