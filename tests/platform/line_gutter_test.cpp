#include "platform/line_number_gutter.h"
#include "platform/pane_family.h"
#include "platform/rich_text_pane.h"

#include <QTextBlock>
#include <gtest/gtest.h>

using namespace tarvo;

namespace {

// Kinds of the markers on each 0-based line, "E", "W" and "N", lines joined by "|".
QString markerMap(const LineNumberGutter& gutter, int lines) {
    QStringList out;
    for (int line = 0; line < lines; ++line) {
        QString kinds;
        for (const LineMarker& m : gutter.markersOn(line))
            kinds += QLatin1String(m.kind == MarkerKind::Error     ? "E"
                                   : m.kind == MarkerKind::Warning ? "W"
                                                                   : "N");
        out << kinds;
    }
    return out.join(QLatin1Char('|'));
}

TEST(LineGutter, SitsInsideThePaneAndWidensWithTheLineCount) {
    QWidget window;
    RichTextPane pane(&window);
    pane.setGeometry(385, 29, 300, 200);
    pane.setText(QStringLiteral("a\nb"));
    pane.showLineGutter(true);
    window.show();
    ASSERT_NE(pane.gutter(), nullptr);
    EXPECT_EQ(pane.geometry(), QRect(385, 29, 300, 200));
    const int narrow = pane.gutter()->width();
    EXPECT_GT(narrow, 0);
    EXPECT_EQ(pane.viewport()->x(), pane.gutter()->geometry().right() + 1);
    pane.setText(QStringLiteral("x\n").repeated(12345));
    EXPECT_GT(pane.gutter()->width(), narrow);
    EXPECT_EQ(pane.viewport()->x(), pane.gutter()->geometry().right() + 1);

    // The caret's line is highlighted across the pane.
    pane.setSelStart(6); // the third "x"
    ASSERT_EQ(pane.extraSelections().size(), 1);
    EXPECT_EQ(pane.extraSelections()[0].cursor.blockNumber(), 2);
    EXPECT_TRUE(
        pane.extraSelections()[0].format.property(QTextFormat::FullWidthSelection).toBool());

    // Code panes made from element 0 get one too; switched off, the text has the whole pane.
    PaneFamily family(&pane);
    EXPECT_NE(family.create(3)->gutter(), nullptr);
    pane.showLineGutter(false);
    EXPECT_EQ(pane.gutter(), nullptr);
    EXPECT_EQ(pane.viewport()->x(), pane.frameWidth());
}

TEST(LineGutter, MarkersStayOnTheirLinesThroughEditsAndGoWithTheText) {
    RichTextPane pane;
    pane.resize(300, 400);
    pane.setText(QStringLiteral("l1\r\nl2\r\nl3\r\nl4\r\nl5"));
    pane.showLineGutter(true);
    LineNumberGutter& gutter = *pane.gutter();
    gutter.setMarkers({{2, MarkerKind::Error, QStringLiteral("e")},
                       {2, MarkerKind::Warning, QStringLiteral("w")},
                       {4, MarkerKind::Note, QStringLiteral("n")},
                       {99, MarkerKind::Warning, QStringLiteral("past the end")}});
    EXPECT_EQ(markerMap(gutter, 5), QStringLiteral("|EW||N|W"));

    const struct {
        int start, length;
        const char* replacement;
        const char* markers;
    } edits[] = {
        {0, 0, "new\r\n\r\n", "|||EW||N|W"}, // lines inserted above
        {11, 2, "L2", "|||EW||N|W"},         // the marked line itself rewritten
        {0, 7, "", "|EW||N|W"},              // lines removed above
        {4, 4, "", "|EW|N|W"},               // deleted: the next line takes its place
    };
    for (const auto& e : edits) {
        pane.select(e.start, e.length);
        pane.setSelText(QString::fromLatin1(e.replacement));
        EXPECT_EQ(markerMap(gutter, pane.document()->blockCount()), QLatin1String(e.markers))
            << e.replacement;
    }
    // Colours laid out again over the whole text change no line.
    pane.document()->markContentsDirty(0, pane.document()->characterCount());
    EXPECT_EQ(markerMap(gutter, 4), QStringLiteral("|EW|N|W"));
    pane.setText(QStringLiteral("other text"));
    EXPECT_EQ(markerMap(gutter, 1), QString());
}

TEST(LineGutter, TooltipListsTheMessagesOfTheLineUnderTheMouse) {
    RichTextPane pane;
    pane.resize(300, 400);
    pane.setText(QStringLiteral("a\nb\nc"));
    pane.showLineGutter(true);
    pane.gutter()->setMarkers({{2, MarkerKind::Error, QStringLiteral("expected ';'")},
                               {2, MarkerKind::Note, QStringLiteral("here")}});
    const QVector<RichTextPane::ShownLine> lines = pane.shownLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(pane.gutter()->toolTipAt({2, lines[1].top + 1}),
              QStringLiteral("error: expected ';'\nnote: here"));
    EXPECT_EQ(pane.gutter()->toolTipAt({2, lines[2].top + 1}), QString());
}

} // namespace
