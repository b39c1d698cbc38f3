// Every command that starts a program, run for real with tool and project folders
// named to trip a shell, an option parser or a split at blanks.
#include "ide_test.h"

#include <QAction>
#include <QRegularExpression>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>

namespace tarvo::testing {
namespace {

// Stands in for every program and batch file: writes its argv, NUL-separated,
// to $TARVO_ARGV_RECORD.
const QByteArray kRecorder = "#!/bin/sh\nprintf '%s\\0' \"$0\" \"$@\" >\"$TARVO_ARGV_RECORD.t\"\n"
                             "mv \"$TARVO_ARGV_RECORD.t\" \"$TARVO_ARGV_RECORD\"\n";

// What a command starts: a batch file (with the project folder or without),
// the text editor "recorder -w", the bitmap editor or viewer "recorder", or
// xdg-open; on a file of the tool folder, the project or its res folder.
enum Program { Batch, BatchOnProject, Editor, Recorder, Opener };
enum Folder { Tools, Project, Res };
struct Row {
    const char* item;
    Program program;
    Folder folder;
    const char* file;
    WindowStyle style;
};
const Row kRows[] = {
    {"MakeDebug", BatchOnProject, Tools, "makedebug.bat", WindowStyle::Hidden},
    {"MakeRelease", BatchOnProject, Tools, "makerelease.bat", WindowStyle::Hidden},
    {"MakeLoadDebug", BatchOnProject, Tools, "makeall.bat", WindowStyle::MinimizedNoFocus},
    {"LoadToEmulator", BatchOnProject, Tools, "makeload.bat", WindowStyle::MinimizedNoFocus},
    {"CenterEmulator", Batch, Tools, "centeremu.bat", WindowStyle::Hidden},
    {"OpenProject", BatchOnProject, Tools, "loadeditor.bat", WindowStyle::NormalFocus},
    {"MakeDebugBat", Editor, Tools, "makedebug.bat", WindowStyle::NormalNoFocus},
    {"MakeReleaseBat", Editor, Tools, "makerelease.bat", WindowStyle::NormalNoFocus},
    {"MakeLoadBat", Editor, Tools, "makeload.bat", WindowStyle::NormalNoFocus},
    {"MakeAll", Editor, Tools, "makeall.bat", WindowStyle::NormalNoFocus},
    {"LoadEditor", Editor, Tools, "loadeditor.bat", WindowStyle::NormalNoFocus},
    {"IDEini", Editor, Tools, "IDE.ini", WindowStyle::NormalFocus},
    {"EditFile", Editor, Project, "notes.c", WindowStyle::NormalNoFocus},
    {"mainbmp1", Recorder, Res, "main.bmp", WindowStyle::NormalNoFocus},
    {"formbmp1", Recorder, Res, "form.bmp", WindowStyle::NormalNoFocus},
    {"UIAPI", Recorder, Tools, "UI_API.pdf", WindowStyle::NormalNoFocus},
    {"UIDescriptions", Recorder, Tools, "UI Descriptions.pdf", WindowStyle::NormalNoFocus},
    {"UIEvents", Recorder, Tools, "UI_Events.pdf", WindowStyle::NormalNoFocus},
    {"SystemAPI", Recorder, Tools, "System_API.pdf", WindowStyle::NormalNoFocus},
    {"DataAPIPDF", Recorder, Tools, "Database_API.pdf", WindowStyle::NormalNoFocus},
    {"DataManPDF", Recorder, Tools, "Data_Manager.pdf", WindowStyle::NormalNoFocus},
    {"TarvoIDEHelp", Opener, Tools, "HelpFile.htm", WindowStyle::NormalFocus},
    {"Others", Opener, Tools, "", WindowStyle::NormalFocus},
    {"CTemplates", Opener, Tools, "", WindowStyle::NormalFocus},
};

// A relative path part as the started program must see it.
QByteArray arg(const QString& path) {
    return QFile::encodeName(path.startsWith(QLatin1Char('-')) ? "./" + path : path);
}

class StartArguments : public IdeTest {
protected:
    void SetUp() override {
        IdeTest::SetUp();
        makeForm(QByteArray("ObjectsPerPage,1\r\n"));
        // Relative folder settings put each hostile name first on its path.
        QDir::setCurrent(dir.path());
        for (const QString& program : {m_recorder, path("bin/xdg-open")}) {
            writeFile(program, kRecorder);
            QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(path("bin")) + ":" + m_pathVariable);
        qputenv("TARVO_ARGV_RECORD", QFile::encodeName(path("record")));
        starter.passOn = &m_system;
    }
    void TearDown() override {
        QDir::setCurrent(m_cwd);
        qputenv("PATH", m_pathVariable);
    }

