#include "editor_fixture.h"

namespace tarvo::testing {

void EditorTest::SetUp() {
    IdeTest::SetUp();
    makeForm();
    dialogs.shown.clear(); // the missing IDE.ini's notice
    Settings& s = settings();
    s.Colorizew = QStringLiteral("TRUE");
    s.DataTypesKeywords = QStringLiteral("*int*char*void*");
    s.ReservedKeyWords = QStringLiteral("*return*if*#define*");
    s.ExtraKeyWords = QStringLiteral("*main*");
    s.TabSpace = 4;
}

QString EditorTest::openProject(const QList<QPair<QString, QString>>& files) {
    const QString proj = folder(QStringLiteral("proj"));
    QDir().mkpath(proj + QStringLiteral("res"));
    for (const auto& [name, text] : files)
        writeFile(proj + name, text.toLatin1());
    ctx().project.ProjectPath = QDir::toNativeSeparators(proj.chopped(1));
    form->fileTabs().resetToResourceTabs();
    EXPECT_TRUE(form->fileTabs().ShowFileList(ctx().project.ProjectPath));
    return proj.chopped(1);
}

QStringList EditorTest::captions() {
    QStringList out;
    for (int i = 1; i <= form->fileTabs().tabCount(); ++i)
        out << form->fileTabs().tabCaption(i);
    return out;
}

QColor colorAt(RichTextPane* pane, int pos) {
    return pane->colorAt(pos);
}

bool boldAt(RichTextPane* pane, int pos) {
    return pane->boldAt(pos);
}

} // namespace tarvo::testing
