// The colouring scan on plain text: which spans get which format, and which
// words get their letter case fixed.
#include "editor/colorize_scan.h"
#include "editor/line_styles.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace tarvo {
namespace {

// A run written as "kind:start+length", kind one of type, reserved, extra,
// number, comment (grey, not bold) and greypart (grey, weight untouched: the
// lines of a block comment before its last); a case fix is appended as
// "=letters".
QString describe(const FormatRun& r) {
    QString kind = QStringLiteral("?");
    if (r.color == ColorizeColors::DataType && r.bold == false)
        kind = QStringLiteral("type");
    else if (r.color == ColorizeColors::Reserved && r.bold == false)
        kind = QStringLiteral("reserved");
    else if (r.color == ColorizeColors::Extra && r.bold == true)
        kind = QStringLiteral("extra");
    else if (r.color == ColorizeColors::Number && r.bold == false)
        kind = QStringLiteral("number");
    else if (r.color == ColorizeColors::Comment && !r.bold)
        kind = QStringLiteral("greypart");
    else if (r.color == ColorizeColors::Comment && r.bold == false)
        kind = QStringLiteral("comment");
    QString s = QStringLiteral("%1:%2+%3").arg(kind).arg(r.start).arg(r.length);
    if (!r.caseFix.isEmpty())
        s += QLatin1Char('=') + r.caseFix;
    return s;
}

QStringList scan(const QString& text, const KeywordLists& lists) {
    QStringList out;
    for (const FormatRun& r : scanColorRuns(text, lists))
        out << describe(r);
    return out;
}

KeywordLists testLists() {
    return {KeywordList(QStringLiteral("*int*char*u*UChar*")),
            KeywordList(QStringLiteral("*return*#define*if*")),
            KeywordList(QStringLiteral("*main*int*EvtGetEvent*"))};
}

TEST(ScanRules, GiveTheExpectedRuns) {
    const std::pair<const char*, QStringList> kCases[] = {
        // Words and lists.
        {"int x = 10; // set", {"type:0+3", "number:8+2", "comment:12+6"}},
        {"INT x;", {"type:0+3=int"}},
        {"uchar a;", {"type:0+5=UChar"}},
        {"return 0;", {"reserved:0+6", "number:7+1"}},
        {"main(", {"extra:0+4"}},
        {"int;", {"type:0+3"}},
        {"foo bar;", {}},
        {"#define X 1\r\n", {"reserved:0+7", "number:10+1"}},
        {"# define\r\n", {}},
        {"x = int", {}},
        {"int\r\nchar\r\n", {"type:0+3", "type:5+4"}},
        {"int_x int;", {"type:6+3"}},
        // Numbers.
        {"x1 u8 ", {"number:1+1", "number:4+1", "type:3+1"}},
        {"0x1F;", {"number:0+1", "number:2+1"}},
        {"a=12345", {"number:2+5"}},
        {"IN1T x;", {"number:2+1"}},
        {"U16INT;", {"number:1+2"}},
        // Literals.
        {"x = \"int\";", {}},
        {"in\"x\"t;", {}},
        {"int \"abc int 12;", {"type:0+3"}},
        {"\"a\r\nint\" 5;", {"number:9+1"}},
        {"\"a\\\" int;", {"type:5+3"}},
        // Comments.
        {"/* a */ int b;", {"comment:0+7", "type:8+3"}},
        {"/* a\r\nb\r\nc */x;", {"greypart:0+6", "greypart:6+3", "comment:9+4"}},
        {"/*/ int;", {"comment:0+3", "type:4+3"}},
        {"int; /* int\r\nchar", {"type:0+3", "greypart:5+8", "comment:13+4"}},
        {"/* x\r\n", {"greypart:0+6"}},
        {"// int\r\nint;", {"comment:0+8", "type:8+3"}},
        {"x; // int", {"comment:3+6"}},
        {"in/**/t;", {"comment:2+4"}},
        {"int// c\r\n", {"comment:3+6", "type:0+3"}},
        {"a / int;", {"type:4+3"}},
        {"/* a *//int;", {"comment:0+7", "type:8+3"}},
        // A word carried over a line break by a comment or literal counts
        // only while no letter joins it.
        {"INT/* a\r\nb */ x", {"greypart:3+6", "comment:9+4", "type:0+3=int"}},
        {"int\"a\r\n\";", {"type:0+3"}},
        {"int\"a\r\nb\"x;", {}},
        {"in/*\r\n*/t;", {"greypart:2+4", "comment:6+2"}},
    };
    for (const auto& [text, runs] : kCases)
        EXPECT_EQ(scan(QString::fromLatin1(text), testLists()), runs) << text;
}

TEST(KeywordList, LookupIgnoresCaseAndTakesFirstEntry) {
    const KeywordList list(QStringLiteral("*Int*INT*char*"));
    EXPECT_EQ(list.lookup(u"int"), QStringLiteral("Int"));
    EXPECT_EQ(list.lookup(u"iNT"), QStringLiteral("Int"));
    EXPECT_EQ(list.lookup(u"char"), QStringLiteral("char"));
    EXPECT_TRUE(list.lookup(u"in").isNull());
    EXPECT_TRUE(list.lookup(u"intchar").isNull());
}

TEST(KeywordList, OnlyEntriesFramedByAsterisksCount) {
    // "int" lacks the opening asterisk, "long" the closing one.
    const KeywordList list(QStringLiteral("int*char*long"));
    EXPECT_TRUE(list.lookup(u"int").isNull());
    EXPECT_EQ(list.lookup(u"char"), QStringLiteral("char"));
    EXPECT_TRUE(list.lookup(u"long").isNull());
    EXPECT_TRUE(KeywordList(QString()).lookup(u"int").isNull());
}

TEST(ScanChoices, WordInBothListsIsFixedOnceFromTheDataTypeList) {
    const KeywordLists lists{KeywordList(QStringLiteral("*Word*")),
                             KeywordList(QStringLiteral("*WORD*")), KeywordList()};
    EXPECT_EQ(scan(QStringLiteral("word;"), lists), QStringList{QStringLiteral("type:0+4=Word")});
}

TEST(OverlayRuns, SetColourEverywhereAndWeightWhereTheRunHasOne) {
    auto describe = [](const LineStyleList& runs) {
        QStringList out;
        for (const StyleRun& r : runs)
            out << QStringLiteral("%1+%2:%3%4")
                       .arg(r.start)
                       .arg(r.length)
                       .arg(QColor::fromRgba(r.style.color).name(), r.style.bold ? "b" : "");
        return out.join(QLatin1Char(' '));
    };
    const QVector<LineRun> runs{{8, 4, TokenKind::DataType, nullptr},
                                {1, 2, TokenKind::Number, nullptr},
                                {4, 3, TokenKind::CommentPart, nullptr}};
    const LineStyleList magentaBold{{0, 10, {qRgb(200, 0, 200), true, true}}};
    EXPECT_EQ(describe(overlayRuns(magentaBold, runs, 10)),
              QStringLiteral("0+1:#c800c8b 1+2:#ff0000 3+1:#c800c8b 4+3:#7f7f7fb 7+1:#c800c8b "
                             "8+2:#007f00"));
    EXPECT_EQ(describe(overlayRuns({}, runs, 10)),
              QStringLiteral("1+2:#ff0000 4+3:#7f7f7f 8+2:#007f00"));
}

} // namespace
} // namespace tarvo
