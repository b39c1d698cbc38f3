#pragma once

#include "colorize_scan.h"

namespace tarvo {

using pane_styles::StyleRun;
using LineStyleList = QVector<StyleRun>;

// The styles of one line once the scan's runs of that line are laid over
// `existing`: a run sets its colour, and its weight where it has one; the
// rest keeps what it had. Runs are clipped to the line's `lineLength`
// characters (its text without the break); EarlierWord runs must have been
// resolved into keyword runs before.
LineStyleList overlayRuns(const LineStyleList& existing, const QVector<LineRun>& runs,
                          int lineLength);

} // namespace tarvo
