#pragma once

#include <functional>

namespace tarvo {

struct IdeContext;

// Polls for Err.txt and Out.txt while Timer1 runs.
class BuildConsole {
public:
    explicit BuildConsole(IdeContext& ctx);
    void Timer1_Timer();
    // Escape or "Stop Waiting" in the console: ends the wait for a build that
    // never writes its files, and says so in both panes.
    void StopWaiting_Click();

    // Runs when a poll has shown a build's two files.
    std::function<void()> onOutputShown;

private:
    IdeContext& m_ctx;
};

} // namespace tarvo
