#include "outside_changes.h"

#include "app/core/ide_context.h"
#include "editor/file_tabs.h"
#include "platform/background_work.h"
#include "platform/dialogs.h"
#include "platform/file_ops.h"
#include "platform/rich_text_pane.h"

#include <QDir>
#include <QFileInfo>
#include <QScrollBar>
#include <QSet>

namespace tarvo {

namespace {

const QString kTitle = QStringLiteral("Tarvo IDE");
constexpr qsizetype kFilesLookedAtOnce = 64;
constexpr qint64 kBytesReadAtOnce = 4 << 20;

} // namespace

OutsideChanges::OutsideChanges(IdeContext& ctx, FileTabs& tabs, FileList files)
    : m_ctx(ctx), m_tabs(tabs), m_files(std::move(files)) {
    // A burst of events (a rename is several) makes one look.
    m_checkSoon.setSingleShot(true);
    m_checkSoon.setInterval(100);
    connect(&m_checkSoon, &QTimer::timeout, this, &OutsideChanges::checkNow);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this](const QString& path) {
        m_rearm << path;
        scheduleCheck();
    });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &OutsideChanges::scheduleCheck);
}

void OutsideChanges::projectLoaded(const QHash<QString, FileStamp>& stamps) {
    m_known.clear();
    const QList<ProjectFile> files = m_files();
    for (const ProjectFile& f : files)
        m_known.insert(f.path,
                       Known{stamps.contains(f.path) ? stamps.value(f.path) : stampFile(f.path)});
    rewatch(files);
}

void OutsideChanges::saved(const ProjectFile& file) {
    m_known.insert(file.path, Known{stampFile(file.path)});
    markDeleted(file, false);
    // The rename put a new file under the watched name; the next look watches it.
    m_rearm << QFileInfo(file.path).absoluteFilePath();
    scheduleCheck();
}

bool OutsideChanges::needsWriting(const ProjectFile& file) const {
    return file.isModified() || !m_known.contains(file.path);
}

OutsideChanges::Decision OutsideChanges::askBeforeWriting(const ProjectFile& file) {
    const DiskChange change = diskChange(m_known.value(file.path).stamp, file.path);
    if (change == DiskChange::None)
        return Decision::Write;
    const QString shown = displayPath(file.path);
    const QString text =
        change == DiskChange::Deleted
            ? QStringLiteral("%1 is no longer on disk (deleted, moved or replaced by a "
                             "folder).\n\nWrite it again?")
                  .arg(shown)
            : QStringLiteral("%1 has changed on disk since it was loaded or saved.\n\n"
                             "Overwrite it with the text in the IDE?")
                  .arg(shown);
    switch (m_ctx.dialogs->ask(
        text, QStringLiteral("Save Project"),
        {QStringLiteral("Overwrite"), QStringLiteral("Skip"), QStringLiteral("Cancel")}, 2)) {
    case 0:
        return Decision::Write;
    case 1:
        return Decision::Skip;
    default:
        return Decision::Cancel;
    }
}

void OutsideChanges::scheduleCheck() {
    if (m_ctx.project.isOpen())
        m_checkSoon.start();
}

void OutsideChanges::withoutChecks(const std::function<void()>& work) {
    ++m_holds;
    work();
    --m_holds;
    if (m_holds == 0 && m_checkWanted) {
        m_checkWanted = false;
        scheduleCheck();
    }
}

void OutsideChanges::checkNow() {
    if (!m_ctx.project.isOpen())
        return;
    // A question is open already (ours or a save's): look again once it is answered.
    if (m_holds > 0) {
        m_checkWanted = true;
        return;
    }
    withoutChecks([this] {
        const QList<ProjectFile> files = m_files();
        QList<Look> looks = lookAtDisk(files);
        bool resourceText = false;
        for (qsizetype i = 0; i < files.size(); ++i) {
            const ProjectFile& f = files[i];
            auto it = m_known.find(f.path);
            if (it == m_known.end())
                continue; // a new text file: the save asks if one turned up meanwhile
            const FileStamp& now = looks[i].now;
            const DiskChange change = looks[i].change;
            markDeleted(f, change == DiskChange::Deleted);
            if (change == DiskChange::None)
                it->stamp = now; // newer times, same content: no need to read it again
            // Each version is asked about or reported once; once the edits
            // kept against it are undone, it simply loads.
            if (change != DiskChange::Changed || now.sameMetadata(it->unreadable) ||
                (now.sameMetadata(it->declined) && f.isModified()))
                continue;
            if (f.isModified()) {
                const int answer = m_ctx.dialogs->ask(
                    QStringLiteral("%1 has changed on disk. Reload it and lose your changes?")
                        .arg(displayPath(f.path)),
                    kTitle, {QStringLiteral("Reload"), QStringLiteral("Keep Mine")}, 1);
                if (answer != 0) {
                    it->declined = now; // the save still asks before overwriting it
                    continue;
                }
            }
            reload(f, *it);
            resourceText = resourceText || f.pane == m_ctx.ui.Text1;
        }
        rewatch(files);
        if (resourceText)
            emit resourceTextReloaded();
    });
}

