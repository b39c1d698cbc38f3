// The editor's rules on plain text: colouring scan, style overlay, indenting, line numbers,
// Replace.
#include "editor/colorize_scan.h"
#include "editor/edit_commands.h"
#include "editor/line_styles.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

// Entries count only between asterisks; the first spelling of a word wins.
KeywordLists testLists() {
    return {KeywordList(QStringLiteral("long*int*char*u*UChar*Word*Char*void")),
            KeywordList(QStringLiteral("*return*#define*if*WORD*")),
            KeywordList(QStringLiteral("*main*int*AZAZ*"))};
}

// The runs as "kind:start+length=caseFix"; "part" is a block comment's line before its last,
// "earlier" a word carried over a break, at the line it began on.
QString scan(const QString& text) {
    const char* const kKinds[] = {"type",    "reserved", "extra",  "number",
                                  "comment", "part",     "earlier"};
    const KeywordTable table(testLists());
    ScanState state;
    QStringList out;
    forEachLine(text, [&](int lineStart, QStringView line) {
        QVector<LineRun> runs;
        scanLine(line, state, table, runs);
        for (const LineRun& r : runs)
            out << QString::asprintf("%s:%d+%d", kKinds[int(r.kind)], lineStart + r.start,
                                     r.length) +
                       (r.caseFix ? QLatin1Char('=') + *r.caseFix : QString());
    });
    return out.join(u' ');
}

TEST(ScanLine, GivesTheRunsOfEachRule) {
    // Words: case ignored, the list's letters kept, a data type wins, the text's last word is not
    // looked up; digits inside words make numbers and no keywords; literals end at the next
    // quote, with no escapes; a word carried over a break counts while no letter joins it.
    const std::pair<const char*, const char*> kCases[] = {
        {"int x = 10; // set", "type:0+3 number:8+2 comment:12+6"},
        {"INT x;", "type:0+3=int"},
        {"uchar a;", "type:0+5=UChar"},
        {"word;", "type:0+4=Word"},
        {"CHAR long void;", "type:0+4=char"},
        {"main(AZAZ;", "extra:0+4 extra:5+4"},
        {"#define X 1\r\n", "reserved:0+7 number:10+1"},
        {"# define\r\n", ""},
        {"x = int", ""},
        {"int_x int;", "type:6+3"},
        {"x1 u8 ", "number:1+1 number:4+1 type:3+1"},
        {"0x1F;", "number:0+1 number:2+1"},
        {"a = 90;", "number:4+2"},
        {"IN1T x;", "number:2+1"},
        {"in\"x\"t;", ""},
        {"int \"abc int 12;", "type:0+3"},
        {"\"a\r\nint\" 5;", "number:9+1"},
        {"\"a\\\" int;", "type:5+3"},
        {"/* a */ int b;", "comment:0+7 type:8+3"},
        {"/* a\r\nb\r\nc */x;", "part:0+6 part:6+3 comment:9+4"},
        {"/*/ int;", "comment:0+3 type:4+3"},
        {"int; /* int\r\nchar", "type:0+3 part:5+8 comment:13+4"},
        {"/* x\r\n", "part:0+6"},
        {"// int\r\nint;", "comment:0+8 type:8+3"},
        {"in/**/t;", "comment:2+4"},
        {"int// c\r\n", "comment:3+6 type:0+3"},
        {"a / int;", "type:4+3"},
        {"/* a *//int;", "comment:0+7 type:8+3"},
        {"INT/* a\r\nb */ x", "part:3+6 comment:9+4 earlier:0+3"},
        {"int\"a\r\n\";", "earlier:0+3"},
        {"int\"a\r\nb\"x;", ""},
        {"in/*\r\n*/t;", "part:2+4 comment:6+2"}};
    for (const auto& [text, runs] : kCases)
        EXPECT_EQ(scan(QString::fromLatin1(text)), QString::fromLatin1(runs)) << text;
}

TEST(OverlayRuns, SetColourEverywhereAndWeightWhereTheRunHasOne) {
    auto describe = [](const LineStyleList& runs) {
        QString out;
        for (const StyleRun& r : runs)
            out += QString::asprintf("%d+%d:%06x%s ", r.start, r.length, r.style.color & 0xffffff,
                                     r.style.bold ? "b" : "");
        return out.trimmed();
    };
    // Unsorted, one reaching past the line's end and one before its start.
    const QVector<LineRun> runs{{8, 4, TokenKind::DataType, nullptr},
                                {1, 2, TokenKind::Number, nullptr},
                                {4, 3, TokenKind::CommentPart, nullptr},
                                {-3, 3, TokenKind::Reserved, nullptr},
                                {0, 1, TokenKind::EarlierWord, nullptr}};
    const LineStyleList split{{0, 2, {qRgb(1, 1, 1), true, false}},
                              {2, 3, {qRgb(1, 1, 1), true, false}},
                              {5, 1, {qRgb(2, 2, 2), true, true}}};
    // The number's run stays one over the cut at 2; a comment's part keeps the weight.
    EXPECT_EQ(describe(overlayRuns(split, runs, 10)),
              QStringLiteral("0+1:010101 1+2:ff0000 3+1:010101 4+1:7f7f7f 5+1:7f7f7fb 6+1:7f7f7f "
                             "8+2:007f00"));
    EXPECT_EQ(describe(overlayRuns(split, {}, 10)), describe(split));
}

TEST(EditRules, EnterAndClosingBraceIndentByOneStep) {
    const auto enter = &lineBreakWithIndent;
    const auto brace = &lineWithClosingBrace;
    const std::tuple<QString (*)(QStringView, int), const char*, int, const char*> kCases[] = {
        {enter, "    x = 1;", 4, "\n    "},
        {enter, "\t int f() {", 4, "\n\t \t"},
        {enter, "  if (a) {  ", 2, "\n    "},
        {enter, "{", 1, "\n "},
        {enter, "if (a) {", 0, "\n\t"},
        {enter, "  { x", 4, "\n  "},
        {enter, "", 4, "\n"},
        {brace, "        ", 4, "    }"},
        {brace, "  ", 4, "}"},
        {brace, "\t\t", 4, "\t}"},
        {brace, "\t  ", 2, "\t}"},
        {brace, "    ", 0, "    }"},
        {brace, "  \t", 4, "  }"},
        {brace, "   ", 1, "  }"}};
    for (const auto& [rule, text, tabSpace, result] : kCases)
        EXPECT_EQ(rule(QString::fromLatin1(text), tabSpace), QString::fromLatin1(result)) << text;
}

TEST(EditRules, OnlyWholeNumbersInRangeNameALineAndOccurrencesDoNotOverlap) {
    const std::pair<const char*, int> kCases[] = {
        {"7", 7},  {" 12 ", 12}, {"1", 1},   {"20", 20}, {"0", 0},          {"21", 0}, {"-3", 0},
        {"+3", 0}, {"3x", 0},    {"2.5", 0}, {"", 0},    {"9999999999", 0}, {"19", 19}};
    for (const auto& [answer, line] : kCases)
        EXPECT_EQ(lineNumberFromAnswer(QString::fromLatin1(answer), 20), line) << answer;
    // What Replace changes: occurrences ignoring case, not overlapping.
    EXPECT_EQ(occurrences(u"aaaa", QStringLiteral("aa")), (QVector<int>{0, 2}));
    EXPECT_EQ(occurrences(u"Main main MAIN", QStringLiteral("mAIN")), (QVector<int>{0, 5, 10}));
    EXPECT_EQ(occurrences(u"abc", QString()), QVector<int>());
}

} // namespace
} // namespace tarvo
