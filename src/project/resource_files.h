#pragma once

#include <QString>

namespace tarvo {

class RichTextPane;
struct IdeContext;

// The resource pane switches, the bitmap commands and Edit External File.
class ResourceFiles {
public:
    explicit ResourceFiles(IdeContext& ctx);
    void resourcetxt_Click();
    void resourceh1_Click();
    void mainbmp1_Click();
    void formbmp1_Click();
    void EditFile_Click();

private:
    void showResourcePane(RichTextPane* shown, RichTextPane* hidden);
    void startBitmapEditor(const QString& bitmap);

    IdeContext& m_ctx;
};

} // namespace tarvo
