#include "designer_fixture.h"

#include "designer/form_loader.h"
#include "designer/object_mover.h"

#include <QTableWidget>

namespace tarvo::testing {
namespace {

// Three objects; 12 stands before 1 so that a lookup of 1 that matched the
// leading digits only would hit 12.
class ObjectMoverTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        setText(textWith(b1));
        load(0);
        ASSERT_EQ(picture(1).toolTipText(), QStringLiteral("1,Button"));
        ASSERT_EQ(picture(2).toolTipText(), QStringLiteral("12,List"));
        ASSERT_EQ(picture(3).toolTipText(), QStringLiteral("2,Field"));
    }
    QString textWith(Bounds first, const QString& twoX = QStringLiteral("0")) {
        QString two = objectBlock(2, QStringLiteral("Field"), {0, 100, 40, 12});
        two.replace(QStringLiteral("(SH)BOUNDS.X=0"), QStringLiteral("(SH)BOUNDS.X=") + twoX);
        return QStringLiteral("x\r\n") + formBlock(100, {0, 0, 160, 160}, {1, 12, 2}) +
               objectBlock(12, QStringLiteral("List"), {50, 60, 20, 20}) +
               objectBlock(1, QStringLiteral("Button"), first) + two;
    }
    QString grid(int row) { return ui().MSFlexGrid1->item(row, 1)->text(); }

    const Bounds b1{10, 20, 30, 10};
};

TEST_F(ObjectMoverTest, AClickWithoutMovementNormalisesTheValues) {
    setText(textWith(b1, QStringLiteral("007")));
    load(0);
    EXPECT_FLOAT_EQ(picture(3).left(), 96);
    dragPicture(3, {4, 4}, {4, 4}, Qt::LeftButton);
    EXPECT_FLOAT_EQ(picture(3).left(), 96);
    EXPECT_EQ(text1().text(), textWith(b1, QStringLiteral("7")));
    EXPECT_EQ(grid(1), QStringLiteral("2"));
    EXPECT_EQ(grid(3), QStringLiteral("7"));
    // Other buttons move nothing but still store.
    setText(textWith(b1, QStringLiteral("007")));
    load(0);
    dragPicture(3, {4, 4}, {30, 30}, Qt::MiddleButton);
    EXPECT_FLOAT_EQ(picture(3).left(), 96);
    EXPECT_EQ(text1().text(), textWith(b1, QStringLiteral("7")));
}

TEST_F(ObjectMoverTest, StoringStopsAtAKeyMissingFromTheObjectsOwnBlock) {
    // Block 3 lacks its height; block 4 right after it has one.
    const QString before = QStringLiteral("x\r\nID=3\r\n(SH)BOUNDS.X=1\r\n(SH)BOUNDS.Y=1\r\n"
                                          "(SH)BOUNDS.WIDTH=1\r\n#END\r\n") +
                           objectBlock(4, QStringLiteral("Line"), {9, 9, 9, 9});
    setText(before);
    ObjectPicture& p = picture(5);
    p.setToolTipText(QStringLiteral("3,Button"));
    p.setLeft(100);
    p.setTop(50);
    p.setWidth(20);
    p.setHeight(30);
    form->objectMover().StoreObjectBounds(5);
    QString expected = before;
    expected.replace(QStringLiteral("X=1\r"), QStringLiteral("X=11\r"))
        .replace(QStringLiteral("Y=1\r"), QStringLiteral("Y=6\r"))
        .replace(QStringLiteral("WIDTH=1\r"), QStringLiteral("WIDTH=20\r"));
    EXPECT_EQ(text1().text(), expected);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(ObjectMoverTest, StoringWithoutAnIdentifierLineChangesNothing) {
    const QString before = text1().text();
    picture(1).setToolTipText(QStringLiteral("77,Button"));
    dragPicture(1, {1, 1}, {3, 3}, Qt::LeftButton);
    EXPECT_EQ(text1().text(), before);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

} // namespace
} // namespace tarvo::testing
