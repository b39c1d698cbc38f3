// A C text, or three keyword lists and a text: runs lie apart, keywords and numbers stand
// alone, a case fix changes only a listed keyword's letter case, and the fixed text
// colours the same without fixes.
#include "editor/colorize_scan.h"
#include "fuzz_check.h"

#include <algorithm>

using namespace tarvo;

static bool isWordChar(QChar c) {
    const char16_t u = c.unicode();
    return ((u | 32) >= u'a' && (u | 32) <= u'z') || u == u'_' || u == u'#';
}
constexpr auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };

// No character of its class right before or after it; a word at the very end
// of the text is never looked up.
static bool standsAlone(const QString& text, const FormatRun& run, bool (*is)(QChar), bool atEnd) {
    const QStringView token = QStringView(text).mid(run.start, run.length);
    const int end = run.start + run.length;
    return std::all_of(token.begin(), token.end(), is) &&
           (run.start == 0 || !is(text[run.start - 1])) &&
           (end < text.size() ? !is(text[end]) : atEnd);
}

// A word that a comment ends comes after the comment's run.
static QVector<FormatRun> sortedRuns(const QString& text, const KeywordLists& lists) {
    QVector<FormatRun> runs = scanColorRuns(text, lists);
    std::sort(runs.begin(), runs.end(), [](auto& a, auto& b) { return a.start < b.start; });
    return runs;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList parts = QString::fromUtf8(fuzzBytes(data, size)).split(QChar(0));
    const bool own = parts.size() >= 4;
    const KeywordLists lists{
        KeywordList(own ? parts[0] : QStringLiteral("*char*int*long*void*size_t*")),
        KeywordList(own ? parts[1] : QStringLiteral("*if*else*for*return*static*struct*while*")),
        KeywordList(own ? parts[2] : QStringLiteral("*#include*#define*NULL*"))};
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
        FUZZ_CHECK(run.caseFix.isEmpty() || run.caseFix.size() == run.length);
        for (int i = 0; i < run.caseFix.size(); ++i)
            FUZZ_CHECK(
                run.caseFix[i] == token[i] ||
                (isWordChar(token[i]) && (run.caseFix[i].unicode() ^ 32) == token[i].unicode()));
    }
    for (const FormatRun& run : runs)
        text.replace(run.start, run.caseFix.size(), run.caseFix);
    const QVector<FormatRun> again = sortedRuns(text, lists);
    FUZZ_CHECK(again.size() == runs.size());
    for (qsizetype i = 0; i < runs.size(); ++i)
        FUZZ_CHECK(again[i].start == runs[i].start && again[i].length == runs[i].length &&
                   again[i].color == runs[i].color && again[i].bold == runs[i].bold &&
                   again[i].caseFix.isEmpty());
    return 0;
}