QList<OutsideChanges::Look> OutsideChanges::lookAtDisk(const QList<ProjectFile>& files) const {
    QList<Look> looks(files.size());
    qint64 toRead = 0;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const auto it = m_known.constFind(files[i].path);
        if (it == m_known.cend())
            continue; // never read or written: nothing to compare with
        looks[i].known = it->stamp;
        if (it->stamp.needsContentToCompare())
            toRead += it->stamp.size;
    }
    const auto look = [&] {
        for (qsizetype i = 0; i < files.size(); ++i)
            looks[i].change = diskChange(looks[i].known, files[i].path, &looks[i].now);
    };
    // Thousands of files, or big ones to read again, take long to look at: the
    // window goes on meanwhile. A few small ones are done before the hourglass
    // could even be seen. (A file changed since is read to be sure; that it is
    // big cannot be known beforehand.)
    if (files.size() > kFilesLookedAtOnce || toRead > kBytesReadAtOnce)
        runInBackground(look);
    else
        look();
    return looks;
}

void OutsideChanges::reload(const ProjectFile& file, Known& known) {
    QByteArray bytes;
    QString error;
    if (!FileOps::ReadAll(file.path, &bytes, &error)) {
        known.unreadable = stampMetadata(file.path);
        m_ctx.dialogs->message(
            QStringLiteral("%1 has changed on disk but could not be read again:\n%2\n\n"
                           "The IDE keeps the text it had.")
                .arg(displayPath(file.path), error),
            kTitle);
        return;
    }
    known = Known{stampOf(file.path, bytes)}; // of the very bytes the pane holds now
    // A question before may have let the pane be made meanwhile.
    if (m_tabs.reloadUnmadePane(file.tab, bytes))
        return;
    RichTextPane* pane = m_tabs.madePaneOfTab(file.tab);
    if (!pane)
        return;
    // A pane never shown holds only bytes: there is no view to keep.
    if (!pane->isBuilt()) {
        pane->loadData(bytes);
        return;
    }
    const int start = pane->selStart();
    const int length = pane->selLength();
    const int top = pane->verticalScrollBar()->value();
    const int left = pane->horizontalScrollBar()->value();
    pane->loadData(bytes);
    pane->select(start, length);
    pane->verticalScrollBar()->setValue(top);
    pane->horizontalScrollBar()->setValue(left);
}

void OutsideChanges::markDeleted(const ProjectFile& file, bool deleted) {
    m_tabs.setTabDeleted(file.tab, deleted);
}

void OutsideChanges::rewatch(const QList<ProjectFile>& files) {
    // The watcher drops a file replaced by a rename; the folders tell when one
    // comes back after a delete.
    QSet<QString> wanted;
    QSet<QString> folders; // looked at once, not once per file
    for (const ProjectFile& f : files) {
        const QFileInfo info(f.path);
        if (info.exists())
            wanted << info.absoluteFilePath();
        const QString folder = info.absolutePath();
        if (!folders.contains(folder)) {
            folders << folder;
            if (QFileInfo(folder).isDir())
                wanted << folder;
        }
    }
    // A path that fired may name another file now than the one watched.
    QStringList drop;
    for (const QString& p : m_watcher.files() + m_watcher.directories()) {
        if (!wanted.contains(p) || m_rearm.contains(p))
            drop << p;
    }
    m_rearm.clear();
    if (!drop.isEmpty())
        m_watcher.removePaths(drop);
    for (const QString& p : m_watcher.files() + m_watcher.directories())
        wanted.remove(p);
    if (!wanted.isEmpty())
        m_watcher.addPaths(QStringList(wanted.begin(), wanted.end()));
}

} // namespace tarvo
