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

QString quotedArgument(const QString& argument) {
    QString quoted(QLatin1Char('"'));
    int backslashes = 0;
    for (const QChar c : argument) {
        if (c == QLatin1Char('\\')) {
            ++backslashes;
            continue;
        }
        if (c == QLatin1Char('"')) {
            quoted += QString(2 * backslashes + 1, QLatin1Char('\\'));
        } else {
            quoted += QString(backslashes, QLatin1Char('\\'));
        }
        backslashes = 0;
        quoted += c;
    }
    // Doubled, so that the closing quote still closes.
    quoted += QString(2 * backslashes, QLatin1Char('\\'));
    quoted += QLatin1Char('"');
    return quoted;
}

} // namespace tarvo
