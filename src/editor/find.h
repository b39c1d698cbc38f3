#pragma once

namespace tarvo {

class FileTabs;
struct IdeContext;

// Find and Find Again in the pane of the selected tab.
class Finder {
public:
    Finder(IdeContext& ctx, FileTabs& tabs);
    void Find_Click();
    void FindAgain_Click();

private:
    IdeContext& m_ctx;
    FileTabs& m_tabs;
};

} // namespace tarvo
