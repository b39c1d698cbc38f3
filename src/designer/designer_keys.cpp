#include "designer_keys.h"

#include "app/core/ide_context.h"
#include "designer_geometry.h"
#include "designer_state.h"
#include "form_loader.h"
#include "gesture_edits.h"
#include "gesture_history.h"
#include "object_mover.h"
#include "object_selection.h"
#include "platform/dialogs.h"
#include "platform/object_picture.h"
#include "platform/rich_text_pane.h"
#include "property_grid.h"

#include <QLabel>

namespace tarvo {

DesignerKeys::DesignerKeys(IdeContext& ctx, DesignerState& state, FormLoader& loader,
                           ObjectMover& mover, PropertyGrid& grid, ObjectSelection& selection,
                           GestureHistory& history)
    : m_ctx(ctx), m_state(state), m_loader(loader), m_mover(mover), m_grid(grid),
      m_selection(selection), m_history(history) {}

void DesignerKeys::DynamicPicture_KeyDown(int, int KeyCode, int Shift) {
    // The keys act on the selection, which an undo may have moved to another
    // picture than the one holding the focus.
    Form_KeyDown(KeyCode, Shift);
}

void DesignerKeys::Form_KeyDown(int KeyCode, int Shift) {
    const DesignerKey key = designerKey(KeyCode, Shift);
    switch (key.action) {
    case DesignerKeyAction::Move:
    case DesignerKeyAction::Resize:
        nudge(key);
        break;
    case DesignerKeyAction::Delete:
        deleteSelected();
        break;
    case DesignerKeyAction::Undo:
        undoOrRedo(true);
        break;
    case DesignerKeyAction::Redo:
        undoOrRedo(false);
        break;
    case DesignerKeyAction::Deselect:
        m_selection.clear();
        break;
    case DesignerKeyAction::None:
        break;
    }
}

void DesignerKeys::nudge(const DesignerKey& key) {
    const int index = m_selection.index();
    const ObjectPicture* picture = m_state.usablePicture(index, m_ctx.settings.ObjectsPerPage);
    if (!picture)
        return;
    const qint16 id = m_selection.id();
    // Checked before anything moves, so that a refused nudge changes nothing.
    const QString problem = boundsProblem(m_ctx.ui.Text1->text(), id);
    if (!problem.isEmpty()) {
        refuse(key.action == DesignerKeyAction::Move ? QStringLiteral("moved")
                                                     : QStringLiteral("resized"),
               problem);
        return;
    }
    const PictureBounds before{picture->left(), picture->top(), picture->width(),
                               picture->height()};
    const ScreenRect screen = screenRectOf(m_state);
    m_mover.applyBounds(qint16(index), key.action == DesignerKeyAction::Move
                                           ? movedBounds(before, key.dx, key.dy, screen)
                                           : resizedBounds(before, key.dx, key.dy, screen));
    m_history.recordNudge(id, [&] { m_mover.StoreObjectBounds(qint16(index)); });
}

void DesignerKeys::deleteSelected() {
    if (!m_selection.index())
        return;
    RichTextPane* pane = m_ctx.ui.Text1;
    const ObjectRemoval removal = objectRemoval(pane->text(), m_selection.id());
    if (!removal.refusal.isEmpty()) {
        refuse(QStringLiteral("deleted"), removal.refusal);
        return;
    }
    QVector<TextEdit> edits;
    for (const TextSpan& span : removal.spans)
        edits.append({span.start, span.length, QString()});
    m_history.record([&] { GestureHistory::write(*pane, edits); });
    m_selection.clear();
    reloadPage();
}

void DesignerKeys::undoOrRedo(bool undo) {
    if (undo ? m_history.undo() : m_history.redo())
        reloadPage();
}

void DesignerKeys::reloadPage() {
    m_loader.LoadFormPageHidingText1(m_state.CurrentFormPage);
    // An undone form drop may take the page shown away.
    m_ctx.ui.Label2->setText(QStringLiteral("Form ") + QString::number(m_state.CurrentFormPage));
    if (m_selection.index())
        m_grid.ShowObjectProperties(qint16(m_selection.index()));
}

QString DesignerKeys::selectedName() const {
    const ObjectPicture* picture =
        m_state.usablePicture(m_selection.index(), m_ctx.settings.ObjectsPerPage);
    const QString toolTip = picture ? picture->toolTipText() : QString();
    const QString type = splitToolTip(toolTip).type;
    return type.isEmpty() ? QStringLiteral("Object %1").arg(m_selection.id())
                          : QStringLiteral("Object %1 (%2)").arg(m_selection.id()).arg(type);
}

void DesignerKeys::refuse(const QString& what, const QString& why) {
    m_ctx.dialogs->message(QStringLiteral("%1 was not %2: in resource.txt %3\nNothing was changed.")
                               .arg(selectedName(), what, why),
                           QStringLiteral("TarvoIDE"));
}

} // namespace tarvo
