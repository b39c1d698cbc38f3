#include "designer_fixture.h"

#include "designer/form_loader.h"

namespace tarvo::testing {
namespace {

using FormLoaderTest = DesignerTest;

void expectPicture(ObjectPicture& p, float left, float top, float width, float height,
                   const QString& toolTip) {
    EXPECT_FLOAT_EQ(p.left(), left) << toolTip.toStdString();
    EXPECT_FLOAT_EQ(p.top(), top) << toolTip.toStdString();
    EXPECT_FLOAT_EQ(p.width(), width) << toolTip.toStdString();
    EXPECT_FLOAT_EQ(p.height(), height) << toolTip.toStdString();
    EXPECT_EQ(p.toolTipText(), toolTip);
}

bool isEmptyPicture(ObjectPicture& p) {
    return p.left() == 0 && p.top() == 0 && p.width() == 0 && p.height() == 0 &&
           p.toolTipText().isEmpty();
}

TEST_F(FormLoaderTest, PageZeroWithThreeObjects) {
    setText(QStringLiteral("resource text\r\n") + formBlock(1, {0, 0, 160, 150}, {2, 4, 3}) +
            objectBlock(2, QStringLiteral("3"), {10, 20, 30, 12}) +
            objectBlock(3, QStringLiteral("Button"), {0, 0, 20, 10}) +
            objectBlock(4, QStringLiteral("Field"), {160, 5, 40, 11}));
    text1().select(5, 3);
    load(0);

    expectPicture(picture(1), 99, 64, 30, 12, QStringLiteral("2,3"));
    expectPicture(picture(2), 249, 49, 40, 11, QStringLiteral("4,Field")); // not clamped
    expectPicture(picture(3), 89, 44, 20, 10, QStringLiteral("3,Button"));
    EXPECT_TRUE(isEmptyPicture(picture(4)));
    EXPECT_EQ(designer().NextPictureSlot, 4);
    EXPECT_EQ(designer().NextObjectId, 4); // four lines begin with "ID="
    EXPECT_EQ(text1().selStart(), 0);
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // The frame outlines the form's own bounds.
    EXPECT_EQ(QRect(ui().Line2->x1(), ui().Line2->y1(), 0, 0).topLeft(), QPoint(89, 44));
    EXPECT_EQ(QPoint(ui().Line2->x2(), ui().Line2->y2()), QPoint(249, 44));
    EXPECT_EQ(QPoint(ui().Line3->x2(), ui().Line3->y2()), QPoint(249, 194));
    EXPECT_EQ(QPoint(ui().Line4->x2(), ui().Line4->y2()), QPoint(89, 194));
    EXPECT_EQ(QPoint(ui().Line5->x2(), ui().Line5->y2()), QPoint(89, 44));
}

TEST_F(FormLoaderTest, ObjectLinesOutsideTheFormBlockAreNotShown) {
    setText(QStringLiteral("(U)OBJECT_ID=3\r\n") + formBlock(1, {0, 0, 160, 160}, {2}) +
            QStringLiteral("(U)OBJECT_ID=3\r\n") +
            objectBlock(2, QStringLiteral("Button"), {1, 2, 3, 4}) +
            objectBlock(3, QStringLiteral("Line"), {5, 6, 7, 8}));
    load(0);
    expectPicture(picture(1), 90, 46, 3, 4, QStringLiteral("2,Button"));
    EXPECT_TRUE(isEmptyPicture(picture(2)));
    EXPECT_EQ(designer().NextPictureSlot, 2);
}

TEST_F(FormLoaderTest, ThePageAfterTheLastStepsBackAndKeepsThePictures) {
    setText(formBlock(1, {0, 0, 160, 160}, {3}) + formBlock(2, {0, 0, 160, 160}, {4}) +
            objectBlock(3, QStringLiteral("Button"), {1, 1, 5, 5}) +
            objectBlock(4, QStringLiteral("List"), {2, 2, 6, 6}));
    load(1);
    expectPicture(picture(1), 91, 46, 6, 6, QStringLiteral("4,List"));
    const qint16 nextId = designer().NextObjectId;

    load(2);
    EXPECT_EQ(designer().CurrentFormPage, 1);
    expectPicture(picture(1), 91, 46, 6, 6, QStringLiteral("4,List"));
    EXPECT_EQ(designer().NextObjectId, nextId);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(FormLoaderTest, LowerCaseMarkersAndKeysAreFound) {
    setText(QStringLiteral("top\r\n#form\r\nid=1\r\n(sh)bounds.x=0\r\n(sh)bounds.y=0\r\n"
                           "(sh)bounds.width=160\r\n(sh)bounds.height=160\r\n"
                           "(u)object_id=2\r\n#end_form\r\n"
                           "id=2\r\n(b)object.type=Button\r\n(sh)bounds.x=3\r\n"
                           "(sh)bounds.y=4\r\n(sh)bounds.width=5\r\n(sh)bounds.height=6\r\n"));
    load(0);
    expectPicture(picture(1), 92, 48, 5, 6, QStringLiteral("2,Button"));
    EXPECT_EQ(designer().NextObjectId, 2);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(FormLoaderTest, WidthInLettersStopsWithTheMessageAfterTheObjectsBeforeIt) {
    QString bad = objectBlock(3, QStringLiteral("Field"), {5, 6, 7, 8});
    bad.replace(QStringLiteral("WIDTH=7"), QStringLiteral("WIDTH=seven"));
    setText(QStringLiteral("x\r\n") + formBlock(1, {0, 0, 160, 160}, {2, 3, 4}) +
            objectBlock(2, QStringLiteral("Button"), {1, 2, 3, 4}) + bad +
            objectBlock(4, QStringLiteral("List"), {9, 9, 9, 9}));
    load(0);
    expectPicture(picture(1), 90, 46, 3, 4, QStringLiteral("2,Button"));
    // What was set before the error stays; the rest stays cleared.
    EXPECT_FLOAT_EQ(picture(2).left(), 94);
    EXPECT_FLOAT_EQ(picture(2).top(), 50);
    EXPECT_TRUE(picture(2).toolTipText().isEmpty());
    EXPECT_TRUE(isEmptyPicture(picture(3)));
    EXPECT_EQ(designer().NextPictureSlot, 2);
    EXPECT_EQ(designer().NextObjectId, 1);
    EXPECT_EQ(dialogs.messages(),
              QStringList{textErrorMessage() + QStringLiteral("\nObject 3: \"(SH)BOUNDS.WIDTH="
                                                              "seven\" (line 26) is not a number "
                                                              "from -32768 to 32767.")});
}

TEST_F(FormLoaderTest, EachKindOfTextErrorIsReportedWithWhatIsAtFault) {
    const QString form = QStringLiteral("x\r\n") + formBlock(1, {0, 0, 160, 160}, {2});
    const QString good = objectBlock(2, QStringLiteral("Button"), {1, 2, 3, 4});
    auto replaced = [&](const char* from, const char* to) {
        return form + QString(good).replace(QLatin1String(from), QLatin1String(to));
    };
    struct Case {
        const char* name;
        QString text;
        const char* detail;
    };
    const Case cases[] = {
        {"negative width", replaced("WIDTH=3", "WIDTH=-3"),
         "Object 2: \"(SH)BOUNDS.WIDTH=-3\" (line 16) is negative."},
        {"out of range", replaced("X=1", "X=40000"), "\"(SH)BOUNDS.X=40000\" (line 14) is not a"},
        {"no type key", replaced("(B)OBJECT.TYPE=Button", "(B)KIND=Button"),
         "Object 2: its block has no \"(B)OBJECT.TYPE=\""},
        {"object without identifier line", replaced("ID=2", "ID=5"), "no line reads \"ID=2\""},
        {"identifier in letters",
         QString(form).replace(QLatin1String("(U)OBJECT_ID=2"), QLatin1String("(U)OBJECT_ID=two")) +
             good,
         "\"(U)OBJECT_ID=two\" (line 9) is not an identifier"},
        {"form without bounds", QStringLiteral("x\r\n#FORM\r\nID=1\r\n#END_FORM\r\n"),
         "Form 1: its block has no \"(SH)BOUNDS.Y=\""},
        // The key is looked up in its own block only.
        {"key only in the next block",
         form + QString(good).remove(QStringLiteral("(SH)BOUNDS.HEIGHT=4\r\n")) +
             objectBlock(3, QStringLiteral("Line"), {0, 0, 1, 1}),
         "Object 2: its block has no \"(SH)BOUNDS.HEIGHT=\""},
        // Identifiers are 16-bit: the count cannot go past 32767.
        {"too many identifier lines", form + good + QStringLiteral("ID=9\r\n").repeated(100000),
         "100002 lines that begin with \"ID=\", more than the 32767"},
    };
    for (const Case& c : cases) {
        dialogs.shown.clear();
        setText(c.text);
        load(0);
        ASSERT_EQ(dialogs.messages().size(), 1) << c.name;
        const QString message = dialogs.messages()[0];
        EXPECT_TRUE(message.startsWith(textErrorMessage() + QLatin1Char('\n')) &&
                    message.contains(QLatin1String(c.detail)))
            << c.name << ": " << message.toStdString();
    }
    EXPECT_EQ(picture(1).toolTipText(), QStringLiteral("2,Button")); // placed before the count
    // Silent without a project.
    ctx().project.ProjectPath.clear();
    dialogs.shown.clear();
    load(0);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(FormLoaderTest, MoreObjectsThanPicturesDrawsThoseThatFitThenReports) {
    setObjectsPerPage(30);
    QList<int> ids;
    QString objects;
    for (int i = 0; i < 45; ++i) {
        ids.append(100 + i);
        objects += objectBlock(100 + i, QStringLiteral("Button"), {i, i, 2, 2});
    }
    setText(QStringLiteral("x\r\n") + formBlock(1, {0, 0, 160, 160}, ids) + objects);
    load(0);
    for (int i = 1; i <= 30; ++i)
        EXPECT_EQ(picture(i).toolTipText(), QStringLiteral("%1,Button").arg(99 + i));
    EXPECT_EQ(designer().NextPictureSlot, 31);
    EXPECT_EQ(dialogs.messages(),
              QStringList{textErrorMessage() + QStringLiteral("\nForm page 0 lists more objects "
                                                              "than the 30 object pictures "
                                                              "(ObjectsPerPage is 30, at most "
                                                              "500).")});
}

} // namespace
} // namespace tarvo::testing
