#pragma once

#include <QString>

namespace tarvo {

class FormLoader;
class GestureHistory;
class ObjectMover;
class ObjectSelection;
class PropertyGrid;
struct DesignerKey;
struct DesignerState;
struct IdeContext;

// Keys pressed while an object picture or the empty screen holds the focus:
// nudging and deleting the selected object, and undo and redo of the
// resource text's history, after which the page is loaded again.
class DesignerKeys {
public:
    DesignerKeys(IdeContext& ctx, DesignerState& state, FormLoader& loader, ObjectMover& mover,
                 PropertyGrid& grid, ObjectSelection& selection, GestureHistory& history);
    // Shift state: Shift 1, Ctrl 2, Alt 4.
    void DynamicPicture_KeyDown(int Index, int KeyCode, int Shift);
    void Form_KeyDown(int KeyCode, int Shift);

private:
    void nudge(const DesignerKey& key);
    void deleteSelected();
    void undoOrRedo(bool undo);
    void reloadPage();
    // "Object 12 (Button)" for the selected object.
    QString selectedName() const;
    void refuse(const QString& what, const QString& why);

    IdeContext& m_ctx;
    DesignerState& m_state;
    FormLoader& m_loader;
    ObjectMover& m_mover;
    PropertyGrid& m_grid;
    ObjectSelection& m_selection;
    GestureHistory& m_history;
};

} // namespace tarvo
