#include "platform/rich_text_pane.h"

#include "support/files.h"
#include <QApplication>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

#include <gtest/gtest.h>

using namespace tarvo;
using tarvo::testing::readFile;
using tarvo::testing::writeFile;

namespace {

// a0 b1 CR2 LF3 c4 d5 CR6 LF7 e8 f9
const QString kThreeLines = QStringLiteral("ab\r\ncd\r\nef");
const QColor kBlue(0, 0, 255);

// One character a position: '.' plain, 'c' blue, 'b' bold, 'B' both.
std::string styleMap(const RichTextPane& pane) {
    std::string out;
    for (int i = 0; i < pane.textLength(); ++i)
        out += ".bcB"[(pane.colorAt(i) == kBlue) * 2 + pane.boldAt(i)];
    return out;
}

TEST(RichTextPane, PositionsCountCrAndLfSeparatelyAndSelectionsAreReported) {
    RichTextPane pane;
    for (const char* in : {"ab\ncd\nef", "ab\rcd\ref", "ab\r\ncd\nef"}) {
        pane.setText(QString::fromLatin1(in));
        EXPECT_EQ(pane.text(), kThreeLines);
        EXPECT_EQ(pane.textLength(), 10);
    }
    const struct {
        int start, length, selStart, selLength;
        const char* selText;
    } rows[] = {{4, 2, 4, 2, "cd"},  {1, 4, 1, 4, "b\r\nc"}, {3, 4, 3, 4, "\ncd\r"},
                {8, 99, 8, 2, "ef"}, {50, 3, 10, 0, ""},     {-5, 1, 0, 1, "a"}};
    for (const auto& r : rows) {
        pane.select(r.start, r.length);
        EXPECT_EQ(pane.selStart(), r.selStart) << r.start;
        EXPECT_EQ(pane.selLength(), r.selLength) << r.start;
        EXPECT_EQ(pane.selText(), QString::fromLatin1(r.selText)) << r.start;
    }
    pane.setSelStart(8);
    EXPECT_EQ(pane.selLength(), 0);
    EXPECT_EQ(pane.textCursor().position(), 6); // document position of "e"
    for (const auto& [pos, line] : {std::pair{0, 0}, {3, 0}, {4, 1}, {7, 1}, {8, 2}, {99, 2}})
        EXPECT_EQ(pane.lineFromChar(pos), line) << pos;
    // Selection events for program and user changes; KeyUp tells the shift state.
    QSignalSpy sel(&pane, &RichTextPane::SelChange), keyUp(&pane, &RichTextPane::KeyUp);
    pane.setSelStart(4);
    pane.setSelLength(2);
    pane.find(QStringLiteral("zz"), 0);
    EXPECT_EQ(sel.count(), 2);
    pane.setSelStart(8);
    QTest::keyClick(&pane, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(sel.count(), 4);
    EXPECT_EQ(pane.selText(), QStringLiteral("cd\r\n"));
    const Qt::KeyboardModifiers mods[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier,
                                          Qt::ControlModifier | Qt::ShiftModifier};
    for (int shift = 0; shift < 4; ++shift) {
        keyUp.clear();
        QTest::keyRelease(&pane, Qt::Key_T, mods[shift]);
        ASSERT_GE(keyUp.count(), 1); // the modifiers report their own release after it
        EXPECT_EQ(keyUp[0], (QVariantList{int(Qt::Key_T), shift}));
    }
}

TEST(RichTextPane, TabIsTypedNotAMoveToTheNextControl) {
    QWidget window;
    auto* pane = new RichTextPane(&window);
    auto* next = new QLineEdit(&window);
    next->move(0, 200);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    pane->setFocus();
    QTest::keyClick(pane, Qt::Key_Tab);
    EXPECT_EQ(pane->text(), QStringLiteral("\t"));
    EXPECT_EQ(QApplication::focusWidget(), pane);
}

TEST(RichTextPane, FindsFromTheStartIgnoringCaseAndAMissKeepsTheSelection) {
    const struct {
        const char* what;
        int start, hit;
    } rows[] = {{"form", 1, 11},  {"form", 11, 11}, {"OBJECT", 0, 22}, {"1\r\nf", 0, 8},
                {"form", 12, -1}, {"t", 40, -1},    {"form", -1, -1},  {"", 0, -1}};
    RichTextPane pane;
    pane.setText(QStringLiteral("FORM ID 1\r\nform id 2\r\nObject"));
    for (const auto& r : rows) {
        pane.select(3, 1);
        EXPECT_EQ(pane.find(QString::fromLatin1(r.what), r.start), r.hit) << r.what;
        EXPECT_EQ(pane.selStart(), r.hit >= 0 ? r.hit : 3);
        EXPECT_EQ(pane.selLength(), r.hit >= 0 ? int(qstrlen(r.what)) : 1);
    }
    // Without a start only the selection is searched, or all when nothing is selected.
    pane.setText(QStringLiteral("ID=1\r\n#FORM\r\nID=2\r\nID=3"));
    pane.select(7, 10); // "FORM\r\nID=2"
    EXPECT_EQ(pane.find(QStringLiteral("id=")), 13);
    pane.select(7, 8); // "ID=" runs past the selection
    EXPECT_EQ(pane.find(QStringLiteral("ID=")), -1);
    pane.setSelStart(20);
    EXPECT_EQ(pane.find(QStringLiteral("id=")), 0);
}

TEST(RichTextPane, ModifiedMeansTheTextDiffersFromTheBaseline) {
    RichTextPane pane;
    QSignalSpy spy(&pane, &RichTextPane::modifiedChanged);
    pane.setText(kThreeLines);
    const quint64 edits = pane.editCount();
    pane.select(4, 2);
    pane.setSelColor(kBlue); // formats are no edit
    pane.setSelStart(9);
    QTest::keyClicks(&pane, QStringLiteral("z"));
    EXPECT_TRUE(pane.isModified());
    QTest::keyClick(&pane, Qt::Key_Backspace); // typed and deleted again
    EXPECT_FALSE(pane.isModified());
    EXPECT_EQ(spy.count(), 2);
    EXPECT_GE(pane.editCount(), edits + 2);
    pane.setSelText(QStringLiteral("z"));
    pane.markUnmodified();
    EXPECT_FALSE(pane.isModified());
    pane.setSelText(QStringLiteral("y"));
    pane.setText(QStringLiteral("reloaded"));
    EXPECT_FALSE(pane.isModified());
    // One edit block at both ends and maybe line 300: only lines that differ count.
    pane.loadData("first\r\n" + QByteArray("line\r\n").repeated(599)); // not one line repeated
    for (int middle : {0, 300}) {
        QTextCursor c(pane.document());
        c.beginEditBlock();
        c.insertText(QStringLiteral("x"));
        c.setPosition(pane.document()->findBlockByNumber(middle).position());
        c.insertText(middle ? QStringLiteral("y") : QString());
        c.setPosition(0);
        c.deleteChar();
        c.movePosition(QTextCursor::End);
        c.insertText(QStringLiteral("z"));
        c.deletePreviousChar();
        c.endEditBlock();
        EXPECT_EQ(pane.isModified(), middle > 0) << middle;
        pane.undo();
        EXPECT_FALSE(pane.isModified()) << middle;
    }
}

TEST(RichTextPane, APaneLoadedWhileHiddenBehavesAsABuiltOne) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.c")), copy = dir.filePath("copy.c");
    const QByteArray bytes("\xEF\xBB\xBFint a;\nchar\r\nFIND me\r\xff");
    writeFile(path, bytes);
    QWidget window;
    RichTextPane shown(&window), hidden(&window);
    hidden.hide();
    window.show();
    ASSERT_TRUE(shown.loadFile(path) && hidden.loadFile(path));
    EXPECT_TRUE(shown.isBuilt());
    EXPECT_FALSE(hidden.isBuilt() || hidden.isModified());
    ASSERT_TRUE(hidden.saveFile(copy));
    EXPECT_EQ(readFile(copy), bytes);
    EXPECT_FALSE(hidden.isBuilt());
    EXPECT_EQ(hidden.find(QStringLiteral("me"), 0), shown.find(QStringLiteral("me"), 0));
    EXPECT_TRUE(hidden.isBuilt());
    EXPECT_EQ(hidden.text(), shown.text());
    EXPECT_EQ(hidden.selText(), QStringLiteral("me"));
    RichTextPane edited(&window); // typed into before its file was needed: all of it differs
    edited.hide();
    ASSERT_TRUE(edited.loadFile(path));
    edited.insertPlainText(QStringLiteral("x"));
    EXPECT_TRUE(edited.isBuilt() && edited.isModified());
    EXPECT_EQ(edited.text(), QStringLiteral("x"));
}

// Random edits of whole pieces with known bytes: saving changes exactly the edited bytes.
TEST(RichTextPane, SavingAfterRandomEditsChangesExactlyTheEditedBytes) {
    static const char kUtf8[] = // '|' separates the pieces; no piece holds it
        "a|\r\n|\n|\r|\xc3\xa9|\xE2\x80\xA9|\xEF\xB7\x90|\xE2\x80\xA8|\0|\f|"
        "\xEE\x80\x81|\xff|\xEF\xBB\xBF|\xF0\x9F\x98\x80";
    const QByteArrayList utf8Pieces = QByteArray(kUtf8, sizeof kUtf8 - 1).split('|');
    const QByteArrayList latin1Pieces = QByteArray("b|\r\n|\n|\r|\xe9").split('|');
    const QByteArrayList breaks{"\r\n", "\n", "\r"};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.c"));
    QRandomGenerator rng(11);
    for (int round = 0; round < 150; ++round) {
        // With marks the file is UTF-8 whatever follows; a leading 0xFF makes it 8-bit.
        const bool utf8 = round % 2 == 0;
        const QByteArray prefix = utf8 ? QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") : QByteArray();
        QByteArrayList file{utf8 ? QByteArray("a") : QByteArray("\xff")};
        for (int n = rng.bounded(30); n > 0; --n) {
            const QByteArrayList& kinds = utf8 ? utf8Pieces : latin1Pieces;
            const QByteArray& p = kinds[rng.bounded(int(kinds.size()))];
            if (!(file.constLast().endsWith('\r') && p.startsWith('\n')))
                file.append(p); // else the two would read as one CR LF
        }
        const QByteArray original = prefix + file.join();
        writeFile(path, original);
        RichTextPane pane;
        ASSERT_TRUE(pane.loadFile(path));
        // A typed break takes the most used line end, CR LF on a tie.
        const QByteArray typed =
            *std::max_element(breaks.begin(), breaks.end(),
                              [&](auto& a, auto& b) { return file.count(a) < file.count(b); });
        for (int edit = rng.bounded(4); edit > 0; --edit) {
            const int from = 1 + rng.bounded(int(file.size()));
            const int to = from + rng.bounded(int(file.size()) - from + 1);
            int start = 0, removed = 0;
            for (int i = 0; i < to; ++i) // line breaks and surrogate pairs take two positions
                (i < from ? start : removed) +=
                    breaks.contains(file[i]) || file[i].size() == 4 ? 2 : 1;
            QByteArrayList inserted;
            QString text;
            for (int n = rng.bounded(4); n > 0; --n) {
                const bool lineBreak = rng.bounded(3) == 0;
                inserted.append(lineBreak ? typed : QByteArray("x"));
                text += lineBreak ? QStringLiteral("\r\n") : QStringLiteral("x");
            }
            pane.select(start, removed);
            pane.setSelText(text);
            file = file.mid(0, from) + inserted + file.mid(to);
        }
        const QByteArray expected = prefix + file.join();
        EXPECT_EQ(pane.isModified(), expected != original) << round;
        ASSERT_TRUE(pane.saveFile(path));
        ASSERT_EQ(readFile(path), expected) << round << " " << original.toHex().constData();
        EXPECT_FALSE(pane.isModified());
    }
}

TEST(RichTextPane, LoadsAndSavesPlainOrRichTextAndReportsFailures) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Out.txt"));
    writeFile(path, "{\\rtf1{\\colortbl ;\\red0\\green0\\blue255;}Build\\par\\cf1\\b failed\\'e9}");
    RichTextPane pane;
    ASSERT_TRUE(pane.loadFile(path));
    EXPECT_EQ(pane.text(), QString::fromLatin1("Build\r\nfailed\xe9"));
    EXPECT_EQ(styleMap(pane), ".......BBBBBBB");
    ASSERT_TRUE(pane.saveFile(path));
    EXPECT_EQ(readFile(path), QByteArray("Build\r\nfailed\xe9"));
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    pane.setSelText(QStringLiteral("new "));
    QString reason;
    EXPECT_FALSE(pane.saveFile(path, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(pane.isModified());
    EXPECT_EQ(readFile(path), QByteArray("Build\r\nfailed\xe9"));
}

// Blue at [colour, +length), bold at [bold, +length), then one replacement.
TEST(RichTextPane, ReplacingTheSelectionMovesStylesAndCaretWithTheText) {
    const struct {
        const char* text;
        int colour, colourLength, bold, boldLength, start, length;
        const char* replacement;
        int caret;
        const char* map;
    } rows[] = {
        {"int x;\r\nchar y;", 0, 3, 8, 4, 1, 0, "n", 2, "cccc.....bbbb..."}, // inside
        {"int x;\r\nchar y;", 0, 3, 8, 4, 3, 0, "s", 4, "cccc.....bbbb..."}, // right after
        {"int x;\r\nchar y;", 0, 3, 8, 4, 0, 0, "a", 1, ".ccc.....bbbb..."}, // before: not taken
        {"int\r\nchar x", 0, 3, 5, 4, 3, 2, "", 3, "cccbbbb.."},             // lines joined
        {"intchar x", 0, 3, 3, 4, 3, 0, "\r\n", 5, "ccc..bbbb.."},           // the break takes none
        {"aa\r\nbb\r\ncc", 8, 2, 0, 0, 1, 8, "", 1, ".c"}, // first line's head, last one's tail
        {"ab\r\ncd", 0, 6, 0, 0, 4, 0, "x", 5, "cc...cc"}, // a line's start takes none
        {"ab\r\ncd\r\nef", 0, 0, 0, 0, 4, 2, "x\ny", 8, "............"},
        {"ac", 0, 2, 0, 2, 0, 2, "x\r\ny", 4, "...."}, // all replaced
    };
    RichTextPane pane;
    for (const auto& r : rows) {
        pane.setText(QString::fromLatin1(r.text));
        pane.select(r.colour, r.colourLength);
        pane.setSelColor(kBlue);
        pane.select(r.bold, r.boldLength);
        pane.setSelBold(true);
        pane.select(r.start, r.length);
        pane.setSelText(QString::fromLatin1(r.replacement));
        EXPECT_EQ(styleMap(pane), r.map) << r.text << " " << r.replacement;
        EXPECT_EQ(pane.selStart(), r.caret);
        EXPECT_EQ(pane.selLength(), 0);
    }
    pane.undo(); // taken back and cleared: no stray style
    EXPECT_EQ(pane.text(), QStringLiteral("ac"));
    EXPECT_EQ(styleMap(pane), "..");
    pane.clear();
    EXPECT_EQ(pane.textLength(), 0);
    EXPECT_EQ(pane.colorAt(0), QColor());
}

TEST(RichTextPane, FormatsAreNoEditsAndCaseFixesUndoAsOneStep) {
    RichTextPane pane;
    pane.setText(kThreeLines);
    const quint64 edits = pane.editCount();
    pane.applyFormats({{2, 5, kBlue, true, QString()}}); // "\r\ncd\r"
    EXPECT_EQ(styleMap(pane), "....BB....");
    EXPECT_EQ(pane.editCount(), edits);
    EXPECT_FALSE(pane.document()->isUndoAvailable() || pane.isModified());

    pane.setText(QStringLiteral("INT a;\r\nRETURN b;"));
    pane.select(5, 1);
    QSignalSpy spy(&pane, &RichTextPane::SelChange);
    pane.applyFormats({{0, 3, kBlue, std::nullopt, QStringLiteral("int")},
                       {8, 6, std::nullopt, true, QStringLiteral("return")}});
    EXPECT_EQ(pane.selStart(), 5);
    EXPECT_EQ(spy.count(), 0);
    for (const char* text : {"int a;\r\nreturn b;", "INT a;\r\nRETURN b;", "int a;\r\nreturn b;"}) {
        EXPECT_EQ(pane.text(), QString::fromLatin1(text));
        EXPECT_EQ(styleMap(pane), "ccc.....bbbbbb...");
        pane.document()->isUndoAvailable() ? pane.undo() : pane.redo();
    }
}

} // namespace
