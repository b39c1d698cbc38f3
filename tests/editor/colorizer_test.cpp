// ColorizeWords on a real pane: what it formats, what it leaves, and the state
// it keeps while it runs.
#include "editor_fixture.h"

#include <QScrollBar>
#include <QTextDocument>

namespace tarvo::testing {
namespace {

const QColor kGreen(0, 127, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kGrey(127, 127, 127);
const QColor kMagenta(200, 0, 200);

class ColorizerTest : public EditorTest {
protected:
    // A code pane (tab 3) holding `text`, all of it magenta and bold first so
    // that untouched characters can be told apart.
    RichTextPane* preparedPane(const QString& text) {
        openProject({{QStringLiteral("notes.txt"), text}});
        RichTextPane* p = pane(3);
        p->select(0, p->textLength());
        p->setSelColor(kMagenta);
        p->setSelBold(true);
        p->document()->clearUndoRedoStacks();
        return p;
    }
};

TEST_F(ColorizerTest, FormatsTokensAndKeepsTheFormatOfOtherText) {
    RichTextPane* p = preparedPane(QStringLiteral("INT x = 10; // set\r\nreturn x;\r\nmain\r\n"));
    form->colorizer().ColorizeWords(3);

    EXPECT_EQ(p->text(), QStringLiteral("int x = 10; // set\r\nreturn x;\r\nmain\r\n"));
    struct Expect {
        int pos;
        QColor color;
        bool bold;
    };
    const Expect expected[] = {
        {2, kGreen, false}, {6, kMagenta, true},  {9, kRed, false},           {17, kGrey, false},
        {20, kBlue, false}, {27, kMagenta, true}, {31, QColor(0, 0, 0), true}};
    for (const Expect& e : expected) {
        EXPECT_EQ(colorAt(p, e.pos), e.color) << "at " << e.pos;
        EXPECT_EQ(boldAt(p, e.pos), e.bold) << "at " << e.pos;
    }
}

TEST_F(ColorizerTest, PassKeepsCaretSelectionAndScrollAndIsOneUndoStep) {
    QString text;
    for (int i = 0; i < 300; ++i)
        text += QStringLiteral("INT v%1 = %1; /* c\r\n d */ return CHAR;\r\n").arg(i);
    RichTextPane* p = preparedPane(text);
    p->setGeometry(ui().Text1->geometry());
    p->show();
    // A backward selection whose ends stand inside words the pass fixes.
    const int at = p->document()->find(QStringLiteral("INT v200")).selectionStart();
    QTextCursor c = p->textCursor();
    c.setPosition(at + 2);
    c.setPosition(at - 4, QTextCursor::KeepAnchor); // in CHAR
    p->setTextCursor(c);
    p->verticalScrollBar()->setValue(150);
    const int anchor = p->textCursor().anchor();
    const int position = p->textCursor().position();

    form->colorizer().ColorizeWords(3);
    EXPECT_EQ(p->textCursor().anchor(), anchor);
    EXPECT_EQ(p->textCursor().position(), position);
    EXPECT_EQ(p->verticalScrollBar()->value(), 150);
    EXPECT_EQ(p->text(), QString(text)
                             .replace(QStringLiteral("INT"), QStringLiteral("int"))
                             .replace(QStringLiteral("CHAR"), QStringLiteral("char")));
    // One undo takes the whole pass back, case fixes included.
    ASSERT_TRUE(p->document()->isUndoAvailable());
    p->document()->undo();
    EXPECT_FALSE(p->document()->isUndoAvailable());
    EXPECT_EQ(p->text(), text);
}

TEST_F(ColorizerTest, EditedLinesTakeTheScanColoursInPlaceOfTheirOwn) {
    RichTextPane* p = preparedPane(QStringLiteral("int a;\r\nchar b;\r\n"));
    form->colorizer().ColorizeWords(3);
    p->setSelStart(3);
    p->setSelText(QStringLiteral("x")); // "intx": no keyword any more
    LiveColorizer::of(*p)->finish();    // a hidden pane is coloured in slices
    EXPECT_EQ(p->text(), QStringLiteral("intx a;\r\nchar b;\r\n"));
    for (int pos : {0, 3, 5})
        EXPECT_FALSE(colorAt(p, pos).isValid()) << "at " << pos;
    EXPECT_EQ(colorAt(p, 9), kGreen); // the next line keeps what it showed
    EXPECT_EQ(colorAt(p, 14), kMagenta);
}

TEST_F(ColorizerTest, UnchangedPaneIsNotColouredAgainButAChangedOneIs) {
    RichTextPane* p = preparedPane(QStringLiteral("int a;\r\n"));
    form->colorizer().ColorizeWords(3);
    p->select(0, 3);
    p->setSelColor(kMagenta); // formats alone are no change of the text
    form->colorizer().ColorizeWords(3);
    EXPECT_EQ(colorAt(p, 0), kMagenta);
    settings().DataTypesKeywords = QStringLiteral("*Int*");
    form->colorizer().ColorizeWords(3);
    EXPECT_EQ(p->text(), QStringLiteral("Int a;\r\n"));
    EXPECT_EQ(colorAt(p, 0), kGreen);
    p->select(0, 3);
    p->setSelColor(kMagenta);
    p->setSelStart(6);
    p->setSelText(QStringLiteral(" "));
    form->colorizer().ColorizeWords(3);
    EXPECT_EQ(colorAt(p, 0), kGreen);
}

TEST_F(ColorizerTest, HourglassAndNotIdleWhileThePassRuns) {
    RichTextPane* p = preparedPane(QStringLiteral("INT a;\r\n"));
    p->setSelStart(1); // the case fix moves this caret, and the pass puts it back
    QList<bool> idleSeen;
    QList<Qt::CursorShape> cursorSeen;
    QObject::connect(p, &RichTextPane::SelChange, [&] {
        idleSeen << ctx().editor.ColorizeIdle;
        cursorSeen << ui().TabStrip1->cursor().shape();
    });
    form->colorizer().ColorizeWords(3);
    ASSERT_FALSE(idleSeen.isEmpty());
    EXPECT_FALSE(idleSeen.contains(true));
    EXPECT_EQ(cursorSeen.last(), Qt::WaitCursor);
    EXPECT_TRUE(ctx().editor.ColorizeIdle);
    EXPECT_FALSE(ui().TabStrip1->testAttribute(Qt::WA_SetCursor));
}

TEST_F(ColorizerTest, OnlyUpperCaseTrueSwitchesColouringOn) {
    for (const char* value : {"True", "TRUE "}) {
        RichTextPane* p = preparedPane(QStringLiteral("INT a;\r\n"));
        ctx().settings.Colorizew = QString::fromLatin1(value);
        form->colorizer().ColorizeWords(3);
        EXPECT_EQ(p->text(), QStringLiteral("INT a;\r\n")) << value;
        EXPECT_EQ(colorAt(p, 0), kMagenta) << value;
    }
}

TEST_F(ColorizerTest, IndexWithoutPaneEndsQuietly) {
    openProject({{QStringLiteral("a.c"), QStringLiteral("int a;\r\n")}});
    ui().Text1->setText(QStringLiteral("INT a;\r\n"));
    for (int index : {-1, 1, 4}) {
        form->colorizer().ColorizeWords(index);
        EXPECT_TRUE(ctx().editor.ColorizeIdle) << index;
        EXPECT_FALSE(ui().TabStrip1->testAttribute(Qt::WA_SetCursor)) << index;
    }
    EXPECT_EQ(ui().Text1->text(), QStringLiteral("INT a;\r\n"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

} // namespace
} // namespace tarvo::testing
