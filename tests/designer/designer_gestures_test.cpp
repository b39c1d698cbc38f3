#include "designer_fixture.h"

#include "designer/object_selection.h"
#include "designer/property_grid.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>

namespace tarvo::testing {
namespace {

// Two forms; the first shows objects 1 and 2, the second object 2 too.
class GestureTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        start(kText);
    }
    void start(const QString& text) {
        load(text);
        click(1);
    }
    void click(int index) { dragPicture(index, {2, 2}, {2, 2}, Qt::LeftButton); }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), k, m);
    }
    void undo() { key(Qt::Key_Z, Qt::ControlModifier); }
    // A move with `buttons` held.
    void moveHeld(QWidget* w, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    QString textWith(Bounds one) {
        return QStringLiteral("x\r\n") + formBlock(100, {0, 0, 160, 160}, {1, 2}) +
               formBlock(101, {0, 0, 160, 160}, {2}) +
               objectBlock(1, QStringLiteral("Button"), one) +
               objectBlock(2, QStringLiteral("Field"), {0, 100, 40, 12});
    }
    QString gridX() { return ui().MSFlexGrid1->item(3, 1)->text(); }
    const ObjectSelection& selection() { return form->objectSelection(); }

    const QString kText = textWith({10, 20, 30, 10});
};

TEST_F(GestureTest, APressSelectsAndKeepsTheKeysOffThePanes) {
    text1().hide();
    EXPECT_EQ(QApplication::focusWidget(), &picture(1));
    EXPECT_EQ(selection().index(), 1);
    EXPECT_TRUE(selection().frame().isVisible());
    EXPECT_EQ(selection().frame().outlined(), picture(1).geometry());
    for (Qt::Key k : {Qt::Key_A, Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Space})
        key(k);
    key(Qt::Key_Escape);
    EXPECT_EQ(selection().index(), 0);
    key(Qt::Key_Delete); // nothing selected
    EXPECT_EQ(text1().text(), kText);

    click(2);
    EXPECT_EQ(selection().index(), 2);
    QTest::mouseClick(ui().Command3, Qt::LeftButton); // the next page shows object 2 too
    EXPECT_EQ(selection().index(), 0);
    EXPECT_FALSE(selection().frame().isVisible());
    start(kText);
    text1().show();
    text1().setFocus();
    EXPECT_EQ(selection().index(), 0);
}

TEST_F(GestureTest, ArrowKeysNudgeWithTheClampsOfTheMouse) {
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, Bounds, Bounds> cases[] = {
        {Qt::Key_Right, Qt::ShiftModifier, {125, 20, 30, 10}, {130, 20, 30, 10}},
        {Qt::Key_Down,
         Qt::ControlModifier | Qt::ShiftModifier,
         {10, 150, 30, 5},
         {10, 150, 30, 10}},
    };
    for (const auto& [k, mods, before, after] : cases) {
        start(textWith(before));
        key(k, mods);
        EXPECT_EQ(text1().text(), textWith(after));
        EXPECT_EQ(gridX() + ' ' + ui().MSFlexGrid1->item(6, 1)->text(),
                  QStringLiteral("%1 %2").arg(after.x).arg(after.height));
        EXPECT_EQ(selection().frame().outlined(), picture(1).geometry());
    }
}

