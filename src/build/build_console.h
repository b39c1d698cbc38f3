#pragma once

namespace tarvo {

struct IdeContext;

// Polls for Err.txt and Out.txt while Timer1 runs.
class BuildConsole {
public:
    explicit BuildConsole(IdeContext& ctx);
    void Timer1_Timer();

private:
    IdeContext& m_ctx;
};

} // namespace tarvo
