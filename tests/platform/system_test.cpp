#include "platform/background_work.h"
#include "platform/dialogs.h"
#include "platform/file_ops.h"
#include "platform/program_starter.h"

#include "support/files.h"
#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>

using namespace tarvo;
using tarvo::testing::readFile;
using tarvo::testing::writeFile;

namespace {

TEST(FileOps, ReadsListsCopiesAndWritesFilesAndSaysWhyNot) {
    QTemporaryDir dir;
    const QString src = dir.filePath("Template"), fresh = dir.filePath("new/P1");
    const QString used = dir.filePath("P2"), util = used + "/util.c";
    const QStringList files{"main.c", "Util.h", "b.bat",         "a.c",
                            "Z.txt",  ".x",     "res/img/f.bmp", "res/z.txt"};
    for (const QString& f : files)
        writeFile(src + '/' + f, f.toUtf8());
    const QByteArray bytes("a\0b\r\n\xff", 6);
    writeFile(used + "/main.c", bytes);
    writeFile(used + "/res/img/f.bmp", "user bitmap");
    writeFile(util, "user util");
    QByteArray got;
    ASSERT_TRUE(FileOps::ReadAll(used + "/main.c", &got));
    EXPECT_EQ(got, bytes);
    EXPECT_FALSE(FileOps::FileExists(used) || FileOps::ReadAll(used, &got));
    EXPECT_EQ(FileOps::FilesOverwrittenByCopy(src, used), (QStringList{"main.c", "res/img/f.bmp"}));
    ASSERT_TRUE(FileOps::CopyFolder(src, fresh) && FileOps::CopyFolder(src, used));
    for (const QString& f : files) {
        EXPECT_EQ(readFile(fresh + '/' + f), f.toUtf8());
        EXPECT_EQ(readFile(used + '/' + f), f.toUtf8());
    }
    EXPECT_EQ(readFile(util), "user util");
    EXPECT_FALSE(QFileInfo::exists(fresh + "/Template"));
    QStringList names; // in name order, letter case ignored, no folders
    ASSERT_TRUE(FileOps::ListFiles(fresh, &names));
    EXPECT_EQ(names, (QStringList{".x", "a.c", "b.bat", "main.c", "Util.h", "Z.txt"}));
    // Failures change nothing and say why.
    QString why[4];
    EXPECT_FALSE(FileOps::CopyFolder(dir.filePath("none"), used + "3", &why[0]));
    EXPECT_FALSE(FileOps::CopyFolder(src, util) || QFileInfo::exists(used + "3"));
    EXPECT_EQ(readFile(util), "user util");
    EXPECT_FALSE(FileOps::ListFiles(dir.filePath("none"), &names, &why[1]));
    EXPECT_TRUE(FileOps::FileExists(util) && FileOps::DeleteFile(util));
    EXPECT_FALSE(FileOps::FileExists(util) || FileOps::DeleteFile(util, &why[2]));
    QFile huge(dir.filePath("huge.txt")); // too big to edit: refused with its size, unread
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize((qint64(1) << 30) + 1));
    huge.close();
    EXPECT_FALSE(FileOps::ReadAll(huge.fileName(), &got, &why[3]));
    EXPECT_TRUE(why[3].contains("1024 MB")) << why[3].toStdString();
    for (const QString& reason : why)
        EXPECT_FALSE(reason.isEmpty());
    // An atomic write keeps the file's mode and goes through a link to the file.
    const QString path = fresh + "/main.c", link = dir.filePath("link.c");
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(path, mode) && QFile::link(path, link));
    ASSERT_TRUE(FileOps::WriteAllAtomic(link, "new"));
    EXPECT_EQ(readFile(path), "new");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(QFile::permissions(path) & 0x7077, mode); // owner, group, others
    EXPECT_EQ(QDir(fresh).entryList(QDir::Files | QDir::Hidden | QDir::System), names);
    EXPECT_TRUE(FileOps::SyncFolder(fresh));
}

