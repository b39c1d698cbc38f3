#pragma once

#include <functional>

namespace tarvo {

// Runs `work` on a thread of its own and returns once it is done. Meanwhile
// the window keeps painting and its timers keep running, with the hourglass
// shown; keys, clicks and close requests wait until the work is done, so no
// command can start in the middle of it. `work` must not touch any widget.
void runInBackground(const std::function<void()>& work);

} // namespace tarvo
