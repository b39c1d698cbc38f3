#pragma once

#include <QString>
#include <QStringList>

namespace tarvo {

// The file operations the commands rely on, in one place.
namespace FileOps {

bool FileExists(const QString& path); // a file, not a folder
bool DeleteFile(const QString& path, QString* error = nullptr);

// Copies the folder `source` with all files and subfolders to `destination`,
// overwriting files of the same name. A destination that does not exist becomes
// the copy of the source; an existing folder receives the source's contents.
bool CopyFolder(const QString& source, const QString& destination, QString* error = nullptr);

// Files that CopyFolder(source, destination) would overwrite, relative to destination.
QStringList FilesOverwrittenByCopy(const QString& source, const QString& destination);

// Names of the files directly in `folder` (no subfolders), ordered by name with
// letter case ignored, as the Windows file system lists them. Fails for a
// folder that cannot be listed.
bool ListFiles(const QString& folder, QStringList* names, QString* error = nullptr);

// Whole file as bytes; false with a reason when it cannot be read or is too
// big to edit.
bool ReadAll(const QString& path, QByteArray* bytes, QString* error = nullptr);

// Writes atomically: a temporary file in the same folder, flushed to the disk,
// renamed over the old one (through a symbolic link to the file it names). The
// file keeps its permissions; a read-only file is refused. A failure leaves the
// old file whole and names the system's reason ("File too large (EFBIG)").
bool WriteAllAtomic(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Flushes a folder's entries to the disk, so that renames into it survive a
// power loss. Does nothing where the system has no such call.
bool SyncFolder(const QString& folder, QString* error = nullptr);

// The system's text for an error number followed by its name:
// "No space left on device (ENOSPC)".
QString SystemReason(int errorNumber);

} // namespace FileOps
} // namespace tarvo
