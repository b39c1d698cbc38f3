#include "platform/rich_text_pane.h"

#include "support/files.h"
#include <QFile>
#include <QFocusEvent>
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

TEST(RichTextPane, ModifiedFollowsTheTextNotTheFormats) {
    RichTextPane pane;
    QSignalSpy spy(&pane, &RichTextPane::modifiedChanged);
    pane.setText(kThreeLines);
    EXPECT_EQ(spy.count(), 0);
    pane.select(0, 1);
    pane.setSelText(QStringLiteral("A"));
    EXPECT_TRUE(pane.isModified());
    pane.select(0, 1);
    pane.setSelText(QStringLiteral("a")); // back to the loaded text
    EXPECT_FALSE(pane.isModified());
    pane.setSelText(QStringLiteral("z"));
    pane.markUnmodified();
    EXPECT_FALSE(pane.isModified());
    pane.setSelText(QStringLiteral("y"));
    pane.setText(QStringLiteral("reloaded"));
    EXPECT_FALSE(pane.isModified());
}

TEST(RichTextPane, LoadAndSaveKeepEveryByte) {
    struct {
        QByteArray bytes;
        QString text;
    } const rows[] = {{"", ""},
                      {"int a;\r\nint b;\r\n", "int a;\r\nint b;\r\n"},
                      {"a\nb", "a\r\nb"},
                      {"a\r\nb\nc", "a\r\nb\r\nc"},
                      {"// caf\xe9\r\n", QString::fromLatin1("// caf\xe9\r\n")}};
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.c")), out = dir.filePath("out.c");
    for (const auto& r : rows) {
        writeFile(in, r.bytes);
        RichTextPane pane;
        pane.setText(QStringLiteral("old"));
        pane.select(1, 1);
        ASSERT_TRUE(pane.loadFile(in));
        EXPECT_EQ(pane.text(), r.text);
        EXPECT_EQ(pane.selStart() + pane.selLength(), 0);
        EXPECT_FALSE(pane.isModified());
        ASSERT_TRUE(pane.saveFile(out));
        EXPECT_EQ(readFile(out), r.bytes);
    }
    // An edit keeps the file's line ends and encoding; program text saves as CR LF.
    writeFile(in, "caf\xe9\nx\n");
    RichTextPane pane;
    ASSERT_TRUE(pane.loadFile(in));
    pane.setSelStart(pane.textLength());
    pane.setSelText(QStringLiteral("y\r\n"));
    ASSERT_TRUE(pane.saveFile(in));
    EXPECT_EQ(readFile(in), QByteArray("caf\xe9\nx\ny\n"));
    pane.setText(QStringLiteral("a\nb"));
    ASSERT_TRUE(pane.saveFile(out));
    EXPECT_EQ(readFile(out), QByteArray("a\r\nb"));
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