    // Every folder setting gets `tools`; the project is `project`.
    void useFolders(const QString& tools, const QString& project) {
        Settings& s = settings();
        s.IniPath = s.DocPath = s.TemplatePath = tools;
        s.SDKProjectPath = folder("sdk");
        s.AdobePath = s.PreferedBMPEditor = m_recorder;
        s.PreferedTextEditor = m_recorder + " -w";
        s.UIAPIDoc = "UI_API.pdf";
        s.UIDescriptionsDoc = "UI Descriptions.pdf";
        s.UIEventsDoc = "UI_Events.pdf";
        s.SystemAPIDoc = "System_API.pdf";
        s.DatabaseAPIDoc = "Database_API.pdf";
        s.DataManagerDoc = "Data_Manager.pdf";
        ctx().project.ProjectPath = project;
    }

    // Triggers the row's item; the argv its program recorded, if any.
    QList<QByteArray> run(const char* item, const QString& project, bool waitForIt = true) {
        QFile::remove(path("record"));
        dialogs.openAnswers = {project + (qstrcmp(item, "EditFile") ? "main.c" : "notes.c")};
        form->action(QLatin1String(item))->trigger();
        for (int i = 0; waitForIt && i < 500 && !QFileInfo::exists(path("record")); ++i)
            QTest::qWait(10);
        QList<QByteArray> argv = readFile("record").split('\0');
        argv.removeLast(); // "<missing>", or what follows the last NUL
        return argv;
    }

    QList<QByteArray> expected(const Row& row, const QString& tools, const QString& project) {
        const QString folder[] = {tools, project,
                                  project + QDir::separator() + "res" + QDir::separator()};
        QList<QByteArray> argv;
        if (row.program >= Editor)
            argv << QFile::encodeName(row.program == Opener ? path("bin/xdg-open") : m_recorder);
        if (row.program == Editor)
            argv << "-w";
        argv << arg(folder[row.folder] + row.file);
        if (row.program == BatchOnProject)
            argv << arg(project);
        return argv;
    }

    // The starter's refusals; opening an empty project has messages of its own.
    QStringList refusals() const {
        return dialogs.messages().filter(QRegularExpression("^The (program|name)"));
    }

    const QString m_cwd = QDir::currentPath(), m_recorder = path("bin/recorder");
    const QByteArray m_pathVariable = qgetenv("PATH");
    SystemProgramStarter m_system{
        dialogs, [this] { return CommandSubstitutes{settings().PreferedTextEditor}; }};
};

TEST_F(StartArguments, EachPathReachesTheProgramAsExactlyOneArgument) {
    for (const char* hostile :
         {"a  b", "c\"d", "e'f", "$(touch g)", "`h`", ";i", "-j", "k\tl", "m\nn"}) {
        SCOPED_TRACE(hostile);
        // The project lies in the tool folder: its path starts with the name too.
        const QString tools = QString::fromUtf8(hostile) + '/';
        const QString project = tools + QString::fromUtf8(hostile) + '/';
        for (const char* file : {"makedebug.bat", "makerelease.bat", "makeall.bat", "makeload.bat",
                                 "centeremu.bat", "loadeditor.bat"})
            writeFile(tools + file, kRecorder);
        for (const char* file : {"main.c", "notes.c", "res/resource.txt", "res/resource.h"})
            writeFile(project + file, "");
        useFolders(tools, project);
        for (const auto& row : kRows) {
            SCOPED_TRACE(row.item);
            starter.started.clear();
            EXPECT_EQ(run(row.item, project), expected(row, tools, project));
            ASSERT_EQ(starter.started.size(), 1);
            EXPECT_EQ(starter.started[0].style, row.style);
        }
        EXPECT_FALSE(QFileInfo::exists(path("g"))) << "a shell ran $(touch g)";
        EXPECT_EQ(refusals(), QStringList());
    }
}

// Qt spells a byte that is not valid UTF-8 as U+FFFD; encoded again, that
// names another file, so nothing is started and the user is told.
TEST_F(StartArguments, NameThatIsNotUtf8IsRefusedNamingIt) {
    ASSERT_EQ(::mkdir("o\xffp", 0700), 0);
    const QString tools = QFile::decodeName("o\xffp/");
    useFolders(tools, tools);
    for (const auto& row : kRows) {
        // The dialogs of these cannot return a name the file system lacks.
        if (row.folder == Project || row.item == QLatin1String("OpenProject"))
            continue;
        SCOPED_TRACE(row.item);
        dialogs.shown.clear();
        EXPECT_EQ(run(row.item, tools, false), QList<QByteArray>());
        ASSERT_EQ(refusals().size(), 1);
        EXPECT_TRUE(refusals()[0].startsWith("The name \"" + tools));
    }
    ::rmdir("o\xffp"); // QTemporaryDir cannot spell it either
}

} // namespace
} // namespace tarvo::testing

#endif // Q_OS_WIN
