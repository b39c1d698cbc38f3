#include "project_fixture.h"

#include "platform/paths.h"

namespace tarvo::testing {

QMap<QString, QByteArray> sampleProjectFiles() {
    return {
        {"main.c",
         "#include \"res/resource.h\"\r\n\r\nint main(void)\r\n{\r\n    return 0;\r\n}\r\n"},
        {"util.h", "#define UTIL 1\nint util(void);\n"},
        {"Notes.txt", "Gr\xfc\xdf"
                      "e aus M\xfcnchen\r\nKein UTF-8\r\n"},
        {"bom.c", "\xef\xbb\xbfint bom;\r\nint x;"},
        {"mixed.c", "int a;\r\nint b;\nint c;\r\n"},
        {"res/resource.txt",
         "Tarvo resources\r\n#FORM\r\nID=1000\r\n(SH)BOUNDS.X=0\r\n(SH)BOUNDS.Y=0\r\n"
         "(SH)BOUNDS.WIDTH=160\r\n(SH)BOUNDS.HEIGHT=160\r\n(U)OBJECT_ID=1001\r\n#END_FORM\r\n"
         "#BUTTON\r\nID=1001\r\n(B)OBJECT.TYPE=3\r\n(SH)BOUNDS.X=10\r\n(SH)BOUNDS.Y=20\r\n"
         "(SH)BOUNDS.WIDTH=40\r\n(SH)BOUNDS.HEIGHT=12\r\n#\r\n"},
        {"res/resource.h", "#define Form1 1000\n#define Button1 1001\n"},
        {"res/main.bmp", QByteArray("BM\x00\x01\x02\xff\r\n\n", 10)},
    };
}

void replaceText(RichTextPane* pane, const QString& text) {
    pane->select(0, pane->textLength());
    pane->setSelText(text);
}

void ProjectTest::SetUp() {
    IdeTest::SetUp();
    const QString tool = path("tool/");
    makeForm(QStringLiteral(
                 "IniPath,%1\r\nSDKProjectPath,%2\r\nLoadCode,TRUE\r\n"
                 "ObjectsPerPage,20\r\nPreferedBMPEditor,paint\r\nPreferedTextEditor,edit\r\n")
                 .arg(tool, path("sdk/"))
                 .toUtf8(),
             tool);
    dialogs.shown.clear();
}

QString ProjectTest::makeProject(const QString& folder,
                                 const QMap<QString, QByteArray>& files) const {
    for (auto it = files.begin(); it != files.end(); ++it)
        writeFile(folder + '/' + it.key(), it.value());
    return path(folder);
}

void ProjectTest::openProject(const QString& folderPath) {
    dialogs.openAnswers << folderPath + PathSep() + QStringLiteral("main.c");
    project().Command4_Click();
}

} // namespace tarvo::testing
