// Console text is whatever the tool chain wrote. Every message found must lie
// on one line of the text, in order, with its parts taken from that line, and
// a click anywhere on that line must find it again.
#include "build/diagnostics.h"
#include "fuzz_check.h"

using namespace tarvo;

namespace {

bool isBreak(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    const QList<Diagnostic> found = parseDiagnostics(text);
    qsizetype previousEnd = -1;
    qsizetype previousLine = -1;
    for (qsizetype i = 0; i < found.size(); ++i) {
        const Diagnostic& d = found[i];
        const qsizetype end = d.lineStart + d.lineLength;
        FUZZ_CHECK(d.lineStart > previousEnd && d.consoleLine > previousLine);
        FUZZ_CHECK(d.lineLength > 0 && end <= text.size());
        FUZZ_CHECK(d.lineStart == 0 || isBreak(text[d.lineStart - 1]));
        FUZZ_CHECK(end == text.size() || isBreak(text[end]));
        const QStringView line = QStringView(text).mid(d.lineStart, d.lineLength);
        FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
        FUZZ_CHECK(!d.file.isEmpty() && line.startsWith(d.file) && line.contains(d.message));
        FUZZ_CHECK(d.line >= 1 && d.column >= 0);
        FUZZ_CHECK(diagnosticAtPosition(found, d.lineStart) == i);
        FUZZ_CHECK(diagnosticAtPosition(found, end) == i);
        previousEnd = end;
        previousLine = d.consoleLine;
    }
    return 0;
}
