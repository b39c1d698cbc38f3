// Any console text: each message found lies on a line of its own, in order, with its
// parts taken from that line, and a click anywhere on that line finds it again.
#include "build/diagnostics.h"
#include "fuzz_check.h"

using namespace tarvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    auto isBreak = [](QChar c) { return c == u'\r' || c == u'\n'; };
    const QList<Diagnostic> found = parseDiagnostics(text);
    for (qsizetype i = 0; i < found.size(); ++i) {
        const Diagnostic& d = found[i];
        const qsizetype end = d.lineStart + d.lineLength;
        FUZZ_CHECK(d.lineStart > (i ? found[i - 1].lineStart + found[i - 1].lineLength : -1) &&
                   d.consoleLine > (i ? found[i - 1].consoleLine : -1));
        FUZZ_CHECK(d.lineLength > 0 && end <= text.size());
        FUZZ_CHECK(d.lineStart == 0 || isBreak(text[d.lineStart - 1]));
        FUZZ_CHECK(end == text.size() || isBreak(text[end]));
        const QStringView line = QStringView(text).mid(d.lineStart, d.lineLength);
        FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
        FUZZ_CHECK(!d.file.isEmpty() && line.startsWith(d.file) && line.contains(d.message));
        FUZZ_CHECK(d.line >= 1 && d.column >= 0);
        FUZZ_CHECK(diagnosticAtPosition(found, d.lineStart) == i);
        FUZZ_CHECK(diagnosticAtPosition(found, end) == i);
    }
    return 0;
}
