#pragma once

#include "settings.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tarvo {

// One field of the sequential-input record format, with the 1-based line
// it starts on and whether a line end (not a comma) closed it.
struct IniField {
    QString text;
    int line = 1;
    bool endsLine = false;
};

// Something wrong in the file; line 0 stands for the file as a whole.
struct IniProblem {
    int line = 0;
    QString text;
};

struct IniFields {
    QList<IniField> fields;
    QList<IniProblem> problems;
};

// Fields are comma or line-end delimited; a field starting with a double
// quote runs to the next quote on its line (taken without the quotes; anything
// up to the next delimiter is skipped), so a missing closing quote costs only
// its own line. Unquoted fields skip leading blanks, and blanks before a
// delimiter are not part of them. Empty lines between records are passed over.
// The bytes are UTF-8 or else Latin-1 (after a UTF-8 byte-order mark too);
// UTF-16 and UTF-32 with a byte-order mark are decoded but reported, and NUL
// bytes are dropped and reported.
IniFields readIniFields(const QByteArray& bytes);

// Decimal number rule of the number settings: the longest leading part that
// reads as a decimal number (none gives 0), rounded half to even, clamped to
// 16 bits (`clamped` tells whether it had to be).
qint16 iniNumber(const QString& value, bool* clamped = nullptr);

struct IniResult {
    Settings settings;
    // In line order: unterminated quotes, unknown keys, values out of range,
    // records paired across lines, odd encodings, NUL bytes.
    QList<IniProblem> problems;
    // One message listing the problems, or empty when there are none.
    QString problemReport() const;
};

// Pairs fields by count (key, value), matches the 21 keys case-sensitively;
// the last occurrence wins; a last key without its value is ignored.
// ObjectsPerPage is clamped into 0..500 and TabSpace into 0..32767.
IniResult parseIni(const QByteArray& bytes);

// The configuration file name, read from the working folder.
inline QString iniFileName() {
    return QStringLiteral("IDE.ini");
}

} // namespace tarvo
