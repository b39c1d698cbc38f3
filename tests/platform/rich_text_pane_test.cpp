#include "platform/rich_text_pane.h"

#include "support/files.h"
#include <QFile>
#include <QFocusEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>

#include <gtest/gtest.h>

using namespace tarvo;
using tarvo::testing::readFile;
using tarvo::testing::writeFile;

namespace {

// "ab\r\ncd\r\nef": a0 b1 CR2 LF3 c4 d5 CR6 LF7 e8 f9
const QString kThreeLines = QStringLiteral("ab\r\ncd\r\nef");

QTextCharFormat formatAt(const RichTextPane& pane, int docPos) {
    QTextCursor c(pane.document());
    c.setPosition(docPos + 1); // the format of the character before the cursor
    return c.charFormat();
}

TEST(RichTextPane, TextReadsBackWithCrLfWhateverBreaksWereSet) {
    RichTextPane pane;
    for (const QString& in : {QStringLiteral("ab\ncd\nef"), QStringLiteral("ab\rcd\ref"),
                              QStringLiteral("ab\r\ncd\nef"), kThreeLines}) {
        pane.setText(in);
        EXPECT_EQ(pane.text(), kThreeLines);
        EXPECT_EQ(pane.textLength(), 10);
    }
    pane.setText(QString());
    EXPECT_EQ(pane.text(), QString(QLatin1String("")));
    EXPECT_FALSE(pane.text().isNull());
    EXPECT_EQ(pane.textLength(), 0);
    pane.setText(QStringLiteral("\r\n\r\n"));
    EXPECT_EQ(pane.text(), QStringLiteral("\r\n\r\n"));
    EXPECT_EQ(pane.textLength(), 4);
}

struct SelectCase {
    const char* name;
    int start;
    int length;
    int selStart;
    int selLength;
    QString selText;
};

class PaneSelection : public ::testing::TestWithParam<SelectCase> {};

TEST_P(PaneSelection, CountsCrAndLfSeparately) {
    const SelectCase& c = GetParam();
    RichTextPane pane;
    pane.setText(kThreeLines);
    pane.select(c.start, c.length);
    EXPECT_EQ(pane.selStart(), c.selStart);
    EXPECT_EQ(pane.selLength(), c.selLength);
    EXPECT_EQ(pane.selText(), c.selText);
}

INSTANTIATE_TEST_SUITE_P(Positions, PaneSelection,
                         ::testing::Values(SelectCase{"FirstLine", 0, 2, 0, 2, "ab"},
                                           SelectCase{"SecondLine", 4, 2, 4, 2, "cd"},
                                           SelectCase{"ThirdLine", 8, 2, 8, 2, "ef"},
                                           SelectCase{"OverABreak", 1, 4, 1, 4, "b\r\nc"},
                                           SelectCase{"FromTheLf", 3, 4, 3, 4, "\ncd\r"},
                                           SelectCase{"TheBreakAlone", 2, 2, 2, 2, "\r\n"},
                                           SelectCase{"Everything", 0, 10, 0, 10, kThreeLines},
                                           SelectCase{"LengthClampedAtEnd", 8, 99, 8, 2, "ef"},
                                           SelectCase{"StartClampedAtEnd", 50, 3, 10, 0, ""},
                                           SelectCase{"NegativeStartIsZero", -5, 1, 0, 1, "a"}),
                         [](const ::testing::TestParamInfo<SelectCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(RichTextPane, SettingSelStartLeavesAnEmptySelectionThere) {
    RichTextPane pane;
    pane.setText(kThreeLines);
    pane.select(1, 5);
    pane.setSelStart(8);
    EXPECT_EQ(pane.selStart(), 8);
    EXPECT_EQ(pane.selLength(), 0);
    EXPECT_EQ(pane.textCursor().position(), 6); // document position of "e"
    pane.setSelLength(2);
    EXPECT_EQ(pane.selText(), QStringLiteral("ef"));
}

struct ReplaceCase {
    const char* name;
    int start;
    int length;
    QString replacement;
    QString text;
    int caret;
};

class PaneReplace : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(PaneReplace, PutsTextInPlaceAndLeavesTheCaretBehindIt) {
    const ReplaceCase& c = GetParam();
    RichTextPane pane;
    pane.setText(kThreeLines);
    pane.select(c.start, c.length);
    pane.setSelText(c.replacement);
    EXPECT_EQ(pane.text(), c.text);
    EXPECT_EQ(pane.selStart(), c.caret);
    EXPECT_EQ(pane.selLength(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Replacements, PaneReplace,
    ::testing::Values(ReplaceCase{"SameLength", 4, 2, "XY", "ab\r\nXY\r\nef", 6},
                      ReplaceCase{"Longer", 4, 2, "12345", "ab\r\n12345\r\nef", 9},
                      ReplaceCase{"Delete", 4, 2, "", "ab\r\n\r\nef", 4},
                      ReplaceCase{"InsertAtCaret", 1, 0, "Z", "aZb\r\ncd\r\nef", 2},
                      ReplaceCase{"InsertLines", 4, 2, "x\r\ny", "ab\r\nx\r\ny\r\nef", 8},
                      ReplaceCase{"InsertLfLinesCountTwo", 4, 2, "x\ny", "ab\r\nx\r\ny\r\nef", 8},
                      ReplaceCase{"JoinLines", 2, 2, "", "abcd\r\nef", 2},
                      ReplaceCase{"AtTheEnd", 10, 0, "\r\ng", "ab\r\ncd\r\nef\r\ng", 13},
                      ReplaceCase{"Everything", 0, 10, "", "", 0}),
    [](const ::testing::TestParamInfo<ReplaceCase>& info) { return std::string(info.param.name); });

struct FindCase {
    const char* name;
    QString what;
    int start;
    int hit;
};

class PaneFind : public ::testing::TestWithParam<FindCase> {};

TEST_P(PaneFind, FindsFromTheStartIgnoringCase) {
    const FindCase& c = GetParam();
    RichTextPane pane;
    pane.setText(QStringLiteral("FORM ID 1\r\nform id 2\r\nObject"));
    pane.select(3, 1);
    EXPECT_EQ(pane.find(c.what, c.start), c.hit);
    if (c.hit >= 0) {
        EXPECT_EQ(pane.selStart(), c.hit);
        EXPECT_EQ(pane.selLength(), c.what.size());
    } else {
        EXPECT_EQ(pane.selStart(), 3); // a miss leaves the selection alone
        EXPECT_EQ(pane.selLength(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Searches, PaneFind,
    ::testing::Values(FindCase{"AtZero", "form", 0, 0}, FindCase{"AfterTheFirst", "form", 1, 11},
                      FindCase{"AtTheStartItself", "form", 11, 11},
                      FindCase{"LetterCaseIgnored", "OBJECT", 0, 22},
                      FindCase{"NotWholeWords", "bjec", 0, 23},
                      FindCase{"OverTheBreak", "1\r\nf", 0, 8}, FindCase{"Miss", "xyz", 0, -1},
                      FindCase{"MissBehindStart", "form", 12, -1},
                      FindCase{"StartAtTheEnd", "t", 28, -1},
                      FindCase{"StartBeyondTheEnd", "t", 40, -1},
                      FindCase{"NegativeStart", "form", -1, -1}, FindCase{"EmptyText", "", 0, -1}),
    [](const ::testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

TEST(RichTextPane, FindWithoutStartSearchesOnlyTheSelection) {
    RichTextPane pane;
    pane.setText(QStringLiteral("ID=1\r\n#FORM\r\nID=2\r\nID=3"));
    pane.select(7, 10); // "FORM\r\nID=2"
    EXPECT_EQ(pane.find(QStringLiteral("id=")), 13);
    EXPECT_EQ(pane.selText(), QStringLiteral("ID="));
    pane.select(7, 8); // "FORM\r\nID": "ID=" runs past the selection
    EXPECT_EQ(pane.find(QStringLiteral("ID=")), -1);
    EXPECT_EQ(pane.selStart(), 7);
    EXPECT_EQ(pane.selLength(), 8);
    pane.setSelStart(20); // nothing selected: the whole text
    EXPECT_EQ(pane.find(QStringLiteral("id=")), 0);
}

TEST(RichTextPane, LineFromCharCountsCrLfLines) {
    RichTextPane pane;
    pane.setText(kThreeLines);
    const std::pair<int, int> table[] = {{0, 0}, {2, 0},  {3, 0},  {4, 1}, {7, 1},
                                         {8, 2}, {10, 2}, {99, 2}, {-1, 0}};
    for (const auto& [pos, line] : table)
        EXPECT_EQ(pane.lineFromChar(pos), line) << pos;
}

TEST(RichTextPane, SelectionColourAndBoldChangeOnlyTheSelection) {
    RichTextPane pane;
    pane.setText(kThreeLines);
    pane.select(4, 2); // "cd", document positions 3 and 4
    pane.setSelColor(QColor(0, 0, 255));
    pane.setSelBold(true);
    EXPECT_EQ(formatAt(pane, 3).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatAt(pane, 4).fontWeight(), QFont::Bold);
    EXPECT_NE(formatAt(pane, 1).foreground().color(), QColor(0, 0, 255));
    EXPECT_NE(formatAt(pane, 6).fontWeight(), QFont::Bold);
    EXPECT_EQ(pane.selStart(), 4);
    EXPECT_EQ(pane.selLength(), 2);
    EXPECT_FALSE(pane.isModified()); // formats are not edits of the text
    pane.setSelBold(false);
    EXPECT_NE(formatAt(pane, 4).fontWeight(), QFont::Bold);
}

TEST(RichTextPane, SelChangeIsRaisedForProgramAndUserChanges) {
    RichTextPane pane;
    pane.setText(kThreeLines);
    QSignalSpy spy(&pane, &RichTextPane::SelChange);
    pane.setSelStart(4);
    EXPECT_EQ(spy.count(), 1);
    pane.setSelLength(2);
    EXPECT_EQ(spy.count(), 2);
    pane.setSelText(QStringLiteral("x"));
    EXPECT_GE(spy.count(), 3);
    const int beforeFind = int(spy.count());
    pane.find(QStringLiteral("ef"), 0);
    EXPECT_GT(spy.count(), beforeFind);
    const int beforeMiss = int(spy.count());
    pane.find(QStringLiteral("zz"), 0);
    EXPECT_EQ(spy.count(), beforeMiss);

    const int beforeKeys = int(spy.count());
    pane.setSelStart(0);
    QTest::keyClick(&pane, Qt::Key_Right);
    EXPECT_EQ(pane.selStart(), 1);
    QTest::keyClicks(&pane, QStringLiteral("Q"));
    EXPECT_EQ(pane.text(), QStringLiteral("aQb\r\nx\r\nef"));
    EXPECT_EQ(pane.selStart(), 2);
    EXPECT_GE(spy.count(), beforeKeys + 3);
}

TEST(RichTextPane, UserSelectionReadsBackInCrLfPositions) {
    RichTextPane pane;
    pane.setText(kThreeLines);
    pane.setSelStart(8); // "e" on the third line
    QTest::keyClick(&pane, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(pane.selStart(), 4);
    EXPECT_EQ(pane.selLength(), 4);
    EXPECT_EQ(pane.selText(), QStringLiteral("cd\r\n"));
}

TEST(RichTextPane, KeyUpGivesKeyCodeAndShiftState) {
    RichTextPane pane;
    QSignalSpy spy(&pane, &RichTextPane::KeyUp);
    const std::pair<Qt::KeyboardModifiers, int> table[] = {
        {Qt::NoModifier, 0},
        {Qt::ShiftModifier, 1},
        {Qt::ControlModifier, 2},
        {Qt::AltModifier, 4},
        {Qt::ControlModifier | Qt::ShiftModifier, 3},
    };
    for (const auto& [mods, shift] : table) {
        spy.clear();
        QTest::keyRelease(&pane, Qt::Key_T, mods);
        // The modifier keys are released after the T and report too.
        ASSERT_GE(spy.count(), 1);
        EXPECT_EQ(spy[0][0].toInt(), int(Qt::Key_T));
        EXPECT_EQ(spy[0][1].toInt(), shift);
    }
}

TEST(RichTextPane, FocusAndDoubleClickEvents) {
    RichTextPane pane;
    pane.setText(kThreeLines);
    QSignalSpy got(&pane, &RichTextPane::GotFocus);
    QSignalSpy lost(&pane, &RichTextPane::LostFocus);
    QSignalSpy dbl(&pane, &RichTextPane::DblClick);
    QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
    QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
    QApplication::sendEvent(&pane, &in);
    QApplication::sendEvent(&pane, &out);
    EXPECT_EQ(got.count(), 1);
    EXPECT_EQ(lost.count(), 1);
    pane.resize(200, 100);
    QTest::mouseDClick(pane.viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(dbl.count(), 1);
}

TEST(RichTextPane, ModifiedFollowsTheTextNotTheFormats) {
    RichTextPane pane;
    QSignalSpy spy(&pane, &RichTextPane::modifiedChanged);
    pane.setText(kThreeLines);
    EXPECT_FALSE(pane.isModified());
    EXPECT_EQ(spy.count(), 0); // replacing the whole text does not flicker
    pane.select(0, 1);
    pane.setSelText(QStringLiteral("A"));
    EXPECT_TRUE(pane.isModified());
    pane.select(0, 1);
    pane.setSelText(QStringLiteral("a")); // back to the loaded text
    EXPECT_FALSE(pane.isModified());
    pane.setSelText(QStringLiteral("z"));
    pane.markUnmodified();
    EXPECT_FALSE(pane.isModified());
    EXPECT_EQ(spy.count(), 4);
    pane.setSelText(QStringLiteral("y"));
    pane.setText(QStringLiteral("reloaded"));
    EXPECT_FALSE(pane.isModified());
    ASSERT_EQ(spy.count(), 6);
    EXPECT_FALSE(spy[5][0].toBool());
}

TEST(RichTextPane, LoadFailsForMissingFilesAndKeepsTheText) {
    QTemporaryDir dir;
    RichTextPane pane;
    pane.setText(QStringLiteral("Compiling.  Please wait."));
    QString reason;
    EXPECT_FALSE(pane.loadFile(dir.filePath(QStringLiteral("Err.txt")), &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(pane.loadFile(dir.path()));
    EXPECT_EQ(pane.text(), QStringLiteral("Compiling.  Please wait."));
}

struct RoundTripCase {
    const char* name;
    QByteArray bytes;
    QString text;
};

class PaneRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(PaneRoundTrip, LoadsAndSavesEveryByteBack) {
    const RoundTripCase& c = GetParam();
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.c"));
    const QString out = dir.filePath(QStringLiteral("out.c"));
    writeFile(in, c.bytes);
    RichTextPane pane;
    pane.setText(QStringLiteral("old"));
    pane.select(1, 1);
    ASSERT_TRUE(pane.loadFile(in));
    EXPECT_EQ(pane.text(), c.text);
    EXPECT_EQ(pane.selStart(), 0);
    EXPECT_EQ(pane.selLength(), 0);
    EXPECT_FALSE(pane.isModified());
    ASSERT_TRUE(pane.saveFile(out));
    EXPECT_EQ(readFile(out), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(Files, PaneRoundTrip,
                         ::testing::Values(RoundTripCase{"Empty", "", ""},
                                           RoundTripCase{"CrLf", "int a;\r\nint b;\r\n",
                                                         "int a;\r\nint b;\r\n"},
                                           RoundTripCase{"Lf", "a\nb", "a\r\nb"},
                                           RoundTripCase{"Mixed", "a\r\nb\nc", "a\r\nb\r\nc"},
                                           RoundTripCase{"Latin1", "// caf\xe9\r\n",
                                                         QString::fromLatin1("// caf\xe9\r\n")},
                                           RoundTripCase{"Tabs", "\tx\t= 1;", "\tx\t= 1;"}),
                         [](const ::testing::TestParamInfo<RoundTripCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(RichTextPane, RichTextShowsFormattedAndSavesAsPlainText) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Out.txt"));
    writeFile(path, "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}"
                    "Build\\par\\cf1\\b failed\\'e9}");
    RichTextPane pane;
    ASSERT_TRUE(pane.loadFile(path));
    EXPECT_EQ(pane.text(), QString::fromLatin1("Build\r\nfailed\xe9"));
    EXPECT_EQ(formatAt(pane, 6).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(formatAt(pane, 12).fontWeight(), QFont::Bold);
    EXPECT_NE(formatAt(pane, 0).fontWeight(), QFont::Bold);
    EXPECT_FALSE(pane.isModified());
    EXPECT_FALSE(pane.document()->isUndoAvailable());
    const QString copy = dir.filePath(QStringLiteral("copy.txt"));
    ASSERT_TRUE(pane.saveFile(copy));
    EXPECT_EQ(readFile(copy), QByteArray("Build\r\nfailed\xe9"));
}

TEST(RichTextPane, SavingAnEditKeepsTheFilesLineEndsAndEncoding) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("main.c"));
    writeFile(path, "caf\xe9\nx\n");
    RichTextPane pane;
    ASSERT_TRUE(pane.loadFile(path));
    pane.setSelStart(pane.textLength());
    pane.setSelText(QStringLiteral("y\r\n"));
    EXPECT_TRUE(pane.isModified());
    ASSERT_TRUE(pane.saveFile(path));
    EXPECT_EQ(readFile(path), QByteArray("caf\xe9\nx\ny\n"));
    EXPECT_FALSE(pane.isModified());
}

TEST(RichTextPane, TextSetByTheProgramSavesAsCrLf) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.c"));
    RichTextPane pane;
    pane.setText(QStringLiteral("a\nb"));
    ASSERT_TRUE(pane.saveFile(path));
    EXPECT_EQ(readFile(path), QByteArray("a\r\nb"));
}

TEST(RichTextPane, FailedSaveKeepsTheOldFileAndTheModifiedFlag) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ro.c"));
    writeFile(path, "old");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    RichTextPane pane;
    ASSERT_TRUE(pane.loadFile(path));
    pane.setSelText(QStringLiteral("new "));
    QString reason;
    EXPECT_FALSE(pane.saveFile(path, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(pane.isModified());
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readFile(path), "old");
}

TEST(RichTextPane, ApplyFormatsColoursAndFixesCaseWithoutMovingTheSelection) {
    RichTextPane pane;
    pane.setText(QStringLiteral("INT a;\r\nRETURN b;"));
    pane.select(5, 1);
    QSignalSpy spy(&pane, &RichTextPane::SelChange);
    QVector<RichTextPane::FormatRun> runs(2);
    runs[0].start = 0;
    runs[0].length = 3;
    runs[0].color = QColor(0, 0, 255);
    runs[0].caseFix = QStringLiteral("int");
    runs[1].start = 8; // "RETURN" on the second line
    runs[1].length = 6;
    runs[1].bold = true;
    runs[1].caseFix = QStringLiteral("return");
    pane.applyFormats(runs);
    EXPECT_EQ(pane.text(), QStringLiteral("int a;\r\nreturn b;"));
    EXPECT_EQ(formatAt(pane, 0).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatAt(pane, 2).foreground().color(), QColor(0, 0, 255));
    EXPECT_NE(formatAt(pane, 3).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatAt(pane, 7).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(pane, 12).fontWeight(), QFont::Bold);
    EXPECT_NE(formatAt(pane, 13).fontWeight(), QFont::Bold);
    EXPECT_EQ(pane.selStart(), 5);
    EXPECT_EQ(pane.selLength(), 1);
    EXPECT_EQ(spy.count(), 0);
    // One undo step takes back the whole batch.
    pane.undo();
    EXPECT_EQ(pane.text(), QStringLiteral("INT a;\r\nRETURN b;"));
}

} // namespace
