#include "file_tabs.h"

#include "app/core/ide_context.h"
#include "colorizer.h"
#include "platform/file_ops.h"
#include "platform/pane_family.h"
#include "platform/paths.h"
#include "platform/rich_text_pane.h"

#include <QAction>
#include <QSignalBlocker>
#include <QTabBar>

namespace tarvo {

FileTabs::FileTabs(IdeContext& ctx, Colorizer& colorizer) : m_ctx(ctx), m_colorizer(colorizer) {}

bool FileTabs::ShowFileList(const QString& folderspec, QString* error) {
    QStringList names;
    if (!FileOps::ListFiles(folderspec, &names, error))
        return false;
    QTabBar* strip = m_ctx.ui.TabStrip1;
    int n = 2;
    for (const QString& name : names) {
        ++n;
        {
            const QSignalBlocker block(strip);
            const int at = strip->insertTab(n - 1, name);
            strip->setTabData(at, name);
        }
        RichTextPane* pane = m_ctx.ui.OtherTextFile->create(n);
        pane->hide();
        if (!pane->loadFile(folderspec + PathSep() + name, error)) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(name, *error);
            return false;
        }
    }
    m_ctx.ui.NewTextFile->setEnabled(true);
    return true;
}

void FileTabs::TabStrip1_Click() {}

void FileTabs::NewTextFile_Click() {}

void FileTabs::OtherTextFile_DblClick(int Index) {}

void FileTabs::resetToResourceTabs() {
    QTabBar* strip = m_ctx.ui.TabStrip1;
    const QSignalBlocker block(strip);
    for (int i = 3; i <= strip->count(); ++i)
        m_ctx.ui.OtherTextFile->destroy(i);
    while (strip->count() > 0)
        strip->removeTab(0);
    for (const QString& caption : {QStringLiteral("resource.txt"), QStringLiteral("resource.h")}) {
        const int at = strip->addTab(caption);
        strip->setTabData(at, caption);
    }
}

void FileTabs::setTabModified(int i, bool modified) {
    QTabBar* strip = m_ctx.ui.TabStrip1;
    if (i < 1 || i > strip->count())
        return;
    const QString caption = tabCaption(i);
    strip->setTabData(i - 1, caption);
    strip->setTabText(i - 1, modified ? caption + QLatin1Char('*') : caption);
}

int FileTabs::tabCount() const { return m_ctx.ui.TabStrip1->count(); }

int FileTabs::selectedTab() const { return std::max(0, m_ctx.ui.TabStrip1->currentIndex()) + 1; }

QString FileTabs::tabCaption(int i) const {
    const QTabBar* strip = m_ctx.ui.TabStrip1;
    if (i < 1 || i > strip->count())
        return {};
    const QVariant data = strip->tabData(i - 1);
    return data.isValid() ? data.toString() : strip->tabText(i - 1);
}

RichTextPane* FileTabs::paneOfTab(int i) const {
    if (i == 1)
        return m_ctx.ui.Text1;
    if (i == 2)
        return m_ctx.ui.resourceh;
    return i >= 3 ? m_ctx.ui.OtherTextFile->at(i) : nullptr;
}

RichTextPane* FileTabs::paneOnView() const {
    for (int i = 1; i <= std::max(2, tabCount()); ++i) {
        RichTextPane* pane = paneOfTab(i);
        if (pane && !pane->isHidden())
            return pane;
    }
    return nullptr;
}

} // namespace tarvo
