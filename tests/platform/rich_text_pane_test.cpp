#include "platform/rich_text_pane.h"

#include "support/files.h"
#include <QFile>
#include <QFocusEvent>
#include <QGuiApplication>
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

TEST(RichTextPane, TextReadsBackWithCrLfWhateverBreaksWereSet) {
    RichTextPane pane;
    for (const char* in : {"ab\ncd\nef", "ab\rcd\ref", "ab\r\ncd\nef"}) {
        pane.setText(QString::fromLatin1(in));
        EXPECT_EQ(pane.text(), kThreeLines);
        EXPECT_EQ(pane.textLength(), 10);
    }
    pane.setText(QStringLiteral("\r\n\r\n"));
    EXPECT_EQ(pane.textLength(), 4);
}

TEST(RichTextPane, SelectionCountsCrAndLfSeparately) {
    struct {
        int start, length, selStart, selLength;
        const char* selText;
    } const rows[] = {{4, 2, 4, 2, "cd"},  {1, 4, 1, 4, "b\r\nc"}, {3, 4, 3, 4, "\ncd\r"},
                      {8, 99, 8, 2, "ef"}, {50, 3, 10, 0, ""},     {-5, 1, 0, 1, "a"}};
    RichTextPane pane;
    pane.setText(kThreeLines);
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
}

TEST(RichTextPane, ReplacingTheSelectionLeavesTheCaretBehindTheNewText) {
    struct {
        int start, length;
        const char *replacement, *text;
        int caret;
    } const rows[] = {{4, 2, "12345", "ab\r\n12345\r\nef", 9},
                      {1, 0, "Z", "aZb\r\ncd\r\nef", 2},
                      {4, 2, "x\ny", "ab\r\nx\r\ny\r\nef", 8},
                      {2, 2, "", "abcd\r\nef", 2},
                      {10, 0, "\r\ng", "ab\r\ncd\r\nef\r\ng", 13}};
    for (const auto& r : rows) {
        RichTextPane pane;
        pane.setText(kThreeLines);
        pane.select(r.start, r.length);
        pane.setSelText(QString::fromLatin1(r.replacement));
        EXPECT_EQ(pane.text(), QString::fromLatin1(r.text));
        EXPECT_EQ(pane.selStart(), r.caret) << r.text;
        EXPECT_EQ(pane.selLength(), 0);
    }
}

TEST(RichTextPane, FindsFromTheStartIgnoringCaseAndAMissKeepsTheSelection) {
    struct {
        const char* what;
        int start, hit;
    } const rows[] = {{"form", 1, 11},  {"form", 11, 11}, {"OBJECT", 0, 22}, {"1\r\nf", 0, 8},
                      {"form", 12, -1}, {"t", 40, -1},    {"form", -1, -1},  {"", 0, -1}};
    RichTextPane pane;
    pane.setText(QStringLiteral("FORM ID 1\r\nform id 2\r\nObject"));
    for (const auto& r : rows) {
        pane.select(3, 1);
        EXPECT_EQ(pane.find(QString::fromLatin1(r.what), r.start), r.hit) << r.what;
        EXPECT_EQ(pane.selStart(), r.hit >= 0 ? r.hit : 3);
        EXPECT_EQ(pane.selLength(), r.hit >= 0 ? int(qstrlen(r.what)) : 1);
    }
    // Without a start only the selection is searched.
    pane.setText(QStringLiteral("ID=1\r\n#FORM\r\nID=2\r\nID=3"));
    pane.select(7, 10); // "FORM\r\nID=2"
    EXPECT_EQ(pane.find(QStringLiteral("id=")), 13);
    pane.select(7, 8); // "ID=" runs past the selection
    EXPECT_EQ(pane.find(QStringLiteral("ID=")), -1);
    pane.setSelStart(20); // nothing selected: the whole text
    EXPECT_EQ(pane.find(QStringLiteral("id=")), 0);
}

