// Mouse and key gestures of the designer, each an edit of the resource text.
#include "designer_fixture.h"

#include "designer/object_selection.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTableWidget>

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
    void start(const QString& text) { load(text), click(1); }
    void undo() { key(Qt::Key_Z, Qt::ControlModifier); }
    void redo() { key(Qt::Key_Y, Qt::ControlModifier); }
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
    EXPECT_TRUE(selection().index() == 1 && selection().frame().isVisible());
    EXPECT_EQ(selection().frame().outlined(), picture(1).geometry());
    const QRect room = selection().frame().geometry(), o = picture(1).geometry();
    const int m = o.left() - room.left(); // the same room for the handles on every side
    EXPECT_TRUE(m > 1 && o.top() - room.top() == m && room.right() - o.right() == m &&
                room.bottom() - o.bottom() == m);
    for (Qt::Key k :
         {Qt::Key_A, Qt::Key_Backspace, Qt::Key_Z, Qt::Key_Y, Qt::Key_Delete, Qt::Key_Escape})
        key(k, Qt::ShiftModifier), key(Qt::Key_Left, Qt::AltModifier), key(Qt::Key_Z);
    EXPECT_TRUE(selection().index() == 1 && text1().text() == kText);
    key(Qt::Key_Escape);
    EXPECT_EQ(selection().index(), 0);
    key(Qt::Key_Delete); // nothing selected
    EXPECT_EQ(text1().text(), kText);

    click(2);
    QTest::mouseClick(ui().Command3, Qt::LeftButton); // the next page shows object 2 too
    EXPECT_TRUE(selection().index() == 0 && !selection().frame().isVisible());
    start(kText);
    text1().show();
    text1().setFocus();
    EXPECT_EQ(selection().index(), 0);
}

TEST_F(GestureTest, ArrowKeysNudgeWithTheClampsAndGridOfTheMouse) {
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier, ctrlShift = Qt::ControlModifier | shift;
    start(textWith({125, 20, 30, 10}));
    key(Qt::Key_Right, shift);
    EXPECT_EQ(text1().text(), textWith({130, 20, 30, 10}));
    EXPECT_EQ(gridX(), QStringLiteral("130"));
    start(textWith({10, 150, 30, 5}));
    key(Qt::Key_Down, ctrlShift);
    EXPECT_EQ(text1().text(), textWith({10, 150, 30, 10}));
    EXPECT_EQ(selection().frame().outlined(), picture(1).geometry());
    // The grid cannot be edited; its names are shaded.
    QTableWidget& g = *ui().MSFlexGrid1;
    EXPECT_TRUE(g.item(1, 0)->background() == g.palette().button());
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, Qt::NoModifier,
                       g.visualItemRect(g.item(1, 1)).center());
    EXPECT_TRUE(g.viewport()->findChildren<QLineEdit*>().isEmpty());
}

TEST_F(GestureTest, UndoAndRedoFollowTheTextsOneHistory) {
    drag(&picture(1), {2, 2}, {7, 7});
    for (int i = 0; i < 3; ++i)
        key(Qt::Key_Right);               // one step
    QTest::keyClick(&text1(), Qt::Key_Y); // typed at the caret, on the object's "#"
    key(Qt::Key_Right);                   // a step of its own after the typing
    click(1);                             // changes nothing: no step
    const QString typed =
        textWith({18, 25, 30, 10}).replace("HEIGHT=10\r\n#END_OBJECT", "HEIGHT=10\r\ny#END_OBJECT");
    EXPECT_EQ(text1().text(), QString(typed).replace("X=18", "X=19"));
    undo();
    EXPECT_TRUE(text1().text() == typed && picture(1).left() == 89 + 18);
    undo();
    EXPECT_EQ(text1().text(), textWith({18, 25, 30, 10}));
    undo();
    EXPECT_EQ(gridX(), QStringLiteral("15"));
    undo();
    EXPECT_TRUE(text1().text() == kText && !text1().isModified() && selection().index() == 1);

    redo();
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(text1().text() == textWith({18, 25, 30, 10}) && text1().isModified());
    EXPECT_FLOAT_EQ(picture(1).left(), 89 + 18);
    // A save ends a run of nudges: undo stops at the saved text.
    key(Qt::Key_Right);
    text1().markUnmodified();
    key(Qt::Key_Right);
    undo();
    EXPECT_TRUE(text1().text() == textWith({19, 25, 30, 10}) && !text1().isModified());
    redo(), picture(1).setLeft(123), redo(); // nothing left to redo: no reload
    EXPECT_FLOAT_EQ(picture(1).left(), 123);
}

