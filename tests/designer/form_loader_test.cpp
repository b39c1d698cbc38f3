#include "designer_fixture.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

namespace tarvo::testing {
namespace {

using FormLoaderTest = DesignerTest;

QString textError(const QString& detail) {
    return QStringLiteral("A text error has been detected in resource.txt or you need to increase "
                          "the ObjectsPerPage variable.  Please fix and resave.\n") +
           detail;
}

QString line(const LineShape* l) {
    return QStringLiteral("%1,%2-%3,%4").arg(l->x1()).arg(l->y1()).arg(l->x2()).arg(l->y2());
}

TEST_F(FormLoaderTest, APageShowsTheObjectsItsFormLists) {
    picture(30).setToolTipText(QStringLiteral("left over"));
    text1().select(5, 3);
    load(QStringLiteral("resource text\r\n") + formBlock(1, {0, 0, 160, 150}, {2, 4, 3}) +
         QStringLiteral("(U)OBJECT_ID=3\r\n") +
         objectBlock(2, QStringLiteral("3"), {-5, 20, 30, 12}) +
         objectBlock(3, QStringLiteral("Button"), {0, 0, 0, 10}) +
         objectBlock(4, QStringLiteral("Field"), {160, 5, 40, 0}));
    EXPECT_EQ(shown(1), QStringLiteral("84 64 30 12 2,3"));
    EXPECT_EQ(shown(2), QStringLiteral("249 49 40 0 4,Field")); // not clamped
    EXPECT_EQ(shown(3), QStringLiteral("89 44 0 10 3,Button"));
    EXPECT_EQ(shown(4), QStringLiteral("0 0 0 0 "));
    EXPECT_EQ(shown(30), QStringLiteral("0 0 0 0 "));
    EXPECT_EQ(designer().NextPictureSlot, 4);
    EXPECT_EQ(designer().NextObjectId, 4); // lines beginning with "ID="
    EXPECT_EQ(text1().selStart(), 0);
    EXPECT_EQ(line(ui().Line2) + ' ' + line(ui().Line3) + ' ' + line(ui().Line4) + ' ' +
                  line(ui().Line5),
              QStringLiteral("89,44-249,44 249,44-249,194 249,194-89,194 89,194-89,44"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(FormLoaderTest, ATextErrorStopsTheLoadAndNamesTheFault) {
    const QString form = QStringLiteral("x\r\n") + formBlock(1, {0, 0, 160, 160}, {2});
    const QString good = objectBlock(2, QStringLiteral("Button"), {1, 2, 3, 4});
    const auto edited = [&](const char* from, const char* to) {
        return form + QString(good).replace(QLatin1String(from), QLatin1String(to));
    };
    QList<int> many;
    QString manyBlocks;
    for (int id = 100; id <= 130; ++id) {
        many.append(id);
        manyBlocks += objectBlock(id, QStringLiteral("Button"), {1, 2, 3, 4});
    }
    struct Case {
        QString text;
        QString detail;
        const char* first; // picture 1 as the load left it
    };
    const Case cases[] = {
        {edited("WIDTH=3", "WIDTH=-3"), "Object 2: \"(SH)BOUNDS.WIDTH=-3\" (line 16) is negative.",
         "90 46 0 0 "},
        {edited("HEIGHT=4", "HEIGHT=-4"),
         "Object 2: \"(SH)BOUNDS.HEIGHT=-4\" (line 17) is negative.", "90 46 3 0 "},
        {edited("X=1\r", "X=40000\r"),
         "Object 2: \"(SH)BOUNDS.X=40000\" (line 14) is not a number from -32768 to 32767.",
         "0 46 0 0 "},
        {edited("Y=2\r", "Y=two\r"),
         "Object 2: \"(SH)BOUNDS.Y=two\" (line 15) is not a number from -32768 to 32767.",
         "0 0 0 0 "},
        {edited("(B)OBJECT.TYPE", "(B)KIND"),
         "Object 2: its block has no \"(B)OBJECT.TYPE=\" line ending in a line break.",
         "90 46 3 4 "},
        {edited("ID=2", "ID=5"), "Object 2: no line reads \"ID=2\".", "0 0 0 0 "},
        {edited("HEIGHT=4\r\n", "") + objectBlock(3, QStringLiteral("Line"), {0, 0, 1, 1}),
         "Object 2: its block has no \"(SH)BOUNDS.HEIGHT=\" line ending in a line break.",
         "90 46 3 0 "},
        {QString(form).replace("_ID=2", "_ID=two") + good,
         "\"(U)OBJECT_ID=two\" (line 9) is not an identifier from -32768 to 32767.", "0 0 0 0 "},
        {QString(form).replace("2\r\n#END_FORM\r\n", "2#END_FORM"),
         "The \"(U)OBJECT_ID=\" line 9 does not end in a line break.", "0 0 0 0 "},
        {QStringLiteral("x\r\n#FORM\r\nID=1\r\n#END_FORM\r\n"),
         "Form 1: its block has no \"(SH)BOUNDS.Y=\" line ending in a line break.", "0 0 0 0 "},
        {QStringLiteral("x\r\n#FORM\r\nID=1"),
         "The form's \"ID=\" line 3 does not end in a line break.", "0 0 0 0 "},
        {QStringLiteral("x\r\n#FORM\r\nID=one\r\n"),
         "The form's \"ID=one\" (line 3) is not an identifier from -32768 to 32767.", "0 0 0 0 "},
        {QStringLiteral("x\r\n"),
         "No line beginning with \"ID=\" follows the start of form page 0.", "0 0 0 0 "},
        {form + good + QStringLiteral("ID=9\r\n").repeated(32766),
         "The text has 32768 lines that begin with \"ID=\", more than the 32767 that 16-bit "
         "identifiers can count.",
         "90 46 3 4 2,Button"},
        {QStringLiteral("x\r\n") + formBlock(1, {0, 0, 160, 160}, many) + manyBlocks,
         "Form page 0 lists more objects than the 30 object pictures (ObjectsPerPage is 30, at "
         "most 500).",
         "90 46 3 4 100,Button"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.detail.toStdString());
        dialogs.shown.clear();
        load(c.text);
        EXPECT_EQ(dialogs.messages(), QStringList{textError(c.detail)});
        EXPECT_EQ(shown(1), QLatin1String(c.first));
        EXPECT_EQ(designer().NextObjectId, 1);
        EXPECT_EQ(designer().CurrentFormPage, 0);
    }
    EXPECT_EQ(shown(30), QStringLiteral("90 46 3 4 129,Button"));
    EXPECT_EQ(designer().NextPictureSlot, 31);

    dialogs.shown.clear();
    load(form + good + QStringLiteral("ID=9\r\n").repeated(32765));
    EXPECT_EQ(designer().NextObjectId, 32767);
    ctx().settings.ObjectsPerPage = 501;
    load(form + good);
    EXPECT_EQ(dialogs.messages(), QStringList{textError(QStringLiteral(
                                      "ObjectsPerPage is 501, more than the 500 object pictures "
                                      "there can be."))});
    ctx().project.ProjectPath.clear(); // silent without a project
    load(edited("ID=2", "ID=5"));
    EXPECT_EQ(dialogs.shown.size(), 1);
}

TEST_F(FormLoaderTest, PreviousAndNextStepThroughThePagesThatExist) {
    QString text = QStringLiteral("pages\r\n"), objects;
    for (int page = 0; page < 3; ++page) {
        QList<int> ids;
        for (int i = 1; i <= page + 1; ++i) {
            ids.append(10 * (page + 1) + i);
            objects += objectBlock(10 * (page + 1) + i, QStringLiteral("Button"), {page, i, 5, 5});
        }
        text += formBlock(page + 1, {0, 0, 160, 160}, ids);
    }
    load(text + objects);
    text1().hide(); // the loads do not show it
    const auto state = [&] {
        return QStringLiteral("%1 %2:%3 %4 %5")
            .arg(ui().Label2->text())
            .arg(picture(1).left())
            .arg(picture(1).toolTipText(), picture(2).toolTipText(), picture(3).toolTipText());
    };
    const std::pair<QPushButton*, const char*> steps[] = {
        {ui().Command3, "Form 1 90:21,Button 22,Button "},
        {ui().Command3, "Form 2 91:31,Button 32,Button 33,Button"},
        {ui().Command3, "Form 2 123:31,Button 32,Button 33,Button"}, // nothing after the last
        {ui().Command2, "Form 1 90:21,Button 22,Button "},
        {ui().Command2, "Form 0 89:11,Button  "},
        {ui().Command2, "Form 0 89:11,Button  "},
    };
    for (const auto& [button, expected] : steps) {
        picture(1).setLeft(123); // a leftover that only a load overwrites
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(state(), QLatin1String(expected));
    }
    EXPECT_TRUE(text1().isHidden());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(FormLoaderTest, AdjustObjectsPerPageMakesAndRemovesPictures) {
    QList<int> ids;
    QString objects;
    for (int i = 0; i < 45; ++i) {
        ids.append(100 + i);
        objects += objectBlock(100 + i, QStringLiteral("Button"), {i, 0, 2, 2});
    }
    load(QStringLiteral("x\r\n") + formBlock(1, {0, 0, 160, 160}, ids) + objects);
    const QString thirtieth = shown(30);
    const auto adjust = [&](const char* answer) {
        dialogs.shown.clear();
        dialogs.inputAnswers.append(QString::fromLatin1(answer));
        form->action(QStringLiteral("AdjustObjectsPerPage"))->trigger();
        return QStringLiteral("%1 %2")
            .arg(ctx().settings.ObjectsPerPage)
            .arg(ui().DynamicPicture->count());
    };
    EXPECT_EQ(adjust("500"), QStringLiteral("500 500"));
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("Please enter maximum number of Objects per page."));
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Adjust ObjectsPerPage"));
    EXPECT_EQ(dialogs.shown[0].extra, QStringLiteral("30"));
    EXPECT_EQ(shown(30), thirtieth);
    QTest::mouseClick(ui().Command2, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages(), QStringList());
    EXPECT_EQ(shown(45), QStringLiteral("133 44 2 2 144,Button"));
    EXPECT_TRUE(picture(500).isVisible());
    EXPECT_EQ(picture(500).backColor(), QColor(192, 255, 192));

    EXPECT_EQ(adjust("30"), QStringLiteral("30 30"));
    EXPECT_EQ(designer().ObjectPictures[31], nullptr);
    QTest::mouseClick(ui().Command2, Qt::LeftButton);
    EXPECT_EQ(shown(30), thirtieth);
    EXPECT_EQ(dialogs.messages().size(), 1); // 45 objects again more than the pictures
    for (const char* answer : {"", "abc", "501"})
        EXPECT_EQ(adjust(answer), QStringLiteral("30 30")) << answer;
    EXPECT_EQ(adjust("0"), QStringLiteral("0 0"));
}

} // namespace
} // namespace tarvo::testing
