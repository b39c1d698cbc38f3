#include "diagnostic_target.h"

#include <QDir>

namespace tarvo {

QString diagnosticFilePath(const QString& file, const QString& projectFolder) {
    QString path = file;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!QDir::isAbsolutePath(path))
        path = QDir::fromNativeSeparators(projectFolder) + QLatin1Char('/') + path;
    return QDir::cleanPath(path);
}

int tabOfFile(const QString& path, const QStringList& tabFiles, Qt::CaseSensitivity sensitivity) {
    const QString wanted = QDir::cleanPath(QDir::fromNativeSeparators(path));
    for (int i = 0; i < tabFiles.size(); ++i) {
        const QString tab = QDir::cleanPath(QDir::fromNativeSeparators(tabFiles[i]));
        if (!tab.isEmpty() && tab.compare(wanted, sensitivity) == 0)
            return i + 1;
    }
    return 0;
}

} // namespace tarvo
