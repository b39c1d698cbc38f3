#include "project_fixture.h"

#include "platform/object_picture.h"
#include "platform/paths.h"
#include "project/project_commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tarvo::testing {

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
    IdeTest::SetUp();
    const QString tool = path(QStringLiteral("tool/"));
    const QString sdk = path(QStringLiteral("sdk/"));
    makeForm(QStringLiteral("IniPath,%1\r\nSDKProjectPath,%2\r\nLoadCode,TRUE\r\n"
                            "ObjectsPerPage,20\r\nPreferedBMPEditor,paint\r\n"
                            "PreferedTextEditor,edit\r\n")
                 .arg(tool, sdk)
                 .toUtf8(),
             tool);
    ASSERT_EQ(settings().SDKProjectPath, sdk);
    ASSERT_EQ(ui().DynamicPicture->count(), 20);
    dialogs.shown.clear();
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

} // namespace tarvo::testing
