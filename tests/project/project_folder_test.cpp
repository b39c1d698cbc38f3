#include "platform/paths.h"
#include "project/project_folder.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tarvo::testing {
namespace {

TEST(ProjectFolderPaths, JoinStripAndCompareAsTheCommandsNeed) {
    const QString s = PathSep();
    // An opened folder ends in a separator, so the separator doubles.
    EXPECT_EQ(resourceTxtPath(QStringLiteral("/p/")), "/p/" + s + "res" + s + "resource.txt");
    EXPECT_EQ(mainBmpPath(QStringLiteral("/my proj")), "/my proj" + s + "res" + s + "main.bmp");
    EXPECT_EQ(codeFilePath(QStringLiteral("/p/"), QStringLiteral("main.c")), "/p/" + s + "main.c");

    const std::pair<const char*, const char*> folders[] = {
        {"C:\\P\\main.c", "C:\\P\\"}, {"/w/App/other.c", "/w/App/o"}, {"a.c", ""}};
    for (const auto& [chosen, folder] : folders)
        EXPECT_EQ(folderOfMainFile(QString::fromLatin1(chosen)), QLatin1String(folder)) << chosen;

    for (const auto& [answer, stripped] :
         {std::pair{QStringLiteral("/w/App//"), QStringLiteral("/w/App")},
          {QStringLiteral("/w/App") + s, QStringLiteral("/w/App")},
          {QStringLiteral("/"), QStringLiteral("/")}})
        EXPECT_EQ(withoutTrailingSeparator(answer), stripped) << answer.toStdString();

    const std::pair<const char*, bool> inside[] = {{"/sdk/Template", true},
                                                   {"/sdk//Template/a/b", true},
                                                   {"/sdk/Template2", false},
                                                   {"/sdk/Template/../App", false}};
    for (const auto& [p, expected] : inside)
        EXPECT_EQ(isSameOrInside(QString::fromLatin1(p), QStringLiteral("/sdk/Template")), expected)
            << p;
}

TEST(UnreadableProjectFile, NamesTheFirstFileThatCannotBeRead) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    for (const char* name : {"res/resource.txt", "res/resource.h", "main.c", "b.c"})
        writeFile(folder + QLatin1String(name), "x\r\n");
    // The bytes read are kept for the load, one entry per file read.
    QHash<QString, QByteArray> read;
    EXPECT_FALSE(findUnreadableProjectFile(folder, true, nullptr, &read).has_value());
    EXPECT_EQ(read.size(), 4);
    EXPECT_EQ(read.value(codeFilePath(folder, QStringLiteral("b.c"))), QByteArray("x\r\n"));
    // Code files count only with code; without, the resource files fail first.
    const QString missing = dir.path() + QStringLiteral("/nowhere/");
    EXPECT_EQ(findUnreadableProjectFile(missing, true).value().path, missing);
    EXPECT_EQ(findUnreadableProjectFile(missing, false).value().path, resourceTxtPath(missing));

    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("res/resource.h")));
    const auto failure = findUnreadableProjectFile(folder, false);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->path, resourceHPath(folder));
    EXPECT_FALSE(failure->reason.isEmpty());
}

} // namespace
} // namespace tarvo::testing