TEST_F(GestureTest, TheOutlineShowsWhatTheReleaseWillDo) {
    QTest::mousePress(&picture(1), Qt::RightButton, Qt::NoModifier, {2, 2});
    moveHeld(&picture(1), {300, -40}, Qt::LeftButton); // not the button pressed
    EXPECT_FALSE(selection().previewOutline().isVisible());
    moveHeld(&picture(1), {300, -40}, Qt::RightButton);
    EXPECT_EQ(selection().previewOutline().outlined(), QRect(99, 64, 150, 0));
    QTest::mouseRelease(&picture(1), Qt::RightButton, Qt::NoModifier, {300, -40});
    EXPECT_EQ(picture(1).geometry(), QRect(99, 64, 150, 0));
    EXPECT_EQ(text1().text(), textWith({10, 20, 150, 0}));
    EXPECT_FALSE(selection().previewOutline().isVisible());

    QTest::mousePress(ui().client, Qt::LeftButton, Qt::NoModifier, {100, 60});
    moveHeld(ui().client, {130, 70}, Qt::LeftButton);
    EXPECT_EQ(selection().previewOutline().outlined(), QRect(100, 60, 30, 10));
    moveHeld(ui().client, {95, 70}, Qt::LeftButton); // no drop there
    EXPECT_FALSE(selection().previewOutline().isVisible());
}

TEST_F(GestureTest, ADropAndADeleteAreOneStepEach) {
    useBundledTemplates();
    designer().NextObjectId = 1; // counted before 1 and 2 were typed in
    QTest::mouseClick(ui().Command1[6], Qt::LeftButton);
    EXPECT_TRUE(ui().Command1[6]->isChecked() && !ui().Command1[5]->isChecked());
    drag(ui().client, {100, 60}, {130, 70});
    EXPECT_TRUE(!ui().Command1[6]->isChecked() && QApplication::focusWidget() == &picture(3));
    EXPECT_TRUE(shown(3) == "100 60 30 10 3,Line" &&
                picture(3).backColor() == QColor(192, 255, 192));
    EXPECT_TRUE(designer().NextObjectId == 4 && designer().NextPictureSlot == 4);
    // The template with the first free identifier and the bounds, listed on form 100.
    const QString dropped = text1().text();
    const QString listed =
        QString(kText).insert(kText.indexOf("#END_FORM"), QStringLiteral("(U)OBJECT_ID=3\r\n"));
    EXPECT_EQ(dropped,
              listed +
                  QString::fromLatin1(readFile("templates/Line.txt"))
                      .replace("\r\nID=\r\n", "\r\nID=3\r\n")
                      .replace("(SH)BOUNDS.X=0\r", "(SH)BOUNDS.X=11\r")
                      .replace("(SH)BOUNDS.Y=0\r", "(SH)BOUNDS.Y=16\r")
                      .replace(QRegularExpression("WIDTH=\\d+\r"), QStringLiteral("WIDTH=30\r"))
                      .replace(QRegularExpression("HEIGHT=\\d+\r"), QStringLiteral("HEIGHT=10\r")));
    EXPECT_EQ(dropped.mid(text1().selStart(), 11), QStringLiteral("#END_OBJECT"));
    // A press off the screen forgets an earlier one on it.
    drag(ui().client, {100, 60}, {90, 50});
    drag(ui().client, {300, 300}, {130, 70});
    EXPECT_EQ(text1().text(), dropped);
    undo();
    EXPECT_TRUE(text1().text() == kText && selection().index() == 0 && shown(3) == "0 0 0 0 ");
    redo();
    EXPECT_EQ(picture(3).toolTipText(), QStringLiteral("3,Line"));

    click(2); // listed by both forms
    key(Qt::Key_Delete);
    EXPECT_EQ(text1().text(), QString(dropped)
                                  .remove(objectBlock(2, QStringLiteral("Field"), {0, 100, 40, 12}))
                                  .remove(QStringLiteral("(U)OBJECT_ID=2\r\n")));
    EXPECT_TRUE(selection().index() == 0 && picture(2).toolTipText() == "3,Line");
    undo();
    EXPECT_TRUE(text1().text() == dropped && dialogs.shown.isEmpty());
}

