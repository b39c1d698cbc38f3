// The bundled project template is what New Project copies and what the run
// script opens first: its resource text must load in the designer.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kTemplate = QStringLiteral(TARVO_SAMPLE_DIR "/SDK/Template");

QString readTemplateFile(const char* name) {
    QFile f(kTemplate + QLatin1Char('/') + QString::fromLatin1(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return QString::fromLatin1(f.readAll());
}

TEST(SampleTemplate, ResourceTextHasCrLfLineEndsOnly) {
    const QString text = readTemplateFile("res/resource.txt");
    ASSERT_FALSE(text.isEmpty());
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    QString stripped = text;
    stripped.remove(QStringLiteral("\r\n"));
    EXPECT_FALSE(stripped.contains(QLatin1Char('\r')));
    EXPECT_FALSE(stripped.contains(QLatin1Char('\n')));
}

TEST(SampleTemplate, IdentifiersLeaveTheNextOneFree) {
    // A drop takes the count of identifier lines as its identifier, so the
    // template numbers its blocks 0 to count - 1.
    const QString text = readTemplateFile("res/resource.txt");
    const QRegularExpression idLine(QStringLiteral("\nID=(\\d+)\r"));
    QList<int> ids;
    for (auto it = idLine.globalMatch(text); it.hasNext();)
        ids << it.next().captured(1).toInt();
    std::sort(ids.begin(), ids.end());
    for (int i = 0; i < ids.size(); ++i)
        EXPECT_EQ(ids[i], i);
}

TEST(SampleTemplate, HeaderNamesTheIdentifiersOfTheResourceText) {
    const QString header = readTemplateFile("res/resource.h");
    const QString text = readTemplateFile("res/resource.txt");
    const QRegularExpression define(QStringLiteral("#define\\s+\\w+\\s+(\\d+)"));
    int defines = 0;
    for (auto it = define.globalMatch(header); it.hasNext(); ++defines) {
        const QString id = it.next().captured(1);
        EXPECT_TRUE(text.contains(QStringLiteral("\nID=") + id + QStringLiteral("\r\n")))
            << id.toStdString();
    }
    EXPECT_GE(defines, 4);
}

TEST(SampleTemplate, BitmapsAreValid) {
    for (const char* name : {"res/main.bmp", "res/form.bmp"}) {
        const QImage image(kTemplate + QLatin1Char('/') + QString::fromLatin1(name), "BMP");
        EXPECT_FALSE(image.isNull()) << name;
    }
}

TEST(SampleTemplate, MainCompilesAndRunsOnTheHost) {
    const QString cc = QStandardPaths::findExecutable(QStringLiteral("cc"));
    if (cc.isEmpty())
        GTEST_SKIP() << "no C compiler on this machine";
    QTemporaryDir out;
    const QString program = out.filePath(QStringLiteral("template"));
    QProcess compile;
    compile.setWorkingDirectory(kTemplate);
    compile.start(cc,
                  {QStringLiteral("-Wall"), QStringLiteral("-Wextra"), QStringLiteral("-Werror"),
                   QStringLiteral("-o"), program, QStringLiteral("main.c")});
    ASSERT_TRUE(compile.waitForFinished(60000));
    ASSERT_EQ(compile.exitCode(), 0) << compile.readAllStandardError().toStdString();
    QProcess run;
    run.start(program, {});
    ASSERT_TRUE(run.waitForFinished(30000));
    EXPECT_EQ(run.exitCode(), 0);
    EXPECT_TRUE(run.readAllStandardOutput().contains("Pressed 2 times"));
}

} // namespace
