#include "project_folder.h"

#include "platform/file_ops.h"
#include "platform/paths.h"
#include "platform/rich_text_pane.h"

#include <QDir>
#include <QFileInfo>

namespace tarvo {

namespace {

QString resFile(const QString& projectPath, const QString& name) {
    return projectPath + PathSep() + QStringLiteral("res") + PathSep() + name;
}

bool isSeparator(QChar c) {
    return c == QLatin1Char('/') || c == PathSep().at(0);
}

} // namespace

QString resourceTxtPath(const QString& projectPath) {
    return resFile(projectPath, QStringLiteral("resource.txt"));
}

QString resourceHPath(const QString& projectPath) {
    return resFile(projectPath, QStringLiteral("resource.h"));
}

QString mainBmpPath(const QString& projectPath) {
    return resFile(projectPath, QStringLiteral("main.bmp"));
}

QString formBmpPath(const QString& projectPath) {
    return resFile(projectPath, QStringLiteral("form.bmp"));
}

QString codeFilePath(const QString& projectPath, const QString& fileName) {
    return projectPath + PathSep() + fileName;
}

QString folderOfMainFile(const QString& chosenFile) {
    return chosenFile.left(std::max<qsizetype>(0, chosenFile.size() - 6));
}

QString withoutTrailingSeparator(const QString& path) {
    QString out = path;
    while (out.size() > 1 && isSeparator(out.back()))
        out.chop(1);
    // "C:\" is a root too; stripping it would name the drive's current folder.
    if (out.size() == 2 && out.at(1) == QLatin1Char(':') && path.size() > 2)
        out = path.left(3);
    return out;
}

QString displayPath(const QString& path) {
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

bool isSameOrInside(const QString& path, const QString& folder) {
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    const QString p = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString f = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (p.compare(f, cs) == 0)
        return true;
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return p.startsWith(f, cs);
}

bool ProjectFile::isModified() const {
    return pane && pane->isModified();
}

std::optional<ReadFailure> findUnreadableProjectFile(const QString& projectPath, bool withCode,
                                                     QHash<QString, FileStamp>* stamps,
                                                     QHash<QString, QByteArray>* contents) {
    QStringList paths{resourceTxtPath(projectPath), resourceHPath(projectPath)};
    if (withCode) {
        QStringList names;
        QString error;
        if (!FileOps::ListFiles(projectPath, &names, &error))
            return ReadFailure{projectPath, error};
        for (const QString& name : names)
            paths << codeFilePath(projectPath, name);
    }
    for (const QString& path : paths) {
        QByteArray bytes;
        QString error;
        if (!FileOps::ReadAll(path, &bytes, &error))
            return ReadFailure{path, error};
        if (stamps)
            stamps->insert(path, stampOf(path, bytes));
        if (contents)
            contents->insert(path, std::move(bytes));
    }
    return std::nullopt;
}

} // namespace tarvo
