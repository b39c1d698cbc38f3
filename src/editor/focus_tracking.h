#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

namespace tarvo {

class RichTextPane;
struct IdeContext;

// Caret line indicator, tab-stop tracking while a pane has the focus, and the
// soft tab (Ctrl+T).
class FocusTracking {
public:
    explicit FocusTracking(IdeContext& ctx);

    void StoreFocusState();
    void RestoreFocusState();

    void Text1_GotFocus();
    void resourceh_GotFocus();
    void OtherTextFile_GotFocus(int Index);
    void Text1_LostFocus();
    void resourceh_LostFocus();
    void OtherTextFile_LostFocus(int Index);

    void Text1_KeyUp(int KeyCode, int Shift);
    void resourceh_KeyUp(int KeyCode, int Shift);
    void OtherTextFile_KeyUp(int Index, int KeyCode, int Shift);

    void OtherTextFile_SelChange(int Index);

private:
    void softTab(RichTextPane* pane, int KeyCode, int Shift);

    struct SavedTabStop {
        QPointer<QWidget> control;
        bool tabStop = false;
    };

    IdeContext& m_ctx;
    QList<SavedTabStop> m_savedTabStops; // from the latest StoreFocusState
};

} // namespace tarvo
