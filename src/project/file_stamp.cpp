#include "file_stamp.h"

#include "platform/file_ops.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>

namespace tarvo {

namespace {

// Coarse file systems (FAT, some network shares) keep times in 2 s steps.
constexpr qint64 kTimeGranularityMs = 2000;

QByteArray contentHash(const QByteArray& content) {
    return QCryptographicHash::hash(content, QCryptographicHash::Sha1);
}

} // namespace

bool FileStamp::sameMetadata(const FileStamp& other) const {
    return exists == other.exists && size == other.size && modified == other.modified &&
           metadataChanged == other.metadataChanged;
}

bool FileStamp::needsContentToCompare() const {
    // A write in the same tick as the stamp leaves the times alone.
    return metadataChanged + kTimeGranularityMs >= takenAt || hash.isEmpty();
}

FileStamp stampMetadata(const QString& path) {
    FileStamp s;
    s.takenAt = QDateTime::currentMSecsSinceEpoch();
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return s;
    s.exists = true;
    s.size = info.size();
    s.modified = info.lastModified().toMSecsSinceEpoch();
    s.metadataChanged = info.metadataChangeTime().toMSecsSinceEpoch();
    return s;
}

FileStamp stampOf(const QString& path, const QByteArray& content) {
    FileStamp s = stampMetadata(path);
    if (s.exists)
        s.hash = contentHash(content);
    return s;
}

FileStamp stampFile(const QString& path) {
    FileStamp s = stampMetadata(path);
    QByteArray content;
    if (s.exists && FileOps::ReadAll(path, &content))
        s.hash = contentHash(content);
    return s;
}

DiskChange diskChange(const FileStamp& known, const QString& path, FileStamp* now) {
    FileStamp current = stampMetadata(path);
    DiskChange change = DiskChange::None;
    if (!current.exists) {
        change = known.exists ? DiskChange::Deleted : DiskChange::None;
    } else if (!known.exists) {
        change = DiskChange::Changed;
    } else {
        if (!current.sameMetadata(known) || known.needsContentToCompare()) {
            current = stampFile(path);
            if (current.hash.isEmpty() || current.hash != known.hash)
                change = DiskChange::Changed;
        } else {
            current.hash = known.hash;
        }
    }
    if (now)
        *now = current;
    return change;
}

} // namespace tarvo