TEST_F(GestureTest, UndoAndRedoFollowTheTextsOneHistory) {
    EXPECT_FALSE(text1().document()->isUndoAvailable()); // the click changed nothing
    dragPicture(1, {2, 2}, {7, 7}, Qt::LeftButton);
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Right);               // one step
    QTest::keyClick(&text1(), Qt::Key_Y); // typed at the caret, on the object's "#"
    key(Qt::Key_Right);                   // a step of its own after the typing
    click(1);                             // changes nothing: no step
    const QString typed =
        textWith({18, 25, 30, 10}).replace("HEIGHT=10\r\n#END_OBJECT", "HEIGHT=10\r\ny#END_OBJECT");
    EXPECT_EQ(text1().text(), QString(typed).replace("X=18", "X=19"));
    undo();
    EXPECT_EQ(text1().text(), typed);
    EXPECT_FLOAT_EQ(picture(1).left(), 89 + 18);
    undo();
    EXPECT_EQ(text1().text(), textWith({18, 25, 30, 10}));
    undo();
    EXPECT_EQ(gridX(), QStringLiteral("15"));
    undo();
    EXPECT_EQ(text1().text(), kText);
    EXPECT_FALSE(text1().isModified());
    EXPECT_EQ(selection().index(), 1);
    picture(1).setLeft(123);
    undo(); // nothing left to undo: no reload
    EXPECT_FLOAT_EQ(picture(1).left(), 123);

    key(Qt::Key_Y, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(text1().text(), textWith({18, 25, 30, 10}));
    EXPECT_FLOAT_EQ(picture(1).left(), 89 + 18);
    EXPECT_TRUE(text1().isModified());
    // A save ends a run of nudges: undo stops at the saved text.
    key(Qt::Key_Right);
    text1().markUnmodified();
    key(Qt::Key_Right);
    undo();
    EXPECT_EQ(text1().text(), textWith({19, 25, 30, 10}));
    EXPECT_FALSE(text1().isModified());
    // A nudge that changes nothing starts no run.
    click(2);
    key(Qt::Key_Left);
    key(Qt::Key_Right);
    undo();
    EXPECT_EQ(text1().text(), textWith({19, 25, 30, 10}));
    EXPECT_EQ(selection().index(), 2);
    key(Qt::Key_Y, Qt::ControlModifier);
    picture(1).setLeft(123);
    key(Qt::Key_Y, Qt::ControlModifier); // nothing left to redo: no reload
    EXPECT_FLOAT_EQ(picture(1).left(), 123);
}

TEST_F(GestureTest, ADropAndADeleteAreOneStepEach) {
    useBundledTemplates();
    QTest::mouseClick(ui().Command1[6], Qt::LeftButton);
    EXPECT_TRUE(ui().Command1[6]->isChecked() && !ui().Command1[5]->isChecked());
    dragOnScreen({100, 60}, {130, 70});
    EXPECT_FALSE(ui().Command1[6]->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), &picture(3)); // the new object, selected
    EXPECT_TRUE(picture(3).isVisible());
    // Four identifier lines: the new object is 4, listed on form 100 (page 0).
    const QString dropped = text1().text();
    EXPECT_TRUE(dropped.startsWith(
        QString(kText).insert(kText.indexOf("#END_FORM"), QStringLiteral("(U)OBJECT_ID=4\r\n"))));
    undo();
    EXPECT_EQ(text1().text(), kText);
    EXPECT_EQ(selection().index(), 0);
    EXPECT_EQ(shown(3), QStringLiteral("0 0 0 0 "));
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(picture(3).toolTipText(), QStringLiteral("4,Line"));

    click(2); // listed by both forms
    key(Qt::Key_Delete);
    EXPECT_EQ(text1().text(), QString(dropped)
                                  .remove(objectBlock(2, QStringLiteral("Field"), {0, 100, 40, 12}))
                                  .remove(QStringLiteral("(U)OBJECT_ID=2\r\n")));
    EXPECT_EQ(selection().index(), 0);
    EXPECT_EQ(picture(2).toolTipText(), QStringLiteral("4,Line"));
    undo();
    EXPECT_EQ(text1().text(), dropped);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(GestureTest, HandEditedShapesAreRefusedWithAMessage) {
    const std::tuple<QString, Qt::Key, const char*> cases[] = {
        {QString(kText).replace("HEIGHT=10\r\n#END_OBJECT", "HEIGHT=10\r\n"), Qt::Key_Delete,
         "Object 1 (Button) was not deleted: in resource.txt no \"#END_OBJECT\" line closes"},
        {QString(kText).replace("(SH)BOUNDS.HEIGHT=10\r\n", ""), Qt::Key_Left,
         "Object 1 (Button) was not moved: in resource.txt its block (line 22) has no "
         "\"(SH)BOUNDS.HEIGHT=\" line ending in a line break.\nNothing was changed."},
        {QString(kText).replace("\nID=1\r", "\nID=7\r"), Qt::Key_Up,
         "Object 1 (Button) was not resized: in resource.txt no line reads \"ID=1\"."},
    };
    for (const auto& [edited, k, says] : cases) {
        start(kText);
        text1().select(0, text1().textLength());
        text1().setSelText(edited); // typed over the loaded page
        click(1);
        dialogs.shown.clear();
        key(k, k == Qt::Key_Up ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_EQ(text1().text(), edited);
        EXPECT_FLOAT_EQ(picture(1).left(), 99);
        EXPECT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages().value(0).startsWith(QLatin1String(says))) << says;
    }
}

