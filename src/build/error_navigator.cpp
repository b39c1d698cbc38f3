#include "error_navigator.h"

#include "app/core/ide_context.h"
#include "console_pane.h"
#include "diagnostic_target.h"
#include "editor/file_tabs.h"
#include "editor/jump_to_line.h"
#include "platform/command_line.h"
#include "platform/dialogs.h"
#include "platform/line_number_gutter.h"
#include "platform/program_starter.h"
#include "project/project_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QTabWidget>

namespace tarvo {

namespace {

// Symbolic links and the like resolved, where the file exists.
QString realPath(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

} // namespace

ErrorNavigator::ErrorNavigator(IdeContext& ctx, FileTabs& tabs) : m_ctx(ctx), m_tabs(tabs) {}

ConsolePane* ErrorNavigator::pane(int paneIndex) const {
    return paneIndex == 0 ? m_ctx.ui.ConsoleText1 : m_ctx.ui.ConsoleText2;
}

int ErrorNavigator::paneIndexOf(int index) const {
    return index < m_found[0].size() ? 0 : 1;
}

// Parsed again only when a pane's text changed since the last look; the place
// in the list starts over then.
void ErrorNavigator::refresh() {
    for (int p = 0; p < 2; ++p) {
        if (pane(p)->changeCount() == m_seen[p])
            continue;
        m_found[p] = parseDiagnostics(pane(p)->text());
        m_seen[p] = pane(p)->changeCount();
        m_current = -1;
    }
}

int ErrorNavigator::count() {
    refresh();
    return int(m_found[0].size() + m_found[1].size());
}

void ErrorNavigator::lineActivated(ConsolePane* console) {
    refresh();
    const int p = console == pane(0) ? 0 : 1;
    const qsizetype k = diagnosticAtPosition(m_found[p], console->selStart());
    if (k >= 0)
        goTo(int(k) + (p == 0 ? 0 : int(m_found[0].size())));
}

void ErrorNavigator::NextError_Click() {
    const int n = count();
    if (n > 0)
        goTo((m_current + 1) % n);
}

void ErrorNavigator::PreviousError_Click() {
    const int n = count();
    if (n > 0)
        goTo(m_current < 0 ? n - 1 : (m_current + n - 1) % n);
}

void ErrorNavigator::goTo(int index) {
    m_current = index;
    const int p = paneIndexOf(index);
    const Diagnostic& d = p == 0 ? m_found[0][index] : m_found[1][index - m_found[0].size()];
    m_ctx.ui.Console->setCurrentIndex(p);
    pane(1 - p)->clearMark();
    pane(p)->markLine(int(d.lineStart));
    openFile(d);
}

QString ErrorNavigator::fileOfTab(int tab) const {
    const QString& project = m_ctx.project.ProjectPath;
    if (tab == 1)
        return resourceTxtPath(project);
    if (tab == 2)
        return resourceHPath(project);
    return codeFilePath(project, m_tabs.tabCaption(tab));
}

QStringList ErrorNavigator::tabFiles() const {
    QStringList files;
    for (int tab = 1; m_ctx.project.isOpen() && tab <= m_tabs.tabCount(); ++tab)
        files << realPath(fileOfTab(tab));
    return files;
}

int ErrorNavigator::tabOf(const QString& file, const QStringList& tabFiles, QString* path) const {
    const bool open = m_ctx.project.isOpen();
    *path =
        realPath(diagnosticFilePath(file, open ? m_ctx.project.ProjectPath : QDir::currentPath()));
    return tabOfFile(*path, tabFiles, kFileNameCase);
}

void ErrorNavigator::openFile(const Diagnostic& d) {
    QString path;
    if (const int tab = tabOf(d.file, tabFiles(), &path); tab > 0) {
        jumpToLine(m_ctx.ui, m_tabs, tab, d.line, d.column);
        return;
    }
    if (!QFileInfo(path).isFile()) {
        m_ctx.dialogs->message(QStringLiteral("The file %1 of the compiler message was not found.")
                                   .arg(QDir::toNativeSeparators(path)),
                               QStringLiteral("Tarvo IDE"));
        return;
    }
    // No tab holds it: the outside editor, as Edit External File would.
    const QString editor =
        m_ctx.settings.PreferedTextEditor.isEmpty() ? kNotepad : m_ctx.settings.PreferedTextEditor;
    m_ctx.starter->start(commandFromSetting(editor, {QDir::toNativeSeparators(path)}),
                         WindowStyle::NormalFocus);
}

void ErrorNavigator::showMarkers() {
    refresh();
    const QStringList files = tabFiles();
    QHash<QString, int> tabByName; // a build names few files many times
    QMap<int, QList<LineMarker>> byTab;
    for (const QList<Diagnostic>& found : m_found) {
        for (const Diagnostic& d : found) {
            auto it = tabByName.constFind(d.file);
            if (it == tabByName.cend()) {
                QString path;
                it = tabByName.insert(d.file, tabOf(d.file, files, &path));
            }
            if (*it == 0)
                continue;
            const MarkerKind kind = d.severity == Severity::Error     ? MarkerKind::Error
                                    : d.severity == Severity::Warning ? MarkerKind::Warning
                                                                      : MarkerKind::Note;
            byTab[*it].append({d.line, kind, d.message});
        }
    }
    for (int tab = 1; tab <= std::max(2, m_tabs.tabCount()); ++tab) {
        RichTextPane* pane = m_tabs.paneOfTab(tab);
        if (!pane || !pane->gutter())
            continue;
        if (byTab.contains(tab))
            pane->gutter()->setMarkers(byTab.value(tab));
        else
            pane->gutter()->clearMarkers();
    }
}

} // namespace tarvo
