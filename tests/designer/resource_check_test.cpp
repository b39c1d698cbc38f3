// Every type dropped into the bundled project and built with the sample's makedebug.bat: the
// resource check finds nothing until the text is broken, then reports each fault at its line.
#include "designer_fixture.h"

#include "build/diagnostics.h"
#include "designer/toolbox.h"
#include "platform/file_ops.h"

#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace tarvo::testing {
namespace {

const QString kSample = QStringLiteral(TARVO_SAMPLE_DIR);

// The keys that blocks of each type hold; a type seen twice has the same keys.
QMap<QString, QStringList> keysByType(const QString& text) {
    QMap<QString, QStringList> out;
    for (const QString& block : text.split(QStringLiteral("\r\n#"))) {
        QStringList keys = block.split("\r\n").filter(QRegularExpression("^\\((B|S|SH)\\).*="));
        const QString type = keys.filter(ResourceKeys::Type).value(0).section('=', 1);
        keys.replaceInStrings(QRegularExpression("=.*"), QString()).sort();
        EXPECT_TRUE(!out.contains(type) || out[type] == keys) << type.toStdString();
        out[type] = keys;
    }
    out.remove(QString());
    return out;
}

TEST_F(DesignerTest, EveryTypeDroppedIntoTheTemplateProjectBuildsCleanly) {
    useBundledTemplates();
    const QString project = dir.filePath(QStringLiteral("My App"));
    ASSERT_TRUE(FileOps::CopyFolder(kSample + QStringLiteral("/SDK/Template"), project));
    ctx().project.ProjectPath = project;
    const QString resources = project + QStringLiteral("/res/resource.txt");
    ASSERT_TRUE(text1().loadFile(resources));
    form->formLoader().LoadFormPage(0);
    for (int type = 0; type < ToolboxTypeCount; ++type) {
        const int id = designer().NextObjectId, top = 44 + 8 * type;
        drop(type, {90 + type, top}, {120 + type, top + 7});
        EXPECT_EQ(value(id, ResourceKeys::Type), QLatin1String(toolboxType(type).typeWord));
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
    // The project's blocks use the keys of the templates.
    EXPECT_EQ(keysByType(text1().text()).size(), ToolboxTypeCount);
    form->formLoader().LoadFormPage(0);
    EXPECT_EQ(designer().NextPictureSlot, 5 + ToolboxTypeCount - 1); // all but the Form listed

#ifndef Q_OS_WIN
    if (QStandardPaths::findExecutable(QStringLiteral("cc")).isEmpty())
        GTEST_SKIP() << "no C compiler (cc) on this system";
    const QString tools = dir.filePath(QStringLiteral("tools"));
    ASSERT_TRUE(FileOps::CopyFolder(kSample + QStringLiteral("/tools"), tools));
    writeFile(tools + QStringLiteral("/IDE.ini"),
              QStringLiteral("SDKProjectPath,%1/sdk/\r\n").arg(dir.path()).toUtf8());
    const auto build = [&] {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral("/bin/sh"), {tools + QStringLiteral("/makedebug.bat"), project});
        EXPECT_TRUE(p.waitForFinished(60000));
        return QString::fromUtf8(readFile(QStringLiteral("sdk/Err.txt")));
    };
    ASSERT_TRUE(text1().saveFile(resources));
    EXPECT_EQ(build(), QString());

    writeFile(resources,
              (formBlock(1, {0, 0, 160, 160}, {2, 9}) +
               objectBlock(2, "Button", {0, 0, 10, 10}).replace("X=0\r", "X=abc\r") +
               objectBlock(2, "Button", {150, 0, 20, 5}).remove("(SH)BOUNDS.HEIGHT=5\r\n") +
               QStringLiteral("stray\r\n") +
               objectBlock(3, "Line", {150, 0, 20, 5}).remove("#END_OBJECT\r\n"))
                  .toLatin1());
    const QString errors = build();
    const QString e = QStringLiteral("res/resource.txt:%1: error: %2\n");
    EXPECT_EQ(errors.toStdString(),
              (e.arg(14).arg("(SH)BOUNDS.X=abc is not a whole number") +
               e.arg(20).arg("the identifier 2 is already used on line 12") +
               e.arg(20).arg("object 2 has no (SH)BOUNDS.HEIGHT= line") +
               e.arg(26).arg("text outside a #FORM or #OBJECT block") +
               e.arg(27).arg("the #OBJECT block is not closed at the end of the text") +
               e.arg(30).arg("object 3 lies off the 160 x 160 screen: X=150 Y=0 WIDTH=20 "
                             "HEIGHT=5") +
               e.arg(9).arg("object 9 is listed but has no block"))
                  .toStdString());
    EXPECT_EQ(parseDiagnostics(errors).value(6).line, 9); // the compilers' form, for navigation
#endif
}

} // namespace
} // namespace tarvo::testing
