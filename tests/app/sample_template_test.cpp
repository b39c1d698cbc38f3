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

// The value after `key` in the block that starts at `from`, up to the CR.
QString valueAfter(const QString& text, qsizetype from, const QString& key, qsizetype end) {
    const qsizetype k = text.indexOf(key, from);
    if (k < 0 || k >= end)
        return QString();
    const qsizetype cr = text.indexOf(QLatin1Char('\r'), k);
    return text.mid(k + key.size(), cr - k - key.size());
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

TEST(SampleTemplate, EveryFormObjectHasItsBlock) {
    const QString text = readTemplateFile("res/resource.txt");
    const QStringList bounds = {
        "(SH)BOUNDS.X=", "(SH)BOUNDS.Y=", "(SH)BOUNDS.WIDTH=", "(SH)BOUNDS.HEIGHT="};
    int forms = 0;
    for (qsizetype f = text.indexOf(QStringLiteral("#FORM")); f >= 0;
         f = text.indexOf(QStringLiteral("#FORM"), f + 1), ++forms) {
        const qsizetype end = text.indexOf(QStringLiteral("#END_FORM"), f);
        ASSERT_GT(end, f) << "form " << forms << " has no #END_FORM";
        const qsizetype formId = text.indexOf(QStringLiteral("\nID="), f);
        ASSERT_TRUE(formId > f && formId < end) << "form " << forms << " has no ID= line";
        for (const QString& key : bounds)
            EXPECT_FALSE(valueAfter(text, formId, key, end).isEmpty())
                << forms << key.toStdString();

        int objects = 0;
        const QRegularExpression objectLine(QStringLiteral("\n\\(U\\)OBJECT_ID=(\\d+)\r"));
        for (auto it = objectLine.globalMatch(text.mid(f, end - f)); it.hasNext(); ++objects) {
            const QString id = it.next().captured(1);
            // The designer finds an object by the first line starting with "ID=" and its digits.
            const qsizetype block = text.indexOf(QStringLiteral("\nID=") + id);
            ASSERT_GE(block, 0) << "object " << id.toStdString() << " has no block";
            EXPECT_EQ(text.mid(block + 4 + id.size(), 2), QStringLiteral("\r\n"))
                << "the lookup of object " << id.toStdString() << " lands on a longer identifier";
            const qsizetype blockEnd = text.indexOf(QLatin1Char('#'), block);
            ASSERT_GT(blockEnd, block);
            EXPECT_FALSE(
                valueAfter(text, block, QStringLiteral("(B)OBJECT.TYPE="), blockEnd).isEmpty())
                << id.toStdString();
            bool ok = false;
            const int x = valueAfter(text, block, bounds[0], blockEnd).toInt(&ok);
            EXPECT_TRUE(ok) << id.toStdString();
            const int y = valueAfter(text, block, bounds[1], blockEnd).toInt(&ok);
            EXPECT_TRUE(ok) << id.toStdString();
            const int w = valueAfter(text, block, bounds[2], blockEnd).toInt(&ok);
            EXPECT_TRUE(ok) << id.toStdString();
            const int h = valueAfter(text, block, bounds[3], blockEnd).toInt(&ok);
            EXPECT_TRUE(ok) << id.toStdString();
            EXPECT_TRUE(x >= 0 && y >= 0 && w > 0 && h > 0 && x + w <= 160 && y + h <= 160)
                << "object " << id.toStdString() << " lies off the screen";
        }
        EXPECT_GE(objects, 2) << "form " << forms;
    }
    EXPECT_GE(forms, 2);
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
