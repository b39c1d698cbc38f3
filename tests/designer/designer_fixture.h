#pragma once

#include "designer/designer_state.h"
#include "ide_test.h"
#include "platform/object_picture.h"

namespace tarvo::testing {

// Bounds of one object block in a generated resource text.
struct Bounds {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// "ID=<id>" block of an object, its type and its four bounds keys.
QString objectBlock(int id, const QString& type, Bounds b);
// "#FORM" block with its own identifier and bounds listing `objects`.
QString formBlock(int id, Bounds b, const QList<int>& objects);

// The text-error message of the form loader.
QString textErrorMessage();

// The main window shown, with an open project and `ObjectsPerPage` object
// pictures.
class DesignerTest : public IdeTest {
protected:
    void SetUp() override;

    RichTextPane& text1() { return *form->ui().Text1; }
    ObjectPicture& picture(int i);

    void setObjectsPerPage(int n);
    void setText(const QString& text) { text1().setText(text); }
    void load(int page = 0);
    // Copies the bundled templates into the temporary folder as TemplatePath.
    void useBundledTemplates();

    // Mouse gestures in window/picture pixels, as the user makes them.
    void dragPicture(int index, QPoint grab, QPoint release, Qt::MouseButton button);
    void dragOnScreen(QPoint press, QPoint release, Qt::MouseButton button = Qt::LeftButton);
};

} // namespace tarvo::testing
