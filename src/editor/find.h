#pragma once

namespace tarvo {

class FileTabs;
class RichTextPane;
struct IdeContext;

// Find and Find Again in the pane of the selected tab.
class Finder {
public:
    Finder(IdeContext& ctx, FileTabs& tabs);
    void Find_Click();
    void FindAgain_Click();

private:
    // The selected tab's pane, or the pane on view when that one is hidden.
    RichTextPane* searchedPane() const;

    IdeContext& m_ctx;
    FileTabs& m_tabs;
};

} // namespace tarvo
