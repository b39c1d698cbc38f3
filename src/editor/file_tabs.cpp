#include "file_tabs.h"

#include "app/core/ide_context.h"

namespace tarvo {

FileTabs::FileTabs(IdeContext& ctx, Colorizer& colorizer) : m_ctx(ctx), m_colorizer(colorizer) {}

bool FileTabs::ShowFileList(const QString& folderspec, QString* error) {
    return false;
}

void FileTabs::TabStrip1_Click() {}

void FileTabs::NewTextFile_Click() {}

void FileTabs::OtherTextFile_DblClick(int Index) {}

void FileTabs::resetToResourceTabs() {}

int FileTabs::tabCount() const {
    return 0;
}

int FileTabs::selectedTab() const {
    return 0;
}

QString FileTabs::tabCaption(int i) const {
    return {};
}

RichTextPane* FileTabs::paneOfTab(int i) const {
    return nullptr;
}

RichTextPane* FileTabs::paneOnView() const {
    return nullptr;
}

} // namespace tarvo
