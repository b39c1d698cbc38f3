#include "designer_fixture.h"

#include "designer/resource_text.h"

#include <QFile>
#include <QPushButton>
#include <QRegularExpression>

namespace tarvo::testing {
namespace {

class ToolboxTest : public DesignerTest {
protected:
    void SetUp() override {
        DesignerTest::SetUp();
        useBundledTemplates();
        load(kStart);
    }
    void drop(int type, QPoint from = {100, 60}, QPoint to = {130, 70}) {
        QTest::mouseClick(ui().Command1[size_t(type)], Qt::LeftButton);
        dragOnScreen(from, to);
    }
    // X, Y, width and height of object `id` as the text has them.
    QString bounds(int id) {
        QStringList values;
        const QString text = text1().text();
        for (const QString& key : {ResourceKeys::X, ResourceKeys::Y, ResourceKeys::Width,
                                   ResourceKeys::Height, ResourceKeys::Type}) {
            const TextSpan s = findObjectValue(text, qint16(id), key);
            values << (s.found() ? text.mid(s.start, s.length) : QStringLiteral("-"));
        }
        return values.join(' ');
    }
    QString templatePath(const char* name) {
        return dir.filePath(QStringLiteral("templates/") + QLatin1String(name));
    }

    const QString kStart = QStringLiteral("x\r\n") + formBlock(1, {0, 0, 160, 160}, {50}) +
                           objectBlock(50, QStringLiteral("Button"), {3, 4, 5, 6});
};

TEST_F(ToolboxTest, ADropAppendsItsTemplateWithTheNextIdentifierAndBounds) {
    drop(3);
    const QString text = text1().text();
    QFile file(templatePath("String.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString expected = QString::fromLatin1(file.readAll());
    const QString listed =
        QString(kStart).insert(kStart.indexOf("#END_FORM"), QStringLiteral("(U)OBJECT_ID=2\r\n"));
    ASSERT_TRUE(text.startsWith(listed));
    expected.replace("\r\nID=\r\n", "\r\nID=2\r\n")
        .replace("(SH)BOUNDS.X=0\r", "(SH)BOUNDS.X=11\r")
        .replace("(SH)BOUNDS.Y=0\r", "(SH)BOUNDS.Y=16\r")
        .replace(QRegularExpression(QStringLiteral("WIDTH=\\d+\r")), QStringLiteral("WIDTH=30\r"))
        .replace(QRegularExpression(QStringLiteral("HEIGHT=\\d+\r")),
                 QStringLiteral("HEIGHT=10\r"));
    EXPECT_EQ(text.mid(listed.size()), expected);
    EXPECT_EQ(shown(2), QStringLiteral("100 60 30 10 2,String"));
    EXPECT_EQ(picture(2).backColor(), QColor(192, 255, 192));
    EXPECT_EQ(designer().NextObjectId, 3);
    EXPECT_EQ(designer().NextPictureSlot, 3);
    EXPECT_EQ(text.mid(text1().selStart(), 11), QStringLiteral("#END_OBJECT"));
    // A press off the screen forgets an earlier one on it.
    dragOnScreen({100, 60}, {90, 50});
    dragOnScreen({300, 300}, {130, 70});
    EXPECT_EQ(text1().text(), text);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(ToolboxTest, FormsTakeNoPictureAndIdentifiersSkipThoseInUse) {
    drop(15);
    EXPECT_EQ(shown(2), QStringLiteral("0 0 0 0 "));
    EXPECT_EQ(bounds(2), QStringLiteral("0 0 160 160 Form")); // the template's own
    drop(0, {140, 100}, {150, 120});
    EXPECT_EQ(shown(3), QStringLiteral("140 100 10 20 3,Button"));
    EXPECT_EQ(bounds(3), QStringLiteral("51 56 10 20 Button"));
    designer().NextPictureSlot = 31; // a form needs no free picture
    drop(15);
    EXPECT_EQ(bounds(4), QStringLiteral("0 0 160 160 Form"));
    load(text1().text(), 1);
    EXPECT_EQ(designer().NextPictureSlot, 1); // the new form is the next page

    load(kStart + objectBlock(32766, QStringLiteral("Line"), {0, 0, 1, 1}));
    designer().NextObjectId = 2; // counted before 32766 was typed in
    drop(0);
    drop(0);
    EXPECT_EQ(picture(2).toolTipText() + ' ' + picture(3).toolTipText(),
              QStringLiteral("2,Button 3,Button"));
    designer().NextObjectId = 32766;
    drop(0);
    EXPECT_EQ(bounds(32767), QStringLiteral("11 16 30 10 Button"));
    EXPECT_EQ(bounds(32766), QStringLiteral("0 0 1 1 Line"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(ToolboxTest, DropsThatCannotWorkAreRefusedBeforeTheTextChanges) {
    struct Case {
        int type;
        std::function<void()> arrange;
        const char* cause;
    };
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(templatePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    const Case cases[] = {
        {1, [&] { QFile::remove(templatePath("List.txt")); }, "could not be read"},
        {2, [&] { write("Scrollbar.txt", "#OBJECT\r\n"); }, "holds no \"ID=\""},
        {3, [&] { write("String.txt", "#OBJECT\r\n(U)OBJECT_ID=\r\n"); }, "does not begin a line"},
        {0, [&] { designer().NextPictureSlot = 31; }, "No free object picture"},
        {0,
         [&] {
             load(kStart + objectBlock(32767, QStringLiteral("Line"), {0, 0, 1, 1}));
             designer().NextObjectId = 32767;
         },
         "No free object identifier is left."},
    };
    for (const Case& c : cases) {
        c.arrange();
        const QString text = text1().text();
        const qint16 slot = designer().NextPictureSlot, id = designer().NextObjectId;
        dialogs.shown.clear();
        drop(c.type);
        EXPECT_EQ(text1().text(), text) << c.cause;
        EXPECT_EQ(dialogs.messages().size(), 1) << c.cause;
        EXPECT_TRUE(dialogs.messages().value(0).contains(QLatin1String(c.cause)))
            << dialogs.messages().value(0).toStdString();
        EXPECT_EQ(designer().NextObjectId, id) << c.cause;
        EXPECT_EQ(designer().NextPictureSlot, slot) << c.cause;
        designer().NextPictureSlot = 2;
    }
    // "ID=" may open the template.
    write("Bitmap.txt", "ID=\n(B)OBJECT.TYPE=Bitmap\n");
    load(kStart);
    dialogs.shown.clear();
    drop(4);
    EXPECT_TRUE(text1().text().endsWith("#END_OBJECT\r\nID=2\r\n(B)OBJECT.TYPE=Bitmap\r\n"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

} // namespace
} // namespace tarvo::testing
