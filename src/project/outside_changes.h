#pragma once

#include "file_stamp.h"
#include "project_folder.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <functional>

namespace tarvo {

class FileTabs;
struct IdeContext;

// Keeps the project's panes honest about their files: remembers what each file
// was when it was loaded or saved, watches the files, reloads an unchanged pane
// whose file moved on, and asks before an edit is lost on either side.
class OutsideChanges : public QObject {
    Q_OBJECT

public:
    using FileList = std::function<QList<ProjectFile>()>;

    OutsideChanges(IdeContext& ctx, FileTabs& tabs, FileList files);

    // A project was loaded: `stamps` (by path) are the versions its panes hold.
    // Panes without a stamp are stamped from the disk as it is now.
    void projectLoaded(const QHash<QString, FileStamp>& stamps);
    // The pane was just written to its file.
    void saved(const ProjectFile& file);

    // Whether Save Project has to write the pane: its text differs from its file,
    // or it stands for a file the IDE has never read or written (a new text file).
    bool needsWriting(const ProjectFile& file) const;
    enum class Decision { Write, Skip, Cancel };
    // Asks (Overwrite / Skip / Cancel) when the file is not what the pane was
    // loaded from or last saved to.
    Decision askBeforeWriting(const ProjectFile& file);

    // Looks at the disk soon (after a watcher's hint or the window's activation);
    // several calls in a row make one look.
    void scheduleCheck();
    // Looks now: reloads or asks for each file that changed, marks deleted ones.
    void checkNow();

    // Runs `work` with checks held back, so that no question comes up in the
    // middle of it; a check asked for meanwhile runs afterwards.
    void withoutChecks(const std::function<void()>& work);

signals:
    // The resource text was reloaded from its file.
    void resourceTextReloaded();

private:
    struct Known {
        explicit Known(FileStamp version = {}) : stamp(std::move(version)) {}
        FileStamp stamp;      // the version the pane holds
        FileStamp declined;   // a version the user chose not to load (Keep Mine)
        FileStamp unreadable; // a version that could not be loaded
    };

    // What the disk holds for each of `files`, index for index.
    struct Look {
        FileStamp known; // the version the pane holds, if the IDE knows one
        DiskChange change = DiskChange::None;
        FileStamp now;
    };
    QList<Look> lookAtDisk(const QList<ProjectFile>& files) const;
    void reload(const ProjectFile& file, Known& known);
    void markDeleted(const ProjectFile& file, bool deleted);
    void rewatch(const QList<ProjectFile>& files);

    IdeContext& m_ctx;
    FileTabs& m_tabs;
    FileList m_files;
    QHash<QString, Known> m_known; // by path
    QFileSystemWatcher m_watcher;
    QSet<QString> m_rearm; // paths the watcher reported since the last rewatch
    QTimer m_checkSoon;
    int m_holds = 0;
    bool m_checkWanted = false;
};

} // namespace tarvo
