#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace tarvo {

class Colorizer;
class RichTextPane;
struct IdeContext;

// The tab strip and the binding of tab, pane and file. Tab numbers are 1-based:
// tab 1 is Text1, tab 2 resourceh, tab i >= 3 code pane i of OtherTextFile.
class FileTabs {
public:
    FileTabs(IdeContext& ctx, Colorizer& colorizer);

    // One tab and code pane per file directly in `folderspec`. False, with the
    // reason, when the folder cannot be listed or a file cannot be loaded; tabs
    // added before the failure stay. A file whose bytes `readAlready` holds
    // (by path) takes them from there instead of reading the file again.
    bool ShowFileList(const QString& folderspec, QString* error = nullptr,
                      QHash<QString, QByteArray>* readAlready = nullptr);
    void TabStrip1_Click();
    void NewTextFile_Click();
    void OtherTextFile_DblClick(int Index);

    // Open/New Project: unload code panes 3.., clear the strip, add
    // "resource.txt" and "resource.h".
    void resetToResourceTabs();

    // Adds a hidden, empty code pane and its tab at the end, as New Text File
    // does, for a file that is not on disk yet; returns the tab number.
    int addFileTab(const QString& caption);
    // Gives every code pane, shown or hidden, the rectangle of Text1; run
    // with the window's layout rules.
    void followText1();
    // The first screen while no project is open: how to open or create one.
    // Shown by Text1 over its empty text, not as text of the pane.
    void showWelcome();

    // Shows "*" after the caption of a tab whose pane holds unsaved changes.
    void setTabModified(int i, bool modified);
    // Marks a tab whose file is gone from the disk: " (deleted)" after the
    // caption and its "*", and a tooltip saying so.
    void setTabDeleted(int i, bool deleted);

    int tabCount() const;
    int selectedTab() const;         // 1-based; the design tab counts as 1
    QString tabCaption(int i) const; // the file name, without any change marker
    RichTextPane* paneOfTab(int i) const;
    // The pane of tab i if its widget was made; nullptr otherwise. Makes none.
    RichTextPane* madePaneOfTab(int i) const;
    // Gives code tab i, whose widget was never made, the file's new bytes
    // without making it; false when there is no such pane.
    bool reloadUnmadePane(int i, const QByteArray& bytes);
    // The tab of a pane, 0 when none; makes no pane's widget.
    int tabOfPane(const RichTextPane* pane) const;
    // The pane on view, which can differ from the selected tab's pane after the
    // resource menu commands.
    RichTextPane* paneOnView() const;
    // The pane a command of the Edit keys works on: the selected tab's, or the
    // pane on view when that one is hidden.
    RichTextPane* paneInUse() const;

    // Why `name` cannot be the caption of a new text file; empty when it can.
    QString newFileNameRefusal(const QString& name) const;
    // Captions whose panes are coloured: ".c", ".h", ".cpp", letter case as is.
    static bool isColouredCaption(const QString& caption);

private:
    void hideCodePanes(); // code panes 3 to the number of tabs
    // Gives code pane i the rectangle of Text1, colours it when its caption
    // asks for it, then shows it.
    void showCodePane(int i);

    IdeContext& m_ctx;
    Colorizer& m_colorizer;
};

} // namespace tarvo
