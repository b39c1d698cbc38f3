#include "designer_fixture.h"

#include "designer/form_loader.h"
#include "designer/form_pages.h"
#include "platform/paths.h"

#include <QDir>
#include <QFile>

namespace tarvo::testing {

static QString block(const char* head, int id, const QString& type, Bounds b) {
    return QStringLiteral(
               "%1\r\nID=%2\r\n(B)OBJECT.TYPE=%3\r\n(SH)BOUNDS.X=%4\r\n(SH)BOUNDS.Y=%5\r\n"
               "(SH)BOUNDS.WIDTH=%6\r\n(SH)BOUNDS.HEIGHT=%7\r\n")
        .arg(QLatin1String(head), QString::number(id), type, QString::number(b.x),
             QString::number(b.y), QString::number(b.width), QString::number(b.height));
}

QString objectBlock(int id, const QString& type, Bounds b) {
    return block("#OBJECT", id, type, b) + QStringLiteral("#END_OBJECT\r\n");
}

QString formBlock(int id, Bounds b, const QList<int>& objects) {
    QString text = block("#FORM", id, QStringLiteral("Form"), b);
    for (int object : objects)
        text += QStringLiteral("(U)OBJECT_ID=%1\r\n").arg(object);
    return text + QStringLiteral("#END_FORM\r\n");
}

void DesignerTest::SetUp() {
    IdeTest::SetUp();
    makeForm(QByteArray());
    form->show();
    form->formPages().createPictures(1, 30);
    ctx().settings.ObjectsPerPage = 30;
    ctx().project.ProjectPath = dir.path();
    dialogs.shown.clear();
}

QString DesignerTest::shown(int i) {
    const ObjectPicture& p = picture(i);
    return QStringLiteral("%1 %2 %3 %4 ")
               .arg(p.left())
               .arg(p.top())
               .arg(p.width())
               .arg(p.height()) +
           p.toolTipText();
}

void DesignerTest::load(const QString& text, int page) {
    text1().setText(text);
    designer().CurrentFormPage = qint16(page);
    form->formLoader().LoadFormPage(qint16(page));
}

void DesignerTest::useBundledTemplates() {
    const QDir source(QStringLiteral(TARVO_BUNDLED_TEMPLATES));
    const QString target = dir.filePath(QStringLiteral("templates"));
    ASSERT_TRUE(QDir().mkpath(target));
    for (const QString& name : source.entryList({QStringLiteral("*.txt")}, QDir::Files))
        ASSERT_TRUE(QFile::copy(source.filePath(name), target + QLatin1Char('/') + name));
    ctx().settings.TemplatePath = QDir::toNativeSeparators(target) + PathSep();
}

void DesignerTest::dragPicture(int index, QPoint grab, QPoint release, Qt::MouseButton button) {
    QTest::mousePress(&picture(index), button, Qt::NoModifier, grab);
    QTest::mouseRelease(&picture(index), button, Qt::NoModifier, release);
}

void DesignerTest::dragOnScreen(QPoint press, QPoint release, Qt::MouseButton button) {
    QTest::mousePress(ui().client, button, Qt::NoModifier, press);
    QTest::mouseRelease(ui().client, button, Qt::NoModifier, release);
}

} // namespace tarvo::testing
