#include "ide_test.h"

#include "platform/object_picture.h"
#include "platform/pane_family.h"
#include "platform/rich_text_pane.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace tarvo::testing {
namespace {

class MainWindow : public IdeTest {
protected:
    Form1& shownForm() {
        Form1& form = makeForm(QByteArray("ObjectsPerPage,2\r\n"));
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        return form;
    }
};

QWidget* control(Form1& form, const char* name) {
    return form.ui().client->findChild<QWidget*>(QString::fromLatin1(name));
}

struct GeometryCase {
    const char* name;
    QRect geometry;
};

// Controls whose place no rule changes: they keep their design geometry.
const GeometryCase kFixedControls[] = {
    {"Command4", {8, 16, 41, 41}},       {"Command5", {8, 56, 41, 41}},
    {"Command8", {8, 96, 41, 41}},       {"Command10", {8, 136, 41, 41}},
    {"Command6", {8, 176, 41, 41}},      {"Command7", {8, 216, 41, 41}},
    {"Command9", {8, 256, 41, 41}},      {"Command2", {8, 320, 20, 17}},
    {"Command3", {29, 320, 20, 17}},     {"MSFlexGrid1", {8, 353, 361, 114}},
    {"Label2", {8, 304, 41, 17}},        {"Command1_0", {288, 16, 41, 41}},
    {"Command1_1", {328, 16, 41, 41}},   {"Command1_2", {288, 56, 41, 41}},
    {"Command1_3", {328, 56, 41, 41}},   {"Command1_4", {288, 96, 41, 41}},
    {"Command1_5", {328, 96, 41, 41}},   {"Command1_6", {288, 136, 41, 41}},
    {"Command1_7", {328, 136, 41, 41}},  {"Command1_9", {288, 176, 41, 41}},
    {"Command1_11", {328, 176, 41, 41}}, {"Command1_10", {288, 216, 41, 41}},
    {"Command1_8", {328, 216, 41, 41}},  {"Command1_12", {288, 256, 41, 41}},
    {"Command1_13", {328, 256, 41, 41}}, {"Command1_14", {288, 296, 41, 41}},
    {"Command1_15", {328, 296, 41, 41}}, {"OtherTextFile", {501, 29, 57, 353}},
};

TEST_F(MainWindow, ControlsStandAtTheirDesignPlaces) {
    Form1& form = shownForm();
    for (const GeometryCase& c : kFixedControls) {
        QWidget* w = control(form, c.name);
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(w->geometry(), c.geometry) << c.name;
    }
    const Controls& ui = form.ui();
    EXPECT_EQ(ui.Console->pos(), QPoint(9, 480));
    EXPECT_EQ(ui.Console->width(), 359);
    EXPECT_EQ(ui.Text1->pos(), QPoint(385, 29));
    EXPECT_EQ(ui.TabStrip1->pos(), QPoint(385, 9));
    EXPECT_EQ(ui.TabStrip1->height(), 23);
    ObjectPicture* picture0 = ui.DynamicPicture->at(0);
    EXPECT_EQ(QRect(int(picture0->left()), int(picture0->top()), int(picture0->width()),
                    int(picture0->height())),
              QRect(445, 408, 57, 49));
    EXPECT_EQ(picture0->backColor(), QColor(192, 255, 192));
    struct Line {
        LineShape* shape;
        QLine design;
    };
    for (const Line& l :
         {Line{ui.Line2, {88, 42, 88, 204}}, Line{ui.Line3, {88, 43, 248, 43}},
          Line{ui.Line4, {89, 203, 249, 203}}, Line{ui.Line5, {248, 43, 248, 205}}}) {
        EXPECT_EQ(QLine(l.shape->x1(), l.shape->y1(), l.shape->x2(), l.shape->y2()), l.design);
    }
    EXPECT_EQ(QPoint(ui.Line1->x1(), ui.Line1->y1()), QPoint(0, 0));
}

TEST_F(MainWindow, ConsolePanesArePlacedInTwips) {
    Form1& form = shownForm();
    const double tpp = form.twipsPerPixel();
    auto px = [tpp](double twips) { return int(std::lround(twips / tpp)); };
    const Controls& ui = form.ui();
    EXPECT_EQ(ui.ConsoleText1->pos(), QPoint(px(105), px(450)));
    EXPECT_EQ(ui.ConsoleText1->width(), px(5175));
    EXPECT_EQ(ui.ConsoleText2->pos(), QPoint(px(105), px(450)));
    EXPECT_EQ(ui.ConsoleText2->width(), px(5145));
    EXPECT_EQ(ui.Console->tabText(0), "Errors");
    EXPECT_EQ(ui.Console->tabText(1), "Output");
}

// The layout as the rules leave it, checked by the relations they establish.
void expectLaidOut(Form1& form) {
    const Controls& ui = form.ui();
    const double tpp = form.twipsPerPixel();
    const QRect text1 = ui.Text1->geometry();
    EXPECT_EQ(ui.resourceh->geometry(), text1);
    EXPECT_EQ(ui.TabStrip1->width(), text1.width());
    EXPECT_EQ(ui.Line1->x2(), ui.client->width());
    EXPECT_EQ(ui.Console->y() + ui.Console->height(), text1.y() + text1.height());
    EXPECT_EQ(ui.MSFlexGrid1->columnWidth(0), int(std::lround(2800 / tpp)));
    EXPECT_EQ(ui.MSFlexGrid1->columnWidth(1), int(std::lround(2630 / tpp)));
    // Text1 fills what the left-hand part leaves: 6000 twips of outer width
    // across and 800 down.
    const double W = form.frameGeometry().width() * tpp;
    const double H = form.frameGeometry().height() * tpp;
    const double SW = ui.client->width();
    const double SH = ui.client->height();
    EXPECT_NEAR(text1.width(), SW - 6000 * SW / W, 0.5);
    EXPECT_NEAR(text1.height(), SH - 800 * SH / H, 0.5);
    const double paneTwips = (ui.Console->height() - 40) * W / SW;
    EXPECT_NEAR(ui.ConsoleText1->height(), paneTwips / tpp, 0.51);
    EXPECT_EQ(ui.ConsoleText2->height(), ui.ConsoleText1->height());
}

TEST_F(MainWindow, LayoutRulesRunWhenShownAndOnEveryResize) {
    Form1& form = shownForm();
    expectLaidOut(form);
    EXPECT_GT(form.ui().Text1->width(), 57); // widened from the design
    for (QSize size : {QSize(1000, 760), QSize(820, 640), QSize(1200, 900)}) {
        SCOPED_TRACE(size.width());
        form.resize(size);
        QTest::qWait(1);
        expectLaidOut(form);
    }
}

TEST_F(MainWindow, SmallScreenPutsTheConsoleOverTheGrid) {
    Form1& form = shownForm();
    form.SmallScreen_Click();
    const Controls& ui = form.ui();
    EXPECT_EQ(ui.Console->y(), ui.MSFlexGrid1->y());
    EXPECT_EQ(ui.Console->y(), 353);
    expectLaidOut(form);
    // Enlarging keeps the top at the grid and the bottom at the text panes.
    form.resize(1200, 900);
    QTest::qWait(1);
    EXPECT_EQ(ui.Console->y(), 353);
    expectLaidOut(form);
}

TEST_F(MainWindow, TabSequenceFollowsTheControlTable) {
    Form1& form = shownForm();
    const Controls& ui = form.ui();
    QList<QWidget*> expected = {ui.Text1, ui.resourceh};
    for (QPushButton* b : ui.Command1)
        expected << b;
    expected << ui.Command4 << ui.Command5 << ui.Command8 << ui.Command10 << ui.Command6
             << ui.Command7 << ui.Command9 << ui.Command2 << ui.Command3 << ui.MSFlexGrid1
             << ui.TabStrip1 << ui.Console << ui.ConsoleText1 << ui.ConsoleText2;
    QList<QWidget*> seen;
    QWidget* w = ui.Text1;
    do {
        if (expected.contains(w) && !seen.contains(w))
            seen << w;
        w = w->nextInFocusChain();
    } while (w != ui.Text1);
    EXPECT_EQ(seen, expected);
}

} // namespace
} // namespace tarvo::testing
