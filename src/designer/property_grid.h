#pragma once

#include <QtGlobal>

namespace tarvo {

struct DesignerState;
struct IdeContext;

// The read-only grid of the object handled last.
class PropertyGrid {
public:
    PropertyGrid(IdeContext& ctx, DesignerState& state);
    // Start-up: the six row names and the headings.
    void setupRows();
    void ShowObjectProperties(qint16 index);

private:
    IdeContext& m_ctx;
    DesignerState& m_state;
};

} // namespace tarvo
