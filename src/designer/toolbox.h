#pragma once

#include <QString>

namespace tarvo {

class ObjectMover;
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
    Toolbox(IdeContext& ctx, DesignerState& state, ObjectMover& mover, PropertyGrid& grid);
    void Command1_Click(int Index);
    // Mouse press and release on the main window itself (client pixels).
    void Form_MouseDown(int Button, float X, float Y);
    void Form_MouseUp(int Button, float X, float Y);

    // Appends the file TemplatePath + fileName to TemplateBuffer; false (buffer
    // unchanged) with the reason when it cannot be read.
    bool ReadTemplateFile(const QString& fileName, QString* error = nullptr);
    void AppendTemplateText();

private:
    // Why the drop of the selected type cannot work, or empty when it can.
    QString dropObstacle(bool needsPicture);
    void insertIdentifier(int appendedAt);

    IdeContext& m_ctx;
    DesignerState& m_state;
    ObjectMover& m_mover;
    PropertyGrid& m_grid;
};

} // namespace tarvo
