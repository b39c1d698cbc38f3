#include "designer_fixture.h"

#include "designer/object_selection.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>

namespace tarvo::testing {
namespace {

// Two forms; the first shows objects 1 and 2.
class DesignerGestureTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        start(kText);
    }
    void start(const QString& text) {
        setText(text);
        load(0);
        click(1);
    }
    void click(int index) { dragPicture(index, {2, 2}, {2, 2}, Qt::LeftButton); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), k, m);
    }
    // Sends a move with `button` held, as a drag makes it.
    void moveHeld(QWidget* w, QPoint at, Qt::MouseButton button) {
        QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, button,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    QString textWith(Bounds one) {
        return QStringLiteral("x\r\n") + formBlock(100, {0, 0, 160, 160}, {1, 2}) +
               formBlock(101, {0, 0, 160, 160}, {2}) +
               objectBlock(1, QStringLiteral("Button"), one) +
               objectBlock(2, QStringLiteral("Field"), {0, 100, 40, 12});
    }
    const ObjectSelection& selection() { return form->objectSelection(); }

    const QString kText = textWith({10, 20, 30, 10});
};

TEST_F(DesignerGestureTest, APressSelectsAndKeepsTheKeysOffThePanes) {
    text1().hide();
    EXPECT_EQ(QApplication::focusWidget(), &picture(1));
    EXPECT_EQ(selection().index(), 1);
    EXPECT_TRUE(selection().frame().isVisible());
    EXPECT_EQ(selection().frame().outlined(), picture(1).geometry());
    for (Qt::Key k : {Qt::Key_A, Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Space})
        key(k);
    EXPECT_EQ(text1().text(), kText);

    click(2);
    EXPECT_EQ(selection().index(), 2);
    QTest::mouseClick(ui().Command3, Qt::LeftButton); // another page
    EXPECT_EQ(selection().index(), 0);
    EXPECT_FALSE(selection().frame().isVisible());
    load(0);
    click(1);
    text1().show();
    text1().setFocus();
    EXPECT_EQ(selection().index(), 0);
}

TEST_F(DesignerGestureTest, ArrowKeysNudgeWithTheClampsOfTheMouse) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        Bounds start, expected;
    };
    const auto shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    const Case cases[] = {
        {Qt::Key_Left, {}, {10, 20, 30, 10}, {9, 20, 30, 10}},
        {Qt::Key_Right, shift, {125, 20, 30, 10}, {130, 20, 30, 10}},
        {Qt::Key_Up, ctrl, {10, 20, 30, 10}, {10, 20, 30, 9}},
        {Qt::Key_Down, ctrl | shift, {10, 150, 30, 5}, {10, 150, 30, 10}},
    };
    for (const Case& c : cases) {
        start(textWith(c.start));
        key(c.key, c.mods);
        EXPECT_EQ(text1().text(), textWith(c.expected)) << int(c.key) << " " << int(c.mods);
        EXPECT_EQ(ui().MSFlexGrid1->item(3, 1)->text(), QString::number(c.expected.x));
        EXPECT_EQ(selection().frame().outlined(), picture(1).geometry());
    }
}

TEST_F(DesignerGestureTest, UndoAndRedoFollowTheTextsOneHistory) {
    EXPECT_FALSE(text1().document()->isUndoAvailable()); // the click changed nothing
    dragPicture(1, {2, 2}, {7, 7}, Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Right);
    QTest::keyClick(&text1(), Qt::Key_Y); // typed at the caret, on the object's "#"
    click(1);                             // changes nothing: no step of its own
    EXPECT_EQ(text1().text(),
              textWith({18, 25, 30, 10})
                  .replace("HEIGHT=10\r\n#END_OBJECT", "HEIGHT=10\r\ny#END_OBJECT"));

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text1().text(), textWith({18, 25, 30, 10}));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(picture(1).left(), 89 + 15);
    EXPECT_EQ(ui().MSFlexGrid1->item(3, 1)->text(), QStringLiteral("15"));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text1().text(), kText);
    EXPECT_FALSE(text1().isModified());
    EXPECT_EQ(selection().index(), 1);

    key(Qt::Key_Y, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(text1().text(), textWith({18, 25, 30, 10}));
    EXPECT_FLOAT_EQ(picture(1).left(), 89 + 18);
    EXPECT_TRUE(text1().isModified());
}

