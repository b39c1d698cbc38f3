// Every command that starts a program, run for real with tool and project folders
// named to trip a shell, an option parser or a split at blanks.
#include "ide_test.h"

#include <QAction>
#include <QRegularExpression>
#include <QTest>

#include <tuple>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>

namespace tarvo::testing {
namespace {

// Stands in for every program and batch file: writes its argv, NUL-separated,
// to $TARVO_ARGV_RECORD.
const QByteArray kRecorder = "#!/bin/sh\nprintf '%s\\0' \"$0\" \"$@\" >\"$TARVO_ARGV_RECORD.t\"\n"
                             "mv \"$TARVO_ARGV_RECORD.t\" \"$TARVO_ARGV_RECORD\"\n";

// Each command with the argv its program must receive, parts split at "|":
// E is the editor "recorder -w", V the viewer "recorder", X xdg-open; T:, P: and
// R: stand for the tool folder, the project and its res folder.
const std::tuple<const char*, const char*, WindowStyle> kRows[] = {
    {"MakeDebug", "T:makedebug.bat|P:", WindowStyle::Hidden},
    {"MakeRelease", "T:makerelease.bat|P:", WindowStyle::Hidden},
    {"MakeLoadDebug", "T:makeall.bat|P:", WindowStyle::MinimizedNoFocus},
    {"LoadToEmulator", "T:makeload.bat|P:", WindowStyle::MinimizedNoFocus},
    {"CenterEmulator", "T:centeremu.bat", WindowStyle::Hidden},
    {"OpenProject", "T:loadeditor.bat|P:", WindowStyle::NormalFocus},
    {"MakeDebugBat", "E|T:makedebug.bat", WindowStyle::NormalNoFocus},
    {"MakeReleaseBat", "E|T:makerelease.bat", WindowStyle::NormalNoFocus},
    {"MakeLoadBat", "E|T:makeload.bat", WindowStyle::NormalNoFocus},
    {"MakeAll", "E|T:makeall.bat", WindowStyle::NormalNoFocus},
    {"LoadEditor", "E|T:loadeditor.bat", WindowStyle::NormalNoFocus},
    {"IDEini", "E|T:IDE.ini", WindowStyle::NormalFocus},
    {"EditFile", "E|P:notes.c", WindowStyle::NormalNoFocus},
    {"mainbmp1", "V|R:main.bmp", WindowStyle::NormalNoFocus},
    {"formbmp1", "V|R:form.bmp", WindowStyle::NormalNoFocus},
    {"UIAPI", "V|T:UI_API.pdf", WindowStyle::NormalNoFocus},
    {"UIDescriptions", "V|T:UI Descriptions.pdf", WindowStyle::NormalNoFocus},
    {"UIEvents", "V|T:UI_Events.pdf", WindowStyle::NormalNoFocus},
    {"SystemAPI", "V|T:System_API.pdf", WindowStyle::NormalNoFocus},
    {"DataAPIPDF", "V|T:Database_API.pdf", WindowStyle::NormalNoFocus},
    {"DataManPDF", "V|T:Data_Manager.pdf", WindowStyle::NormalNoFocus},
    {"TarvoIDEHelp", "X|T:HelpFile.htm", WindowStyle::NormalFocus},
    {"Others", "X|T:", WindowStyle::NormalFocus},
    {"CTemplates", "X|T:", WindowStyle::NormalFocus},
};

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

    QList<QByteArray> expected(const char* parts, const QString& tools, const QString& project) {
        const QString folders[] = {tools, project,
                                   project + QDir::separator() + "res" + QDir::separator()};
        QList<QByteArray> argv;
        for (const QString& part : QString::fromLatin1(parts).split('|')) {
            if (part.size() == 1)
                argv << QFile::encodeName(part == "X" ? path("bin/xdg-open") : m_recorder);
            if (part == "E")
                argv << "-w";
            // A relative path part must not read as an option.
            if (part.size() > 1) {
                const QString file = folders[QStringLiteral("TPR").indexOf(part[0])] + part.mid(2);
                argv << QFile::encodeName(file.startsWith('-') ? "./" + file : file);
            }
        }
        return argv;
    }

    // Opening an empty project has messages of its own.
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
        for (const auto& [item, parts, style] : kRows) {
            SCOPED_TRACE(item);
            starter.started.clear();
            EXPECT_EQ(run(item, project), expected(parts, tools, project));
            ASSERT_EQ(starter.started.size(), 1);
            EXPECT_EQ(starter.started[0].style, style);
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
    for (const auto& [item, parts, style] : kRows) {
        // The dialogs of these cannot return a name the file system lacks.
        if (qstrcmp(item, "EditFile") == 0 || qstrcmp(item, "OpenProject") == 0)
            continue;
        SCOPED_TRACE(item);
        dialogs.shown.clear();
        EXPECT_EQ(run(item, tools, false), QList<QByteArray>());
        ASSERT_EQ(refusals().size(), 1);
        EXPECT_TRUE(refusals()[0].startsWith("The name \"" + tools));
    }
    ::rmdir("o\xffp"); // QTemporaryDir cannot spell it either
}

} // namespace
} // namespace tarvo::testing

#endif // Q_OS_WIN
