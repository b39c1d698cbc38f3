// Indenting keys, Go to Line and Replace.
#include "editor/edit_commands.h"
#include "editor_fixture.h"

#include <QTest>

namespace tarvo::testing {
namespace {

TEST(IndentRules, EnterKeepsTheIndentAndOpensAStepAfterABrace) {
    const struct {
        const char *before, *inserted;
        int tabSpace;
    } rows[] = {{"    x = 1;", "\n    ", 4},
                {"\t int f() {", "\n\t \t", 4},
                {"  if (a) {  ", "\n    ", 2},
                {"{", "\n   ", 3},
                {"if (a) {", "\n\t", 0},
                {"  { x", "\n  ", 4},
                {"", "\n", 4},
                {"   ", "\n   ", 4}};
    for (const auto& r : rows)
        EXPECT_EQ(lineBreakWithIndent(QString::fromLatin1(r.before), r.tabSpace),
                  QString::fromLatin1(r.inserted))
            << r.before;
}

TEST(IndentRules, ClosingBraceTakesOneStepOffABlankLine) {
    const struct {
        const char *blanks, *line;
        int tabSpace;
    } rows[] = {{"        ", "    }", 4}, {"  ", "}", 4},       {"\t\t", "\t}", 4},
                {"\t  ", "\t}", 2},       {"    ", "    }", 0}, {"  \t", "  }", 4}};
    for (const auto& r : rows)
        EXPECT_EQ(lineWithClosingBrace(QString::fromLatin1(r.blanks), r.tabSpace),
                  QString::fromLatin1(r.line))
            << r.blanks;
}

TEST(GoToLineRules, OnlyWholeNumbersInRangeNameALine) {
    const std::pair<const char*, int> rows[] = {
        {"7", 7},  {" 12 ", 12}, {"1", 1},  {"20", 20}, {"0", 0},         {"21", 0},
        {"-3", 0}, {"+3", 0},    {"3x", 0}, {"2.5", 0}, {"9999999999", 0}};
    for (const auto& [answer, line] : rows)
        EXPECT_EQ(lineNumberFromAnswer(QString::fromLatin1(answer), 20), line) << answer;
}

TEST(ReplaceRules, OccurrencesIgnoreCaseAndDoNotOverlap) {
    EXPECT_EQ(occurrences(u"aaaa", QStringLiteral("aa")), (QVector<int>{0, 2}));
    EXPECT_EQ(occurrences(u"Main main MAIN", QStringLiteral("mAIN")), (QVector<int>{0, 5, 10}));
    EXPECT_TRUE(occurrences(u"abc", QString()).isEmpty());
}

class EditCommandsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ctx().settings.Colorizew.clear();
        QString text;
        for (int i = 1; i <= 9; ++i)
            text += QStringLiteral("line %1 main\r\n").arg(i);
        openProject({{QStringLiteral("a.c"), text}});
        chooseTab(3);
    }
    RichTextPane* p() { return pane(3); }
};

TEST_F(EditCommandsTest, EnterAndClosingBraceIndentAsTyped) {
    ctx().settings.TabSpace = 2;
    p()->setText(QStringLiteral("  int f() {"));
    p()->setSelStart(11);
    QTest::keyClick(p(), Qt::Key_Return);
    QTest::keyClicks(p(), QStringLiteral("x;"));
    QTest::keyClick(p(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClicks(p(), QStringLiteral("}"));
    EXPECT_EQ(p()->text(), QStringLiteral("  int f() {\r\n    x;\r\n  }"));
    QTest::keyClicks(p(), QStringLiteral("}")); // not on a blank line: typed as it is
    EXPECT_EQ(p()->text(), QStringLiteral("  int f() {\r\n    x;\r\n  }}"));
}

TEST_F(EditCommandsTest, GoToLinePutsTheCaretAtTheLineStartAndRefusesOthers) {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    p()->setFocus();
    dialogs.inputAnswers << QStringLiteral("4");
    QTest::keyClick(p(), Qt::Key_G, Qt::ControlModifier); // a window shortcut, also in a pane
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Go to Line"));
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("1 to 10")));
    EXPECT_EQ(dialogs.shown[0].extra, QStringLiteral("1"));
    EXPECT_EQ(p()->selStart(), 3 * 13);
    EXPECT_EQ(status(), QStringLiteral("Cursor is at line:4"));

    for (const char* answer : {"0", "eleven", ""}) {
        dialogs.shown.clear();
        dialogs.inputAnswers << QString::fromLatin1(answer);
        form->editCommands().GoToLine_Click();
        EXPECT_EQ(p()->selStart(), 3 * 13) << answer;
        EXPECT_EQ(dialogs.messages().size(), *answer ? 1 : 0) << answer; // "" is Cancel
    }
}

TEST_F(EditCommandsTest, ReplaceChangesEveryOccurrenceInOneUndoStep) {
    const QString before = p()->text();
    ctx().editor.FindText = QStringLiteral("line");
    dialogs.inputAnswers << QStringLiteral("MAIN") << QStringLiteral("entry");
    form->editCommands().Replace_Click();
    EXPECT_EQ(p()->text(),
              QString(before).replace(QStringLiteral("main"), QStringLiteral("entry")));
    EXPECT_EQ(ctx().editor.FindText, QStringLiteral("MAIN"));
    ASSERT_EQ(dialogs.shown.size(), 3);
    EXPECT_EQ(dialogs.shown[0].extra, QStringLiteral("line")); // the last Find text
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Replaced 9 occurrences.")});
    p()->document()->undo();
    EXPECT_EQ(p()->text(), before);

    // Cancel at either question changes nothing.
    for (const QStringList& answers :
         {QStringList{QString()}, {QStringLiteral("line"), QString()}}) {
        dialogs.inputAnswers = answers;
        form->editCommands().Replace_Click();
        EXPECT_EQ(p()->text(), before);
        EXPECT_EQ(ctx().editor.FindText, QStringLiteral("MAIN"));
    }
}

} // namespace
} // namespace tarvo::testing
