#pragma once

#include <QString>
#include <QStringList>

namespace tarvo {

// Where the file of a compiler message lies: `file` as the compiler wrote it
// (absolute, relative to the project folder, where the build scripts run, or
// a bare name), with backslashes read as separators, made absolute against
// `projectFolder` and cleaned of "." and "..".
QString diagnosticFilePath(const QString& file, const QString& projectFolder);

// The 1-based tab whose file is `path`, or 0. `tabFiles[i - 1]` is the file of
// tab i; both sides are cleaned before they are compared with `sensitivity`.
int tabOfFile(const QString& path, const QStringList& tabFiles, Qt::CaseSensitivity sensitivity);

// How the host's file system compares names.
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
inline constexpr Qt::CaseSensitivity kFileNameCase = Qt::CaseInsensitive;
#else
inline constexpr Qt::CaseSensitivity kFileNameCase = Qt::CaseSensitive;
#endif

} // namespace tarvo
