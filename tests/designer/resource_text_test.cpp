#include "designer/resource_text.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

QString at(const QString& text, TextSpan span) {
    return span.found() ? text.mid(span.start, span.length) : QStringLiteral("<none>");
}

TEST(ToInt16, ConvertsLikeTheResourceTextNumbers) {
    struct Case {
        const char* text;
        std::optional<qint16> expected;
    };
    const Case cases[] = {
        {" 12 ", 12},  {"007", 7},     {"2.5", 2},  {"3.5", 4},  {"-32768", -32768},
        {"32768", {}}, {"-32769", {}}, {"   ", {}}, {"12a", {}}, {"nan", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toInt16(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(LeadingInt16, ReadsTheNumberAtTheStart) {
    struct Case {
        const char* text;
        std::optional<qint16> expected;
    };
    const Case cases[] = {
        {"12,Button", 12}, {"  9,x", 9}, {"5.5,x", 6}, {",Button", {}}, {"99999,x", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(leadingInt16(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(WholeNumberText, WritesNoDecimalPoint) {
    EXPECT_EQ(wholeNumberText(11.0f), QStringLiteral("11"));
    EXPECT_EQ(wholeNumberText(-3.0f), QStringLiteral("-3"));
    EXPECT_EQ(wholeNumberText(10.6f), QStringLiteral("11"));
}

const QString kText = QStringLiteral("ID=9\r\n" // first line: never an identifier line
                                     "#FORM\r\n"
                                     "ID=12\r\n"
                                     "(SH)BOUNDS.X=120\r\n"
                                     "id=1\r\n"
                                     "(sh)bounds.x= 10 \r\n"
                                     "(SH)BOUNDS.Y=20\r\n"
                                     "ID=3\r\n"
                                     "(SH)BOUNDS.Y=33\r\n"
                                     "ID=-4\r\n"
                                     "(SH)BOUNDS.X=44\r\n"
                                     "ID=0012\r\n"
                                     "(SH)BOUNDS.X=99\r\n"
                                     "ID=5x\r\n"
                                     "(SH)BOUNDS.X=55\r\n"
                                     "ID=6\r\n"
                                     "(SH)BOUNDS.X=66");

TEST(ObjectLookup, MatchesTheWholeIdentifierInsideItsOwnBlock) {
    struct Case {
        qint16 id;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {12, "(SH)BOUNDS.X=", "120"},
        // "ID=12" begins with the digits of 1 but is not its line.
        {1, "(SH)BOUNDS.X=", " 10 "},
        {1, "(SH)BOUNDS.Y=", "20"},
        // Block 3 has no X; the next block's X must not be taken.
        {3, "(SH)BOUNDS.X=", "<none>"},
        {3, "(SH)BOUNDS.Y=", "33"},
        // Block 12 has no Y; block 1's Y comes after the next "ID=" line.
        {12, "(SH)BOUNDS.Y=", "<none>"},
        {-4, "(SH)BOUNDS.X=", "44"},
        {4, "(SH)BOUNDS.X=", "<none>"},
        {5, "(SH)BOUNDS.X=", "55"},
        // The first line of the text cannot be an identifier line.
        {9, "(SH)BOUNDS.X=", "<none>"},
        {7, "(SH)BOUNDS.X=", "<none>"},
        // The last value has no CR behind it.
        {6, "(SH)BOUNDS.X=", "<none>"},
    };
    // The index must agree with these searches: the fuzz corpus checks that.
    for (const Case& c : cases) {
        const QString key = QString::fromLatin1(c.key);
        EXPECT_EQ(at(kText, findObjectValue(kText, c.id, key)), QLatin1String(c.expected))
            << c.id << " " << c.key;
    }
}

TEST(ObjectLookup, FirstOfDuplicateIdentifiersWins) {
    const QString text = QStringLiteral("x\r\nID=2\r\nK=a\r\nID=2\r\nK=b\r\n");
    EXPECT_EQ(at(text, findObjectValue(text, 2, QStringLiteral("K="))), QStringLiteral("a"));
}

TEST(FindText, IgnoresLetterCaseAndRejectsBadStarts) {
    const QString text = QStringLiteral("ab #form cd #FORM");
    EXPECT_EQ(findText(text, QStringLiteral("#FORM"), 0), 3);
    EXPECT_EQ(findText(text, QStringLiteral("#FORM"), 4), 12);
    EXPECT_EQ(findText(text, QStringLiteral("#FORM"), 13), -1);
    EXPECT_EQ(findText(text, QStringLiteral("#FORM"), 999), -1);
}

} // namespace
} // namespace tarvo
