#pragma once

#include <QObject>
#include <QString>
#include <QVector>

namespace tarvo {

class FileTabs;
class RichTextPane;
struct IdeContext;

// What Enter puts in place of the selection: a line break and the indent of
// the new line. `beforeCaret` is the split line's text before the caret: its
// leading blanks and tabs are kept, and after a "{" one step is added,
// `tabSpace` spaces when that indent holds no tab and `tabSpace` is at least
// 1, else a tab.
QString lineBreakWithIndent(QStringView beforeCaret, int tabSpace);
// What a line of only `blanks` holds once "}" is typed on it: one step less
// (its last tab, or up to `tabSpace` spaces), then the brace.
QString lineWithClosingBrace(QStringView blanks, int tabSpace);
// The line number (1 to `lineCount`) an answer names, or 0 when it names none.
int lineNumberFromAnswer(const QString& answer, int lineCount);
// Where `what` occurs in `text`, left to right without overlapping, letter
// case ignored.
QVector<int> occurrences(QStringView text, const QString& what);

// Go to Line (Ctrl+G), Replace (Ctrl+H) and the indenting Enter and "}" of
// the editor panes. The keys are window shortcuts, apart from the menus.
class EditCommands final : public QObject {
    Q_OBJECT

public:
    EditCommands(IdeContext& ctx, FileTabs& tabs);
    // Enter and "}" indent in `pane` (Text1 and resourceh are attached here).
    void attachPane(RichTextPane* pane);

    void GoToLine_Click();
    void Replace_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void breakLine(RichTextPane& pane);
    bool typeClosingBrace(RichTextPane& pane);

    IdeContext& m_ctx;
    FileTabs& m_tabs;
};

} // namespace tarvo
