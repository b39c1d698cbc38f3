#pragma once

#include <QByteArray>
#include <QString>

namespace tarvo {

// What a file looked like when the IDE last read or wrote it.
struct FileStamp {
    bool exists = false; // a file; a folder in its place does not count
    qint64 size = -1;
    qint64 modified = 0;        // ms since the epoch
    qint64 metadataChanged = 0; // ms since the epoch; a rename or write moves it on
    qint64 takenAt = 0;         // ms since the epoch
    QByteArray hash;            // of the content; empty when not known

    // Size and times alike: the same version as far as the metadata tells.
    bool sameMetadata(const FileStamp& other) const;
    // Whether only the content can tell a later version from this one: the
    // times were too recent to be trusted when it was taken, or no hash is known.
    bool needsContentToCompare() const;
};

enum class DiskChange { None, Changed, Deleted };

// The stamp of the file's metadata and of `content`, which the caller has just read.
FileStamp stampOf(const QString& path, const QByteArray& content);
// Reads the file to stamp it; a file that cannot be read gets no hash.
FileStamp stampFile(const QString& path);
// Metadata only.
FileStamp stampMetadata(const QString& path);

// Whether the file moved on from `known`. Metadata decide first; the content
// is compared only when they differ or are too recent to be trusted (a write in
// the same tick as the stamp leaves the times alone), so that a touched file is
// not a changed one. `now` receives the current stamp, hashed when it was read.
DiskChange diskChange(const FileStamp& known, const QString& path, FileStamp* now = nullptr);

} // namespace tarvo
