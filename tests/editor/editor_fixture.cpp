#include "editor_fixture.h"

#include <QTextBlock>
#include <QTextCursor>

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

namespace {

QTextCharFormat formatAt(RichTextPane* pane, int pos) {
    // CR LF positions: each earlier line break counts one extra character.
    const int line = pane->lineFromChar(pos);
    QTextCursor c(pane->document());
    c.setPosition(pos - line + 1);
    return c.charFormat();
}

} // namespace

QColor colorAt(RichTextPane* pane, int pos) {
    const QBrush brush = formatAt(pane, pos).foreground();
    return brush.style() == Qt::NoBrush ? QColor() : brush.color();
}

bool boldAt(RichTextPane* pane, int pos) {
    return formatAt(pane, pos).fontWeight() == QFont::Bold;
}

} // namespace tarvo::testing
