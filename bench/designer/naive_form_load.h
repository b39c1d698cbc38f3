#pragma once

#include <QtGlobal>

namespace tarvo {
struct DesignerState;
struct IdeContext;
} // namespace tarvo

namespace tarvo::bench {

// The form load done by literal searches in Text1, every key looked up from
// position 0 of the text: the yardstick for the indexed loader. Returns false
// on a text error.
bool naiveLoadFormPage(IdeContext& ctx, DesignerState& state, qint16 page);

} // namespace tarvo::bench
