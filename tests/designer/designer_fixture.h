#pragma once

#include "designer/designer_state.h"
#include "ide_test.h"
#include "platform/object_picture.h"

#include <QTest>

namespace tarvo::testing {

struct Bounds {
    int x = 0, y = 0, width = 0, height = 0;
};

// "#OBJECT" block of object `id`, and "#FORM" block listing `objects`.
QString objectBlock(int id, const QString& type, Bounds b);
QString formBlock(int id, Bounds b, const QList<int>& objects);

// The main window shown, with an open project and 30 object pictures.
class DesignerTest : public IdeTest {
protected:
    void SetUp() override;

    RichTextPane& text1() { return *form->ui().Text1; }
    ObjectPicture& picture(int i) { return *designer().ObjectPictures[size_t(i)]; }
    QString shown(int i); // left, top, width, height and tooltip of picture `i`
    void load(const QString& text, int page = 0);
    void useBundledTemplates(); // copied into the temporary folder as TemplatePath
    void dragPicture(int index, QPoint grab, QPoint release, Qt::MouseButton button);
    void dragOnScreen(QPoint press, QPoint release, Qt::MouseButton button = Qt::LeftButton);
};

} // namespace tarvo::testing
