#include "designer/gesture_edits.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace tarvo {
namespace {

// Lines joined with CR LF, the last one ended too.
QString lines(const QStringList& l) {
    return l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QString applied(QString text, const TextEdit& edit) {
    return text.replace(edit.start, edit.length, edit.text);
}

QString removed(QString text, const ObjectRemoval& removal) {
    for (const TextSpan& span : removal.spans) // last first
        text.remove(span.start, span.length);
    return text;
}

TEST(DesignerKey, ArrowsNudgeAndShortcutsAreRecognised) {
    using A = DesignerKeyAction;
    struct Case {
        int key, shift;
        A action;
        float dx, dy;
    };
    const Case cases[] = {
        {Qt::Key_Left, 0, A::Move, -1, 0},    {Qt::Key_Down, 1, A::Move, 0, 8},
        {Qt::Key_Right, 2, A::Resize, 1, 0},  {Qt::Key_Up, 3, A::Resize, 0, -8},
        {Qt::Key_Left, 4, A::None, 0, 0},     {Qt::Key_Delete, 0, A::Delete, 0, 0},
        {Qt::Key_Delete, 2, A::None, 0, 0},   {Qt::Key_Z, 2, A::Undo, 0, 0},
        {Qt::Key_Z, 3, A::Redo, 0, 0},        {Qt::Key_Y, 2, A::Redo, 0, 0},
        {Qt::Key_Z, 0, A::None, 0, 0},        {Qt::Key_Escape, 0, A::Deselect, 0, 0},
        {Qt::Key_Backspace, 0, A::None, 0, 0}};
    for (const Case& c : cases) {
        const DesignerKey k = designerKey(c.key, c.shift);
        EXPECT_EQ(k.action, c.action) << c.key << " shift " << c.shift;
        EXPECT_EQ(k.dx, c.dx) << c.key << " shift " << c.shift;
        EXPECT_EQ(k.dy, c.dy) << c.key << " shift " << c.shift;
    }
}

TEST(FormListingEdit, GoesAfterTheLastListingOrBeforeTheEndOfTheForm) {
    const QString twoForms = lines({"#FORM", "ID=1", "(U)OBJECT_ID=4", "(u)object_id=5",
                                    "#END_FORM", "#FORM", "ID=2", "  #END_FORM"});
    struct Case {
        const char* name;
        QString text;
        int page;
        QString expected; // empty: no edit
    };
    const Case cases[] = {
        {"after the last listing", twoForms, 0,
         lines({"#FORM", "ID=1", "(U)OBJECT_ID=4", "(u)object_id=5", "(U)OBJECT_ID=9", "#END_FORM",
                "#FORM", "ID=2", "  #END_FORM"})},
        {"no listing yet", twoForms, 1,
         lines({"#FORM", "ID=1", "(U)OBJECT_ID=4", "(u)object_id=5", "#END_FORM", "#FORM", "ID=2",
                "(U)OBJECT_ID=9", "  #END_FORM"})},
        {"end on the form's line", QStringLiteral("x\r\n#FORM ID #END_FORM\r\n"), 0,
         QStringLiteral("x\r\n#FORM ID \r\n(U)OBJECT_ID=9\r\n#END_FORM\r\n")},
        {"no such page", twoForms, 2, QString()},
        {"no form", lines({"ID=1"}), 0, QString()},
        {"form not closed", lines({"#FORM", "ID=1"}), 0, QString()},
    };
    for (const Case& c : cases) {
        const std::optional<TextEdit> edit = formListingEdit(c.text, qint16(c.page), 9);
        EXPECT_EQ(edit ? applied(c.text, *edit) : QString(), c.expected) << c.name;
    }
}

TEST(ObjectRemoval, TakesTheBlockAndEveryListingOfExactlyThatIdentifier) {
    const QString text =
        lines({"#FORM", "ID=1", "(U)OBJECT_ID=12", "(U)OBJECT_ID=2", "#END_FORM", "#FORM", "ID=3",
               "(U)OBJECT_ID= 2", "#END_FORM", "#OBJECT", "ID=12", "#END_OBJECT", "#OBJECT",
               "// the second", "ID=2", "(SH)BOUNDS.X=1", "#END_OBJECT", "tail"}) +
        QStringLiteral("(U)OBJECT_ID=2");
    const ObjectRemoval r = objectRemoval(text, 2);
    ASSERT_TRUE(r.refusal.isEmpty()) << r.refusal.toStdString();
    EXPECT_EQ(removed(text, r), lines({"#FORM", "ID=1", "(U)OBJECT_ID=12", "#END_FORM", "#FORM",
                                       "ID=3", "#END_FORM", "#OBJECT", "ID=12", "#END_OBJECT"}) +
                                    QStringLiteral("tail"));
}

TEST(ObjectRemoval, RefusesEveryOtherShapeAndSaysWhy) {
    struct Case {
        const char* name;
        QStringList text;
        const char* why;
    };
    const Case cases[] = {
        {"no identifier line", {"#OBJECT", "ID=22", "#END_OBJECT"}, "no line reads \"ID=2\""},
        {"two blocks",
         {"#OBJECT", "ID=2", "#END_OBJECT", "#OBJECT", "ID=2", "#END_OBJECT"},
         "lines 3 and 6"},
        {"no opening", {"#END_OBJECT", "ID=2", "#END_OBJECT"}, "no \"#OBJECT\""},
        {"another identifier before", {"#OBJECT", "ID=1", "ID=2", "#END_OBJECT"}, "#OBJECT"},
        {"not closed", {"#OBJECT", "ID=2", "(SH)BOUNDS.X=1"}, "no \"#END_OBJECT\""},
        {"next block first", {"#OBJECT", "ID=2", "#OBJECT", "ID=3", "#END_OBJECT"}, "#END_OBJECT"},
        {"a form page inside", {"#OBJECT", "ID=2", "(S)TEXT=#form", "#END_OBJECT"}, "#END_OBJECT"},
    };
    for (const Case& c : cases) {
        const ObjectRemoval r = objectRemoval(QStringLiteral("x\r\n") + lines(c.text), 2);
        EXPECT_TRUE(r.spans.isEmpty()) << c.name;
        EXPECT_TRUE(r.refusal.contains(QLatin1String(c.why)))
            << c.name << ": " << r.refusal.toStdString();
    }
}

} // namespace
} // namespace tarvo
