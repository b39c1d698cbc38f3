#pragma once

#include "designer/designer_state.h"
#include "designer/form_loader.h"
#include "designer/form_pages.h"
#include "designer/resource_text.h"
#include "ide_test.h"
#include "platform/object_picture.h"
#include "platform/paths.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace tarvo::testing {

struct Bounds {
    int x = 0, y = 0, width = 0, height = 0;
};

// "#OBJECT" block of object `id`, and "#FORM" block listing `objects`.
inline QString block(const char* head, int id, const QString& type, Bounds b) {
    return QStringLiteral(
               "%1\r\nID=%2\r\n(B)OBJECT.TYPE=%3\r\n(SH)BOUNDS.X=%4\r\n(SH)BOUNDS.Y=%5\r\n"
               "(SH)BOUNDS.WIDTH=%6\r\n(SH)BOUNDS.HEIGHT=%7\r\n")
        .arg(QLatin1String(head), QString::number(id), type, QString::number(b.x),
             QString::number(b.y), QString::number(b.width), QString::number(b.height));
}
inline QString objectBlock(int id, const QString& type, Bounds b) {
    return block("#OBJECT", id, type, b) + QStringLiteral("#END_OBJECT\r\n");
}
inline QString formBlock(int id, Bounds b, const QList<int>& objects) {
    QString text = block("#FORM", id, QStringLiteral("Form"), b);
    for (int object : objects)
        text += QStringLiteral("(U)OBJECT_ID=%1\r\n").arg(object);
    return text + QStringLiteral("#END_FORM\r\n");
}

// The main window shown, with an open project and 30 object pictures.
class DesignerTest : public IdeTest {
protected:
    void SetUp() override {
        IdeTest::SetUp();
        makeForm(QByteArray());
        form->show();
        form->formPages().createPictures(1, 30);
        ctx().settings.ObjectsPerPage = 30;
        ctx().project.ProjectPath = dir.path();
        dialogs.shown.clear();
    }
    RichTextPane& text1() { return *form->ui().Text1; }
    ObjectPicture& picture(int i) { return *designer().ObjectPictures[size_t(i)]; }
    QString shown(int i) { // left, top, width, height and tooltip
        const ObjectPicture& p = picture(i);
        return QString::asprintf("%g %g %g %g ", p.left(), p.top(), p.width(), p.height()) +
               p.toolTipText();
    }
    QString value(int id, const QString& key) { // "-" when missing
        const TextSpan s = findObjectValue(text1().text(), qint16(id), key);
        return s.found() ? text1().text().mid(s.start, s.length) : QStringLiteral("-");
    }
    void load(const QString& text, int page = 0) {
        text1().setText(text);
        designer().CurrentFormPage = qint16(page);
        form->formLoader().LoadFormPage(qint16(page));
    }
    void useBundledTemplates() { // copied into the temporary folder as TemplatePath
        const QDir source(QStringLiteral(TARVO_BUNDLED_TEMPLATES));
        for (const QString& name : source.entryList({QStringLiteral("*.txt")}, QDir::Files))
            writeFile("templates/" + name, testing::readFile(source.filePath(name)));
        ctx().settings.TemplatePath = QDir::toNativeSeparators(path("templates")) + PathSep();
    }
    void drag(QWidget* w, QPoint press, QPoint release, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(w, button, Qt::NoModifier, press);
        QTest::mouseRelease(w, button, Qt::NoModifier, release);
    }
    void click(int index) { drag(&picture(index), {2, 2}, {2, 2}); }
    void drop(int type, QPoint from = {100, 60}, QPoint to = {130, 70}) {
        QTest::mouseClick(ui().Command1[size_t(type)], Qt::LeftButton);
        drag(ui().client, from, to);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { // to the focus widget
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), k, m);
    }
};

} // namespace tarvo::testing
