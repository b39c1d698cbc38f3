#pragma once

#include <QtGlobal>

namespace tarvo {

class FormLoader;
class PropertyGrid;
struct DesignerState;
struct IdeContext;

// Moving (left button) and resizing (right button) object pictures.
class ObjectMover {
public:
    ObjectMover(IdeContext& ctx, DesignerState& state, FormLoader& loader, PropertyGrid& grid);
    // Button is a Qt::MouseButton value; x, y relative to the picture.
    void DynamicPicture_MouseDown(int Index, int Button, float X, float Y);
    void DynamicPicture_MouseUp(int Index, int Button, float X, float Y);
    void StoreObjectBounds(qint16 index);

private:
    IdeContext& m_ctx;
    DesignerState& m_state;
    FormLoader& m_loader;
    PropertyGrid& m_grid;
};

} // namespace tarvo
