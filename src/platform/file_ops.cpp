#include "file_ops.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

QString SystemReason(int errorNumber) {
    const QString text = QString::fromLocal8Bit(std::strerror(errorNumber));
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 32))
    if (const char* name = strerrorname_np(errorNumber))
        return QStringLiteral("%1 (%2)").arg(text, QString::fromLatin1(name));
#endif
    return QStringLiteral("%1 (error %2)").arg(text).arg(errorNumber);
}

namespace {

bool fail(QString* error, const QString& reason) {
    if (error)
        *error = reason;
    return false;
}

// A link is written through to its file, as an editor would, instead of being
// replaced by a plain file.
QString writeTarget(const QString& path) {
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : path;
}

} // namespace

#ifdef Q_OS_UNIX

namespace {

bool writeWhole(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(std::min<qint64>(left, 1 << 30)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

bool WriteAllAtomic(const QString& path, const QByteArray& bytes, QString* error) {
    const QFileInfo target(writeTarget(path));
    if (target.isDir())
        return fail(error, SystemReason(EISDIR));
    // The rename would replace a read-only file too; keep the user's protection.
    if (target.exists() && !(target.permissions() & QFileDevice::WriteOwner))
        return fail(error, QStringLiteral("The file is read-only"));
    const QByteArray finalName = QFile::encodeName(target.absoluteFilePath());
    struct stat old {};
    const bool existed = ::stat(finalName.constData(), &old) == 0;

    const QByteArray tempName =
        QFile::encodeName(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                          QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8,
                                                        16, QLatin1Char('0')));
    // 0666 lets the umask decide for a new file, as any program's would.
    const int fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return fail(error, SystemReason(errno));
    bool ok = (!existed || ::fchmod(fd, old.st_mode & 07777) == 0) && writeWhole(fd, bytes) &&
              ::fsync(fd) == 0;
    int reason = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = errno;
    }
    if (ok && ::rename(tempName.constData(), finalName.constData()) != 0) {
        ok = false;
        reason = errno;
    }
    if (!ok) {
        ::unlink(tempName.constData());
        return fail(error, SystemReason(reason));
    }
    return true;
}

bool SyncFolder(const QString& folder, QString* error) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return fail(error, SystemReason(errno));
    const bool ok = ::fsync(fd) == 0;
    const int reason = errno;
    ::close(fd);
    return ok || fail(error, SystemReason(reason));
}

#else

bool WriteAllAtomic(const QString& path, const QByteArray& bytes, QString* error) {
    const QFileInfo target(writeTarget(path));
    if (target.isDir())
        return fail(error, QStringLiteral("It is a folder"));
    if (target.exists() && !(target.permissions() & QFileDevice::WriteOwner))
        return fail(error, QStringLiteral("The file is read-only"));
    QSaveFile f(target.absoluteFilePath());
    if (!f.open(QIODevice::WriteOnly))
        return fail(error, f.errorString());
    if (f.write(bytes) != bytes.size() || !f.commit()) {
        const QString reason = f.errorString();
        f.cancelWriting();
        return fail(error, reason);
    }
    return true;
}

bool SyncFolder(const QString&, QString*) {
    return true; // the system commits renames itself
}

#endif

} // namespace tarvo::FileOps
