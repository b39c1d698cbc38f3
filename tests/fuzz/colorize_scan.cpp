// A C text, or three keyword lists and a text, NUL-separated. Whatever they
// hold, the runs lie apart inside the text, keywords and numbers
// stand alone, a case fix changes only the letter case of a listed keyword,
// and colouring the fixed text again gives the same runs without fixes.
#include "editor/colorize_scan.h"
#include "fuzz_check.h"

#include <algorithm>

using namespace tarvo;

namespace {

bool isWordChar(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == u'_' || u == u'#';
}

bool isDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool all(QStringView s, bool (*is)(QChar)) {
    return std::all_of(s.begin(), s.end(), is);
}

// The run stands alone: no character of its class right before or after it.
// A word at the very end of the text is never looked up.
bool standsAlone(const QString& text, const FormatRun& run, bool (*is)(QChar), bool atEnd) {
    const int end = run.start + run.length;
    return all(QStringView(text).mid(run.start, run.length), is) &&
           (run.start == 0 || !is(text[run.start - 1])) &&
           (end < text.size() ? !is(text[end]) : atEnd);
}

// A word that a comment ends comes after the comment's run.
QVector<FormatRun> sortedRuns(const QString& text, const KeywordLists& lists) {
    QVector<FormatRun> runs = scanColorRuns(text, lists);
    std::sort(runs.begin(), runs.end(),
              [](const FormatRun& a, const FormatRun& b) { return a.start < b.start; });
    return runs;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QStringList parts = QString::fromUtf8(fuzzBytes(data, size)).split(QChar(0));
    KeywordLists lists;
    if (parts.size() >= 4) {
        lists = {KeywordList(parts[0]), KeywordList(parts[1]), KeywordList(parts[2])};
    } else {
        lists = {KeywordList(QStringLiteral("*char*int*long*void*size_t*")),
                 KeywordList(QStringLiteral("*if*else*for*return*static*struct*while*")),
                 KeywordList(QStringLiteral("*#include*#define*NULL*"))};
    }
    QString text = parts.last();
    const QVector<FormatRun> runs = sortedRuns(text, lists);
    int previousEnd = 0;
    for (const FormatRun& run : runs) {
        FUZZ_CHECK(run.length > 0 && run.start >= previousEnd);
        FUZZ_CHECK(run.start + run.length <= text.size());
        previousEnd = run.start + run.length;
        const QStringView token = QStringView(text).mid(run.start, run.length);
        if (run.color == ColorizeColors::Number)
            FUZZ_CHECK(standsAlone(text, run, isDigit, true));
        const KeywordList* list = run.color == ColorizeColors::DataType   ? &lists.dataTypes
                                  : run.color == ColorizeColors::Reserved ? &lists.reserved
                                  : run.color == ColorizeColors::Extra    ? &lists.extra
                                                                          : nullptr;
        if (list) {
            FUZZ_CHECK(standsAlone(text, run, isWordChar, false));
            const QString letters = list->lookup(token);
            FUZZ_CHECK(!letters.isNull());
            const bool fixed = list != &lists.extra && letters != token;
            FUZZ_CHECK(run.caseFix == (fixed ? letters : QString()));
        }
        if (!run.caseFix.isEmpty()) {
            FUZZ_CHECK(run.caseFix.size() == run.length);
            for (int i = 0; i < run.length; ++i)
                FUZZ_CHECK(run.caseFix[i] == token[i] ||
                           (isWordChar(token[i]) &&
                            (run.caseFix[i].unicode() ^ 32) == token[i].unicode()));
        }
    }
    for (const FormatRun& run : runs)
        text.replace(run.start, run.caseFix.size(), run.caseFix);
    const QVector<FormatRun> again = sortedRuns(text, lists);
    FUZZ_CHECK(again.size() == runs.size());
    for (qsizetype i = 0; i < runs.size(); ++i) {
        FUZZ_CHECK(again[i].start == runs[i].start && again[i].length == runs[i].length);
        FUZZ_CHECK(again[i].color == runs[i].color && again[i].bold == runs[i].bold);
        FUZZ_CHECK(again[i].caseFix.isEmpty());
    }
    return 0;
}
