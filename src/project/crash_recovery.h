#pragma once

#include "project_folder.h"

#include <QHash>
#include <QLockFile>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

namespace tarvo {

class FileTabs;
class RichTextPane;
struct IdeContext;

// Keeps the unsaved texts of the open project outside the project, so that a
// crash loses at most the last seconds of work, and offers them back when the
// project is opened again.
class CrashRecovery : public QObject {
    Q_OBJECT

public:
    using FileList = std::function<QList<ProjectFile>()>;

    // The interval and the pause after designer gestures can be shortened
    // (TARVO_RECOVERY_INTERVAL_MS, TARVO_RECOVERY_SETTLE_MS) for tests.
    CrashRecovery(IdeContext& ctx, FileTabs& tabs, FileList files);
    ~CrashRecovery() override;

    // Counts the pane's edits; edits to Text1, where designer gestures land,
    // are written once a series of them has settled.
    void watchPane(RichTextPane* pane);

    // Offers the newest data that a crashed session left for the project just
    // loaded (Restore / Discard / Later).
    void projectLoaded();
    // Writes the changed panes now, or removes this session's data when none is;
    // false when changed texts could not be written.
    bool update();
    // This session's data is no longer wanted (the user discarded the changes).
    void discard();

    QString sessionFolder() const; // where this session writes for the open project

private:
    void edited(RichTextPane* pane);
    bool restore(const struct RecoverySession& session);

    IdeContext& m_ctx;
    FileTabs& m_tabs;
    FileList m_files;
    QTimer m_interval; // runs while there are unsaved changes
    QTimer m_settle;   // restarted by every edit of Text1
    bool m_dirty = false;
    QHash<const RichTextPane*, quint64> m_editCounts; // as last seen, so a build is no edit
    QString m_writtenFolder;                          // the folder holding data, when it does
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tarvo
