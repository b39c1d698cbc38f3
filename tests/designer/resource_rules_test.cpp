// The resource text's rules, on plain strings.
#include "designer/gesture_edits.h"
#include "designer/resource_text.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

// Lines joined with CR LF, the last one ended too.
QString lines(const QStringList& l) {
    return l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QString at(const QString& text, TextSpan span) {
    return span.found() ? text.mid(span.start, span.length) : QStringLiteral("<none>");
}

TEST(ResourceNumbers, ParseAsTheTextWritesThem) {
    const std::tuple<const char*, std::optional<qint16>, std::optional<qint16>> cases[] = {
        {" 12 ", 12, 12},
        {"007", 7, 7},
        {"2.5", 2, 2},
        {"3.5", 4, 4},
        {"-32768", -32768, -32768},
        {"32767", 32767, 32767},
        {"32768", {}, {}},
        {"-32769", {}, {}},
        {"   ", {}, {}},
        {"nan", {}, {}},
        {"12,Button", {}, 12},
        {"-3,x", {}, -3},
        {"+4,x", {}, 4},
        {"0,x", {}, 0},
        {"19,x", {}, 19},
        {",Button", {}, {}},
        {"5.5,x", {}, 6},
        {"99999,x", {}, {}},
    };
    for (const auto& [text, whole, leading] : cases) {
        EXPECT_EQ(toInt16(QString::fromLatin1(text)), whole) << text;
        EXPECT_EQ(leadingInt16(QString::fromLatin1(text)), leading) << text;
    }
    EXPECT_EQ(wholeNumberText(10.6f) + wholeNumberText(-3.0f), QStringLiteral("11-3"));
}

TEST(FindText, IgnoresLetterCaseFromAValidStart) {
    const QString text = QStringLiteral("#form bA xyZ ID=1 #FORM");
    const std::tuple<const char*, int, int> cases[] = {
        {"#FORM", 0, 0}, {"#FORM", 1, 18}, {"#FORM", 19, -1}, {"#FORM", 999, -1}, {"id=", 0, 13},
        {"a", 0, 7},     {"z", 0, 11},     {"Z", -1, -1},     {"", 0, -1}};
    for (const auto& [what, from, expected] : cases)
        EXPECT_EQ(findText(text, QString::fromLatin1(what), from), expected) << what;
}

// Identifier lines begin after a LF; "ID=9" on the first line is none.
const QString kText = QStringLiteral("ID=9\r\n#FORM\r\nID=12\r\n(SH)BOUNDS.X=120\r\n"
                                     "id=1\r\n(sh)bounds.x= 10 \r\n(SH)BOUNDS.Y=20\r\n"
                                     "ID=3\r\n(SH)BOUNDS.Y=33\r\nID=-4\r\n(SH)BOUNDS.X=44\r\n"
                                     "ID=0012\r\n(SH)BOUNDS.X=99\r\nID=5x\r\n(SH)BOUNDS.X=55\r\n"
                                     "ID=99999\r\nID=-32768\r\n(SH)BOUNDS.X=-1\r\n"
                                     "ID=32767\r\n(SH)BOUNDS.X=+1\r\nID=6\r\n(SH)BOUNDS.X=66");

TEST(ObjectLookup, MatchesTheWholeIdentifierInsideItsOwnBlock) {
    const std::tuple<qint16, const char*, const char*> cases[] = {
        {12, "(SH)BOUNDS.X=", "120"},    {1, "(SH)BOUNDS.X=", " 10 "},
        {1, "(SH)BOUNDS.Y=", "20"},      {3, "(SH)BOUNDS.X=", "<none>"},
        {3, "(SH)BOUNDS.Y=", "33"},      {12, "(SH)BOUNDS.Y=", "<none>"},
        {-4, "(SH)BOUNDS.X=", "44"},     {4, "(SH)BOUNDS.X=", "<none>"},
        {5, "(SH)BOUNDS.X=", "55"},      {9, "(SH)BOUNDS.X=", "<none>"},
        {-32768, "(SH)BOUNDS.X=", "-1"}, {32767, "(SH)BOUNDS.X=", "+1"},
        {6, "(SH)BOUNDS.X=", "<none>"}, // no CR behind the last value
    };
    const IdLineIndex index(kText);
    for (const auto& [id, key, expected] : cases) {
        EXPECT_EQ(at(kText, findObjectValue(kText, id, QString::fromLatin1(key))), expected) << id;
        EXPECT_EQ(at(kText, index.findObjectValue(id, QString::fromLatin1(key))), expected) << id;
    }
    EXPECT_EQ(index.count(), 10);
    for (int id = -40; id <= 40; ++id)
        EXPECT_EQ(index.lineOf(qint16(id)), findIdLine(kText, qint16(id))) << id;
    for (int pos = 0; pos < kText.size(); ++pos)
        EXPECT_EQ(index.blockEnd(pos), findBlockEnd(kText, pos)) << pos;
    // Ranges that are not a block find nothing.
    for (const auto& [line, end] : {std::pair{-1, 20}, {0, int(kText.size()) + 1}, {20, 10}})
        EXPECT_FALSE(findValueInBlock(kText, line, end, QStringLiteral("ID=")).found());
}

TEST(ObjectLookup, FirstOfDuplicateIdentifiersWinsEvenAtTheVeryStart) {
    const QString text = QStringLiteral("\nID=2\r\nK=a\r\nID=2\r\nK=b\r\n");
    EXPECT_EQ(at(text, findObjectValue(text, 2, QStringLiteral("K="))), QStringLiteral("a"));
    EXPECT_EQ(at(text, IdLineIndex(text).findObjectValue(2, QStringLiteral("K="))),
              QStringLiteral("a"));
    EXPECT_EQ(boundsProblem(text, 2), QStringLiteral("its block (line 2) has no "
                                                     "\"(SH)BOUNDS.X=\" line ending in a line "
                                                     "break."));
    EXPECT_EQ(boundsProblem(text, 3), QStringLiteral("no line reads \"ID=3\"."));
}

TEST(BoundsEdits, WriteTheValuesThatDifferUpToAMissingKey) {
    const QString block = lines({"x", "ID=2", "(SH)BOUNDS.X=1", "(SH)BOUNDS.Y=5",
                                 "(SH)BOUNDS.WIDTH=3", "(SH)BOUNDS.HEIGHT=4", "#END_OBJECT"});
    const QString noWidth = QString(block).remove(QStringLiteral("(SH)BOUNDS.WIDTH=3\r\n"));
    const std::tuple<QString, qint16, QString, bool> cases[] = {
        {block, 2, QString(block).replace("X=1", "X=9").replace("HEIGHT=4", "HEIGHT=0"), true},
        {noWidth, 2, QString(noWidth).replace("X=1", "X=9"), false},
        {block, 3, block, false},
        {QStringLiteral("\n") + block.mid(3), 2,
         QStringLiteral("\n") + block.mid(3).replace("X=1", "X=9").replace("HEIGHT=4", "HEIGHT=0"),
         true},
    };
    for (const auto& [text, id, expected, complete] : cases) {
        const BoundsWrite w = boundsEdits(text, id, {"9", "5", "3", "0"});
        EXPECT_EQ(applyEdits(text, w.edits), expected);
        EXPECT_EQ(w.complete, complete);
        EXPECT_EQ(boundsProblem(text, id).isEmpty(), complete);
    }
    EXPECT_EQ(lineNumberAt(block, 3), 2);
}

TEST(BlockMarkerAfterId, FindsTheFirstHashAfterASixteenBitIdentifier) {
    const QString text = lines({"x", "ID=-32768", "#A", "ID=32767", "#B"});
    const int a = int(text.indexOf('A')) - 1, b = int(text.indexOf('B')) - 1;
    const std::pair<int, int> cases[] = {
        {-32768, a}, {32767, b}, {-32769, -1}, {32768, -1}, {5, -1}};
    for (const auto& [id, expected] : cases)
        EXPECT_EQ(blockMarkerAfterId(text, id), expected) << id;
}

TEST(FormListingEdit, GoesAfterTheLastListingOrBeforeTheEndOfTheForm) {
    const QString twoForms = lines({"#FORM", "ID=1", "(U)OBJECT_ID=4", "(u)object_id=5",
                                    "#END_FORM", "#FORM", "ID=2", "  #END_FORM"});
    const QString sameLine = lines({"#FORM", "ID=1", "(U)OBJECT_ID=4 #END_FORM"});
    const std::tuple<QString, qint16, QString> cases[] = {
        // expected empty: no edit
        {twoForms, 0,
         lines({"#FORM", "ID=1", "(U)OBJECT_ID=4", "(u)object_id=5", "(U)OBJECT_ID=9", "#END_FORM",
                "#FORM", "ID=2", "  #END_FORM"})},
        {twoForms, 1,
         lines({"#FORM", "ID=1", "(U)OBJECT_ID=4", "(u)object_id=5", "#END_FORM", "#FORM", "ID=2",
                "(U)OBJECT_ID=9", "  #END_FORM"})},
        {sameLine, 0, lines({"#FORM", "ID=1", "(U)OBJECT_ID=9", "(U)OBJECT_ID=4 #END_FORM"})},
        {QStringLiteral("#FORM ID #END_FORM\r\n"), 0,
         QStringLiteral("#FORM ID \r\n(U)OBJECT_ID=9\r\n#END_FORM\r\n")},
        {twoForms, 2, QString()},
        {lines({"ID=1"}), 0, QString()},
        {lines({"#FORM", "ID=1"}), 0, QString()},
    };
    for (const auto& [text, page, expected] : cases) {
        const std::optional<TextEdit> edit = formListingEdit(text, page, 9);
        EXPECT_EQ(edit ? applyEdits(text, {*edit}) : QString(), expected) << page;
    }
}

TEST(ObjectRemoval, TakesTheBlockAndEveryListingOfExactlyThatIdentifier) {
    const QString text =
        lines({"(U)OBJECT_ID=2", "#FORM",   "ID=1",           "(U)OBJECT_ID=12", "(U)OBJECT_ID=2",
               "#END_FORM",      "#FORM",   "ID=3",           "(U)OBJECT_ID= 2", "x(U)OBJECT_ID=2",
               "#END_FORM",      "#OBJECT", "ID=12",          "#END_OBJECT",     "#OBJECT",
               "// the second",  "ID=2",    "(U)OBJECT_ID=2", "#END_OBJECT",     "tail"}) +
        QStringLiteral("(U)OBJECT_ID=2");
    const ObjectRemoval r = objectRemoval(text, 2);
    ASSERT_TRUE(r.refusal.isEmpty()) << r.refusal.toStdString();
    QString left = text;
    for (const TextSpan& span : r.spans) // last first
        left.remove(span.start, span.length);
    EXPECT_EQ(left, lines({"#FORM", "ID=1", "(U)OBJECT_ID=12", "#END_FORM", "#FORM", "ID=3",
                           "x(U)OBJECT_ID=2", "#END_FORM", "#OBJECT", "ID=12", "#END_OBJECT"}) +
                        QStringLiteral("tail"));
    // A block at the very start; the listing after it leaves the block's line break to it.
    const QString last = lines({"#OBJECT", "ID=2", "#END_OBJECT"}) + "(U)OBJECT_ID=2";
    const ObjectRemoval whole = objectRemoval(last, 2);
    ASSERT_EQ(whole.spans.size(), 2);
    EXPECT_EQ(whole.spans[0].start, last.indexOf("(U)"));
    EXPECT_EQ(whole.spans[1].length, whole.spans[0].start);
}

TEST(ObjectRemoval, RefusesEveryOtherShapeAndSaysWhy) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"#OBJECT", "ID=22", "#END_OBJECT"}, "no line reads \"ID=2\"."},
        {{"#OBJECT", "ID=2", "#END_OBJECT", "#OBJECT", "ID=2", "#END_OBJECT"},
         "lines 3 and 6 both read \"ID=2\"."},
        {{"#END_OBJECT", "ID=2", "#END_OBJECT"},
         "no \"#OBJECT\" line opens its block before line 3."},
        {{"#OBJECT", "ID=1", "ID=2", "#END_OBJECT"}, "no \"#OBJECT\""},
        {{"#OBJECT", "ID=2", "(SH)BOUNDS.X=1"},
         "no \"#END_OBJECT\" line closes its block (line 3)"},
        {{"#OBJECT", "ID=2", "#OBJECT", "ID=3", "#END_OBJECT"}, "no \"#END_OBJECT\""},
        {{"#OBJECT", "ID=2", "(S)TEXT=#form", "#END_OBJECT"}, "no \"#END_OBJECT\""},
    };
    for (const auto& [text, why] : cases) {
        const ObjectRemoval r = objectRemoval(QStringLiteral("x\r\n") + lines(text), 2);
        EXPECT_TRUE(r.spans.isEmpty() && r.refusal.contains(QLatin1String(why)))
            << r.refusal.toStdString();
    }
}

} // namespace
} // namespace tarvo
