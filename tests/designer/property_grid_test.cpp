#include "designer_fixture.h"

#include "designer/property_grid.h"

#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

namespace tarvo::testing {
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

TEST_F(PropertyGridTest, ShowsThePictureNotTheText) {
    show(QStringLiteral("7,3"), 99, 64, 30, 12);
    EXPECT_EQ(column(1).mid(1, 6), (QStringList{"7", "3", "10", "20", "30", "12"}));
    show(QStringLiteral("42"), 89.5f, 44, 0, 0);
    EXPECT_EQ(column(1).mid(1, 6), (QStringList{"42", "", "0.5", "0", "0", "0"}));
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
} // namespace tarvo::testing
