// The rules of the project subsystem that need no window.
#include "platform/paths.h"
#include "project/file_stamp.h"
#include "project/project_folder.h"
#include "project/recovery_store.h"
#include "support/files.h"

#include <QLockFile>
#include <QTemporaryDir>

namespace tarvo::testing {
namespace {

// Each case is "input|expected".
TEST(ProjectPaths, JoinStripAndCompare) {
    const QString s = PathSep();
    // An opened folder ends in a separator, so the separator doubles.
    EXPECT_EQ(codeFilePath("/p/", "main.c") + resourceHPath("/p"),
              "/p/" + s + "main.c/p" + s + "res" + s + "resource.h");
    for (const QString c : {"C:\\P\\main.c|C:\\P\\", "/w/App/other.c|/w/App/o", "a.c|"})
        EXPECT_EQ(folderOfMainFile(c.section('|', 0, 0)), c.section('|', 1)) << c.toStdString();
    for (const QString c : {"/w/App//|/w/App", "/w/App|/w/App", "/|/", "//|/", "ab/|ab", "C:/|C:/",
                            "C://|C:/", "C:|C:"})
        EXPECT_EQ(withoutTrailingSeparator(c.section('|', 0, 0)), c.section('|', 1))
            << c.toStdString();
    for (const QString c : {"/sdk/Template|1", "/sdk//Template/a/b|1", "/sdk/Template2|0",
                            "/sdk/Template/../App|0", "/sdk|0"})
        EXPECT_EQ(isSameOrInside(c.section('|', 0, 0), "/sdk/Template/"), c.endsWith('1'))
            << c.toStdString();
    EXPECT_EQ(displayPath("/a//b/../c"), QDir::toNativeSeparators("/a/c"));
}

TEST(ProjectPaths, TheFirstUnreadableFileIsNamed) {
    QTemporaryDir dir;
    const QString folder = dir.path() + '/', missing = folder + "nowhere/";
    for (const char* name : {"res/resource.txt", "res/resource.h", "main.c"})
        writeFile(folder + name, "x\r\n");
    EXPECT_EQ(findUnreadableProjectFile(missing, true).value().path, missing);
    EXPECT_EQ(findUnreadableProjectFile(missing, false).value().path, resourceTxtPath(missing));
    QHash<QString, QByteArray> read;
    EXPECT_FALSE(findUnreadableProjectFile(folder, true, {}, &read).has_value());
    EXPECT_EQ(read.value(codeFilePath(folder, "main.c")),
              "x\r\n"); // kept for the open, not read again
    EXPECT_EQ(read.size(), 3);
    ASSERT_TRUE(QFile::remove(folder + "res/resource.h"));
    const auto failure = findUnreadableProjectFile(folder, false).value_or(ReadFailure{});
    EXPECT_TRUE(failure.path == resourceHPath(folder) && !failure.reason.isEmpty());
}

// A change is told apart from a touch by the content; times within the file
// system's granularity of the stamp prove nothing.
TEST(FileStamp, DiskChangeFollowsTheContent) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("main.c"));
    const FileStamp absent = stampFile(path);
    EXPECT_EQ(diskChange(absent, path), DiskChange::None);
    writeFile(path, "int a;");
    EXPECT_EQ(diskChange(absent, path), DiskChange::Changed);
    FileStamp known = stampFile(path), now;
    EXPECT_EQ(diskChange(known, path, &now), DiskChange::None);
    EXPECT_EQ(now.hash, known.hash);
    // Stamps taken over 2 s after the file's last change trust its times.
    for (const auto& [after, hash, expected] : {std::tuple{2001, known.hash, DiskChange::None},
                                                {2001, QByteArray("x"), DiskChange::None},
                                                {2000, known.hash, DiskChange::None},
                                                {2000, QByteArray("x"), DiskChange::Changed},
                                                {10000, QByteArray(), DiskChange::Changed}}) {
        FileStamp stamp = known;
        stamp.takenAt = stamp.metadataChanged + after;
        stamp.hash = hash;
        EXPECT_EQ(diskChange(stamp, path), expected) << after << hash.size();
    }
    touch(path, 86400);
    EXPECT_EQ(diskChange(known, path, &now), DiskChange::None);
    EXPECT_FALSE(now.sameMetadata(known));
    writeFile(path, "int b;"); // same size
    EXPECT_EQ(diskChange(known, path), DiskChange::Changed);
    QFile::remove(path);
    EXPECT_EQ(diskChange(known, path), DiskChange::Deleted);
    ASSERT_TRUE(QDir().mkpath(path)); // a folder in its place is no file
    EXPECT_EQ(diskChange(known, path), DiskChange::Deleted);
}

