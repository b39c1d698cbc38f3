#include "platform/paths.h"
#include "project/project_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tarvo::testing {
namespace {

QString sep() {
    return PathSep();
}

TEST(ProjectFolderPaths, AppendRelativeNamesWithoutTouchingTheFolder) {
    const QString s = sep();
    struct Case {
        QString actual;
        QString expected;
    };
    const Case cases[] = {
        // An opened folder ends in a separator, so the separator doubles.
        {resourceTxtPath(QStringLiteral("/p/")),
         QStringLiteral("/p/") + s + "res" + s + "resource.txt"},
        {resourceHPath(QStringLiteral("/p")), QStringLiteral("/p") + s + "res" + s + "resource.h"},
        {mainBmpPath(QStringLiteral("/my proj/")),
         QStringLiteral("/my proj/") + s + "res" + s + "main.bmp"},
        {formBmpPath(QString()), s + "res" + s + "form.bmp"},
        {codeFilePath(QStringLiteral("/p/"), QStringLiteral("main.c")),
         QStringLiteral("/p/") + s + "main.c"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected);
}

TEST(ProjectFolderPaths, FolderOfMainFileCutsSixCharactersWhateverTheName) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("C:\\P\\main.c"), QStringLiteral("C:\\P\\")},
        {QStringLiteral("/w/App/main.c"), QStringLiteral("/w/App/")},
        {QStringLiteral("/w/App/other.c"), QStringLiteral("/w/App/o")},
        {QStringLiteral("main.c"), QString()},
        {QStringLiteral("a.c"), QString()},
    };
    for (const auto& [chosen, folder] : cases)
        EXPECT_EQ(folderOfMainFile(chosen), folder) << chosen.toStdString();
}

TEST(ProjectFolderPaths, TrailingSeparatorsAreStrippedButRootsKept) {
    const QString s = sep();
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("/w/App/"), QStringLiteral("/w/App")},
        {QStringLiteral("/w/App//"), QStringLiteral("/w/App")},
        {QStringLiteral("/w/App"), QStringLiteral("/w/App")},
        {QStringLiteral("/w/App") + s, QStringLiteral("/w/App")},
        {QStringLiteral("/"), QStringLiteral("/")},
        {QStringLiteral("App"), QStringLiteral("App")},
    };
    for (const auto& [answer, stripped] : cases)
        EXPECT_EQ(withoutTrailingSeparator(answer), stripped) << answer.toStdString();
}

TEST(ProjectFolderPaths, SameOrInsideComparesWholeFolderNames) {
    struct Case {
        const char* path;
        bool inside;
    };
    const Case cases[] = {
        {"/sdk/Template", true},
        {"/sdk/Template/", true},
        {"/sdk/Template/App", true},
        {"/sdk//Template/a/b", true},
        {"/sdk/Template2", false},
        {"/sdk/Templat", false},
        {"/sdk", false},
        {"/sdk/Template/../App", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isSameOrInside(QString::fromLatin1(c.path), QStringLiteral("/sdk/Template")),
                  c.inside)
            << c.path;
}

class UnreadableProjectFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path() + QLatin1Char('/');
        ASSERT_TRUE(QDir().mkpath(dir.path() + QStringLiteral("/res")));
        for (const char* name : {"res/resource.txt", "res/resource.h", "main.c", "b.c"})
            write(QString::fromLatin1(name));
    }
    void write(const QString& name) {
        QFile f(folder + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x\r\n");
    }

    QTemporaryDir dir;
    QString folder;
};

TEST_F(UnreadableProjectFile, NamesTheFirstFileThatCannotBeRead) {
    EXPECT_FALSE(findUnreadableProjectFile(folder, true).has_value());
    EXPECT_FALSE(findUnreadableProjectFile(folder, false).has_value());
    // Code files count only with code; without, the resource files fail first.
    const QString missing = dir.path() + QStringLiteral("/nowhere/");
    EXPECT_EQ(findUnreadableProjectFile(missing, true).value().path, missing);
    EXPECT_EQ(findUnreadableProjectFile(missing, false).value().path, resourceTxtPath(missing));

    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("res/resource.h")));
    const auto failure = findUnreadableProjectFile(folder, false);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->path, resourceHPath(folder));
    EXPECT_FALSE(failure->reason.isEmpty());

    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("res/resource.txt")));
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("res/resource.txt")));
    EXPECT_EQ(findUnreadableProjectFile(folder, true).value().path, resourceTxtPath(folder));
}

} // namespace
} // namespace tarvo::testing
