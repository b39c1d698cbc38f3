#pragma once

#include <functional>

namespace tarvo {

// Runs `work` on a thread of its own and returns once it is done. Meanwhile
// the window keeps painting and its timers keep running, with the hourglass
// shown; keys, clicks and close requests wait until the work is done, so no
// command can start in the middle of it. `work` must not touch any widget.
void runInBackground(const std::function<void()>& work);

// Calls `slice` again and again until it returns false, letting the window
// paint and its timers run between calls, as runInBackground does: for work
// that must happen on the window's thread but takes too long for one go.
void runInSlices(const std::function<bool()>& slice);

} // namespace tarvo