// Each case is "from|to|start|removed".
TEST(ChangedSpan, IsTheLeastEditAndNeverSplitsALineBreak) {
    for (const QString c :
         {"abc|abc|3|0", "abc|aXc|1|1", "|new|0|0", "old||0|3", "abc|abcd|3|0", "abc|xabc|0|0",
          "abcd|abd|2|1", "aa|a|1|1", "ab|b|0|1", "a\r\nb|a\nb|1|2", "a\r\nb|a\r\r\nb|1|2",
          "x\r\n|x\r\n\r\n|3|0", "\r\nb|\nb|0|2", "a\rb|a\r\nb|1|1", "a\r\n|a\r|1|2",
          "a\r\nx|a\r\nyx|3|0", "\r\n|b\r\n|0|0"}) {
        const QStringList f = c.split('|');
        const TextSpan span = changedSpan(f[0], f[1]);
        EXPECT_EQ(QStringLiteral("%1|%2").arg(span.start).arg(span.removed), f[2] + '|' + f[3])
            << c.toStdString();
        EXPECT_EQ(QString(f[0]).replace(span.start, span.removed, span.inserted), f[1]);
    }
}

TEST(RecoveryStore, FolderNamesTheProjectSafelyAndKeepsNamesakesApart) {
    const QString a = projectRecoveryFolder("/r", "/p/a b-c_d.e"),
                  b = projectRecoveryFolder("/r", "/q/a b-c_d.e");
    EXPECT_TRUE(a.startsWith("/r/a_b-c_d_e-") && a.size() == 29) << a.toStdString();
    EXPECT_NE(a, b);
}

TEST(RecoveryStore, OnlyReadableSessionsOfNoRunningIdeOfThisProjectNewestFirst) {
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("App"));
    const QString folder = projectRecoveryFolder(dir.path(), project);
    auto write = [&](const QString& name, const QString& projectPath, const QByteArray& text) {
        ASSERT_TRUE(writeRecoverySession(
            {folder + '/' + name,
             projectPath,
             {{"main.c", text, 0}, {"res/resource.txt", "r", 0}, {"../outside.c", "no", 0}}}));
    };
    write("older", project, "old");
    // A state written again keeps only its new files.
    ASSERT_TRUE(writeRecoverySession({folder + "/older", project, {{"main.c", "old", 0}}}));
    touch(folder + "/older/text-0", -60);
    write("newer", project + '/', "int \xc3\xa4;\r\n");
    write("running", project, "r");
    write("other", dir.filePath(QStringLiteral("Other")), "o");
    QLockFile running(folder + QStringLiteral("/running/lock"));
    ASSERT_TRUE(running.tryLock(0));
    const QList<RecoverySession> offered = orphanedSessions(folder, project);
    QStringList seen; // a name outside the project is never restored
    for (const RecoverySession& session : offered)
        for (const RecoveredFile& f : session.files)
            seen << QFileInfo(session.folder).fileName() + ':' + f.name + '=' + f.text;
    EXPECT_EQ(seen, (QStringList{"newer:main.c=int \u00e4;\r\n", "newer:res/resource.txt=r",
                                 "older:main.c=old"}));
    EXPECT_EQ(QDir(folder + "/older").entryList(QDir::Files), (QStringList{"files", "text-0"}));
    ASSERT_FALSE(offered.isEmpty());
    EXPECT_TRUE(removeRecoverySession(offered[0].folder) &&
                removeRecoverySession(offered[0].folder)); // already gone
    const QString cwd = QDir::currentPath(); // no folder at all is not the working folder
    ASSERT_TRUE(QDir::setCurrent(folder));
    EXPECT_TRUE(removeRecoverySession(QString()) && QFileInfo::exists("older/files"));
    QDir::setCurrent(cwd);
    EXPECT_EQ(orphanedSessions(folder, project).size(), 1);
}

} // namespace
} // namespace tarvo::testing
