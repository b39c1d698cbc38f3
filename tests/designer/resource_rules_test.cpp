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
        {" 12 ", 12, 12},           {"2.5", 2, 2},           {"3.5", 4, 4},
        {"-32768", -32768, -32768}, {"32767", 32767, 32767}, {"32768", {}, {}},
        {"-32769", {}, {}},         {"   ", {}, {}},         {"nan", {}, {}},
        {"12,Button", {}, 12},      {"-3,x", {}, -3},        {"+4,x", {}, 4},
        {"109,x", {}, 109},         {",Button", {}, {}},     {"5.5,x", {}, 6},
        {"99999,x", {}, {}},
    };
    for (const auto& [text, whole, leading] : cases) {
        EXPECT_EQ(toInt16(QString::fromLatin1(text)), whole) << text;
        EXPECT_EQ(leadingInt16(QString::fromLatin1(text)), leading) << text;
    }
    EXPECT_EQ(wholeNumberText(10.6f) + wholeNumberText(-3.0f), QStringLiteral("11-3"));
    for (const auto& [what, found] : {std::pair{"a", 4}, {"z", 2}, {"#END", 6}}) // case ignored
        EXPECT_EQ(findText(QStringLiteral("x Z A #end"), QString::fromLatin1(what), 1), found);
}

TEST(ObjectLookup, MatchesTheWholeIdentifierInsideItsOwnBlock) {
    // Identifier lines begin after a LF; "ID=9" on the first line is none.
    const QString text = QStringLiteral(
        "ID=9\r\n#FORM\r\nID=12\r\n(SH)BOUNDS.X=120\r\nid=1\r\n(sh)bounds.x= 10 \r\n"
        "(SH)BOUNDS.Y=20\r\nID=3\r\n(SH)BOUNDS.Y=33\r\nID=-4\r\n(SH)BOUNDS.X=44\r\n"
        "ID=0012\r\n(SH)BOUNDS.X=99\r\nID=5x\r\n(SH)BOUNDS.X=55\r\nID=99999\r\nID=-32768\r\n"
        "(SH)BOUNDS.X=-1\r\nID=32767\r\n(SH)BOUNDS.X=+1\r\nID=6\r\n(SH)BOUNDS.X=66");
    const std::tuple<qint16, const char*, const char*> cases[] = {
        {12, "X", "120"},   {1, "X", " 10 "},    {1, "Y", "20"},      {3, "X", "<none>"},
        {3, "Y", "33"},     {12, "Y", "<none>"}, {-4, "X", "44"},     {4, "X", "<none>"},
        {5, "X", "55"},     {9, "X", "<none>"},  {-32768, "X", "-1"}, {32767, "X", "+1"},
        {6, "X", "<none>"}, // no CR behind the last value
    };
    for (const auto& [id, axis, expected] : cases) {
        const QString key = QStringLiteral("(SH)BOUNDS.%1=").arg(QLatin1String(axis));
        EXPECT_EQ(at(text, findObjectValue(text, id, key)), expected) << id;
    }
    // The first of two equal identifiers wins, even at the very start.
    const QString twins = QStringLiteral("\nID=2\r\nK=a\r\nID=2\r\nK=b\r\n");
    EXPECT_EQ(at(twins, IdLineIndex(twins).findObjectValue(2, QStringLiteral("K="))), "a");
}

TEST(BoundsEdits, WriteTheValuesThatDifferUpToAMissingKey) {
    // The identifier line at the very start, the width missing.
    const QString block = "\nID=2\r\n(SH)BOUNDS.X=1\r\n(SH)BOUNDS.Y=5\r\n(SH)BOUNDS.HEIGHT=4\r\n";
    const BoundsWrite w = boundsEdits(block, 2, {"9", "5", "3", "0"});
    EXPECT_EQ(applyEdits(block, w.edits), QString(block).replace("X=1", "X=9"));
    EXPECT_FALSE(w.complete);
    EXPECT_EQ(boundsProblem(block, 2), "its block (line 2) has no \"(SH)BOUNDS.WIDTH=\" line "
                                       "ending in a line break.");
    const QString ids = lines({"x", "ID=-32768", "#A", "ID=32767", "#B"});
    for (const auto& [id, marker] : {std::pair{-32768, 'A'}, {32767, 'B'}, {-32769, 0}, {5, 0}})
        EXPECT_EQ(blockMarkerAfterId(ids, id), marker ? ids.indexOf(QChar(marker)) - 1 : -1) << id;
}

TEST(FormListingEdit, GoesAfterTheLastListingOrBeforeTheEndOfTheForm) {
    const QString twoForms = lines({"#FORM", "ID=1", "(U)OBJECT_ID=4", "(u)object_id=5",
                                    "#END_FORM", "#FORM", "ID=2", "  #END_FORM"});
    const QString sameLine = lines({"#FORM", "ID=1", "(U)OBJECT_ID=4 #END_FORM"});
    // Where "(U)OBJECT_ID=9" and a line break go in; none when empty.
    const std::tuple<QString, qint16, const char*> cases[] = {
        {twoForms, 0, "#END_FORM"}, {twoForms, 1, "  #END_FORM"}, {sameLine, 0, "(U)OBJECT_ID=4"},
        {twoForms, 2, ""},          {lines({"ID=1"}), 0, ""},     {lines({"#FORM", "ID=1"}), 0, ""},
    };
    const QString line = QStringLiteral("(U)OBJECT_ID=9\r\n");
    for (const auto& [text, page, before] : cases) {
        const std::optional<TextEdit> edit = formListingEdit(text, page, 9);
        EXPECT_EQ(edit ? applyEdits(text, {*edit}) : QString(),
                  *before ? QString(text).insert(text.indexOf(before), line) : QString())
            << page << before;
    }
    const QString one = QStringLiteral("#FORM ID #END_FORM\r\n"); // gets a line of its own
    EXPECT_EQ(applyEdits(one, {*formListingEdit(one, 0, 9)}),
              "#FORM ID \r\n" + line + "#END_FORM\r\n");
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
    // Every other shape is refused with the reason.
    const std::pair<const char*, const char*> refusals[] = {
        {"#OBJECT|ID=22|#END_OBJECT", "no line reads \"ID=2\"."},
        {"#OBJECT|ID=2|#END_OBJECT|#OBJECT|ID=2|#END_OBJECT", "lines 3 and 6 both read \"ID=2\"."},
        {"#END_OBJECT|ID=2|#END_OBJECT", "no \"#OBJECT\" line opens its block before line 3."},
        {"#OBJECT|ID=1|ID=2|#END_OBJECT", "no \"#OBJECT\""},
        {"#OBJECT|ID=2|(SH)BOUNDS.X=1", "no \"#END_OBJECT\" line closes its block (line 3)"},
        {"#OBJECT|ID=2|#OBJECT|ID=3|#END_OBJECT", "no \"#END_OBJECT\""},
        {"#OBJECT|ID=2|(S)TEXT=#form|#END_OBJECT", "no \"#END_OBJECT\""}};
    for (const auto& [shape, why] : refusals) {
        const ObjectRemoval no = objectRemoval("x\r\n" + lines(QString(shape).split('|')), 2);
        EXPECT_TRUE(no.spans.isEmpty() && no.refusal.contains(QLatin1String(why)))
            << no.refusal.toStdString();
    }
}

} // namespace
} // namespace tarvo
