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

// Writes atomically: a temporary file in the same folder renamed over the old one.
bool WriteAllAtomic(const QString& path, const QByteArray& bytes, QString* error = nullptr);

} // namespace FileOps
} // namespace tarvo
