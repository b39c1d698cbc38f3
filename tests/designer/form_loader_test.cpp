#include "designer_fixture.h"

#include <QAction>
#include <QLabel>

namespace tarvo::testing {
namespace {

using FormLoaderTest = DesignerTest;

QString textError(const QString& detail) {
    return QStringLiteral("A text error has been detected in resource.txt or you need to increase "
                          "the ObjectsPerPage variable.  Please fix and resave.\n") +
           detail;
}

TEST_F(FormLoaderTest, APageShowsTheObjectsItsFormLists) {
    load("resource text\r\n" + formBlock(1, {0, 0, 160, 150}, {2, 4, 3}) + "(U)OBJECT_ID=3\r\n" +
         objectBlock(2, "3", {-5, 20, 30, 12}) + objectBlock(3, "Button", {0, 0, 0, 10}) +
         objectBlock(4, "Field", {160, 5, 40, 0}));
    EXPECT_EQ(shown(1), QStringLiteral("84 64 30 12 2,3"));
    EXPECT_EQ(shown(2), QStringLiteral("249 49 40 0 4,Field")); // not clamped
    EXPECT_EQ(shown(3), QStringLiteral("89 44 0 10 3,Button"));
    EXPECT_EQ(shown(4), QStringLiteral("0 0 0 0 "));
    EXPECT_EQ(designer().NextPictureSlot, 4);
    QString frame;
    for (const LineShape* l : {ui().Line2, ui().Line3, ui().Line4, ui().Line5})
        frame += QStringLiteral("%1,%2-%3,%4 ").arg(l->x1()).arg(l->y1()).arg(l->x2()).arg(l->y2());
    EXPECT_EQ(frame, QStringLiteral("89,44-249,44 249,44-249,194 249,194-89,194 89,194-89,44 "));
    EXPECT_EQ(ui().Line2->geometry(), QRect(89, 44, 161, 1)); // both ends drawn
    EXPECT_EQ(ui().Line3->geometry(), QRect(249, 44, 1, 151));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(FormLoaderTest, ATextErrorStopsTheLoadAndNamesTheFault) {
    const QString form = "x\r\n" + formBlock(1, {0, 0, 160, 160}, {2});
    const QString good = objectBlock(2, "Button", {1, 2, 3, 4});
    const auto edited = [&](const char* from, const char* to) {
        return form + QString(good).replace(QLatin1String(from), QLatin1String(to));
    };
    const std::tuple<QString, QString, const char*> cases[] = {
        // picture 1 as the load left it
        {edited("WIDTH=3", "WIDTH=-3"), "Object 2: \"(SH)BOUNDS.WIDTH=-3\" (line 16) is negative.",
         "90 46 0 0 "},
        {edited("HEIGHT=4", "HEIGHT=-4"),
         "Object 2: \"(SH)BOUNDS.HEIGHT=-4\" (line 17) is negative.", "90 46 3 0 "},
        {edited("X=1\r", "X=40000\r"),
         "Object 2: \"(SH)BOUNDS.X=40000\" (line 14) is not a number from -32768 to 32767.",
         "0 46 0 0 "},
        {edited("(B)OBJECT.TYPE", "(B)KIND"),
         "Object 2: its block has no \"(B)OBJECT.TYPE=\" line ending in a line break.",
         "90 46 3 4 "},
        {edited("ID=2", "ID=5"), "Object 2: no line reads \"ID=2\".", "0 0 0 0 "},
        {edited("HEIGHT=4\r\n", "") + objectBlock(3, "Line", {0, 0, 1, 1}),
         "Object 2: its block has no \"(SH)BOUNDS.HEIGHT=\" line ending in a line break.",
         "90 46 3 0 "},
        {QString(form).replace("_ID=2", "_ID=two") + good,
         "\"(U)OBJECT_ID=two\" (line 9) is not an identifier from -32768 to 32767.", "0 0 0 0 "},
        {QString(form).replace("2\r\n#END_FORM\r\n", "2#END_FORM"),
         "The \"(U)OBJECT_ID=\" line 9 does not end in a line break.", "0 0 0 0 "},
        {"x\r\n#FORM\r\nID=1\r\n#END_FORM\r\n",
         "Form 1: its block has no \"(SH)BOUNDS.Y=\" line ending in a line break.", "0 0 0 0 "},
        {"x\r\n#FORM\r\nID=1", "The form's \"ID=\" line 3 does not end in a line break.",
         "0 0 0 0 "},
        {"x\r\n#FORM\r\nID=one\r\n",
         "The form's \"ID=one\" (line 3) is not an identifier from -32768 to 32767.", "0 0 0 0 "},
        {"x\r\n", "No line beginning with \"ID=\" follows the start of form page 0.", "0 0 0 0 "},
        {form + good + QString("ID=9\r\n").repeated(32766),
         "The text has 32768 lines that begin with \"ID=\", more than the 32767 that 16-bit "
         "identifiers can count.",
         "90 46 3 4 2,Button"},
    };
    for (const auto& [text, detail, first] : cases) {
        SCOPED_TRACE(detail.toStdString());
        dialogs.shown.clear();
        load(text);
        EXPECT_EQ(dialogs.messages(), QStringList{textError(detail)});
        EXPECT_EQ(shown(1), QLatin1String(first));
        EXPECT_TRUE(designer().NextObjectId == 1 && designer().CurrentFormPage == 0);
    }

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

TEST_F(FormLoaderTest, PagesStepAndObjectsPerPageMakesPictures) {
    QString text = QStringLiteral("pages\r\n"), objects;
    QList<int> ids;
    for (int page = 0; page < 3; ++page) {
        ids.clear();
        for (int i = 1; i <= 15 * page + 1; ++i) {
            ids.append(100 * (page + 1) + i);
            objects += objectBlock(100 * (page + 1) + i, "Button", {page, i, 5, 5});
        }
        text += formBlock(page + 1, {0, 0, 160, 160}, ids);
    }
    load(text + objects);
    text1().hide(); // the loads do not show it
    const auto next = ui().Command3, back = ui().Command2;
    const std::pair<QPushButton*, const char*> steps[] = {
        {next, "Form 1 90 45 5 5 201,Button"},  {next, "Form 2 91 45 5 5 301,Button"}, // 31: error
        {next, "Form 2 123 45 5 5 301,Button"}, {back, "Form 1 90 45 5 5 201,Button"}, // no page 3
        {back, "Form 0 89 45 5 5 101,Button"},  {back, "Form 0 89 45 5 5 101,Button"}};
    for (const auto& [button, expected] : steps) {
        picture(1).setLeft(123); // a leftover that only a load overwrites
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(ui().Label2->text() + ' ' + shown(1), QLatin1String(expected));
    }
    EXPECT_EQ(dialogs.messages(),
              QStringList{textError("Form page 2 lists more objects than the 30 object pictures "
                                    "(ObjectsPerPage is 30, at most 500).")});
    EXPECT_TRUE(text1().isHidden());
    const auto adjust = [&](const char* answer) {
        dialogs.shown.clear();
        dialogs.inputAnswers.append(QString::fromLatin1(answer));
        form->action(QStringLiteral("AdjustObjectsPerPage"))->trigger();
        return QString::asprintf("%d %d", ctx().settings.ObjectsPerPage,
                                 int(ui().DynamicPicture->count()));
    };
    EXPECT_EQ(adjust("500"), QStringLiteral("500 500"));
    EXPECT_EQ(dialogs.shown[0].text + dialogs.shown[0].title + dialogs.shown[0].extra,
              "Please enter maximum number of Objects per page.Adjust ObjectsPerPage30");
    QTest::mouseClick(ui().Command3, Qt::LeftButton);
    QTest::mouseClick(ui().Command3, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages(), QStringList());
    EXPECT_EQ(shown(31), QStringLiteral("91 75 5 5 331,Button"));
    EXPECT_TRUE(picture(500).isVisible() && picture(500).backColor() == QColor(192, 255, 192));
    EXPECT_EQ(adjust("30"), QStringLiteral("30 30"));
    EXPECT_EQ(designer().ObjectPictures[31], nullptr);
    EXPECT_EQ(adjust("0"), QStringLiteral("0 0"));
}

} // namespace
} // namespace tarvo::testing
