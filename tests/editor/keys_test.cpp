// The keys in a pane: caret line indicator, tab stops, Ctrl+T, indenting, Go to Line, Replace,
// Find.
#include "editor_fixture.h"

#include <QLabel>
#include <QPushButton>

namespace tarvo::testing {
namespace {

const QString kLines = QStringLiteral("line 1\r\nline 2\r\nline 3\r\nline 4\r\nline 5\r\nline 6\r\n"
                                      "line 7\r\nline 8\r\nline 9\r\n"); // 8 characters a line

class KeysTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        settings().Colorizew.clear();
        openProject({{QStringLiteral("a.txt"), kLines}});
        chooseTab(3);
    }
    RichTextPane* p() { return pane(3); }
};

TEST_F(KeysTest, TabStopsCtrlTAndIndentingKeys) {
    showActive();
    ui().Command2->setFocusPolicy(Qt::ClickFocus);
    auto* doomed = new QPushButton(ui().client);
    ui().collection.append(doomed);
    p()->setFocus();
    for (QWidget* w : ui().collection)
        EXPECT_FALSE(w->focusPolicy() & Qt::TabFocus) << w->objectName().toStdString();
    p()->setSelStart(0);
    QTest::keyClick(p(), Qt::Key_Tab); // types a tab: there is no stop to go to
    EXPECT_TRUE(p()->text().startsWith(QStringLiteral("\tline 1")));
    // Controls that come and go meanwhile do not shift the flags.
    ui().collection.prepend(new QPushButton(ui().client));
    ui().collection.removeOne(doomed);
    delete doomed;
    ui().Command4->setFocus();
    EXPECT_EQ(ui().Command2->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(ui().Label2->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(p()->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(ui().Command4, Qt::Key_Tab);
    EXPECT_FALSE(ui().Command4->hasFocus());
    // Ctrl+T in every pane: TabSpace, caret, key, shift, text afterwards (over "abc def", "abc"
    // selected).
    const std::tuple<int, int, int, int, const char*> kCases[] = {
        {4, 4, 84, 2, "     def"}, {1, 1, 84, 2, "  def"},   {0, 0, 84, 2, "abc def"},
        {4, 0, 84, 3, "abc def"},  {4, 0, 84, 0, "abc def"}, {4, 0, 85, 2, "abc def"}};
    RichTextPane* panes[] = {ui().Text1, ui().resourceh, p()};
    for (const auto& [tabSpace, caret, key, shift, text] : kCases) {
        settings().TabSpace = qint16(tabSpace);
        for (RichTextPane* pane : panes) {
            pane->setText(QStringLiteral("abc def"));
            pane->select(0, 3);
        }
        form->focusTracking().Text1_KeyUp(key, shift);
        form->focusTracking().resourceh_KeyUp(key, shift);
        form->focusTracking().OtherTextFile_KeyUp(3, key, shift);
        for (RichTextPane* pane : panes)
            EXPECT_EQ(std::pair(pane->text(), pane->selStart()),
                      std::pair(QString::fromLatin1(text), caret));
    }
    p()->select(0, 3);
    QTest::keyClick(p(), Qt::Key_T, Qt::ControlModifier); // the key reaches it
    EXPECT_EQ(p()->text(), QStringLiteral("     def"));
    settings().TabSpace = 2; // Enter and a closing brace indent as typed
    p()->setText(QStringLiteral("  int f() {"));
    p()->setSelStart(11);
    QTest::keyClick(p(), Qt::Key_Return);
    QTest::keyClicks(p(), QStringLiteral("x; }")); // a brace after text is just typed
    QTest::keyClick(p(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClicks(p(), QStringLiteral("}"));
    EXPECT_EQ(p()->text(), QStringLiteral("  int f() {\r\n    x; }\r\n  }"));
}

TEST_F(KeysTest, CaretLineGoToLineReplaceAndFind) {
    showActive();
    p()->setSelStart(8);
    p()->setFocus();
    // answer, line offered, caret afterwards, messages
    const std::tuple<const char*, const char*, int, int> kCases[] = {{"4", "2", 24, 0},
                                                                     {"0", "4", 24, 1},
                                                                     {"eleven", "4", 24, 1},
                                                                     {"", "4", 24, 0},
                                                                     {"10", "4", 72, 0}};
    for (const auto& [answer, offered, caret, messages] : kCases) {
        dialogs.shown.clear();
        dialogs.inputAnswers = QStringList{QString::fromLatin1(answer)};
        QTest::keyClick(p(), Qt::Key_G, Qt::ControlModifier); // a window shortcut
        ASSERT_FALSE(dialogs.shown.isEmpty()) << answer;
        EXPECT_EQ(dialogs.shown[0].title + u'|' + dialogs.shown[0].text + u'|' +
                      dialogs.shown[0].extra,
                  QStringLiteral("Go to Line|Line number (1 to 10):|") + QLatin1String(offered));
        EXPECT_EQ(p()->selStart(), caret) << answer;
        EXPECT_EQ(dialogs.messages().size(), messages) << answer;
    }
    EXPECT_EQ(status(), QStringLiteral("Cursor is at line:10"));
    // Replace changes every occurrence in one undo step.
    const QString rows = QString(kLines).replace(QStringLiteral("line"), QStringLiteral("row"));
    const QString three = QString(rows).replace(u'3', QStringLiteral("three"));
    ctx().editor.FindText = QStringLiteral("ine");
    // answers, message, text afterwards, FindText afterwards
    const std::tuple<QStringList, const char*, QString, const char*> kReplaces[] = {
        {{QStringLiteral("LINE"), QStringLiteral("row")}, "Replaced 9 occurrences.", rows, "LINE"},
        {{QString()}, "", rows, "LINE"}, // cancelled
        {{QStringLiteral("line"), QString()}, "", rows, "LINE"},
        {{QStringLiteral("3"), QStringLiteral("three")}, "Replaced 1 occurrence.", three, "3"},
        {{QStringLiteral("x"), QStringLiteral("y")}, "Replaced 0 occurrences.", three, "x"}};
    for (const auto& [answers, said, text, findText] : kReplaces) {
        dialogs.shown.clear();
        dialogs.inputAnswers = answers;
        form->editCommands().Replace_Click();
        EXPECT_EQ(p()->text(), text) << said;
        EXPECT_EQ(dialogs.messages().join(QString()), QString::fromLatin1(said));
        EXPECT_EQ(ctx().editor.FindText, QString::fromLatin1(findText)) << said;
    }
    EXPECT_EQ(dialogs.shown[0].extra, QStringLiteral("3")); // the last Find text
    EXPECT_EQ(dialogs.shown[1].text, QStringLiteral("Replace \"x\" with:"));
    for (const QString& before : {rows, kLines}) { // each replacement is one undo step
        p()->document()->undo();
        EXPECT_EQ(p()->text(), before);
    }
    // Find and Find Again: from the caret, case ignored, without wrapping.
    p()->setSelStart(3);
    dialogs.inputAnswers = QStringList{QStringLiteral("LINE")};
    form->finder().Find_Click();
    QString seen;
    for (int i = 0; i < 9; ++i, form->finder().FindAgain_Click())
        seen += QString::asprintf("%d+%d ", p()->selStart(), p()->selLength());
    EXPECT_EQ(seen, QStringLiteral("8+4 16+4 24+4 32+4 40+4 48+4 56+4 64+4 65+0 "));
    // The caret line indicator: tab, selection start and length, text typed over it, line shown.
    const std::tuple<int, int, int, const char*, int> kShown[] = {
        {3, 0, 0, nullptr, 1},   {3, 32, 26, nullptr, 5},   {3, 7, 0, nullptr, 1}, // on a LF
        {3, 72, 0, nullptr, 10}, {3, 16, 0, "\r\n\r\n", 5}, {1, 24, 2, nullptr, 0},
        {2, 40, 0, nullptr, 0}};
    for (const auto& [tab, start, length, typed, line] : kShown) {
        chooseTab(tab);
        if (tab < 3)
            pane(tab)->setText(kLines);
        ui().StatusBar1->clearMessage();
        pane(tab)->select(start, length);
        if (typed)
            pane(tab)->setSelText(QString::fromLatin1(typed));
        EXPECT_EQ(status(), line ? QStringLiteral("Cursor is at line:%1").arg(line) : QString())
            << tab << " " << start;
    }
    chooseTab(3);
    ctx().editor.ColorizeIdle = false; // quiet while a pass runs
    p()->setSelStart(8);
    ctx().editor.ColorizeIdle = true;
    p()->hide(); // and for a pane being loaded out of sight
    p()->setSelStart(16);
    EXPECT_EQ(status(), QString());
}

} // namespace
} // namespace tarvo::testing
