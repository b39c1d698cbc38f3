// Colouring as the text changes, held against a first pass over the same text
// on a plain pane.
#include "editor/live_colorizer.h"
#include "editor_fixture.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

namespace tarvo::testing {
namespace {

using pane_styles::StyleRun;

QString describe(const QVector<StyleRun>& runs) {
    QString s;
    for (const StyleRun& r : runs)
        s += QStringLiteral("%1+%2:%3%4 ")
                 .arg(r.start)
                 .arg(r.length)
                 .arg(r.style.color, 0, 16)
                 .arg(r.style.bold ? QStringLiteral("b") : QString());
    return s;
}

QStringList linesOf(const RichTextPane& pane) {
    QStringList out;
    for (int line = 0; line < pane.document()->blockCount(); ++line)
        out << describe(pane.lineStyles(line));
    return out;
}

class LiveColourTest : public EditorTest {
protected:
    RichTextPane* colouredPane(const QString& text) {
        openProject({{QStringLiteral("a.c"), text}});
        chooseTab(3);
        return pane(3);
    }
    // What each line of `text` shows after a first pass on a plain pane.
    QStringList firstPass(const QString& text) {
        RichTextPane plain;
        plain.setText(text);
        const KeywordLists lists{KeywordList(settings().DataTypesKeywords),
                                 KeywordList(settings().ReservedKeyWords),
                                 KeywordList(settings().ExtraKeyWords)};
        QVector<FormatRun> runs = scanColorRuns(plain.text(), lists);
        for (FormatRun& r : runs)
            r.caseFix.clear();
        plain.applyFormats(runs);
        return linesOf(plain);
    }
};

TEST_F(LiveColourTest, EveryEditUndoAndRedoLeavesWhatAFirstPassWouldShow) {
    QString text;
    for (int i = 0; i < 8; ++i)
        text += QStringLiteral("int main(void) {\r\n    /* a comment\r\n  over lines */ return "
                               "0x1F;\r\n    char* s = \"text\r\n\"; INT/* c\r\n */ x;\r\n}\r\n");
    RichTextPane* p = colouredPane(text);
    ASSERT_EQ(linesOf(*p), firstPass(p->text())); // the full pass, case fixes over lines too
    EXPECT_FALSE(p->text().contains(QStringLiteral("INT")));
    LiveColorizer* live = LiveColorizer::of(*p);
    ASSERT_TRUE(live);
    const QStringList pieces = QStringLiteral("/*|*/|\"|int|char |x|12|//|\n|;| ").split(u'|');
    QRandomGenerator random(20240613);
    for (int step = 0; step < 400; ++step) {
        QTextDocument* doc = p->document();
        QTextCursor c(doc);
        const int length = doc->characterCount() - 1;
        const int kind = random.bounded(10);
        c.setPosition(random.bounded(length + 1));
        if (kind < 6) {
            c.insertText(pieces[random.bounded(int(pieces.size()))]);
        } else if (kind < 8) {
            c.setPosition(std::min(length, c.position() + random.bounded(1, 6)),
                          QTextCursor::KeepAnchor);
            c.removeSelectedText();
        } else if (kind == 8) {
            doc->undo();
        } else {
            doc->redo();
        }
        live->finish();
        ASSERT_EQ(linesOf(*p), firstPass(p->text())) << "after step " << step;
    }
}

TEST_F(LiveColourTest, TypingColoursWithoutFixingLetterCase) {
    RichTextPane* p = colouredPane(QStringLiteral("x;\r\n"));
    p->setSelStart(0);
    QTest::keyClicks(p, QStringLiteral("INT "));
    LiveColorizer::of(*p)->finish();
    EXPECT_EQ(p->text(), QStringLiteral("INT x;\r\n"));
    EXPECT_EQ(colorAt(p, 0), QColor(0, 127, 0));
    p->setSelStart(3); // "INTE": no keyword is typed on
    QTest::keyClick(p, Qt::Key_E);
    LiveColorizer::of(*p)->finish();
    EXPECT_FALSE(colorAt(p, 0).isValid());
}

TEST_F(LiveColourTest, WordBeforeACommentOverLinesFollowsWhatComesAfterTheComment) {
    RichTextPane* p = colouredPane(QStringLiteral("int/* c\r\n\r\nd */ x;\r\n"));
    EXPECT_EQ(colorAt(p, 0), QColor(0, 127, 0));
    QTextCursor c(p->document());
    c.setPosition(int(p->document()->toPlainText().indexOf(u'/', 5)) + 1);
    c.insertText(QStringLiteral("y")); // "int" and "y" are one word now
    LiveColorizer::of(*p)->finish();
    EXPECT_FALSE(colorAt(p, 0).isValid());
    c.deletePreviousChar();
    LiveColorizer::of(*p)->finish();
    EXPECT_EQ(colorAt(p, 0), QColor(0, 127, 0));
}

TEST_F(LiveColourTest, OpenCommentColoursTheLinesOnViewAtOnceAndTheRestLater) {
    RichTextPane* p = colouredPane(QStringLiteral("int v;\r\n").repeated(3000));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    auto lastInt = [p] { return colorAt(p, p->textLength() - 8); };
    QTextCursor(p->document()).insertText(QStringLiteral("/*"));
    EXPECT_EQ(colorAt(p, 20), QColor(127, 127, 127));
    EXPECT_EQ(lastInt(), QColor(0, 127, 0));
    LiveColorizer::of(*p)->finish();
    EXPECT_EQ(lastInt(), QColor(127, 127, 127));
    p->document()->undo();
    LiveColorizer::of(*p)->finish();
    EXPECT_EQ(lastInt(), QColor(0, 127, 0));
}

TEST_F(LiveColourTest, EditCountFollowsTheTextNotTheStyles) {
    RichTextPane p;
    quint64 seen = p.editCount();
    auto grew = [&] {
        const bool g = p.editCount() > seen;
        seen = p.editCount();
        return g;
    };
    p.setText(QStringLiteral("int a;\r\nb"));
    EXPECT_TRUE(grew());
    p.setLineStyles(0, {{{0, 3, {qRgb(1, 2, 3), true, false}}}});
    p.select(0, 1);
    p.setSelColor(Qt::red);
    EXPECT_FALSE(grew());
    EXPECT_EQ(describe(p.lineStyles(0)), QStringLiteral("0+1:ffff0000 1+2:ff010203 "));
    QTest::keyClicks(&p, QStringLiteral("x"));
    EXPECT_TRUE(grew());
    p.document()->undo();
    EXPECT_TRUE(grew());
    p.document()->redo();
    EXPECT_TRUE(grew());
}

} // namespace
} // namespace tarvo::testing
