#pragma once

namespace tarvo {

struct IdeContext;

// Manuals, the help page and the folders of manuals and templates.
class Manuals {
public:
    explicit Manuals(IdeContext& ctx);
    void TarvoIDEHelp_Click();
    void UIAPI_Click();
    void UIDescriptions_Click();
    void UIEvents_Click();
    void SystemAPI_Click();
    void DataAPIPDF_Click();
    void DataManPDF_Click();
    void Others_Click();
    void CTemplates_Click();

private:
    IdeContext& m_ctx;
};

} // namespace tarvo
