#pragma once

#include <QStringView>
#include <QtGlobal>

namespace tarvo {

class GestureHistory;
class ObjectSelection;
class PropertyGrid;
struct DesignerState;
struct IdeContext;
struct PictureBounds;

// Moving (left button) and resizing (right button) object pictures.
class ObjectMover {
public:
    ObjectMover(IdeContext& ctx, DesignerState& state, PropertyGrid& grid,
                ObjectSelection& selection, GestureHistory& history);
    // Button is a Qt::MouseButton value; x, y relative to the picture.
    void DynamicPicture_MouseDown(int Index, int Button, float X, float Y);
    void DynamicPicture_MouseUp(int Index, int Button, float X, float Y);
    // Buttons (Qt::MouseButtons) held: outlines where the release would put it.
    void DynamicPicture_MouseMove(int Index, int Buttons, float X, float Y);
    void StoreObjectBounds(qint16 index);
    // Puts the caret of Text1, whose text is `text`, where a store of object
    // `id` leaves it: on the first "#" after its identifier line.
    void placeCaret(QStringView text, qint16 id);

    // Gives the picture `bounds` (window pixels) and shows them in the
    // property grid, as a release does before it stores them.
    void applyBounds(qint16 index, const PictureBounds& bounds);

private:
    IdeContext& m_ctx;
    DesignerState& m_state;
    PropertyGrid& m_grid;
    ObjectSelection& m_selection;
    GestureHistory& m_history;
    int m_pressedButton = 0; // of the last press on a picture
};

} // namespace tarvo
