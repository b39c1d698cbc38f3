#include "designer_fixture.h"

#include "designer/resource_text.h"
#include "designer/toolbox.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>

namespace tarvo::testing {
namespace {

class ToolboxTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        useBundledTemplates();
        setText(kStart);
        load(0);
        ASSERT_EQ(designer().NextPictureSlot, 2);
        ASSERT_EQ(designer().NextObjectId, 2);
    }
    void choose(int type) { QTest::mouseClick(ui().Command1[size_t(type)], Qt::LeftButton); }
    QString value(int id, const QString& key) {
        const QString text = text1().text();
        const TextSpan span = findObjectValue(text, qint16(id), key);
        return span.found() ? text.mid(span.start, span.length) : QStringLiteral("<none>");
    }
    void expectBounds(int id, Bounds b) {
        const QStringList actual{value(id, ResourceKeys::X), value(id, ResourceKeys::Y),
                                 value(id, ResourceKeys::Width), value(id, ResourceKeys::Height)};
        const QStringList wanted{QString::number(b.x), QString::number(b.y),
                                 QString::number(b.width), QString::number(b.height)};
        EXPECT_EQ(actual.join(QLatin1Char(' ')).toStdString(),
                  wanted.join(QLatin1Char(' ')).toStdString())
            << "object " << id;
    }
    void writeTemplate(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(QStringLiteral("templates/") + name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    const QString kStart = QStringLiteral("x\r\n") + formBlock(1, {0, 0, 160, 160}, {50}) +
                           objectBlock(50, QStringLiteral("Button"), {3, 4, 5, 6});
};

TEST_F(ToolboxTest, StringDropAppendsItsTemplateWithTheNextIdentifier) {
    choose(3);
    dragOnScreen({100, 60}, {130, 70});

    const QString text = text1().text();
    QFile file(dir.filePath(QStringLiteral("templates/String.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString expected = QString::fromLatin1(file.readAll());
    // The form on view lists the new object.
    const QString listed =
        QString(kStart).insert(kStart.indexOf("#END_FORM"), QStringLiteral("(U)OBJECT_ID=2\r\n"));
    ASSERT_TRUE(text.startsWith(listed));
    expected.replace(QStringLiteral("\r\nID=\r\n"), QStringLiteral("\r\nID=2\r\n"))
        .replace(QStringLiteral("(SH)BOUNDS.X=0\r"), QStringLiteral("(SH)BOUNDS.X=11\r"))
        .replace(QStringLiteral("(SH)BOUNDS.Y=0\r"), QStringLiteral("(SH)BOUNDS.Y=16\r"))
        .replace(QRegularExpression(QStringLiteral("WIDTH=\\d+\r")), QStringLiteral("WIDTH=30\r"))
        .replace(QRegularExpression(QStringLiteral("HEIGHT=\\d+\r")),
                 QStringLiteral("HEIGHT=10\r"));
    EXPECT_EQ(text.mid(listed.size()), expected);
    ObjectPicture& p = picture(2);
    EXPECT_FLOAT_EQ(p.left(), 100);
    EXPECT_FLOAT_EQ(p.top(), 60);
    EXPECT_EQ(p.toolTipText(), QStringLiteral("2,String"));
    EXPECT_EQ(p.backColor(), QColor(192, 255, 192));
    EXPECT_EQ(designer().NextObjectId, 3);
    EXPECT_EQ(designer().NextPictureSlot, 3);
    // The caret ends at the end marker of the new block.
    EXPECT_EQ(text.mid(text1().selStart(), 11), QStringLiteral("#END_OBJECT"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(ToolboxTest, GesturesThatDoNotDragARectangleAddNothing) {
    struct Case {
        const char* name;
        QPoint press, release;
        Qt::MouseButton button;
    };
    const Case cases[] = {
        {"press off the screen", {60, 60}, {130, 70}, Qt::LeftButton},
        {"right button", {100, 60}, {130, 70}, Qt::RightButton},
    };
    for (const Case& c : cases) {
        dragOnScreen(c.press, c.release, c.button);
        EXPECT_EQ(text1().text(), kStart) << c.name;
        EXPECT_EQ(designer().NextPictureSlot, 2) << c.name;
    }
    // An off-screen press also forgets an earlier on-screen one.
    QTest::mousePress(ui().client, Qt::LeftButton, Qt::NoModifier, {100, 60});
    QTest::mouseRelease(ui().client, Qt::LeftButton, Qt::NoModifier, {90, 50});
    dragOnScreen({300, 300}, {130, 70});
    EXPECT_EQ(text1().text(), kStart);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(ToolboxTest, TwoDropsInARowGetConsecutiveIdentifiersAndPictures) {
    choose(0);
    dragOnScreen({100, 60}, {130, 70});
    dragOnScreen({140, 100}, {150, 120});
    EXPECT_EQ(picture(2).toolTipText(), QStringLiteral("2,Button"));
    EXPECT_EQ(picture(3).toolTipText(), QStringLiteral("3,Button"));
    expectBounds(2, {11, 16, 30, 10});
    expectBounds(3, {51, 56, 10, 20});
}

TEST_F(ToolboxTest, AFormDropPlacesNoPictureButSkipsItsSlot) {
    choose(15);
    dragOnScreen({100, 60}, {130, 70});
    EXPECT_TRUE(picture(2).toolTipText().isEmpty());
    EXPECT_EQ(designer().NextObjectId, 3);
    EXPECT_EQ(designer().NextPictureSlot, 3);
    // The template's own bounds stay; the new block is the last form page.
    expectBounds(2, {0, 0, 160, 160});
    EXPECT_EQ(value(2, ResourceKeys::Type), QStringLiteral("Form"));
    load(1);
    EXPECT_EQ(designer().NextPictureSlot, 1);
    EXPECT_TRUE(dialogs.shown.isEmpty());

    choose(0);
    dragOnScreen({100, 60}, {130, 70});
    EXPECT_EQ(picture(1).toolTipText(), QStringLiteral("3,Button"));
    // A form needs no free picture.
    designer().NextPictureSlot = 31;
    choose(15);
    dragOnScreen({100, 60}, {130, 70});
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(value(4, ResourceKeys::Type), QStringLiteral("Form"));
}

TEST_F(ToolboxTest, ANewIdentifierSkipsOnesAlreadyInUse) {
    setText(kStart + objectBlock(2, QStringLiteral("Line"), {0, 0, 1, 1}) +
            objectBlock(3, QStringLiteral("Line"), {0, 0, 1, 1}));
    designer().NextObjectId = 2; // the count taken before 2 and 3 were typed in
    dragOnScreen({100, 60}, {130, 70});
    EXPECT_EQ(picture(2).toolTipText(), QStringLiteral("4,Button"));
    expectBounds(4, {11, 16, 30, 10});
    expectBounds(3, {0, 0, 1, 1});
    EXPECT_EQ(designer().NextObjectId, 5);
}

TEST_F(ToolboxTest, DropsThatCannotWorkAreRefusedBeforeTheTextChanges) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
        const char* cause;
    };
    const Case cases[] = {
        {"missing template",
         [&] { QFile::remove(dir.filePath(QStringLiteral("templates/Button.txt"))); },
         "could not be read"},
        {"template without ID=",
         [&] { writeTemplate(QStringLiteral("Button.txt"), "#OBJECT\r\n"); }, "holds no \"ID=\""},
        {"ID= not at a line start",
         [&] { writeTemplate(QStringLiteral("Button.txt"), "#OBJECT\r\n(U)OBJECT_ID=\r\n"); },
         "does not begin a line"},
        {"no free picture", [&] { designer().NextPictureSlot = 31; }, "No free object picture"},
    };
    for (const Case& c : cases) {
        SetUp();
        choose(0);
        c.arrange();
        const qint16 slot = designer().NextPictureSlot;
        dragOnScreen({100, 60}, {130, 70});
        EXPECT_EQ(text1().text(), kStart) << c.name;
        ASSERT_EQ(dialogs.messages().size(), 1) << c.name;
        EXPECT_TRUE(dialogs.messages()[0].contains(QLatin1String(c.cause)))
            << c.name << ": " << dialogs.messages()[0].toStdString();
        EXPECT_EQ(designer().NextObjectId, 2) << c.name;
        EXPECT_EQ(designer().NextPictureSlot, slot) << c.name;
    }
}

} // namespace
} // namespace tarvo::testing
