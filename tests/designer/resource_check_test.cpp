// The bundled samples agree with each other, and the sample tool chain checks
// a resource text as a resource compiler would.
#include "designer_fixture.h"

#include "build/diagnostics.h"
#include "designer/form_loader.h"
#include "designer/resource_text.h"
#include "designer/toolbox.h"
#include "platform/file_ops.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QSet>
#include <QStandardPaths>

namespace tarvo::testing {
namespace {

const QString kSample = QStringLiteral(TARVO_SAMPLE_DIR);

QString readText(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromLatin1(f.readAll());
}

// The keys of each block by the block's type; a type seen twice has the same keys.
QMap<QString, QSet<QString>> keysByType(const QString& text) {
    QMap<QString, QSet<QString>> out;
    for (const QString& block : text.split(QStringLiteral("\r\n#"))) {
        QSet<QString> keys;
        QString type;
        for (const QString& line : block.split(QStringLiteral("\r\n"))) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (line.startsWith(ResourceKeys::Type))
                type = line.mid(eq + 1);
            else if (eq > 0 && !line.startsWith("ID=") && !line.startsWith("(U)OBJECT_ID="))
                keys << line.left(eq);
        }
        if (type.isEmpty())
            continue;
        EXPECT_TRUE(!out.contains(type) || out[type] == keys) << type.toStdString();
        out[type] = keys;
    }
    return out;
}

// Runs a sample tool script with /bin/sh; returns its output.
QString runTool(const QString& script, const QStringList& args, const QString& folder,
                int* exitCode = nullptr) {
    QProcess p;
    p.setWorkingDirectory(folder);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("/bin/sh"), QStringList{script} + args);
    EXPECT_TRUE(p.waitForFinished(60000));
    if (exitCode)
        *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAll());
}

TEST(SampleConsistency, TheTemplateProjectUsesTheKeysOfTheTemplates) {
    QString templates;
    for (int i = 0; i < ToolboxTypeCount; ++i)
        templates += readText(kSample + "/templates/" + toolboxType(i).templateFile);
    const auto fromTemplates = keysByType(templates);
    EXPECT_EQ(fromTemplates.size(), ToolboxTypeCount);
    const auto inProject = keysByType(readText(kSample + "/SDK/Template/res/resource.txt"));
    EXPECT_GE(inProject.size(), 5);
    for (auto it = inProject.begin(); it != inProject.end(); ++it)
        EXPECT_EQ(it.value(), fromTemplates.value(it.key())) << it.key().toStdString();
}

TEST(ResourceCheck, ReportsEachProblemAtItsLine) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "the sample scripts are POSIX shell";
#endif
    QTemporaryDir dir;
    const QString text =
        formBlock(1, {0, 0, 160, 160}, {2, 9}) +
        objectBlock(2, "Button", {0, 0, 10, 10}).replace("X=0\r", "X=abc\r") +
        objectBlock(2, "Button", {150, 0, 20, 5}).remove("(SH)BOUNDS.HEIGHT=5\r\n") +
        QStringLiteral("stray\r\n") +
        objectBlock(3, "Line", {150, 0, 20, 5}).remove("#END_OBJECT\r\n");
    writeFile(dir.filePath("res/resource.txt"), text.toLatin1());
    int status = 0;
    const QString tool = kSample + QStringLiteral("/tools/tarvo-rescheck.sh");
    const QString out = runTool(tool, {"res/resource.txt"}, dir.path(), &status);
    const QString e = QStringLiteral("res/resource.txt:%1: error: %2\n");
    EXPECT_EQ(out.toStdString(),
              (e.arg(14).arg("(SH)BOUNDS.X=abc is not a whole number") +
               e.arg(20).arg("the identifier 2 is already used on line 12") +
               e.arg(20).arg("object 2 has no (SH)BOUNDS.HEIGHT= line") +
               e.arg(26).arg("text outside a #FORM or #OBJECT block") +
               e.arg(27).arg("the #OBJECT block is not closed at the end of the text") +
               e.arg(30).arg("object 3 lies off the 160 x 160 screen: X=150 Y=0 WIDTH=20 "
                             "HEIGHT=5") +
               e.arg(9).arg("object 9 is listed but has no block"))
                  .toStdString());
    EXPECT_EQ(status, 1);
    EXPECT_EQ(parseDiagnostics(out).value(6).line, 9); // the compilers' form, for navigation
}

// Every type dropped into the bundled project, saved, and built with the
// sample's makedebug.bat: the resource check finds nothing until the text is
// broken by hand.
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
        QTest::mouseClick(ui().Command1[size_t(type)], Qt::LeftButton);
        dragOnScreen({90 + type, top}, {120 + type, top + 7});
        const QString text = text1().text();
        const TextSpan s = findObjectValue(text, qint16(id), ResourceKeys::Type);
        EXPECT_EQ(text.mid(s.start, s.length), QLatin1String(toolboxType(type).typeWord));
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
    form->formLoader().LoadFormPage(0);
    EXPECT_EQ(designer().NextPictureSlot, 5 + ToolboxTypeCount - 1); // all but the Form listed

#ifndef Q_OS_WIN
    if (QStandardPaths::findExecutable(QStringLiteral("cc")).isEmpty())
        GTEST_SKIP() << "no C compiler (cc) on this system";
    const QString tools = dir.filePath(QStringLiteral("tools"));
    ASSERT_TRUE(FileOps::CopyFolder(kSample + QStringLiteral("/tools"), tools));
    writeFile(tools + QStringLiteral("/IDE.ini"),
              QStringLiteral("SDKProjectPath,%1/sdk/\r\n").arg(dir.path()).toUtf8());
    const QString errors = dir.filePath(QStringLiteral("sdk/Err.txt"));
    ASSERT_TRUE(text1().saveFile(resources));
    runTool(tools + QStringLiteral("/makedebug.bat"), {project}, dir.path());
    EXPECT_EQ(readText(errors), QString());

    // Object 3's block takes identifier 2.
    text1().setText(text1().text().replace(QStringLiteral("\nID=3\r"), QStringLiteral("\nID=2\r")));
    ASSERT_TRUE(text1().saveFile(resources));
    runTool(tools + QStringLiteral("/makedebug.bat"), {project}, dir.path());
    const QStringList lines = readText(errors).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << readText(errors).toStdString();
    EXPECT_TRUE(lines[0].startsWith("res/resource.txt:") &&
                lines[0].endsWith(": error: the identifier 2 is already used on line 56"));
    EXPECT_TRUE(lines[1].startsWith("res/resource.txt:12: error: object 3 is listed but has no"));
#endif
}

} // namespace
} // namespace tarvo::testing
