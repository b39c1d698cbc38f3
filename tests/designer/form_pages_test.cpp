#include "designer_fixture.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace tarvo::testing {
namespace {

class FormPagesTest : public DesignerTest {
protected:
    // Three pages, the objects of page n with identifiers 10n+1.., one per page more.
    void setThreePages() {
        QString text = QStringLiteral("pages\r\n");
        QString objects;
        for (int page = 0; page < 3; ++page) {
            QList<int> ids;
            for (int i = 1; i <= page + 1; ++i) {
                ids.append(10 * (page + 1) + i);
                objects +=
                    objectBlock(10 * (page + 1) + i, QStringLiteral("Button"), {page, i, 5, 5});
            }
            text += formBlock(page + 1, {0, 0, 160, 160}, ids);
        }
        setText(text + objects);
    }
    void clickPrevious() { QTest::mouseClick(ui().Command2, Qt::LeftButton); }
    void clickNext() { QTest::mouseClick(ui().Command3, Qt::LeftButton); }
    QString label() { return ui().Label2->text(); }
    void adjust(const QString& answer) {
        dialogs.inputAnswers.append(answer);
        form->action(QStringLiteral("AdjustObjectsPerPage"))->trigger();
    }
};

TEST_F(FormPagesTest, NextAndPreviousStepThroughThePages) {
    setThreePages();
    clickNext();
    EXPECT_EQ(label(), QStringLiteral("Form 1"));
    EXPECT_EQ(picture(1).toolTipText(), QStringLiteral("21,Button"));
    EXPECT_EQ(picture(2).toolTipText(), QStringLiteral("22,Button"));
    EXPECT_TRUE(picture(3).toolTipText().isEmpty());

    clickNext();
    EXPECT_EQ(label(), QStringLiteral("Form 2"));
    EXPECT_EQ(picture(3).toolTipText(), QStringLiteral("33,Button"));

    clickPrevious();
    EXPECT_EQ(label(), QStringLiteral("Form 1"));
    EXPECT_TRUE(picture(3).toolTipText().isEmpty());
    clickPrevious();
    clickPrevious(); // on page 0 reloads page 0
    EXPECT_EQ(label(), QStringLiteral("Form 0"));
    EXPECT_EQ(picture(1).toolTipText(), QStringLiteral("11,Button"));
    clickNext();
    clickNext();
    picture(1).setLeft(123); // a leftover that a reload would overwrite
    clickNext();             // from the last page changes nothing
    EXPECT_EQ(designer().CurrentFormPage, 2);
    EXPECT_FLOAT_EQ(picture(1).left(), 123);
}

TEST_F(FormPagesTest, AdjustCreatesAndDestroysPictures) {
    QList<int> ids;
    QString objects;
    for (int i = 0; i < 45; ++i) {
        ids.append(100 + i);
        objects += objectBlock(100 + i, QStringLiteral("Button"), {i, 0, 2, 2});
    }
    setText(QStringLiteral("x\r\n") + formBlock(1, {0, 0, 160, 160}, ids) + objects);

    adjust(QStringLiteral("60"));
    EXPECT_EQ(ctx().settings.ObjectsPerPage, 60);
    EXPECT_EQ(ui().DynamicPicture->count(), 60);
    ObjectPicture& created = picture(60);
    EXPECT_EQ(created.backColor(), QColor(192, 255, 192));
    clickPrevious();
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(picture(45).toolTipText(), QStringLiteral("144,Button"));

    adjust(QStringLiteral("30"));
    EXPECT_EQ(ui().DynamicPicture->count(), 30);
    EXPECT_EQ(ui().DynamicPicture->at(31), nullptr);
    EXPECT_EQ(designer().ObjectPictures[31], nullptr);
    clickPrevious();
    EXPECT_EQ(picture(30).toolTipText(), QStringLiteral("129,Button"));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].startsWith(textErrorMessage() + QLatin1Char('\n')));
}

TEST_F(FormPagesTest, AnswersThatAreNotAWholeNumberUpTo500ChangeNothing) {
    adjust(QStringLiteral("30"));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("Please enter maximum number of Objects per page."));
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Adjust ObjectsPerPage"));
    EXPECT_EQ(dialogs.shown[0].extra, QStringLiteral("30"));
    for (const char* answer : {"", "abc", "501"}) {
        adjust(QString::fromLatin1(answer));
        EXPECT_EQ(ctx().settings.ObjectsPerPage, 30) << answer;
        EXPECT_EQ(ui().DynamicPicture->count(), 30) << answer;
    }
    adjust(QStringLiteral("0"));
    EXPECT_EQ(ctx().settings.ObjectsPerPage, 0);
    EXPECT_EQ(ui().DynamicPicture->count(), 0);
}

} // namespace
} // namespace tarvo::testing
