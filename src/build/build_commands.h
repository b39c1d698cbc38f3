#pragma once

namespace tarvo {

struct IdeContext;

// Debug, release, build-all and load builds: start a batch file of IniPath
// with the project folder.
class BuildCommands {
public:
    explicit BuildCommands(IdeContext& ctx);
    void Command10_Click(); // debug build
    void Command6_Click();  // release build
    void Command9_Click();  // build all
    void Command7_Click();  // load build

private:
    IdeContext& m_ctx;
};

} // namespace tarvo