// Answers the next box: a click on the button with that caption, else Return or Escape.
void answerNextBox(const QString& answer) {
    QTimer::singleShot(0, [answer] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr) << answer.toStdString();
        for (QAbstractButton* b : box->findChildren<QAbstractButton*>())
            if (b->text().remove('&') == answer)
                return b->click();
        QTest::keyClick(box, answer == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
    });
}

TEST(QtDialogs, ReturnTakesTheDefaultEscapeTheLastButtonAndAClickItsOwn) {
    QtDialogs dialogs(nullptr);
    const auto ask = [&](const QStringList& buttons, int defaultButton, const char* answer) {
        answerNextBox(answer);
        return dialogs.ask("q", "t", buttons, defaultButton);
    };
    EXPECT_EQ(ask({"A", "B", "C"}, 1, "Return"), 1);
    EXPECT_EQ(ask({"A", "B", "C"}, 7, "Return"), 2);
    EXPECT_EQ(ask({"A", "B", "C"}, 0, "Escape"), 2);
    EXPECT_EQ(ask({"A", "B", "C"}, 2, "A"), 0);
    EXPECT_EQ(ask({}, 0, "Return"), 0);
    for (const auto& [answer, want] : {std::pair{"Return", SaveAnswer::Save},
                                       {"Discard", SaveAnswer::Discard},
                                       {"Escape", SaveAnswer::Cancel}}) {
        answerNextBox(answer);
        EXPECT_EQ(dialogs.askSave("q", "t"), want) << answer;
    }
    answerNextBox("Return");
    EXPECT_FALSE(dialogs.confirm("q", "t"));
    answerNextBox("Yes");
    EXPECT_TRUE(dialogs.confirm("q", "t"));
    answerNextBox("Return");
    EXPECT_EQ(dialogs.inputBox("p", "t", "typed"), QStringLiteral("typed"));
    answerNextBox("Escape");
    EXPECT_EQ(dialogs.inputBox("p", "t", "typed"), QString());
    answerNextBox("Return");
    dialogs.message("m", "t");
    EXPECT_EQ(QtDialogs::toQtFilter("Code (*.c)|*.c;*.h|All|*.*|odd"),
              QStringLiteral("Code (*.c) (*.c *.h);;All (*.*)"));
}

#ifndef Q_OS_WIN

// A shell script that touches "done" when it ends.
QString writeScript(const QTemporaryDir& dir, const QByteArray& body, bool executable = true) {
    const QString path = dir.filePath(QStringLiteral("prog"));
    writeFile(path,
              "#!/bin/sh\ntrap 'touch \"" + dir.filePath("done").toUtf8() + "\"' EXIT\n" + body);
    if (executable)
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

bool waitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 400 && !done(); ++i)
        QTest::qWait(25);
    return done();
}

// The work waits for ticks of a timer of the window's thread: were the loop to
// stand still meanwhile, none would come.
TEST(RunInBackground, WorksApartWhileTheLoopGoesOnUnderTheHourglass) {
    std::atomic<int> ticks{0};
    bool hourglass = false;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const QCursor* c = QGuiApplication::overrideCursor();
        hourglass = ticks++ == 0 ? c && c->shape() == Qt::WaitCursor : hourglass;
    });
    tick.start(1);
    QThread* worker = nullptr;
    runInBackground([&] {
        worker = QThread::currentThread();
        for (int i = 0; i < 5000 && ticks < 3; ++i)
            QThread::msleep(1);
    });
    const int ticked = ticks;
    EXPECT_TRUE(worker && worker != QThread::currentThread());
    EXPECT_GE(ticked, 3);
    EXPECT_TRUE(hourglass);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(RunInSlices, TheLoopGoesOnBetweenSlicesUntilOneSaysItIsTheLast) {
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(0);
    QList<int> ticksAtSlice;
    runInSlices([&] {
        ticksAtSlice << ticks;
        return ticksAtSlice.size() < 4;
    });
    ASSERT_EQ(ticksAtSlice.size(), 4);
    EXPECT_GE(ticksAtSlice[3] - ticksAtSlice[0], 3);
}

