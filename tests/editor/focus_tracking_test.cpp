// Caret line indicator, tab stops while a pane has the focus, and Ctrl+T.
#include "editor_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace tarvo::testing {
namespace {

QString tenLines() {
    QString text;
    for (int i = 1; i <= 10; ++i)
        text += QStringLiteral("line %1\r\n").arg(i);
    return text;
}

class FocusTrackingTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        openProject({{QStringLiteral("notes.txt"), tenLines()}});
        chooseTab(3);
    }
    // CR LF position of the start of 1-based line `line` of tenLines().
    static int lineStart(int line) {
        return int(tenLines().indexOf(QStringLiteral("line %1\r").arg(line)));
    }
};

TEST_F(FocusTrackingTest, IndicatorShowsTheLineOfTheSelectionStart) {
    struct Case {
        int start;
        int length;
        const char* expected;
    };
    const Case cases[] = {
        {0, 0, "Cursor is at line:1"},
        {lineStart(5), lineStart(9) + 2 - lineStart(5), "Cursor is at line:5"},
        {lineStart(2) - 1, 0, "Cursor is at line:1"}, // on the LF of line 1's break
        {int(tenLines().size()), 0, "Cursor is at line:11"},
    };
    for (const Case& c : cases) {
        ui().StatusBar1->clearMessage();
        pane(3)->select(c.start, c.length);
        EXPECT_EQ(status(), QString::fromLatin1(c.expected)) << c.start;
    }
}

TEST_F(FocusTrackingTest, IndicatorFollowsTypingAndStaysEmptyOnResourcePanes) {
    pane(3)->setSelStart(lineStart(3));
    pane(3)->setSelText(QStringLiteral("\r\n\r\n"));
    EXPECT_EQ(status(), QStringLiteral("Cursor is at line:5"));

    chooseTab(1);
    EXPECT_EQ(status(), QString());
    ui().Text1->setText(tenLines());
    ui().Text1->select(lineStart(4), 2);
    chooseTab(2);
    ui().resourceh->setText(tenLines());
    ui().resourceh->setSelStart(lineStart(6));
    EXPECT_EQ(status(), QString());
}

TEST_F(FocusTrackingTest, IndicatorStaysEmptyAfterAColouredTabUntilTheCaretMoves) {
    openProject({{QStringLiteral("a.c"), tenLines()}});
    chooseTab(3); // coloured: the pass keeps the caret and the indicator quiet
    EXPECT_EQ(status(), QString());
    pane(3)->setSelStart(lineStart(2));
    EXPECT_EQ(status(), QStringLiteral("Cursor is at line:2"));
    ctx().editor.ColorizeIdle = false; // quiet while a pass runs
    ui().StatusBar1->clearMessage();
    pane(3)->setSelStart(lineStart(4));
    EXPECT_EQ(status(), QString());
}

TEST_F(FocusTrackingTest, TabStopsAreClearedAndEachControlGetsItsOwnBack) {
    QList<QWidget*>& collection = ui().collection;
    QPushButton* open = ui().Command4;
    QWidget* label = ui().Label2;
    QPushButton* noTabStop = ui().Command2;
    noTabStop->setFocusPolicy(Qt::ClickFocus);
    auto* doomed = new QPushButton(ui().client);
    collection.append(doomed);
    ASSERT_TRUE(open->focusPolicy() & Qt::TabFocus);

    form->focusTracking().StoreFocusState();
    for (QWidget* w : collection)
        EXPECT_FALSE(w->focusPolicy() & Qt::TabFocus) << w->objectName().toStdString();

    // Controls come and go while the pane has the focus (New Text File, Open
    // Project); a walk by position would hand each flag to a neighbour.
    collection.prepend(new QPushButton(ui().client));
    collection.removeOne(doomed);
    delete doomed;

    form->focusTracking().RestoreFocusState();
    EXPECT_TRUE(open->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(noTabStop->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(pane(3)->focusPolicy() & Qt::TabFocus);
}

TEST_F(FocusTrackingTest, TabTypesATabInAPaneAndMovesFocusElsewhere) {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    RichTextPane* p = pane(3);
    p->setFocus();
    ASSERT_TRUE(p->hasFocus());
    QPushButton* open = ui().Command4;
    EXPECT_FALSE(open->focusPolicy() & Qt::TabFocus);

    p->setSelStart(0);
    QTest::keyClick(p, Qt::Key_Tab);
    EXPECT_TRUE(p->text().startsWith(QStringLiteral("\tline 1")));
    EXPECT_TRUE(p->hasFocus());

    open->setFocus(); // as a click on the button would
    ASSERT_TRUE(open->hasFocus());
    EXPECT_TRUE(open->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(open, Qt::Key_Tab);
    EXPECT_FALSE(open->hasFocus());
}

TEST_F(FocusTrackingTest, CtrlTTypesTabSpaceSpacesInEveryPane) {
    const struct {
        int tabSpace, selStart, selLength, key, shift;
        const char* expectedStart; // the text's first characters afterwards
        int expectedCaret;
    } rows[] = {{4, 0, 3, 84, 2, "     def", 4}, {2, 3, 0, 84, 2, "abc   def", 5},
                {0, 0, 3, 84, 2, "abc def", 0},  {4, 0, 3, 84, 3, "abc def", 0},
                {4, 0, 3, 84, 0, "abc def", 0},  {4, 0, 3, 85, 2, "abc def", 0}};
    RichTextPane* panes[] = {ui().Text1, ui().resourceh, pane(3)};
    for (const auto& r : rows) {
        ctx().settings.TabSpace = qint16(r.tabSpace);
        for (RichTextPane* p : panes) {
            p->setText(QStringLiteral("abc def"));
            p->select(r.selStart, r.selLength);
        }
        form->focusTracking().Text1_KeyUp(r.key, r.shift);
        form->focusTracking().resourceh_KeyUp(r.key, r.shift);
        form->focusTracking().OtherTextFile_KeyUp(3, r.key, r.shift);
        for (RichTextPane* p : panes) {
            EXPECT_TRUE(p->text().startsWith(QString::fromLatin1(r.expectedStart)))
                << r.tabSpace << "/" << r.shift << ": " << p->text().toStdString();
            EXPECT_EQ(p->selStart(), r.expectedCaret);
        }
    }
}

TEST_F(FocusTrackingTest, CtrlTKeyStrokeReachesTheSoftTab) {
    RichTextPane* p = pane(3);
    p->select(0, 4); // "line"
    QTest::keyClick(p, Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(p->text().startsWith(QStringLiteral("     1\r\n"))) << p->text().toStdString();
    QTest::keyClick(p, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(p->text().startsWith(QStringLiteral("     1\r\n")));
}

} // namespace
} // namespace tarvo::testing
