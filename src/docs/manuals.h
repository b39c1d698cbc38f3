#pragma once

#include "platform/command_line.h"

#include <QString>

namespace tarvo {

struct IdeContext;

// The PDF viewer's command (which may carry its own arguments), then the
// manual's path as one argument.
ProgramCommand manualCommand(const QString& adobePath, const QString& docPath,
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
