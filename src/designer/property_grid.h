#pragma once

#include <QString>
#include <QtGlobal>

namespace tarvo {

struct DesignerState;
struct IdeContext;

// A picture's tooltip split into identifier and type at its first comma; a
// tooltip without a comma is all identifier.
struct ToolTipParts {
    QString id;
    QString type;
};
ToolTipParts splitToolTip(const QString& toolTip);

// The read-only grid of the object handled last.
class PropertyGrid {
public:
    PropertyGrid(IdeContext& ctx, DesignerState& state);
    // Start-up: the six row names and the headings.
    void setupRows();
    void ShowObjectProperties(qint16 index);

private:
    void setValue(int row, const QString& text);

    IdeContext& m_ctx;
    DesignerState& m_state;
};

} // namespace tarvo
