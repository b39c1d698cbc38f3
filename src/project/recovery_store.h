#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tarvo {

// The unsaved texts of a project as one session of the IDE last wrote them.
struct RecoveredFile {
    QString name;     // relative to the project folder, '/' separated
    QByteArray text;  // UTF-8, CR LF line breaks, as the pane holds it
    qint64 written{}; // ms since the epoch
};

struct RecoverySession {
    QString folder; // where the session keeps its files
    QString projectPath;
    QList<RecoveredFile> files;
};

// "$XDG_STATE_HOME/tarvoide/recovery", by default "~/.local/state/tarvoide/recovery".
QString recoveryRoot();
// The folder under `root` that holds every session's data of one project: a
// readable name followed by a hash of the project's absolute path.
QString projectRecoveryFolder(const QString& root, const QString& projectPath);
// The same project however its path was typed (a trailing separator, "..").
QString normalProjectPath(const QString& projectPath);

// Writes the session's files, each atomically, then its list of them, which
// makes the new state count; files of an earlier state are removed after.
bool writeRecoverySession(const RecoverySession& session, QString* error = nullptr);
// The session stored in `folder`, or an empty list of files when it holds none
// that can be read.
RecoverySession readRecoverySession(const QString& folder);
// Sessions of `projectPath` below `projectFolder`, newest first, that belong to
// no running IDE (their owner crashed or left them for later).
QList<RecoverySession> orphanedSessions(const QString& projectFolder, const QString& projectPath);
bool removeRecoverySession(const QString& folder, QString* error = nullptr);

// The least edit that turns `from` into `to`: the characters start..start+removed
// of `from` replaced by `inserted`. A CR LF pair is never split.
struct TextSpan {
    int start = 0;
    int removed = 0;
    QString inserted;
};
TextSpan changedSpan(const QString& from, const QString& to);

} // namespace tarvo
