#include "platform/pane_family.h"

#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

using namespace tarvo;

namespace {

TEST(PaneFamily, ElementsAreCreatedFromElementZeroHiddenAndEmpty) {
    QWidget window;
    auto* element0 = new RichTextPane(&window);
    element0->setGeometry(5, 6, 70, 80);
    element0->setText(QStringLiteral("pattern text"));
    element0->setFont(QFont(QStringLiteral("Courier"), 13));
    element0->setFocusPolicy(Qt::ClickFocus);
    PaneFamily family(element0);
    QList<int> created;
    family.onCreated = [&](int i, RichTextPane*) { created << i; };

    RichTextPane* p3 = family.create(3);
    ASSERT_NE(p3, nullptr);
    EXPECT_NE(p3, element0);
    EXPECT_EQ(p3->parentWidget(), &window);
    EXPECT_EQ(p3->geometry(), QRect(5, 6, 70, 80));
    EXPECT_EQ(p3->font(), element0->font());
    EXPECT_EQ(p3->focusPolicy(), Qt::ClickFocus);
    EXPECT_TRUE(p3->isHidden());
    EXPECT_EQ(family.create(3), p3); // an existing element is kept
    EXPECT_EQ(family.create(0), element0);
    family.create(5);
    EXPECT_EQ(created, (QList<int>{3, 5}));
    EXPECT_EQ(family.indices(), (QList<int>{3, 5}));
}

TEST(PaneFamily, DestroyRemovesOnlyThatElement) {
    QWidget window;
    auto* element0 = new RichTextPane(&window);
    PaneFamily family(element0);
    QPointer<RichTextPane> p3 = family.create(3);
    family.create(4);
    family.destroy(3);
    EXPECT_TRUE(p3.isNull());
    EXPECT_FALSE(family.exists(3));
    EXPECT_TRUE(family.exists(4));
    family.destroy(3); // missing: nothing happens
    family.destroy(0); // element 0 stays
    EXPECT_EQ(family.at(0), element0);
    EXPECT_EQ(family.indices(), QList<int>{4});
}

TEST(PaneFamily, ALoadedElementExistsAtOnceAndGetsItsWidgetWhenAskedOrInTheBackground) {
    QWidget window;
    PaneFamily family(new RichTextPane(&window));
    QList<int> made;
    family.onCreated = [&](int i, RichTextPane*) { made << i; };
    family.createLoaded(3, "int a;\n");
    family.createLoaded(4, "{\\rtf1 Build\\par}");
    EXPECT_TRUE(family.exists(3) && family.exists(4));
    EXPECT_EQ(family.madeAt(3), nullptr);
    EXPECT_EQ(family.indices(), (QList<int>{3, 4}));
    RichTextPane* p3 = family.at(3);
    ASSERT_NE(p3, nullptr);
    EXPECT_TRUE(p3->isHidden());
    EXPECT_EQ(p3->text(), QStringLiteral("int a;\r\n"));
    EXPECT_EQ(made, QList<int>{3});
    QTest::qWait(50);
    EXPECT_EQ(made, (QList<int>{3, 4}));
    ASSERT_NE(family.madeAt(4), nullptr);
    EXPECT_EQ(family.madeAt(4)->text(), QStringLiteral("Build\r\n"));
}

} // namespace