TEST_F(GestureTest, HandEditedShapesAndImpossibleDropsAreRefusedWithAMessage) {
    useBundledTemplates();
    const auto typeOver = [&](const char* from, const char* to) { // after the page was loaded
        text1().select(0, text1().textLength());
        text1().setSelText(QString(kText).replace(from, to)), click(1);
    };
    using Step = std::function<void()>;
    const std::tuple<Step, Step, const char*> cases[] = {
        {[&] { typeOver("HEIGHT=10\r\n#END_OBJECT", "HEIGHT=10\r\n"); },
         [&] { key(Qt::Key_Delete); },
         "Object 1 (Button) was not deleted: in resource.txt no \"#END_OBJECT\" line closes"},
        {[&] { typeOver("(SH)BOUNDS.HEIGHT=10\r\n", ""); }, [&] { key(Qt::Key_Left); },
         "Object 1 (Button) was not moved: in resource.txt its block (line 22) has no "
         "\"(SH)BOUNDS.HEIGHT=\" line ending in a line break.\nNothing was changed."},
        {[&] { typeOver("\nID=1\r", "\nID=7\r"); }, [&] { key(Qt::Key_Up, Qt::ControlModifier); },
         "Object 1 (Button) was not resized: in resource.txt no line reads \"ID=1\"."},
        {[&] { QDir(path("templates")).remove("List.txt"); }, [&] { drop(1); },
         "could not be read"},
        {[&] { writeFile("templates/Scrollbar.txt", "#OBJECT\r\n"); }, [&] { drop(2); },
         "holds no \"ID=\""},
        {[&] { writeFile("templates/String.txt", "#OBJECT\r\n(U)OBJECT_ID=\r\n"); },
         [&] { drop(3); }, "does not begin a line"},
        {[&] { designer().NextPictureSlot = 31; }, [&] { drop(0); }, "No free object picture"},
        {[&] {
             load(kText + objectBlock(32767, QStringLiteral("Line"), {0, 0, 1, 1}));
             designer().NextObjectId = 32767;
         },
         [&] { drop(0); }, "No free object identifier is left."},
    };
    for (const auto& [arrange, act, says] : cases) {
        SCOPED_TRACE(says);
        start(kText);
        arrange();
        const QString text = text1().text();
        const qint16 slot = designer().NextPictureSlot, id = designer().NextObjectId;
        dialogs.shown.clear();
        act();
        EXPECT_TRUE(dialogs.messages().size() == 1 && dialogs.messages()[0].contains(says));
        EXPECT_TRUE(text1().text() == text && picture(1).left() == 99);
        EXPECT_TRUE(designer().NextObjectId == id && designer().NextPictureSlot == slot);
    }
    // "ID=" may open the template or follow a lone CR; line breaks become CR LF.
    writeFile("templates/Bitmap.txt", "ID=\n(B)OBJECT.TYPE=Bitmap\n");
    writeFile("templates/Field.txt", "#OBJECT\rID=\n");
    start(kText);
    dialogs.shown.clear();
    drop(4), drop(5);
    EXPECT_TRUE(
        text1().text().endsWith("\r\nID=4\r\n(B)OBJECT.TYPE=Bitmap\r\n#OBJECT\r\nID=5\r\n"));
    designer().NextPictureSlot = 31; // a form needs no free picture and keeps its bounds
    drop(15);
    EXPECT_EQ(value(6, ResourceKeys::X) + ' ' + value(6, ResourceKeys::Width), "0 160");
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

} // namespace
} // namespace tarvo::testing