TEST(RichTextPane, SelectionColourAndBoldChangeOnlyTheSelection) {
    RichTextPane pane;
    pane.setText(kThreeLines);
    pane.select(4, 2); // "cd", document positions 3 and 4
    pane.setSelColor(QColor(0, 0, 255));
    pane.setSelBold(true);
    EXPECT_EQ(pane.colorAt(4), QColor(0, 0, 255));
    EXPECT_TRUE(pane.boldAt(5));
    EXPECT_NE(pane.colorAt(1), QColor(0, 0, 255));
    EXPECT_FALSE(pane.boldAt(8));
    EXPECT_FALSE(pane.isModified()); // formats are not edits of the text
}

TEST(RichTextPane, EventsFireForProgramAndUserChanges) {
    RichTextPane pane;
    pane.setText(kThreeLines);
    QSignalSpy sel(&pane, &RichTextPane::SelChange);
    pane.setSelStart(4);
    pane.setSelLength(2);
    EXPECT_EQ(sel.count(), 2);
    pane.find(QStringLiteral("zz"), 0);
    EXPECT_EQ(sel.count(), 2);
    pane.setSelStart(8);
    QTest::keyClick(&pane, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(sel.count(), 4);
    EXPECT_EQ(pane.selText(), QStringLiteral("cd\r\n"));

    QSignalSpy keyUp(&pane, &RichTextPane::KeyUp);
    for (const auto& [mods, shift] : {std::pair{Qt::KeyboardModifiers(Qt::NoModifier), 0},
                                      {Qt::ShiftModifier, 1},
                                      {Qt::ControlModifier, 2},
                                      {Qt::ControlModifier | Qt::ShiftModifier, 3}}) {
        keyUp.clear();
        QTest::keyRelease(&pane, Qt::Key_T, mods);
        ASSERT_GE(keyUp.count(), 1); // the modifiers report their own release after it
        EXPECT_EQ(keyUp[0][0].toInt(), int(Qt::Key_T));
        EXPECT_EQ(keyUp[0][1].toInt(), shift);
    }

    QSignalSpy got(&pane, &RichTextPane::GotFocus), lost(&pane, &RichTextPane::LostFocus);
    QSignalSpy dbl(&pane, &RichTextPane::DblClick);
    QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason), out(QEvent::FocusOut);
    QApplication::sendEvent(&pane, &in);
    QApplication::sendEvent(&pane, &out);
    pane.resize(200, 100);
    QTest::mouseDClick(pane.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(got.count() + lost.count() + dbl.count(), 3);
}

TEST(RichTextPane, ModifiedMeansTheTextDiffersFromTheBaseline) {
    RichTextPane pane;
    QSignalSpy spy(&pane, &RichTextPane::modifiedChanged);
    pane.setText(kThreeLines);
    const quint64 edits = pane.editCount();
    EXPECT_EQ(spy.count(), 0);
    pane.setSelStart(9);
    QTest::keyClicks(&pane, QStringLiteral("zz"));
    EXPECT_TRUE(pane.isModified());
    QTest::keyClick(&pane, Qt::Key_Backspace);
    QTest::keyClick(&pane, Qt::Key_Backspace); // typed and deleted again
    EXPECT_FALSE(pane.isModified());
    pane.select(0, 4);
    pane.setSelText(QStringLiteral("AB\r\n\r\n"));
    EXPECT_TRUE(pane.isModified());
    pane.undo(); // back to the baseline
    EXPECT_FALSE(pane.isModified());
    EXPECT_EQ(spy.count(), 4);
    EXPECT_GE(pane.editCount(), edits + 6);
    pane.setSelText(QStringLiteral("z"));
    pane.markUnmodified();
    EXPECT_FALSE(pane.isModified());
    pane.setSelText(QStringLiteral("y"));
    pane.setText(QStringLiteral("reloaded"));
    EXPECT_FALSE(pane.isModified());

    // One edit block at two far places is reported as a change of every line
    // between them; only the lines that differ count.
    pane.loadData(QString(QStringLiteral("line\r\n")).repeated(600).toLatin1());
    for (int middle : {-1, 300}) {
        QTextCursor c(pane.document());
        c.beginEditBlock();
        c.insertText(QStringLiteral("x"));
        if (middle > 0) {
            c.setPosition(pane.document()->findBlockByNumber(middle).position());
            c.insertText(QStringLiteral("y"));
        }
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

// A file loaded into a hidden pane stays bytes until it is needed; nothing a
// caller can see differs from a pane built at once.
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
    EXPECT_FALSE(hidden.isBuilt());
    EXPECT_FALSE(hidden.isModified());
    ASSERT_TRUE(hidden.saveFile(copy));
    EXPECT_EQ(readFile(copy), bytes);
    EXPECT_FALSE(hidden.isBuilt());
    EXPECT_EQ(hidden.find(QStringLiteral("me"), 0), shown.find(QStringLiteral("me"), 0));
    EXPECT_TRUE(hidden.isBuilt());
    EXPECT_EQ(hidden.text(), shown.text());
    EXPECT_EQ(hidden.selText(), QStringLiteral("me"));

    RichTextPane big(&window);
    big.hide();
    const QByteArray line("abcdefghijklmnopqrstuvwxyz0123456789\r\n");
    writeFile(path, line.repeated((1 << 20) / line.size() + 1)); // over 1 MB
    ASSERT_TRUE(big.loadFile(path));
    bool busy = false; // the hourglass shows while a big file is built
    QObject::connect(big.QPlainTextEdit::document(), &QTextDocument::contentsChange, [&] {
        busy = QGuiApplication::overrideCursor() &&
               QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
    });
    big.show();
    EXPECT_TRUE(big.isBuilt() && busy);
    EXPECT_EQ(big.textLength(), ((1 << 20) / line.size() + 1) * line.size());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(RichTextPane, LineStylesReadBackAndReplaceOnlyTheirLines) {
    using namespace pane_styles;
    const CharStyle red{qRgb(255, 0, 0), true, false}, bold{0, false, true};
    RichTextPane pane;
    pane.setText(kThreeLines);
    const quint64 edits = pane.editCount();
    pane.setLineStyles(1, {{{0, 1, red}}, {{1, 5, bold}}}); // the run is cut at the line's end
    EXPECT_EQ(pane.colorAt(4), QColor(255, 0, 0));
    EXPECT_TRUE(pane.boldAt(9));
    ASSERT_EQ(pane.lineStyles(2).size(), 1);
    EXPECT_EQ(pane.lineStyles(2)[0].length, 1);
    pane.setLineStyles(2, {{}});
    EXPECT_TRUE(pane.lineStyles(2).isEmpty());
    EXPECT_EQ(pane.lineStyles(1).size(), 1);
    EXPECT_EQ(pane.editCount(), edits); // styles are no edit
    EXPECT_FALSE(pane.document()->isUndoAvailable());
}

// A file made of pieces whose bytes and CR LF lengths are known, so that an
// edit of whole pieces says exactly which bytes must change.
struct Piece {
    QByteArray bytes;
    int length; // in CR LF positions
};

TEST(RichTextPane, SavingAfterRandomEditsChangesExactlyTheEditedBytes) {
    const QVector<Piece> utf8Pieces{{"a", 1},
                                    {"\r\n", 2},
                                    {"\n", 2},
                                    {"\r", 2},
                                    {"\xc3\xa9", 1},
                                    {"\xE2\x80\xA9", 1},
                                    {"\xEF\xB7\x90", 1},
                                    {"\xE2\x80\xA8", 1},
                                    {QByteArray(1, 0), 1},
                                    {"\f", 1},
                                    {"\xEE\x80\x81", 1},
                                    {"\xff", 1},
                                    {"\xEF\xBB\xBF", 1},
                                    {"\xF0\x9F\x98\x80", 2}};
    const QVector<Piece> latin1Pieces{{"b", 1}, {"\r\n", 2}, {"\n", 2}, {"\r", 2}, {"\xe9", 1}};
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.c"));
    QRandomGenerator rng(11);
    for (int round = 0; round < 150; ++round) {
        // With marks the file is UTF-8 whatever follows; a leading 0xFF makes it 8-bit.
        const bool utf8 = round % 2 == 0;
        const QVector<Piece>& kinds = utf8 ? utf8Pieces : latin1Pieces;
        const QByteArray prefix = utf8 ? QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") : "\xff";
        QVector<Piece> file{{utf8 ? QByteArray("a") : QByteArray("\xff"), 1}};
        for (int n = rng.bounded(30); n > 0; --n) {
            const Piece& p = kinds[rng.bounded(int(kinds.size()))];
            if (!(file.constLast().bytes.endsWith('\r') && p.bytes.startsWith('\n')))
                file.append(p); // else the two would read as one CR LF
        }
        QByteArray original = utf8 ? prefix : QByteArray();
        for (const Piece& p : file)
            original += p.bytes;
        writeFile(path, original);
        RichTextPane pane;
        ASSERT_TRUE(pane.loadFile(path));
        // The line end a typed break takes: the most used, CR LF on a tie.
        int counts[3] = {0, 0, 0};
        for (const Piece& p : file)
            for (int k = 0; k < 3; ++k)
                counts[k] += p.bytes == QByteArray(k == 0 ? "\r\n" : k == 1 ? "\n" : "\r");
        const int typed = int(std::max_element(counts, counts + 3) - counts);
        const QByteArray typedBytes = typed == 0 ? "\r\n" : typed == 1 ? "\n" : "\r";

        for (int edit = rng.bounded(4); edit > 0; --edit) {
            const int from = 1 + rng.bounded(int(file.size()));
            const int to = from + rng.bounded(int(file.size()) - from + 1);
            int start = 0, length = 0;
            for (int i = 0; i < to; ++i)
                (i < from ? start : length) += file[i].length;
            QVector<Piece> inserted;
            QString typedText;
            for (int n = rng.bounded(4); n > 0; --n) {
                const bool lineBreak = rng.bounded(3) == 0;
                inserted.append({lineBreak ? typedBytes : QByteArray("x"), lineBreak ? 2 : 1});
                typedText += lineBreak ? QStringLiteral("\r\n") : QStringLiteral("x");
            }
            pane.select(start, length);
            pane.setSelText(typedText);
            file = file.mid(0, from) + inserted + file.mid(to);
        }
        QByteArray expected = utf8 ? prefix : QByteArray();
        for (const Piece& p : file)
            expected += p.bytes;
        EXPECT_EQ(pane.isModified(), expected != original) << round;
        ASSERT_TRUE(pane.saveFile(path));
        ASSERT_EQ(readFile(path), expected) << round << " " << original.toHex().constData();
        EXPECT_FALSE(pane.isModified());
    }
}

TEST(RichTextPane, FailedLoadOrSaveIsReportedAndChangesNothing) {
    QTemporaryDir dir;
    RichTextPane pane;
    pane.setText(QStringLiteral("Compiling.  Please wait."));
    QString reason;
    EXPECT_FALSE(pane.loadFile(dir.filePath(QStringLiteral("Err.txt")), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(pane.text(), QStringLiteral("Compiling.  Please wait."));

    const QString path = dir.filePath(QStringLiteral("ro.c"));
    writeFile(path, "old");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    ASSERT_TRUE(pane.loadFile(path));
    pane.setSelText(QStringLiteral("new "));
    reason.clear();
    EXPECT_FALSE(pane.saveFile(path, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(pane.isModified());
    EXPECT_EQ(readFile(path), "old");
}

TEST(RichTextPane, RichTextShowsFormattedAndSavesAsPlainText) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Out.txt"));
    writeFile(path, "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}Build\\par\\cf1\\b failed\\'e9}");
    RichTextPane pane;
    ASSERT_TRUE(pane.loadFile(path));
    EXPECT_EQ(pane.text(), QString::fromLatin1("Build\r\nfailed\xe9"));
    EXPECT_EQ(pane.colorAt(7), QColor(255, 0, 0));
    EXPECT_TRUE(pane.boldAt(13));
    EXPECT_FALSE(pane.boldAt(0));
    ASSERT_TRUE(pane.saveFile(path));
    EXPECT_EQ(readFile(path), QByteArray("Build\r\nfailed\xe9"));
}

TEST(RichTextPane, ApplyFormatsIsOneUndoStepThatKeepsTheSelection) {
    RichTextPane pane;
    pane.setText(QStringLiteral("INT a;\r\nRETURN b;"));
    pane.select(5, 1);
    QSignalSpy spy(&pane, &RichTextPane::SelChange);
    QVector<RichTextPane::FormatRun> runs(2);
    runs[0] = {0, 3, QColor(0, 0, 255), false, QStringLiteral("int")};
    runs[1] = {8, 6, std::nullopt, true, QStringLiteral("return")}; // on the second line
    pane.applyFormats(runs);
    EXPECT_EQ(pane.text(), QStringLiteral("int a;\r\nreturn b;"));
    EXPECT_EQ(pane.colorAt(2), QColor(0, 0, 255));
    EXPECT_NE(pane.colorAt(3), QColor(0, 0, 255));
    EXPECT_TRUE(pane.boldAt(13));
    EXPECT_FALSE(pane.boldAt(14));
    EXPECT_EQ(pane.selStart(), 5);
    EXPECT_EQ(spy.count(), 0);
    pane.undo();
    EXPECT_EQ(pane.text(), QStringLiteral("INT a;\r\nRETURN b;"));
}

// One '1' or '0' a position: whether that character shows `color`.
std::string colouredMap(const RichTextPane& pane, const QColor& color) {
    std::string out;
    for (int i = 0; i < pane.textLength(); ++i)
        out += pane.colorAt(i) == color ? '1' : '0';
    return out;
}

TEST(RichTextPane, StylesFollowTextTypedInsideOrRightAfterThem) {
    const QColor blue(0, 0, 255);
    RichTextPane pane;
    pane.setText(QStringLiteral("int x;\r\nchar y;"));
    pane.select(0, 3);
    pane.setSelColor(blue);
    pane.select(8, 4);
    pane.setSelBold(true);
    pane.setSelStart(1);
    pane.setSelText(QStringLiteral("n")); // inside: "innt"
    EXPECT_EQ(colouredMap(pane, blue), "1111000000000000");
    pane.setSelStart(4);
    QTest::keyClicks(&pane, QStringLiteral("s")); // typed right after the end
    EXPECT_EQ(pane.text(), QStringLiteral("innts x;\r\nchar y;"));
    EXPECT_EQ(colouredMap(pane, blue), "11111000000000000");
    pane.setSelStart(0);
    pane.setSelText(QStringLiteral("a")); // before the start: not taken in
    EXPECT_EQ(colouredMap(pane, blue), "011111000000000000");
    // The next line moved along with its own style.
    EXPECT_FALSE(pane.boldAt(10));
    for (int pos = 11; pos < 15; ++pos)
        EXPECT_TRUE(pane.boldAt(pos)) << pos;
    EXPECT_FALSE(pane.boldAt(15));
    EXPECT_FALSE(pane.boldAt(9)); // the line break itself
}

TEST(RichTextPane, DeletingAcrossLineBreaksKeepsTheStylesOfWhatRemains) {
    const QColor blue(0, 0, 255);
    RichTextPane pane;
    pane.setText(QStringLiteral("int\r\nchar x"));
    pane.select(0, 3);
    pane.setSelColor(blue);
    pane.select(5, 4);
    pane.setSelBold(true);
    pane.select(3, 2); // the line break
    pane.setSelText(QString());
    EXPECT_EQ(pane.text(), QStringLiteral("intchar x"));
    EXPECT_EQ(colouredMap(pane, blue), "111000000");
    EXPECT_FALSE(pane.boldAt(2));
    EXPECT_TRUE(pane.boldAt(3));
    EXPECT_TRUE(pane.boldAt(6));
    EXPECT_FALSE(pane.boldAt(7));
    // Breaking the line again: the break takes no style, "char" keeps its own.
    pane.setSelStart(3);
    pane.setSelText(QStringLiteral("\r\n"));
    EXPECT_EQ(colouredMap(pane, blue), "11100000000");
    EXPECT_TRUE(pane.boldAt(5));
    EXPECT_FALSE(pane.boldAt(4));

    // A removal over three lines joins the first line's head to the last one's tail.
    pane.setText(QStringLiteral("aa\r\nbb\r\ncc"));
    pane.select(8, 2);
    pane.setSelColor(blue);
    pane.select(1, 8);
    pane.setSelText(QString());
    EXPECT_EQ(pane.text(), QStringLiteral("ac"));
    EXPECT_EQ(colouredMap(pane, blue), "01");

    // Replacing everything, taking that back and clearing leave no stray style.
    pane.select(0, 2);
    pane.setSelText(QStringLiteral("x\r\ny"));
    EXPECT_EQ(colouredMap(pane, blue), "0000");
    pane.undo();
    EXPECT_EQ(pane.text(), QStringLiteral("ac"));
    EXPECT_EQ(pane.colorAt(0), QColor());
    pane.clear();
    EXPECT_EQ(pane.textLength(), 0);
    EXPECT_EQ(pane.colorAt(0), QColor());
}

TEST(RichTextPane, RunsOverLineBreaksStyleTheLinesAndSetTextClearsThem) {
    const QColor red(255, 0, 0);
    RichTextPane pane;
    pane.setText(kThreeLines);
    pane.applyFormats({{1, 6, red, true, QString()}}); // "b\r\ncd\r"
    EXPECT_EQ(colouredMap(pane, red), "0100110000");
    EXPECT_TRUE(pane.boldAt(5));
    EXPECT_FALSE(pane.document()->isUndoAvailable()); // styles are no edit
    pane.setText(kThreeLines);
    EXPECT_EQ(colouredMap(pane, red), "0000000000");
    EXPECT_FALSE(pane.boldAt(1));
}

TEST(RichTextPane, UndoAndRedoOfCaseFixesKeepTheStyles) {
    const QColor blue(0, 0, 255);
    RichTextPane pane;
    pane.setText(QStringLiteral("INT a;\r\nRETURN b;"));
    QVector<RichTextPane::FormatRun> runs(2);
    runs[0] = {0, 3, blue, std::nullopt, QStringLiteral("int")};
    runs[1] = {8, 6, blue, true, QStringLiteral("return")};
    pane.applyFormats(runs);
    const std::string map = "11100000111111000";
    EXPECT_EQ(colouredMap(pane, blue), map);
    pane.undo();
    EXPECT_EQ(pane.text(), QStringLiteral("INT a;\r\nRETURN b;"));
    EXPECT_EQ(colouredMap(pane, blue), map);
    EXPECT_TRUE(pane.boldAt(13));
    pane.redo();
    EXPECT_EQ(pane.text(), QStringLiteral("int a;\r\nreturn b;"));
    EXPECT_EQ(colouredMap(pane, blue), map);
    EXPECT_TRUE(pane.boldAt(8));
    EXPECT_FALSE(pane.boldAt(14));
}

} // namespace
