#include "designer_fixture.h"

#include "designer/property_grid.h"

#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

namespace tarvo::test {
namespace {

class PropertyGridTest : public DesignerTest {
protected:
    QTableWidget& grid() { return *ui().MSFlexGrid1; }
    QStringList column(int c) {
        QStringList texts;
        for (int row = 0; row < grid().rowCount(); ++row)
            texts << (grid().item(row, c) ? grid().item(row, c)->text() : QString());
        return texts;
    }
    void show(const QString& toolTip, float left, float top, float width, float height) {
        ObjectPicture& p = picture(4);
        p.setToolTipText(toolTip);
        p.setLeft(left);
        p.setTop(top);
        p.setWidth(width);
        p.setHeight(height);
        form->propertyGrid().ShowObjectProperties(4);
    }
};

TEST_F(PropertyGridTest, StartsWithTheNamesAndEmptyValues) {
    EXPECT_EQ(column(0), (QStringList{"Property", "ID", "Type", "X", "Y", "Width", "Height", ""}));
    EXPECT_EQ(column(1), (QStringList{"Value R/O (Modify text file)", "", "", "", "", "", "", ""}));
    EXPECT_EQ(grid().item(1, 1)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));
}

TEST_F(PropertyGridTest, ShowsThePictureNotTheText) {
    show(QStringLiteral("7,3"), 99, 64, 30, 12);
    EXPECT_EQ(column(1).mid(1, 6), (QStringList{"7", "3", "10", "20", "30", "12"}));
    show(QStringLiteral("7,a,b"), 89.5f, 44, 0, 0);
    EXPECT_EQ(column(1).mid(1, 6), (QStringList{"7", "a,b", "0.5", "0", "0", "0"}));
    show(QStringLiteral("42"), 89, 44, 1, 1);
    EXPECT_EQ(column(1).mid(1, 2), (QStringList{"42", ""}));
    EXPECT_EQ(column(1)[7], QString());
}

TEST_F(PropertyGridTest, ClickingItDoesNothing) {
    show(QStringLiteral("12,Button"), 100, 50, 10, 10);
    const QStringList names = column(0), values = column(1);
    const QString text = text1().text();
    QWidget* viewport = grid().viewport();
    const QRect cell = grid().visualItemRect(grid().item(1, 1));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(column(0), names);
    EXPECT_EQ(column(1), values);
    EXPECT_TRUE(viewport->findChildren<QLineEdit*>().isEmpty()); // no editor opened
    EXPECT_EQ(text1().text(), text);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

} // namespace
} // namespace tarvo::test
