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

TEST(FileOps, ExistsDeleteAndReadOnlyForFiles) {
    QTemporaryDir dir;
    const QString err = dir.filePath(QStringLiteral("Err.txt"));
    const QByteArray bytes("a\0b\r\n\xff", 6);
    writeFile(err, bytes);
    QByteArray got;
    ASSERT_TRUE(FileOps::ReadAll(err, &got));
    EXPECT_EQ(got, bytes);
    EXPECT_FALSE(FileOps::FileExists(dir.path()));
    EXPECT_FALSE(FileOps::ReadAll(dir.path(), &got));
    EXPECT_TRUE(FileOps::FileExists(err));
    EXPECT_TRUE(FileOps::DeleteFile(err));
    EXPECT_FALSE(FileOps::FileExists(err));
    QString reason;
    EXPECT_FALSE(FileOps::DeleteFile(err, &reason));
    EXPECT_FALSE(reason.isEmpty());
    // A file too big to edit is refused with its size, before it is read.
    QFile huge(dir.filePath(QStringLiteral("huge.txt")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize((qint64(1) << 30) + 1));
    huge.close();
    EXPECT_FALSE(FileOps::ReadAll(huge.fileName(), &got, &reason));
    EXPECT_TRUE(reason.contains(QStringLiteral("1024 MB"))) << reason.toStdString();
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

TEST_F(CopyFolderTest, MissingSourceOrAFileAsDestinationFails) {
    const QString dst = dir.filePath(QStringLiteral("P3"));
    QString reason;
    EXPECT_FALSE(FileOps::CopyFolder(dir.filePath(QStringLiteral("none")), dst, &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dst));
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

TEST(ListFiles, MissingFolderFails) {
    QTemporaryDir dir;
    QString reason;
    QStringList names;
    EXPECT_FALSE(FileOps::ListFiles(dir.filePath(QStringLiteral("none")), &names, &reason));
    EXPECT_FALSE(reason.isEmpty());
}

TEST(WriteAllAtomic, ReplacesTheFileKeepingItsModeAndWritesThroughALink) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("main.c"));
    writeFile(path, "old and longer");
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(path, mode));
    const QString link = dir.filePath(QStringLiteral("link.c"));
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_TRUE(FileOps::WriteAllAtomic(link, "new"));
    EXPECT_EQ(readFile(path), "new");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFile::permissions(path) & 0x7077, mode); // owner, group, others
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              (QStringList{"link.c", "main.c"}));
    EXPECT_TRUE(FileOps::SyncFolder(dir.path()));
}

} // namespace
