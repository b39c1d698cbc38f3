#include "recovery_store.h"

#include "platform/file_ops.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <algorithm>

namespace tarvo {

namespace {

const QString kListName = QStringLiteral("files");
const QByteArray kListHeader = "TarvoIDE recovery 1";

QString dataName(int i) {
    return QStringLiteral("text-%1").arg(i);
}

} // namespace

QString recoveryRoot() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/tarvoide/recovery");
}

QString normalProjectPath(const QString& projectPath) {
    return QDir::cleanPath(QFileInfo(projectPath).absoluteFilePath());
}

QString projectRecoveryFolder(const QString& root, const QString& projectPath) {
    const QString path = normalProjectPath(projectPath);
    QString name = QFileInfo(path).fileName().left(40);
    for (QChar& c : name) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_'))
            c = QLatin1Char('_');
    }
    const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1);
    return root + QLatin1Char('/') + name + QLatin1Char('-') +
           QString::fromLatin1(hash.toHex().left(16));
}

bool writeRecoverySession(const RecoverySession& session, QString* error) {
    if (!QDir().mkpath(session.folder)) {
        if (error)
            *error = QStringLiteral("The folder %1 cannot be created").arg(session.folder);
        return false;
    }
    QByteArray list = kListHeader + '\n' + normalProjectPath(session.projectPath).toUtf8() + '\n';
    QStringList kept{kListName, QStringLiteral("lock")};
    for (int i = 0; i < session.files.size(); ++i) {
        const QString data = dataName(i);
        if (!FileOps::WriteAllAtomic(session.folder + QLatin1Char('/') + data,
                                     session.files[i].text, error))
            return false;
        list += session.files[i].name.toUtf8() + '\t' + data.toUtf8() + '\n';
        kept << data;
    }
    if (!FileOps::WriteAllAtomic(session.folder + QLatin1Char('/') + kListName, list, error))
        return false;
    const QDir dir(session.folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (!kept.contains(name))
            QFile::remove(dir.filePath(name));
    }
    return true;
}

RecoverySession readRecoverySession(const QString& folder) {
    RecoverySession session;
    session.folder = folder;
    QByteArray list;
    if (!FileOps::ReadAll(folder + QLatin1Char('/') + kListName, &list))
        return session;
    const QList<QByteArray> lines = list.split('\n');
    if (lines.size() < 2 || lines[0] != kListHeader)
        return session;
    session.projectPath = QString::fromUtf8(lines[1]);
    for (int i = 2; i < lines.size(); ++i) {
        const int tab = int(lines[i].indexOf('\t'));
        if (tab <= 0)
            continue;
        const QString data = folder + QLatin1Char('/') + QString::fromUtf8(lines[i].mid(tab + 1));
        RecoveredFile file;
        file.name = QString::fromUtf8(lines[i].left(tab));
        // A name that climbs out of the project folder is not ours to restore.
        if (file.name.startsWith(QLatin1Char('/')) ||
            file.name.split(QLatin1Char('/')).contains(QStringLiteral("..")))
            continue;
        if (!FileOps::ReadAll(data, &file.text))
            continue;
        file.written = QFileInfo(data).lastModified().toMSecsSinceEpoch();
        session.files << file;
    }
    return session;
}

QList<RecoverySession> orphanedSessions(const QString& projectFolder, const QString& projectPath) {
    QList<RecoverySession> out;
    const QDir dir(projectFolder);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString folder = dir.filePath(name);
        // The lock of a running IDE cannot be taken; one whose owner died can.
        QLockFile lock(folder + QStringLiteral("/lock"));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue;
        lock.unlock();
        RecoverySession session = readRecoverySession(folder);
        if (!session.files.isEmpty() && session.projectPath == normalProjectPath(projectPath))
            out << session;
    }
    auto newest = [](const RecoverySession& s) {
        qint64 t = 0;
        for (const RecoveredFile& f : s.files)
            t = std::max(t, f.written);
        return t;
    };
    std::stable_sort(
        out.begin(), out.end(),
        [&](const RecoverySession& a, const RecoverySession& b) { return newest(a) > newest(b); });
    return out;
}

bool removeRecoverySession(const QString& folder, QString* error) {
    if (folder.isEmpty()) // QDir would take it for the working folder
        return true;
    QDir dir(folder);
    if (!dir.exists() || dir.removeRecursively())
        return true;
    if (error)
        *error = QStringLiteral("The folder %1 cannot be removed").arg(folder);
    return false;
}

TextSpan changedSpan(const QString& from, const QString& to) {
    const int shorter = int(std::min(from.size(), to.size()));
    int prefix = 0;
    while (prefix < shorter && from[prefix] == to[prefix])
        ++prefix;
    int suffix = 0;
    while (suffix < shorter - prefix &&
           from[from.size() - 1 - suffix] == to[to.size() - 1 - suffix])
        ++suffix;
    // Positions between a CR and its LF name no place in a pane's text.
    auto splitsBreak = [](const QString& s, int at) {
        return at > 0 && at < s.size() && s[at - 1] == QLatin1Char('\r') &&
               s[at] == QLatin1Char('\n');
    };
    if (splitsBreak(from, prefix) || splitsBreak(to, prefix))
        --prefix;
    if (splitsBreak(from, int(from.size()) - suffix) || splitsBreak(to, int(to.size()) - suffix))
        --suffix;
    return {prefix, int(from.size()) - prefix - suffix,
            to.mid(prefix, to.size() - prefix - suffix)};
}

} // namespace tarvo