TEST_F(GestureTest, TheOutlineShowsWhatTheReleaseWillDo) {
    QTest::mousePress(&picture(1), Qt::RightButton, Qt::NoModifier, {2, 2});
    moveHeld(&picture(1), {300, -40}, Qt::LeftButton); // not the button pressed
    EXPECT_FALSE(selection().previewOutline().isVisible());
    moveHeld(&picture(1), {300, -40}, Qt::RightButton);
    const QRect outlined = selection().previewOutline().outlined();
    EXPECT_EQ(outlined, QRect(99, 64, 150, 0));
    QTest::mouseRelease(&picture(1), Qt::RightButton, Qt::NoModifier, {300, -40});
    EXPECT_EQ(picture(1).geometry(), outlined);
    EXPECT_EQ(text1().text(), textWith({10, 20, 150, 0}));
    EXPECT_FALSE(selection().previewOutline().isVisible());
    // Another button moves nothing but still writes the values as whole numbers.
    start(QString(kText).replace("X=10\r", "X=010\r"));
    dragPicture(1, {4, 4}, {30, 30}, Qt::MiddleButton);
    EXPECT_EQ(shown(1), QStringLiteral("99 64 30 10 1,Button"));
    EXPECT_EQ(text1().text(), kText);

    QTest::mousePress(ui().client, Qt::LeftButton, Qt::NoModifier, {100, 60});
    moveHeld(ui().client, {130, 70}, Qt::LeftButton);
    EXPECT_EQ(selection().previewOutline().outlined(), QRect(100, 60, 30, 10));
    moveHeld(ui().client, {95, 70}, Qt::LeftButton); // no drop there
    EXPECT_FALSE(selection().previewOutline().isVisible());
}

TEST_F(GestureTest, TheGridShowsThePictureAndCannotBeEdited) {
    QTableWidget& grid = *ui().MSFlexGrid1;
    const auto column = [&](int c) {
        QStringList texts;
        for (int row = 0; row < 7; ++row)
            texts << grid.item(row, c)->text();
        return texts.join('|');
    };
    picture(1).setLeft(89.5f);
    picture(1).setToolTipText(QStringLiteral("42"));
    form->propertyGrid().ShowObjectProperties(1);
    EXPECT_EQ(column(0), QStringLiteral("Property|ID|Type|X|Y|Width|Height"));
    EXPECT_EQ(column(1), QStringLiteral("Value R/O (Modify text file)|42||0.5|20|30|10"));
    EXPECT_EQ(grid.item(1, 0)->background(), grid.palette().button());
    EXPECT_EQ(grid.item(1, 1)->background(), QBrush());
    const QPoint cell = grid.visualItemRect(grid.item(1, 1)).center();
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    EXPECT_EQ(column(1), QStringLiteral("Value R/O (Modify text file)|42||0.5|20|30|10"));
    EXPECT_TRUE(grid.viewport()->findChildren<QLineEdit*>().isEmpty()); // no editor opened
    EXPECT_EQ(text1().text(), kText);
}

} // namespace
} // namespace tarvo::testing