TEST(SystemProgramStarter, RefusesWhatCannotBeStartedNamingIt) {
    QTemporaryDir dir, other;
    EXPECT_EQ(whyNotStartable(writeScript(dir, "true\n")), QString());
    EXPECT_EQ(whyNotStartable(QStringLiteral("sh")), QString());
    const QString folder = dir.filePath("tools/centeremu.bat"), bat = dir.filePath("make.bat");
    QDir().mkpath(folder);
    const QString noProgram = dir.filePath("truncated"); // executable, but no program
    writeFile(noProgram, QByteArray("\x7f"
                                    "ELF\x02\x01",
                                    6));
    QFile::setPermissions(noProgram, QFile::permissions(noProgram) | QFileDevice::ExeOwner);
    const std::pair<ProgramCommand, QString> rows[] = {
        {commandFromSetting(QString(), {"/p/res/main.bmp"}), ""}, // must not run the bitmap
        {commandFromSetting("/no/such/dir/viewer", {"/d/a.pdf"}), "/no/such/dir/viewer"},
        {commandFromSetting("no-such-program-tarvo"), "no-such-program-tarvo"},
        {commandFromSetting(writeScript(other, "true\n", false)), other.filePath("prog")},
        {commandFromSetting(dir.path()), dir.path()},
        {commandFromPath(bat, {"/p/"}), bat},
        {commandFromPath(folder), folder},
        {commandFromSetting(noProgram), noProgram},
    };
    for (const auto& [command, named] : rows) {
        ScriptedDialogs dialogs;
        SystemProgramStarter starter(dialogs, [] { return CommandSubstitutes{}; });
        EXPECT_FALSE(starter.start(command, WindowStyle::NormalNoFocus));
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages()[0].startsWith("The program \"" + named + "\" cannot"))
            << dialogs.messages()[0].toStdString();
    }
}

// Watched programs outlive their starter; a quick failure is told with its last error output.
TEST(SystemProgramStarter, ReportsAnEarlyFailedExitWithItsLastErrorLines) {
    const struct {
        const char* body;
        int watchMs;
        const char* says; // nullptr: no message
    } rows[] = {
        {"for i in 1 2 3 4 5 6 7; do echo \"line $i\" >&2; done; exit 3", 10000,
         "ended with exit status 3 on \"/d/a b.pdf\".\nIts last error output:\n"
         "line 3\nline 4\nline 5\nline 6\nline 7"},
        {"kill -9 $$", 10000, "ended with a crash on \"/d/a b.pdf\"."},
        {"echo fine >&2; exit 0", 10000, nullptr},
        {"sleep 1; exit 1", 200, nullptr},
        {"sleep 0.3; exit 1", -10000, nullptr}, // its starter is gone by then
    };
    for (const auto& row : rows) {
        QTemporaryDir dir;
        const QString program = writeScript(dir, row.body);
        ScriptedDialogs dialogs;
        auto starter = std::make_unique<SystemProgramStarter>(
            dialogs, [] { return CommandSubstitutes{}; }, std::abs(row.watchMs));
        ASSERT_TRUE(starter->start(commandFromSetting(program, {"/d/a b.pdf"}),
                                   WindowStyle::NormalNoFocus));
        if (row.watchMs < 0)
            starter.reset();
        EXPECT_TRUE(waitFor([&] {
            return row.says ? !dialogs.shown.isEmpty() : QFileInfo::exists(dir.filePath("done"));
        })) << row.body;
        QTest::qWait(row.says ? 0 : 300); // the exit has been seen by now
        EXPECT_EQ(dialogs.messages(),
                  row.says ? QStringList("The program \"" + program + "\" " + row.says)
                           : QStringList());
    }
}

#endif // Q_OS_WIN

} // namespace
