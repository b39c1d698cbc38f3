#include "focus_tracking.h"

#include "app/core/ide_context.h"

namespace tarvo {

FocusTracking::FocusTracking(IdeContext& ctx) : m_ctx(ctx) {}

void FocusTracking::StoreFocusState() {}

void FocusTracking::RestoreFocusState() {}

void FocusTracking::Text1_GotFocus() {}

void FocusTracking::resourceh_GotFocus() {}

void FocusTracking::OtherTextFile_GotFocus(int Index) {}

void FocusTracking::Text1_LostFocus() {}

void FocusTracking::resourceh_LostFocus() {}

void FocusTracking::OtherTextFile_LostFocus(int Index) {}

void FocusTracking::Text1_KeyUp(int KeyCode, int Shift) {}

void FocusTracking::resourceh_KeyUp(int KeyCode, int Shift) {}

void FocusTracking::OtherTextFile_KeyUp(int Index, int KeyCode, int Shift) {}

void FocusTracking::OtherTextFile_SelChange(int Index) {}

} // namespace tarvo
