#pragma once

#include <QString>

namespace tarvo {

class GestureHistory;
class ObjectMover;
class ObjectSelection;
class PropertyGrid;
struct DesignerState;
struct IdeContext;

// One type of the toolbox: its template file and the word for its type.
struct ToolboxType {
    const char* templateFile;
    const char* typeWord;
};
// The sixteen types by Command1 index.
const ToolboxType& toolboxType(int index);
constexpr int ToolboxTypeCount = 16;

// The toolbox of object types and drops on the handheld's screen.
class Toolbox {
public:
    Toolbox(IdeContext& ctx, DesignerState& state, ObjectMover& mover, PropertyGrid& grid,
            ObjectSelection& selection, GestureHistory& history);
    // Also keeps the chosen type's button pressed until a drop is made.
    void Command1_Click(int Index);
    // Mouse press, move and release on the main window itself (client
    // pixels); a move with the left button held outlines the drop to come.
    void Form_MouseDown(int Button, float X, float Y);
    void Form_MouseMove(int Buttons, float X, float Y);
    void Form_MouseUp(int Button, float X, float Y);

    // Appends the file TemplatePath + fileName to TemplateBuffer; false (buffer
    // unchanged) with the reason when it cannot be read.
    bool ReadTemplateFile(const QString& fileName, QString* error = nullptr);

private:
    // Why the drop of the selected type cannot work, or empty when it can.
    QString dropObstacle(bool needsPicture);
    // Appends the template with the new identifier and, for an object, its
    // picture, bounds and listing on the form on view.
    void drop(float X, float Y, bool isForm);
    void showChosenType(int index);

    IdeContext& m_ctx;
    DesignerState& m_state;
    ObjectMover& m_mover;
    PropertyGrid& m_grid;
    ObjectSelection& m_selection;
    GestureHistory& m_history;
};

} // namespace tarvo
