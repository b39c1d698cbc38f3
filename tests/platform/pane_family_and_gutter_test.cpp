#include "platform/line_number_gutter.h"
#include "platform/pane_family.h"

#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

using namespace tarvo;

namespace {

TEST(PaneFamily, ElementsComeFromElementZeroOrLoadedBytesAndGoByIndex) {
    QWidget window;
    auto* element0 = new RichTextPane(&window);
    element0->setGeometry(5, 6, 70, 80);
    element0->setText(QStringLiteral("pattern text"));
    element0->setFont(QFont(QStringLiteral("Courier"), 13));
    element0->setFocusPolicy(Qt::ClickFocus);
    PaneFamily family(element0);
    QList<int> made;
    family.onCreated = [&](int i, RichTextPane*) { made << i; };
    QPointer<RichTextPane> p3 = family.create(3);
    ASSERT_FALSE(p3.isNull());
    EXPECT_EQ(p3->parentWidget(), &window);
    EXPECT_EQ(p3->geometry(), QRect(5, 6, 70, 80));
    EXPECT_EQ(p3->font(), element0->font());
    EXPECT_EQ(p3->focusPolicy(), Qt::ClickFocus);
    EXPECT_TRUE(p3->isHidden() && p3->text().isEmpty());
    EXPECT_EQ(family.create(3), p3); // an existing element is kept
    EXPECT_EQ(family.create(0), element0);
    family.setRect(QRect(1, 2, 30, 40));
    EXPECT_EQ(p3->geometry(), QRect(1, 2, 30, 40));
    // A loaded element exists at once; its widget is made when asked or in the background.
    family.createLoaded(4, "int a;\n");
    family.createLoaded(5, "{\\rtf1 Build\\par}");
    EXPECT_TRUE(family.exists(4) && !family.madeAt(4));
    EXPECT_EQ(family.indices(), (QList<int>{3, 4, 5}));
    RichTextPane* p4 = family.at(4);
    ASSERT_NE(p4, nullptr);
    EXPECT_EQ(p4->geometry(), QRect(1, 2, 30, 40));
    EXPECT_TRUE(p4->isHidden());
    EXPECT_EQ(p4->text(), QStringLiteral("int a;\r\n"));
    EXPECT_EQ(made, (QList<int>{3, 4}));
    QTest::qWait(50);
    EXPECT_EQ(made, (QList<int>{3, 4, 5}));
    ASSERT_NE(family.madeAt(5), nullptr);
    EXPECT_EQ(family.madeAt(5)->text(), QStringLiteral("Build\r\n"));
    family.destroy(3);
    family.destroy(3); // missing: nothing happens
    family.destroy(0); // element 0 stays
    EXPECT_TRUE(p3.isNull() && !family.exists(3));
    EXPECT_EQ(family.at(0), element0);
    EXPECT_EQ(family.indices(), (QList<int>{4, 5}));
}

TEST(LineGutter, SitsInsideThePaneAndMarkersFollowEdits) {
    QWidget window;
    RichTextPane pane(&window);
    pane.setGeometry(385, 29, 300, 200);
    pane.setText(QStringLiteral("x\n").repeated(12345));
    pane.showLineGutter(true);
    window.show();
    ASSERT_NE(pane.gutter(), nullptr);
    EXPECT_EQ(pane.geometry(), QRect(385, 29, 300, 200));
    const int wide = pane.gutter()->width();
    EXPECT_EQ(pane.viewport()->x(), pane.gutter()->geometry().right() + 1);
    pane.setSelStart(6); // the caret's line, the third, is highlighted across the pane
    ASSERT_EQ(pane.extraSelections().size(), 1);
    EXPECT_EQ(pane.extraSelections()[0].cursor.blockNumber(), 2);
    EXPECT_TRUE(
        pane.extraSelections()[0].format.property(QTextFormat::FullWidthSelection).toBool());
    EXPECT_NE(PaneFamily(&pane).create(3)->gutter(), nullptr); // code panes made from it too

    pane.setText(QStringLiteral("l1\r\nl2\r\nl3\r\nl4\r\nl5"));
    EXPECT_LT(pane.gutter()->width(), wide);
    EXPECT_EQ(pane.viewport()->x(), pane.gutter()->geometry().right() + 1);
    LineNumberGutter& gutter = *pane.gutter();
    gutter.setMarkers({{2, MarkerKind::Error, QStringLiteral("expected ';'")},
                       {2, MarkerKind::Note, QStringLiteral("here")},
                       {4, MarkerKind::Warning, QStringLiteral("w")},
                       {99, MarkerKind::Error, QStringLiteral("past the end")}});
    const QVector<RichTextPane::ShownLine> lines = pane.shownLines();
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(gutter.toolTipAt({2, lines[1].top + 1}),
              QStringLiteral("error: expected ';'\nnote: here"));
    EXPECT_EQ(gutter.toolTipAt({2, lines[2].top + 1}), QString());
    const auto markerMap = [&] { // the kinds on each line, each line ended by '|'
        QString out;
        for (int line = 0; line < pane.document()->blockCount(); ++line) {
            for (const LineMarker& m : gutter.markersOn(line))
                out += QLatin1Char("NWE"[int(m.kind)]);
            out += QLatin1Char('|');
        }
        return out;
    };
    const struct {
        int start, length;
        const char *replacement, *markers;
    } edits[] = {
        {0, 0, "", "|EN||W|E|"},      {0, 0, "new\r\n\r\n", "|||EN||W|E|"}, // lines inserted above
        {11, 2, "L2", "|||EN||W|E|"}, // the marked line itself rewritten
        {0, 7, "", "|EN||W|E|"},      // lines removed above
        {4, 4, "", "|EN|W|E|"},       // deleted: the next line takes its place
    };
    for (const auto& e : edits) {
        pane.select(e.start, e.length);
        pane.setSelText(QString::fromLatin1(e.replacement));
        EXPECT_EQ(markerMap(), QLatin1String(e.markers)) << e.replacement;
    }
    // Colours laid out again over the whole text change no line; a new text drops them.
    pane.document()->markContentsDirty(0, pane.document()->characterCount());
    EXPECT_EQ(markerMap(), QStringLiteral("|EN|W|E|"));
    pane.setText(QStringLiteral("other text"));
    EXPECT_EQ(markerMap(), QStringLiteral("|"));
    pane.showLineGutter(false); // the text has the whole pane again
    EXPECT_EQ(pane.gutter(), nullptr);
    EXPECT_EQ(pane.viewport()->x(), pane.frameWidth());
}

} // namespace
