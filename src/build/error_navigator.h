#pragma once

#include "diagnostics.h"

#include <QList>
#include <QStringList>

namespace tarvo {

class ConsolePane;
class FileTabs;
struct IdeContext;

// From the compiler messages in the console to their lines: a double click or
// Enter on a message's line, and F8 / Shift+F8 through all messages, those of
// the Errors pane first, then those of the Output pane.
class ErrorNavigator {
public:
    ErrorNavigator(IdeContext& ctx, FileTabs& tabs);

    void lineActivated(ConsolePane* pane); // the message on the pane's caret line
    void NextError_Click();                // F8, wrapping
    void PreviousError_Click();            // Shift+F8, wrapping

    // After a build: a gutter marker on each line of a tab's pane that a
    // message names, in place of the markers of the build before.
    void showMarkers();

    int count();                              // messages in both panes now
    int current() const { return m_current; } // -1 until one is gone to

private:
    void refresh();
    void goTo(int index);
    int paneIndexOf(int index) const; // 0: Errors, 1: Output
    ConsolePane* pane(int paneIndex) const;
    void openFile(const Diagnostic& d);
    QString fileOfTab(int tab) const;
    QStringList tabFiles() const;
    // The tab that holds a message's file (0: none), and the file's path.
    int tabOf(const QString& file, const QStringList& tabFiles, QString* path) const;

    IdeContext& m_ctx;
    FileTabs& m_tabs;
    QList<Diagnostic> m_found[2];
    quint64 m_seen[2] = {~quint64(0), ~quint64(0)};
    int m_current = -1;
};

} // namespace tarvo
