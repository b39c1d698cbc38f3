#include "platform/file_ops.h"

#include "support/files.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvo;
using tarvo::testing::readFile;
using tarvo::testing::writeFile;

namespace {

TEST(FileExists, OnlyForFiles) {
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("main.c")), "int x;");
    QDir(dir.path()).mkdir(QStringLiteral("res"));
    EXPECT_TRUE(FileOps::FileExists(dir.filePath(QStringLiteral("main.c"))));
    EXPECT_FALSE(FileOps::FileExists(dir.filePath(QStringLiteral("res"))));
    EXPECT_FALSE(FileOps::FileExists(dir.filePath(QStringLiteral("none.c"))));
    EXPECT_FALSE(FileOps::FileExists(QString()));
}

TEST(DeleteFile, RemovesTheFileAndFailsForAMissingOne) {
    QTemporaryDir dir;
    const QString err = dir.filePath(QStringLiteral("Err.txt"));
    writeFile(err, "old errors");
    EXPECT_TRUE(FileOps::DeleteFile(err));
    EXPECT_FALSE(QFileInfo::exists(err));
    QString reason;
    EXPECT_FALSE(FileOps::DeleteFile(err, &reason));
    EXPECT_FALSE(reason.isEmpty());
}

class CopyFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        src = dir.filePath(QStringLiteral("Template"));
        writeFile(src + "/main.c", "template main");
        writeFile(src + "/res/resource.txt", "#FORM");
        writeFile(src + "/res/img/form.bmp", "BM");
        writeFile(src + "/.hidden", "h");
    }
    QTemporaryDir dir;
    QString src;
};

TEST_F(CopyFolderTest, NewDestinationBecomesACopy) {
    const QString dst = dir.filePath(QStringLiteral("new/P1"));
    ASSERT_TRUE(FileOps::CopyFolder(src, dst));
    EXPECT_EQ(readFile(dst + "/main.c"), "template main");
    EXPECT_EQ(readFile(dst + "/res/resource.txt"), "#FORM");
    EXPECT_EQ(readFile(dst + "/res/img/form.bmp"), "BM");
    EXPECT_EQ(readFile(dst + "/.hidden"), "h");
    EXPECT_FALSE(QFileInfo::exists(dst + "/Template"));
}

TEST_F(CopyFolderTest, ExistingDestinationIsOverwrittenAndKeepsOtherFiles) {
    const QString dst = dir.filePath(QStringLiteral("P2"));
    writeFile(dst + "/main.c", "user main, longer than the template's");
    writeFile(dst + "/res/resource.txt", "user form");
    writeFile(dst + "/util.c", "user util");
    EXPECT_EQ(FileOps::FilesOverwrittenByCopy(src, dst),
              (QStringList{"main.c", "res/resource.txt"}));
    ASSERT_TRUE(FileOps::CopyFolder(src, dst));
    EXPECT_EQ(readFile(dst + "/main.c"), "template main");
    EXPECT_EQ(readFile(dst + "/res/resource.txt"), "#FORM");
    EXPECT_EQ(readFile(dst + "/util.c"), "user util");
}

TEST_F(CopyFolderTest, MissingSourceFailsWithAReasonAndCreatesNothing) {
    const QString dst = dir.filePath(QStringLiteral("P3"));
    QString reason;
    EXPECT_FALSE(FileOps::CopyFolder(dir.filePath(QStringLiteral("none")), dst, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dst));
}

TEST_F(CopyFolderTest, DestinationThatIsAFileFails) {
    const QString dst = dir.filePath(QStringLiteral("afile"));
    writeFile(dst, "x");
    EXPECT_FALSE(FileOps::CopyFolder(src, dst));
    EXPECT_EQ(readFile(dst), "x");
}

TEST(ListFiles, FilesDirectlyInTheFolderInNameOrderIgnoringCase) {
    QTemporaryDir dir;
    for (const char* name : {"main.c", "Util.h", "b.bat", "a.c", "Z.txt", ".x"})
        writeFile(dir.filePath(QString::fromLatin1(name)), "");
    writeFile(dir.filePath(QStringLiteral("res/resource.txt")), "");
    QStringList names;
    ASSERT_TRUE(FileOps::ListFiles(dir.path(), &names));
    EXPECT_EQ(names, (QStringList{".x", "a.c", "b.bat", "main.c", "Util.h", "Z.txt"}));
}

TEST(ListFiles, EmptyFolderGivesNoNamesAndMissingFolderFails) {
    QTemporaryDir dir;
    QStringList names{"stale"};
    ASSERT_TRUE(FileOps::ListFiles(dir.path(), &names));
    EXPECT_TRUE(names.isEmpty());
    QString reason;
    EXPECT_FALSE(FileOps::ListFiles(dir.filePath(QStringLiteral("none")), &names, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(FileOps::ListFiles(QString(), &names));
}

TEST(ReadAll, ReadsBytesAndFailsForFoldersAndMissingFiles) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bin.dat"));
    const QByteArray bytes("a\0b\r\n\xff", 6);
    writeFile(path, bytes);
    QByteArray got;
    ASSERT_TRUE(FileOps::ReadAll(path, &got));
    EXPECT_EQ(got, bytes);
    QString reason;
    EXPECT_FALSE(FileOps::ReadAll(dir.path(), &got, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(FileOps::ReadAll(dir.filePath(QStringLiteral("none")), &got));
}

TEST(WriteAllAtomic, ReplacesTheFileAndRespectsReadOnly) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("main.c"));
    writeFile(path, "old and longer");
    ASSERT_TRUE(FileOps::WriteAllAtomic(path, "new"));
    EXPECT_EQ(readFile(path), "new");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"main.c"});

    QFile::setPermissions(path, QFileDevice::ReadOwner);
    QString reason;
    EXPECT_FALSE(FileOps::WriteAllAtomic(path, "lost?", &reason));
    EXPECT_FALSE(reason.isEmpty());
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(readFile(path), "new");

    EXPECT_FALSE(FileOps::WriteAllAtomic(dir.filePath(QStringLiteral("no/dir/x.c")), "x"));
}

} // namespace
