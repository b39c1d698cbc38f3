#include "project_fixture.h"

#include "designer/form_pages.h"
#include "platform/paths.h"
#include "project/project_commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTabBar>

namespace tarvo {

QMap<QString, QByteArray> sampleProjectFiles() {
    return {
        {QStringLiteral("main.c"), "#include \"res/resource.h\"\r\n\r\nint main(void)\r\n{\r\n"
                                   "    return 0;\r\n}\r\n"},
        {QStringLiteral("util.h"), "#define UTIL 1\nint util(void);\n"},
        {QStringLiteral("Notes.txt"), "Gr\xfc\xdf"
                                      "e aus M\xfcnchen\r\nKein UTF-8\r\n"},
        {QStringLiteral("bom.c"), "\xef\xbb\xbfint bom;\r\nint x;"},
        {QStringLiteral("mixed.c"), "int a;\r\nint b;\nint c;\r\n"},
        {QStringLiteral("res/resource.txt"),
         "Tarvo resources\r\n#FORM\r\nID=1000\r\n(SH)BOUNDS.X=0\r\n(SH)BOUNDS.Y=0\r\n"
         "(SH)BOUNDS.WIDTH=160\r\n(SH)BOUNDS.HEIGHT=160\r\n(U)OBJECT_ID=1001\r\n#END_FORM\r\n"
         "#BUTTON\r\nID=1001\r\n(B)OBJECT.TYPE=3\r\n(SH)BOUNDS.X=10\r\n(SH)BOUNDS.Y=20\r\n"
         "(SH)BOUNDS.WIDTH=40\r\n(SH)BOUNDS.HEIGHT=12\r\n#\r\n"},
        {QStringLiteral("res/resource.h"), "#define Form1 1000\n#define Button1 1001\n"},
        {QStringLiteral("res/main.bmp"), QByteArray("BM\x00\x01\x02\xff\r\n\n", 10)},
    };
}

void replaceText(RichTextPane* pane, const QString& text) {
    pane->select(0, pane->textLength());
    pane->setSelText(text);
}

void ProjectTest::SetUp() {
    ASSERT_TRUE(dir.isValid());
    const QString tool = path(QStringLiteral("tool/"));
    const QString sdk = path(QStringLiteral("sdk/"));
    writeFile(QStringLiteral("tool/IDE.ini"),
              QStringLiteral("IniPath,%1\r\nSDKProjectPath,%2\r\nLoadCode,TRUE\r\n"
                             "ObjectsPerPage,20\r\nPreferedBMPEditor,paint\r\n"
                             "PreferedTextEditor,edit\r\n")
                  .arg(tool, sdk)
                  .toUtf8());
    form = std::make_unique<Form1>(Form1Services{&dialogs, &starter, tool});
    // Set here as well, so the tests do not hang on how IDE.ini is read.
    Settings& s = ctx().settings;
    s.IniPath = tool;
    s.SDKProjectPath = sdk;
    s.LoadCode = QStringLiteral("TRUE");
    s.ObjectsPerPage = 20;
    s.PreferedBMPEditor = QStringLiteral("paint");
    s.PreferedTextEditor = QStringLiteral("edit");
    form->formPages().createPictures(1, 20);
    dialogs.shown.clear();
    starter.started.clear();
}

QString ProjectTest::path(const QString& relative) const {
    return dir.path() + QLatin1Char('/') + relative;
}

void ProjectTest::writeFile(const QString& relative, const QByteArray& bytes) const {
    const QString full = path(relative);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(full).path()));
    QFile f(full);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << full.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray ProjectTest::readFile(const QString& relative) const {
    QFile f(path(relative));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

QString ProjectTest::makeProject(const QString& folder,
                                 const QMap<QString, QByteArray>& files) const {
    for (auto it = files.begin(); it != files.end(); ++it)
        writeFile(folder + QLatin1Char('/') + it.key(), it.value());
    return path(folder);
}

void ProjectTest::openProject(const QString& folderPath) {
    dialogs.openAnswers << folderPath + PathSep() + QStringLiteral("main.c");
    form->projectCommands().Command4_Click();
}

QStringList ProjectTest::tabTexts() const {
    QStringList out;
    for (int i = 0; i < form->ui().TabStrip1->count(); ++i)
        out << form->ui().TabStrip1->tabText(i);
    return out;
}

} // namespace tarvo
