// The scripts of the sample tool folder that do not compile: each must say
// what it did or why it could not, never fail silently.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kToolsDir = QStringLiteral(TARVO_SOURCE_DIR "/sample/tools");

struct ScriptRun {
    int exitCode = -1;
    QString output;
    QString log; // tools.log beside the script
};

class SampleToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef Q_OS_WIN
        GTEST_SKIP() << "the sample scripts are POSIX shell";
#endif
        ASSERT_TRUE(m_dir.isValid());
        for (const QFileInfo& f : QDir(kToolsDir).entryInfoList(QDir::Files))
            ASSERT_TRUE(QFile::copy(f.filePath(), m_dir.filePath(f.fileName())));
    }

    ScriptRun run(const QString& script, const QStringList& args) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral("/bin/sh"), QStringList{m_dir.filePath(script)} + args);
        EXPECT_TRUE(p.waitForFinished(30000));
        ScriptRun r;
        r.exitCode = p.exitCode();
        r.output = QString::fromUtf8(p.readAll());
        QFile log(m_dir.filePath(QStringLiteral("tools.log")));
        if (log.open(QIODevice::ReadOnly))
            r.log = QString::fromUtf8(log.readAll());
        return r;
    }

    QTemporaryDir m_dir;
};

TEST_F(SampleToolsTest, ScriptsReportWhatTheyCannotDo) {
    const QString missing = m_dir.filePath(QStringLiteral("No Such Project"));
    const QString unbuilt = m_dir.filePath(QStringLiteral("Clock/"));
    ASSERT_TRUE(QDir().mkpath(unbuilt + QStringLiteral("obj/debug")));
    const struct {
        const char* script;
        QStringList args;
        const char* says;
    } cases[] = {
        {"makeload.bat", {}, "No project folder was given"},
        {"makeload.bat", {missing + "/"}, "No Such Project does not exist"},
        // A folder split at its blank is not joined again: that could name another.
        {"makeload.bat", missing.split(QLatin1Char(' ')), "project folder as one argument"},
        {"makeload.bat", {unbuilt}, "no compiled objects"},
        {"loadeditor.bat", {missing}, "No Such Project"},
        {"centeremu.bat", {}, "Tarvo Emulator"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        const ScriptRun r = run(QLatin1String(c.script), c.args);
        EXPECT_NE(r.exitCode, 0);
        EXPECT_TRUE(r.output.contains(QLatin1String(c.says))) << r.output.toStdString();
        EXPECT_TRUE(r.log.contains(QLatin1String(c.says))) << r.log.toStdString();
    }
}

// The one recursive delete stays inside the project: a link is only a link.
TEST_F(SampleToolsTest, MakeAllDeletesNothingThroughALinkedObjectFolder) {
    if (QStandardPaths::findExecutable(QStringLiteral("cc")).isEmpty())
        GTEST_SKIP() << "no C compiler (cc) on this system";
    const QString project = m_dir.filePath(QStringLiteral("p"));
    const QString elsewhere = m_dir.filePath(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QDir().mkpath(project + QStringLiteral("/res")));
    ASSERT_TRUE(QDir().mkpath(elsewhere + QStringLiteral("/debug")));
    for (const char* file : {"/main.c", "/res/resource.h"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(TARVO_SOURCE_DIR "/sample/SDK/Template") +
                                    QLatin1String(file),
                                project + QLatin1String(file)));
    ASSERT_TRUE(QFile::link(elsewhere, project + QStringLiteral("/obj")));
    const ScriptRun r = run(QStringLiteral("makeall.bat"), {project + QStringLiteral("/")});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_FALSE(QFileInfo(project + QStringLiteral("/obj")).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(project + QStringLiteral("/obj/release/main.o")));
    EXPECT_EQ(QDir(elsewhere).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"debug"});
}

TEST(BundledScripts, PassShellcheck) {
    const QString shellcheck = QStandardPaths::findExecutable(QStringLiteral("shellcheck"));
    if (shellcheck.isEmpty())
        GTEST_SKIP() << "shellcheck is not installed (scripts/test-all.sh installs it)";
    QStringList files;
    for (const char* folder : {"/sample/tools", "/scripts", "/scripts/lib"}) {
        const QDir dir(QStringLiteral(TARVO_SOURCE_DIR) + QLatin1String(folder));
        for (const QString& name : dir.entryList({"*.bat", "*.sh"}, QDir::Files))
            files << dir.filePath(name);
    }
    EXPECT_GE(files.size(), 11);
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(shellcheck, QStringList{QStringLiteral("-x")} + files);
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAll().toStdString();
}

TEST_F(SampleToolsTest, LoadNamesTheObjectsItHandsOver) {
    const QString project = m_dir.filePath(QStringLiteral("Clock/"));
    ASSERT_TRUE(QDir().mkpath(project + QStringLiteral("obj/debug")));
    QFile obj(project + QStringLiteral("obj/debug/main.o"));
    ASSERT_TRUE(obj.open(QIODevice::WriteOnly));
    obj.close();
    const ScriptRun r = run(QStringLiteral("makeload.bat"), {project});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.output.contains(QStringLiteral("obj/debug/main.o"))) << r.output.toStdString();
}

} // namespace
