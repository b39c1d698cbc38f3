#include "file_ops.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tarvo::FileOps {

bool FileExists(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool DeleteFile(const QString& path, QString* error) {
    QFile f(path);
    if (f.remove())
        return true;
    if (error)
        *error = f.errorString();
    return false;
}

namespace {

bool copyTree(const QString& source, const QString& destination, QString* error) {
    const QDir src(source);
    if (!src.exists()) {
        if (error)
            *error = QStringLiteral("The folder %1 does not exist").arg(source);
        return false;
    }
    if (!QDir().mkpath(destination)) {
        if (error)
            *error = QStringLiteral("The folder %1 cannot be created").arg(destination);
        return false;
    }
    const auto entries =
        src.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo& e : entries) {
        const QString target = QDir(destination).filePath(e.fileName());
        if (e.isDir()) {
            if (!copyTree(e.filePath(), target, error))
                return false;
            continue;
        }
        if (QFileInfo::exists(target) && !QFile::remove(target)) {
            if (error)
                *error = QStringLiteral("%1 cannot be overwritten").arg(target);
            return false;
        }
        QFile in(e.filePath());
        if (!in.copy(target)) {
            if (error)
                *error = QStringLiteral("%1 cannot be copied to %2: %3")
                             .arg(e.filePath(), target, in.errorString());
            return false;
        }
    }
    return true;
}

} // namespace

bool CopyFolder(const QString& source, const QString& destination, QString* error) {
    return copyTree(source, destination, error);
}

QStringList FilesOverwrittenByCopy(const QString& source, const QString& destination) {
    QStringList out;
    const QDir src(source);
    QDirIterator it(source, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString rel = src.relativeFilePath(it.next());
        if (QFileInfo::exists(QDir(destination).filePath(rel)))
            out << rel;
    }
    out.sort(Qt::CaseInsensitive);
    return out;
}

bool ListFiles(const QString& folder, QStringList* names, QString* error) {
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists() || !QFileInfo(folder).isReadable()) {
        if (error)
            *error = QStringLiteral("The folder %1 cannot be listed").arg(folder);
        return false;
    }
    QStringList list = dir.entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    std::sort(list.begin(), list.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    *names = list;
    return true;
}

bool ReadAll(const QString& path, QByteArray* bytes, QString* error) {
    QFile f(path);
    if (QFileInfo(path).isDir() || !f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QFileInfo(path).isDir() ? QStringLiteral("It is a folder") : f.errorString();
        return false;
    }
    // Text positions are ints: a bigger file could not be shown or edited.
    constexpr qint64 kMaxBytes = qint64(1) << 30;
    if (f.size() > kMaxBytes) {
        if (error)
            *error = QStringLiteral("The file is too big (%1 MB; at most %2 MB can be edited)")
                         .arg(f.size() >> 20)
                         .arg(kMaxBytes >> 20);
        return false;
    }
    *bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

bool WriteAllAtomic(const QString& path, const QByteArray& bytes, QString* error) {
    // The rename would replace a read-only file too; keep the user's protection.
    const QFileInfo info(path);
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner)) {
        if (error)
            *error = QStringLiteral("The file is read-only");
        return false;
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    if (f.write(bytes) != bytes.size() || !f.commit()) {
        if (error)
            *error = f.errorString();
        f.cancelWriting();
        return false;
    }
    return true;
}

} // namespace tarvo::FileOps