TEST_F(DesignerGestureTest, ADropAndADeleteAreOneStepEach) {
    useBundledTemplates();
    QTest::mouseClick(ui().Command1[6], Qt::LeftButton);
    EXPECT_TRUE(ui().Command1[6]->isChecked());
    dragOnScreen({100, 60}, {130, 70});
    EXPECT_FALSE(ui().Command1[6]->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), &picture(3)); // the new object, selected
    // Four identifier lines: the new object is 4, listed on form 100 (page 0).
    const QString dropped = text1().text();
    EXPECT_TRUE(dropped.startsWith(
        QString(kText).insert(kText.indexOf("#END_FORM"), QStringLiteral("(U)OBJECT_ID=4\r\n"))));
    load(0);
    EXPECT_EQ(picture(3).toolTipText(), QStringLiteral("4,Line"));

    click(2); // listed by both forms
    key(Qt::Key_Delete);
    EXPECT_EQ(text1().text(), QString(dropped)
                                  .remove(objectBlock(2, QStringLiteral("Field"), {0, 100, 40, 12}))
                                  .remove(QStringLiteral("(U)OBJECT_ID=2\r\n")));
    EXPECT_EQ(selection().index(), 0);
    EXPECT_EQ(picture(2).toolTipText(), QStringLiteral("4,Line"));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text1().text(), dropped);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text1().text(), kText);
    EXPECT_TRUE(picture(3).toolTipText().isEmpty());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(DesignerGestureTest, HandEditedShapesAreRefusedWithAMessage) {
    struct Case {
        const char* name;
        QString edited; // typed into Text1 after the page was loaded
        Qt::Key key;
        const char* says;
    };
    const QString noEnd = QString(kText).replace(QStringLiteral("HEIGHT=10\r\n#END_OBJECT"),
                                                 QStringLiteral("HEIGHT=10\r\n"));
    const QString noHeight =
        QString(kText).replace(QStringLiteral("(SH)BOUNDS.HEIGHT=10\r\n"), QString());
    const Case cases[] = {
        {"block not closed", noEnd, Qt::Key_Delete, "Object 1 (Button) was not deleted"},
        {"bounds key missing", noHeight, Qt::Key_Left, "(SH)BOUNDS.HEIGHT="},
        {"identifier gone", QString(kText).replace("\nID=1\r", "\nID=7\r"), Qt::Key_Up, "ID=1"},
    };
    for (const Case& c : cases) {
        start(kText);
        text1().select(0, text1().textLength());
        text1().setSelText(c.edited);
        click(1);
        dialogs.shown.clear();
        key(c.key);
        EXPECT_EQ(text1().text(), c.edited) << c.name;
        EXPECT_FLOAT_EQ(picture(1).left(), 99) << c.name;
        ASSERT_EQ(dialogs.messages().size(), 1) << c.name;
        EXPECT_TRUE(dialogs.messages()[0].contains(QLatin1String(c.says)))
            << dialogs.messages()[0].toStdString();
    }
}

TEST_F(DesignerGestureTest, TheOutlineFollowsTheMouseClampedAsTheReleaseWillBe) {
    QTest::mousePress(&picture(1), Qt::RightButton, Qt::NoModifier, {2, 2});
    moveHeld(&picture(1), {300, -40}, Qt::RightButton);
    const QRect shown = selection().previewOutline().outlined();
    EXPECT_EQ(shown, QRect(99, 64, 150, 0));
    QTest::mouseRelease(&picture(1), Qt::RightButton, Qt::NoModifier, {300, -40});
    EXPECT_EQ(picture(1).geometry(), shown);
    EXPECT_EQ(text1().text(), textWith({10, 20, 150, 0}));
    EXPECT_FALSE(selection().previewOutline().isVisible());

    QTest::mousePress(ui().client, Qt::LeftButton, Qt::NoModifier, {100, 60});
    moveHeld(ui().client, {130, 70}, Qt::LeftButton);
    EXPECT_EQ(selection().previewOutline().outlined(), QRect(100, 60, 30, 10));
    moveHeld(ui().client, {95, 70}, Qt::LeftButton); // no drop there
    EXPECT_FALSE(selection().previewOutline().isVisible());
}

} // namespace
} // namespace tarvo::testing
