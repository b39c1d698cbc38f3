// Find and Find Again in the pane of the selected tab.
#include "editor_fixture.h"

namespace tarvo::testing {
namespace {

class FindTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ctx().settings.Colorizew.clear();
        openProject({{QStringLiteral("a.txt"), QStringLiteral("aaaa")},
                     {QStringLiteral("b.txt"), QStringLiteral("int Main(void) { return main; }")}});
    }
    void find(const QString& answer) {
        dialogs.inputAnswers << answer;
        form->finder().Find_Click();
    }
    void findAgain() { form->finder().FindAgain_Click(); }
    static std::pair<int, int> selection(RichTextPane* p) {
        return {p->selStart(), p->selLength()};
    }
    using Sel = std::pair<int, int>;
};

TEST_F(FindTest, FindThenFindAgainWalksOverlappingHitsWithoutWrapping) {
    chooseTab(3);
    RichTextPane* p = pane(3);
    find(QStringLiteral("aa"));
    const QList<Sel> expected = {{1, 2}, {2, 2}, {3, 0}, {4, 0}, {4, 0}};
    EXPECT_EQ(selection(p), Sel(0, 2));
    for (const Sel& e : expected) {
        findAgain();
        EXPECT_EQ(selection(p), e);
    }
    EXPECT_EQ(p->text(), QStringLiteral("aaaa"));
}

TEST_F(FindTest, FindAskesWithThePreviousTextAndSearchesFromTheSelectionStart) {
    chooseTab(4);
    RichTextPane* p = pane(4);
    find(QStringLiteral("MAIN"));
    EXPECT_EQ(selection(p), Sel(4, 4));
    find(QStringLiteral("main")); // the same hit again: the search starts at it
    EXPECT_EQ(selection(p), Sel(4, 4));
    findAgain();
    EXPECT_EQ(selection(p), Sel(24, 4));
    p->setSelStart(20);
    find(QStringLiteral("int")); // only before the caret
    EXPECT_EQ(selection(p), Sel(20, 0));

    ASSERT_EQ(dialogs.shown.size(), 3);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Find:"));
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Find"));
    EXPECT_EQ(dialogs.shown[1].extra, QStringLiteral("MAIN"));
}

TEST_F(FindTest, CancelledBoxEmptiesFindTextAndAnEmptySearchChangesNothing) {
    chooseTab(3);
    RichTextPane* p = pane(3);
    find(QStringLiteral("aa"));
    find(QString()); // cancelled
    EXPECT_EQ(ctx().editor.FindText, QString());
    EXPECT_EQ(selection(p), Sel(0, 2));
    findAgain();
    EXPECT_EQ(selection(p), Sel(0, 2));
    EXPECT_EQ(p->text(), QStringLiteral("aaaa"));
    find(QStringLiteral("aa"));
    EXPECT_EQ(dialogs.shown.last().extra, QString());
}

TEST_F(FindTest, SearchesThePaneOfTheSelectedTab) {
    ui().Text1->setText(QStringLiteral("xx main"));
    ui().resourceh->setText(QStringLiteral("y main"));
    struct Case {
        int tab;
        int hit;
    };
    for (const Case& c : {Case{1, 3}, Case{2, 2}, Case{4, 4}}) {
        pane(3)->setFocus(); // the focus elsewhere does not matter
        chooseTab(c.tab);
        pane(c.tab)->setSelStart(0);
        find(QStringLiteral("main"));
        EXPECT_EQ(selection(pane(c.tab)), Sel(c.hit, 4)) << c.tab;
    }
    EXPECT_EQ(selection(pane(3)), Sel(0, 0));
}

TEST_F(FindTest, HiddenPaneOfTheSelectedTabGivesWayToThePaneOnView) {
    chooseTab(3);
    // The resource menu commands show resourceh without changing the tab.
    pane(3)->hide();
    ui().resourceh->setText(QStringLiteral("main aaaa"));
    ui().resourceh->show();
    find(QStringLiteral("aa"));
    EXPECT_EQ(selection(ui().resourceh), Sel(5, 2));
    EXPECT_EQ(selection(pane(3)), Sel(0, 0));
    findAgain();
    EXPECT_EQ(selection(ui().resourceh), Sel(6, 2));
}

} // namespace
} // namespace tarvo::testing
