#pragma once

#include <QString>

namespace tarvo {

struct IdeContext;

// The PDF viewer's command, then the manual's path in quotes: only the path
// is quoted, so that blanks in it reach the viewer as one argument.
QString manualCommandLine(const QString& adobePath, const QString& docPath,
                          const QString& document);

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
    void openManual(const QString& document);
    void openFolder(const QString& folder);

    IdeContext& m_ctx;
};

} // namespace tarvo
