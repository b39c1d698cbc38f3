#include "build/diagnostics.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tarvo;

namespace {

TEST(Diagnostics, ReadsCapturedGccAndClangOutputWithEitherLineEnd) {
    // Errors/warnings/notes in each captured run; each part where the compiler put it.
    for (const char* row :
         {"gcc-include-chain 3/7/2", "gcc-spaces 3/7/2", "gcc-warnings-absolute 0/6/1",
          "gcc-fatal 1/0/0", "gcc-syntax 2/3/0", "gcc-macro-chain 1/0/1", "gcc-link 0/0/0",
          "clang-include-chain 3/2/1", "clang-spaces 3/2/1", "clang-warnings-absolute 0/6/1",
          "clang-fatal 1/0/0", "clang-syntax 1/1/0", "clang-macro-chain 1/0/0",
          "clang-link 0/0/0"}) {
        const QStringList nameAndTally = QString::fromLatin1(row).split(QLatin1Char(' '));
        SCOPED_TRACE(row);
        QFile f(QStringLiteral(TARVO_DIAGNOSTICS_DIR "/%1.txt").arg(nameAndTally[0]));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString lf = QString::fromUtf8(f.readAll());
        for (const QString& text : {lf, QString(lf).replace("\n", "\r\n")}) {
            int n[3] = {0, 0, 0};
            for (const Diagnostic& d : parseDiagnostics(text)) {
                ++n[int(d.severity)];
                const QString line = text.mid(d.lineStart, d.lineLength);
                EXPECT_TRUE(
                    line.startsWith(
                        QStringLiteral("%1:%2:%3: ").arg(d.file).arg(d.line).arg(d.column)) &&
                    line.endsWith(QStringLiteral(": ") + d.message) &&
                    text.left(d.lineStart).count(QLatin1Char('\n')) == d.consoleLine)
                    << line.toStdString();
            }
            EXPECT_EQ(QStringLiteral("%1/%2/%3").arg(n[0]).arg(n[1]).arg(n[2]), nameAndTally[1]);
        }
    }
}

TEST(Diagnostics, ReadsEachFormIgnoresOtherLinesAndFindsThemByPosition) {
    const QList<Diagnostic> got =
        parseDiagnostics(QString::fromUtf8("C:\\Work\\App\\main.c:12:5: error: 'x' undeclared\r\n"
                                           "main.c: In function 'main':\n"
                                           "C:\\App\\main.c(12): error C2065: 'x': undeclared\r"
                                           "    3 |   puts(\"a.c:1: error: b\");\n"
                                           "..\\src\\u.c(7) : warning C4101: 'i': unreferenced  \n"
                                           "In file included from main.c:1:\n"
                                           "main.c(3,9): fatal error C1083: no file\n"
                                           "collect2: error: ld returned 1 exit status\n"
                                           "p/a.c(4): warning: w\n"
                                           "main.c:-5: error: negative\n"
                                           "a.s:3: Error: junk at end\n"
                                           "main.c:12:5: errors: x\n"
                                           "../up/../x y.c:5:1: NOTE:\n"
                                           "main.c(12): errorless\n"
                                           "main.c:0:0: note: zero\n"
                                           "(12): error x\n"
                                           "main.c:99999999999:3: error: far\n"
                                           "make: *** [Makefile:12: all] Error 1\n"
                                           "main.c:3: note: f(1): error here\n"
                                           ":1:2: error: x"));
    QStringList rendered;
    for (const Diagnostic& d : got)
        rendered << QStringLiteral("%1 %2:%3:%4 %5 %6")
                        .arg(d.consoleLine)
                        .arg(d.file)
                        .arg(d.line)
                        .arg(d.column)
                        .arg(severityName(d.severity), d.message);
    EXPECT_EQ(rendered, QStringList({"0 C:\\Work\\App\\main.c:12:5 error 'x' undeclared",
                                     "2 C:\\App\\main.c:12:0 error C2065: 'x': undeclared",
                                     "4 ..\\src\\u.c:7:0 warning C4101: 'i': unreferenced",
                                     "6 main.c:3:9 error C1083: no file", "8 p/a.c:4:0 warning w",
                                     "10 a.s:3:0 error junk at end", "12 ../up/../x y.c:5:1 note ",
                                     "14 main.c:1:0 note zero", "16 main.c:2147483647:3 error far",
                                     "18 main.c:3:0 note f(1): error here", "19 :1:2:0 error x"}));
    // A click anywhere on a diagnostic's line, its end included, finds it;
    // one on the line before finds none.
    for (qsizetype i = 0; i < got.size(); ++i) {
        EXPECT_EQ(diagnosticAtPosition(got, got[i].lineStart), i);
        EXPECT_EQ(diagnosticAtPosition(got, got[i].lineStart + got[i].lineLength), i);
        EXPECT_EQ(diagnosticAtPosition(got, got[i].lineStart - 2), i == 10 ? 9 : -1);
    }
}

// Megabyte lines of the forms' own pieces must not make the scan quadratic.
TEST(Diagnostics, HugeLinesOfPiecesEndInOneMessageAtMost) {
    for (const char* piece : {"1:", ": error", "(1)", "(1): ", "1,", ": note: "}) {
        const QString line = QString::fromLatin1(piece).repeated(1'000'000 / qstrlen(piece));
        EXPECT_LE(parseDiagnostics(line + QStringLiteral("x.c:7: error: e")).size(), 1) << piece;
    }
}

} // namespace
