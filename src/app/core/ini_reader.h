#pragma once

#include "settings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tarvo {

// Fields of the sequential-input record format: comma or line-end delimited,
// a field starting with a double quote runs to the next quote (taken without
// the quotes; anything up to the next delimiter is skipped); unquoted fields
// skip leading blanks, and blanks before a delimiter are not part of them.
// Empty lines between records are passed over.
QStringList readIniFields(const QByteArray& bytes);

// Decimal number rule of the number settings: the longest leading part that
// reads as a decimal number (none gives 0), rounded half to even, clamped to
// 16 bits.
qint16 iniNumber(const QString& value);

struct IniResult {
    Settings settings;
    // Text for a message box when ObjectsPerPage had to be clamped into 0..500.
    QString objectsPerPageWarning;
};

// Pairs fields by count (key, value), matches the 21 keys case-sensitively;
// the last occurrence wins; a last key without its value is ignored.
IniResult parseIni(const QByteArray& bytes);

// The configuration file name, read from the working folder.
inline QString iniFileName() {
    return QStringLiteral("IDE.ini");
}

} // namespace tarvo
