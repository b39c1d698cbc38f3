#include "object_mover.h"

#include "app/core/ide_context.h"
#include "designer_geometry.h"
#include "designer_state.h"
#include "gesture_edits.h"
#include "gesture_history.h"
#include "object_selection.h"
#include "platform/object_picture.h"
#include "platform/rich_text_pane.h"
#include "property_grid.h"
#include "resource_text.h"

#include <optional>

namespace tarvo {

namespace {

// Where a release of `button` after dragging by (dx, dy) puts the picture.
PictureBounds releasedBounds(const PictureBounds& before, int button, float dx, float dy,
                             const ScreenRect& screen) {
    if (button == int(Qt::LeftButton))
        return movedBounds(before, dx, dy, screen);
    if (button == int(Qt::RightButton))
        return resizedBounds(before, dx, dy, screen);
    return before;
}

PictureBounds boundsOf(const ObjectPicture& p) {
    return {p.left(), p.top(), p.width(), p.height()};
}

} // namespace

ObjectMover::ObjectMover(IdeContext& ctx, DesignerState& state, PropertyGrid& grid,
                         ObjectSelection& selection, GestureHistory& history)
    : m_ctx(ctx), m_state(state), m_grid(grid), m_selection(selection), m_history(history) {}

void ObjectMover::DynamicPicture_MouseDown(int Index, int Button, float X, float Y) {
    m_state.GrabX = X;
    m_state.GrabY = Y;
    m_pressedButton = Button;
    m_selection.select(Index);
}

void ObjectMover::DynamicPicture_MouseMove(int Index, int Buttons, float X, float Y) {
    const ObjectPicture* picture = m_state.usablePicture(Index, m_ctx.settings.ObjectsPerPage);
    if (!picture || !(Buttons & m_pressedButton))
        return;
    const float dx = X - m_state.GrabX;
    const float dy = Y - m_state.GrabY;
    m_selection.preview(
        releasedBounds(boundsOf(*picture), m_pressedButton, dx, dy, screenRectOf(m_state)));
}

void ObjectMover::DynamicPicture_MouseUp(int Index, int Button, float X, float Y) {
    m_selection.endPreview();
    const ObjectPicture* picture = m_state.usablePicture(Index, m_ctx.settings.ObjectsPerPage);
    if (!picture)
        return;
    const float dx = X - m_state.GrabX;
    const float dy = Y - m_state.GrabY;
    applyBounds(qint16(Index),
                releasedBounds(boundsOf(*picture), Button, dx, dy, screenRectOf(m_state)));
    m_history.record([&] { StoreObjectBounds(qint16(Index)); });
}

void ObjectMover::applyBounds(qint16 index, const PictureBounds& bounds) {
    ObjectPicture* picture = m_state.usablePicture(index, m_ctx.settings.ObjectsPerPage);
    if (!picture)
        return;
    picture->setLeft(bounds.left);
    picture->setTop(bounds.top);
    picture->setWidth(bounds.width);
    picture->setHeight(bounds.height);
    m_grid.ShowObjectProperties(index);
}

void ObjectMover::StoreObjectBounds(qint16 index) {
    const ObjectPicture* picture = m_state.usablePicture(index, m_ctx.settings.ObjectsPerPage);
    if (!picture)
        return;
    const std::optional<qint16> id = leadingInt16(picture->toolTipText());
    if (!id)
        return;
    const std::array<QString, 4> values{
        wholeNumberText(picture->left() - float(m_state.ScreenLeft)),
        wholeNumberText(picture->top() - m_state.ScreenTop), wholeNumberText(picture->width()),
        wholeNumberText(picture->height())};
    RichTextPane* pane = m_ctx.ui.Text1;
    const QString before = pane->text();
    const BoundsWrite write = boundsEdits(before, *id, values);
    GestureHistory::write(*pane, write.edits);
    // A key missing from the block ends the store silently, caret untouched.
    if (write.complete)
        placeCaret(applyEdits(before, write.edits), *id);
}

void ObjectMover::placeCaret(QStringView text, qint16 id) {
    // Stopping at the previous block first scrolls the pane so that this
    // object's block comes into view below it.
    for (const int blockId : {int(id) - 1, int(id)}) {
        const int marker = blockMarkerAfterId(text, blockId);
        if (marker >= 0)
            m_history.moveCaret(marker);
    }
}

} // namespace tarvo
