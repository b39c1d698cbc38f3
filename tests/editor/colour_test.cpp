// The colouring pass on a pane, and colouring as the text changes.
#include "editor_fixture.h"

#include <QRandomGenerator>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

namespace tarvo::testing {
namespace {

class ColourTest : public EditorTest {
protected:
    // Code pane 3 holding `text`, all magenta and bold so that the pass's work shows.
    RichTextPane* preparedPane(const QString& text) {
        openProject({{QStringLiteral("notes.txt"), text}});
        RichTextPane* p = pane(3);
        p->select(0, p->textLength());
        p->setSelColor(kMagenta);
        p->setSelBold(true);
        p->document()->clearUndoRedoStacks();
        return p;
    }
    RichTextPane* colouredPane(const QString& text) {
        openProject({{QStringLiteral("a.c"), text}});
        chooseTab(3);
        return pane(3);
    }
    void finish() { LiveColorizer::of(*pane(3))->finish(); }
    static QStringList linesOf(const RichTextPane& p) {
        QStringList out;
        for (int line = 0; line < p.document()->blockCount(); ++line) {
            out << QString();
            for (const pane_styles::StyleRun& r : p.lineStyles(line))
                out.last() += QString::asprintf("%d+%d:%x%s ", r.start, r.length, r.style.color,
                                                r.style.bold ? "b" : "");
        }
        return out;
    }
    // What a first pass shows on a plain pane holding `text`, letter case aside.
    QStringList firstPass(const QString& text) {
        RichTextPane plain;
        plain.setText(text);
        QVector<FormatRun> runs = scanColorRuns(text, {KeywordList(settings().DataTypesKeywords),
                                                       KeywordList(settings().ReservedKeyWords),
                                                       KeywordList(settings().ExtraKeyWords)});
        for (FormatRun& r : runs)
            r.caseFix.clear();
        plain.applyFormats(runs);
        return linesOf(plain);
    }
};

TEST_F(ColourTest, PassColoursFixesCaseKeepsThePlaceAndIsOneUndoStepWhenOn) {
    const std::pair<const char*, int> kCases[] = {{"True", 3},  {"TRUE ", 3}, {"", 3},
                                                  {"TRUE", -1}, {"TRUE", 1},  {"TRUE", 4}};
    for (const auto& [value, index] : kCases) { // off, or no coloured pane: nothing changes
        RichTextPane* p = preparedPane(QStringLiteral("INT a;"));
        ui().Text1->setText(QStringLiteral("INT a;"));
        settings().Colorizew = QString::fromLatin1(value);
        form->colorizer().ColorizeWords(index);
        EXPECT_EQ(p->text() + ui().Text1->text() + p->colorAt(0).name(),
                  QStringLiteral("INT a;INT a;#c800c8"))
            << value << index;
        EXPECT_TRUE(ctx().editor.ColorizeIdle && !ui().TabStrip1->testAttribute(Qt::WA_SetCursor));
    }
    settings().Colorizew = QStringLiteral("TRUE");
    RichTextPane* q = preparedPane(QStringLiteral("int a;\r\n")); // formats alone are no change
    for (const char* colour : {"#007f00", "#c800c8"}) {
        q->select(0, 3);
        q->setSelColor(kMagenta);
        form->colorizer().ColorizeWords(3);
        EXPECT_EQ(q->colorAt(0).name(), QLatin1String(colour));
    }
    const QString text =
        QStringLiteral("INT/* c\r\n d */ v0 = 0; return CHAR; main;\r\n").repeated(300);
    RichTextPane* p = preparedPane(text);
    p->setGeometry(ui().Text1->geometry());
    p->show();
    // A backward selection from inside INT to inside CHAR on the line before.
    const int at = p->document()->find(QStringLiteral("INT"), 200 * 42).selectionStart();
    QTextCursor c = p->textCursor();
    c.setPosition(at + 1);
    c.setPosition(at - 10, QTextCursor::KeepAnchor);
    p->setTextCursor(c);
    p->verticalScrollBar()->setValue(150);
    QList<std::pair<bool, Qt::CursorShape>> seen; // as the case fix moves the caret
    QObject::connect(p, &RichTextPane::SelChange, [&] {
        seen.append({ctx().editor.ColorizeIdle, ui().TabStrip1->cursor().shape()});
    });
    form->colorizer().ColorizeWords(3);
    EXPECT_EQ(seen.value(0), std::pair(false, Qt::WaitCursor)); // the hourglass while it runs
    EXPECT_EQ(std::tuple(p->textCursor().anchor(), p->textCursor().position(),
                         p->verticalScrollBar()->value()),
              std::tuple(at + 1, at - 10, 150));
    EXPECT_EQ(p->text(), QString(text)
                             .replace(QStringLiteral("INT"), QStringLiteral("int"))
                             .replace(QStringLiteral("CHAR"), QStringLiteral("char")));
    QString looks; // colour and weight at characters of the first two lines
    for (int pos : {0, 3, 9, 15, 16, 20, 23, 30, 36})
        looks += QString::asprintf("%d:%s%s ", pos, qPrintable(p->colorAt(pos).name()),
                                   p->boldAt(pos) ? "b" : "");
    EXPECT_EQ(looks, QStringLiteral("0:#007f00 3:#7f7f7fb 9:#7f7f7f 15:#c800c8b 16:#ff0000 "
                                    "20:#ff0000 23:#0000ff 30:#007f00 36:#000000b "));
    QTextCursor(p->document()).insertText(QStringLiteral("x"));
    finish(); // recoloured only up to where nothing changes: later lines keep their formats
    EXPECT_EQ(p->colorAt(59), kMagenta);
    p->document()->undo(); // the x, then the whole pass
    p->document()->undo();
    EXPECT_FALSE(p->document()->isUndoAvailable());
    EXPECT_EQ(p->text(), text);
    settings().DataTypesKeywords = QStringLiteral("*void*"); // new lists: INT is no type now
    form->colorizer().ColorizeWords(3);
    EXPECT_EQ(p->text(), text);
}

TEST_F(ColourTest, EveryEditUndoAndRedoLeavesWhatAFirstPassWouldShow) {
    RichTextPane* p = colouredPane(
        QStringLiteral("int main(void) {\r\n    /* a comment\r\n  over lines */ return 0x1F;\r\n"
                       "    char* s = \"text\r\n\"; INT/* c\r\n */ x;\r\n}\r\n")
            .repeated(8));
    ASSERT_EQ(linesOf(*p), firstPass(p->text()));
    const QStringList pieces = QStringLiteral("/*|*/|\"|int|char |x|12|//|\n|;| ").split(u'|');
    QRandomGenerator random(20240613);
    for (int step = 0; step < 400; ++step) {
        QTextCursor c(p->document());
        const int length = p->document()->characterCount() - 1;
        const int kind = random.bounded(10);
        c.setPosition(random.bounded(length + 1));
        if (kind < 6)
            c.insertText(pieces[random.bounded(int(pieces.size()))]);
        else if (kind < 8)
            c.setPosition(std::min(length, c.position() + random.bounded(1, 6)),
                          QTextCursor::KeepAnchor);
        else
            kind == 8 ? p->document()->undo() : p->document()->redo();
        c.removeSelectedText(); // the deletion's selection, if any
        finish();
        ASSERT_EQ(linesOf(*p), firstPass(p->text())) << "after step " << step;
    }
}

TEST_F(ColourTest, TypingColoursTheLinesOnViewAtOnceWithoutFixingCaseAndTheRestLater) {
    RichTextPane* p =
        colouredPane(QStringLiteral("x;\r\n") + QStringLiteral("int v;\r\n").repeated(3000));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const std::tuple<int, const char*, QColor> kSteps[] = {{0, "INT ", kGreen}, {3, "E", QColor()}};
    for (const auto& [at, typed, colour] : kSteps) {
        p->setSelStart(at);
        QTest::keyClicks(p, QString::fromLatin1(typed));
        EXPECT_EQ(p->colorAt(0), colour) << typed;
        QCoreApplication::processEvents(); // and shown so
        EXPECT_EQ(p->document()->firstBlock().layout()->formats().isEmpty(), !colour.isValid());
    }
    EXPECT_TRUE(p->text().startsWith(QStringLiteral("INTE x;\r\nint")));
    auto lastInt = [p] { return p->colorAt(p->textLength() - 8); };
    QTextCursor(p->document()).insertText(QStringLiteral("/*")); // an open comment
    EXPECT_EQ(p->colorAt(20), kGrey);
    EXPECT_EQ(lastInt(), kGreen);
    finish();
    EXPECT_EQ(lastInt(), kGrey);
    p->document()->undo();
    finish();
    EXPECT_EQ(lastInt(), kGreen);
    chooseTab(1); // off view: a second edit keeps the first one's lines waiting
    QTextCursor(p->document()).insertText(QStringLiteral("int "));
    QTextCursor(p->document()->lastBlock()).insertText(QStringLiteral("x"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return p->colorAt(0) == kGreen; }, 3000));
}

} // namespace
} // namespace tarvo::testing
