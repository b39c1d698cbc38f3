#pragma once

#include <QString>

namespace tarvo {

class ObjectMover;
class PropertyGrid;
struct DesignerState;
struct IdeContext;

// The toolbox of object types and drops on the handheld's screen.
class Toolbox {
public:
    Toolbox(IdeContext& ctx, DesignerState& state, ObjectMover& mover, PropertyGrid& grid);
    void Command1_Click(int Index);
    // Mouse press and release on the main window itself (client pixels).
    void Form_MouseDown(int Button, float X, float Y);
    void Form_MouseUp(int Button, float X, float Y);

    bool ReadTemplateFile(const QString& fileName, QString* error = nullptr);
    void AppendTemplateText();

private:
    IdeContext& m_ctx;
    DesignerState& m_state;
    ObjectMover& m_mover;
    PropertyGrid& m_grid;
};

} // namespace tarvo
