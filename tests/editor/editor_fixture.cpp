#include "editor_fixture.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>

namespace tarvo {

void EditorTest::SetUp() {
    ASSERT_TRUE(dir.isValid());
    form = std::make_unique<Form1>(Form1Services{&dialogs, &starter, dir.path()});
    dialogs.shown.clear(); // the missing IDE.ini's notice
    ctx = &form->context();
    Settings& s = ctx->settings;
    s.Colorizew = QStringLiteral("TRUE");
    s.DataTypesKeywords = QStringLiteral("*int*char*void*");
    s.ReservedKeyWords = QStringLiteral("*return*if*#define*");
    s.ExtraKeyWords = QStringLiteral("*main*");
    s.TabSpace = 4;
}

QString EditorTest::openProject(const QList<QPair<QString, QString>>& files) {
    const QString folder = dir.filePath(QStringLiteral("proj"));
    QDir().mkpath(folder + QStringLiteral("/res"));
    for (const auto& [name, text] : files) {
        QFile f(folder + QLatin1Char('/') + name);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toLatin1());
    }
    ctx->project.ProjectPath = QDir::toNativeSeparators(folder);
    form->fileTabs().resetToResourceTabs();
    EXPECT_TRUE(form->fileTabs().ShowFileList(ctx->project.ProjectPath));
    return folder;
}

void EditorTest::chooseTab(int i) {
    // currentChanged runs TabStrip1_Click, as a user's click does.
    form->ui().TabStrip1->setCurrentIndex(i - 1);
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

} // namespace tarvo
