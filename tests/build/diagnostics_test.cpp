#include "build/diagnostics.h"

#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>

using namespace tarvo;

namespace {

QString render(const Diagnostic& d) {
    return QStringLiteral("%1 %2:%3:%4 %5 %6")
        .arg(d.consoleLine)
        .arg(d.file)
        .arg(d.line)
        .arg(d.column)
        .arg(severityName(d.severity), d.message);
}

int count(const QList<Diagnostic>& list, Severity s) {
    return int(std::count_if(list.begin(), list.end(),
                             [s](const Diagnostic& d) { return d.severity == s; }));
}

TEST(Diagnostics, ReadsCapturedGccAndClangOutputWithEitherLineEnd) {
    const struct {
        const char* file;
        int errors, warnings, notes;
        const char* last;
    } rows[] = {
        {"gcc-include-chain", 3, 7, 2,
         "39 inc/util.h:2:12 warning \u2018helper\u2019 defined but not used [-Wunused-function]"},
        {"gcc-spaces", 3, 7, 2, "39 my proj/inc/util.h:2:12 warning"},
        {"gcc-warnings-absolute", 0, 6, 1,
         "26 /tmp/cap/warn.c:7:9 note \u2018x\u2019 was declared"},
        {"gcc-fatal", 1, 0, 0, "0 fatal.c:1:10 error missing_header.h: No such file or directory"},
        {"gcc-syntax", 2, 3, 0, "16 syntax.c:6:6 warning"},
        {"gcc-macro-chain", 1, 0, 1, "5 inner.h:1:20 note in definition of macro"},
        {"gcc-link", 0, 0, 0, ""},
        {"clang-include-chain", 3, 2, 1, "17 main.c:13:14 error no member named 'z' in 'struct"},
        {"clang-spaces", 3, 2, 1, "17 my proj/main.c:13:14 error"},
        {"clang-warnings-absolute", 0, 6, 1, "20 /tmp/cap/warn.c:2:12 warning unused function"},
        {"clang-fatal", 1, 0, 0, "0 fatal.c:1:10 error 'missing_header.h' file not found"},
        {"clang-syntax", 1, 1, 0, "4 syntax.c:6:16 warning implicit declaration"},
        {"clang-macro-chain", 1, 0, 0, "2 ./inner.h:2:38 error use of undeclared identifier"},
        {"clang-link", 0, 0, 0, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.file);
        QFile f(QStringLiteral(TARVO_DIAGNOSTICS_DIR "/%1.txt").arg(QLatin1String(r.file)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString lf = QString::fromUtf8(f.readAll());
        const QList<Diagnostic> got = parseDiagnostics(lf);
        EXPECT_EQ(count(got, Severity::Error), r.errors);
        EXPECT_EQ(count(got, Severity::Warning), r.warnings);
        EXPECT_EQ(count(got, Severity::Note), r.notes);
        const QString last = got.isEmpty() ? QStringLiteral("") : render(got.last());
        EXPECT_TRUE(last.startsWith(QString::fromUtf8(r.last))) << last.toStdString();
        for (const Diagnostic& d : got) {
            const QString line = lf.mid(d.lineStart, d.lineLength);
            EXPECT_TRUE(line.startsWith(d.file + QStringLiteral(":%1:").arg(d.line)) &&
                        line.endsWith(QStringLiteral(": ") + d.message) && d.column > 0)
                << line.toStdString();
        }
        // CR LF moves each line by one character per line before it; nothing else changes.
        QString crLf = lf;
        const QList<Diagnostic> viaCrLf = parseDiagnostics(crLf.replace("\n", "\r\n"));
        ASSERT_EQ(viaCrLf.size(), got.size());
        for (qsizetype i = 0; i < got.size(); ++i) {
            EXPECT_EQ(render(viaCrLf[i]), render(got[i]));
            EXPECT_EQ(viaCrLf[i].lineStart, got[i].lineStart + got[i].consoleLine);
            EXPECT_EQ(viaCrLf[i].lineLength, got[i].lineLength);
        }
    }
}

TEST(Diagnostics, ReadsEachFormAndIgnoresEverythingElse) {
    const std::pair<const char*, const char*> rows[] = {
        {"C:\\Work\\App\\main.c:12:5: error: 'x' undeclared",
         "0 C:\\Work\\App\\main.c:12:5 error 'x' undeclared"},
        {"C:\\App\\main.c(12): error C2065: 'x': undeclared",
         "0 C:\\App\\main.c:12:0 error C2065: 'x': undeclared"},
        {"..\\src\\u.c(7) : warning C4101: 'i': unreferenced  ",
         "0 ..\\src\\u.c:7:0 warning C4101: 'i': unreferenced"},
        {"main.c(3,9): fatal error C1083: no file", "0 main.c:3:9 error C1083: no file"},
        {"p/a.c(4): warning: w", "0 p/a.c:4:0 warning w"},
        {"src/a.c:4: warning: no newline", "0 src/a.c:4:0 warning no newline"},
        {"a.s:3: Error: junk at end", "0 a.s:3:0 error junk at end"},
        {"../up/../x y.c:5:1: NOTE:", "0 ../up/../x y.c:5:1 note "},
        {"main.c:0:0: note: zero", "0 main.c:1:0 note zero"},
        {"main.c:99999999999:3: error: far", "0 main.c:2147483647:3 error far"},
        {"1:2: error: x", "0 1:2:0 error x"},
        {"main.c:3: note: f(1): error here", "0 main.c:3:0 note f(1): error here"},
        {"main.c:-5: error: negative", ""},
        {"main.c: In function 'main':", ""},
        {"In file included from main.c:1:", ""},
        {"    3 |   puts(\"a.c:1: error: b\");", ""},
        {"collect2: error: ld returned 1 exit status", ""},
        {"main.c:12:5: errors: x", ""},
        {"main.c(12): errorless", ""},
        {"(12): error x", ""},
        {"make: *** [Makefile:12: all] Error 1", ""},
    };
    for (const auto& [line, expected] : rows) {
        const QList<Diagnostic> got = parseDiagnostics(QString::fromUtf8(line));
        EXPECT_EQ(got.isEmpty() ? QString() : render(got[0]), QString::fromUtf8(expected)) << line;
        EXPECT_LE(got.size(), 1);
    }
}

TEST(Diagnostics, PositionsFindTheConsoleLine) {
    const QString text = QStringLiteral("a\r\nmain.c:1:1: error: x\rjunk\nb.c:2: warning: y");
    const QList<Diagnostic> got = parseDiagnostics(text);
    ASSERT_EQ(got.size(), 2);
    EXPECT_EQ(got[0].consoleLine, 1);
    EXPECT_EQ(got[1].consoleLine, 3);
    EXPECT_EQ(text.mid(got[1].lineStart, got[1].lineLength), QStringLiteral("b.c:2: warning: y"));
    const std::pair<qsizetype, qsizetype> clicks[] = {{0, -1},  {3, 0},  {23, 0}, {24, -1},
                                                      {28, -1}, {29, 1}, {46, 1}, {47, -1}};
    for (const auto& [position, index] : clicks)
        EXPECT_EQ(diagnosticAtPosition(got, position), index) << position;
}

TEST(Diagnostics, SurvivesHostileInput) {
    const char withNul[] = "ma\0in.c:1:2: error: a\0b";
    const QString nul = QString::fromUtf8(withNul, sizeof withNul - 1);
    ASSERT_EQ(parseDiagnostics(nul).size(), 1);
    EXPECT_EQ(parseDiagnostics(nul)[0].file, QString::fromUtf8("ma\0in.c", 7));
    const QString latin = QString::fromUtf8("caf\xe9 \xff.c:3: error: x");
    ASSERT_EQ(parseDiagnostics(latin).size(), 1);
    EXPECT_EQ(parseDiagnostics(latin)[0].file, QString::fromUtf8("caf\xe9 \xff.c"));

    QString many;
    for (int i = 0; i < 100'000; ++i)
        many += QStringLiteral("f.c:%1:2: warning: w\n").arg(i + 1);
    const QList<Diagnostic> all = parseDiagnostics(many);
    ASSERT_EQ(all.size(), 100'000);
    EXPECT_EQ(render(all.last()), QStringLiteral("99999 f.c:100000:2 warning w"));

    // Megabyte lines made of the pieces the forms are built from must not
    // make the scan quadratic; each ends in one real message.
    for (const char* piece : {"1:", ": error", "(1)", "(1): ", "1,", ": note: "}) {
        const QString line = QString::fromLatin1(piece).repeated(1'000'000 / qstrlen(piece));
        const QList<Diagnostic> got = parseDiagnostics(line + QStringLiteral("x.c:7: error: e"));
        EXPECT_LE(got.size(), 1) << piece;
    }
}

} // namespace
