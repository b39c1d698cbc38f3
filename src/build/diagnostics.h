#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace tarvo {

enum class Severity { Error, Warning, Note };

// One compiler message found in console text.
struct Diagnostic {
    QString file;   // as the compiler wrote it: absolute, relative or bare
    int line = 1;   // 1-based; 0 and overflowing numbers are clamped into 1..INT_MAX
    int column = 0; // 1-based; 0 when the message gives none
    Severity severity = Severity::Error;
    QString message; // the text after the severity word, trailing blanks dropped
    // Where the message stands in the parsed text, so that a click on the
    // console can find it: the 0-based line number and the line's character
    // range, line end excluded.
    qsizetype consoleLine = 0;
    qsizetype lineStart = 0;
    qsizetype lineLength = 0;
};

// Finds the gcc/clang forms "FILE:LINE:COL: SEVERITY: MSG" and
// "FILE:LINE: SEVERITY: MSG" (severity error, fatal error, warning or note,
// in any letter case) and the forms "FILE(LINE): SEVERITY MSG",
// "FILE(LINE) : SEVERITY MSG" and "FILE(LINE,COL): SEVERITY MSG". Lines end in
// LF, CR LF or a lone CR; every other line is ignored. Linear in the text's
// length, whatever it holds.
QList<Diagnostic> parseDiagnostics(QStringView text);

// The index of the diagnostic whose console line holds the character at
// `position` of the parsed text, or -1. `diagnostics` is in text order, as
// parseDiagnostics returns it.
qsizetype diagnosticAtPosition(const QList<Diagnostic>& diagnostics, qsizetype position);

// "error", "warning" or "note".
QString severityName(Severity severity);

} // namespace tarvo
