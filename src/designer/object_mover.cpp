#include "object_mover.h"

#include "app/core/ide_context.h"
#include "designer_geometry.h"
#include "designer_state.h"
#include "form_loader.h"
#include "platform/object_picture.h"
#include "platform/rich_text_pane.h"
#include "property_grid.h"
#include "resource_text.h"

#include <limits>
#include <optional>

namespace tarvo {

ObjectMover::ObjectMover(IdeContext& ctx, DesignerState& state, FormLoader& loader,
                         PropertyGrid& grid)
    : m_ctx(ctx), m_state(state), m_loader(loader), m_grid(grid) {}

void ObjectMover::DynamicPicture_MouseDown(int, int, float X, float Y) {
    m_state.GrabX = X;
    m_state.GrabY = Y;
}

void ObjectMover::DynamicPicture_MouseUp(int Index, int Button, float X, float Y) {
    ObjectPicture* picture = m_state.usablePicture(Index, m_ctx.settings.ObjectsPerPage);
    if (!picture)
        return;
    const float dx = X - m_state.GrabX;
    const float dy = Y - m_state.GrabY;
    const PictureBounds before{picture->left(), picture->top(), picture->width(),
                               picture->height()};
    const ScreenRect screen = screenRectOf(m_state);
    if (Button == int(Qt::LeftButton)) {
        const PictureBounds after = movedBounds(before, dx, dy, screen);
        picture->setLeft(after.left);
        picture->setTop(after.top);
    } else if (Button == int(Qt::RightButton)) {
        const PictureBounds after = resizedBounds(before, dx, dy, screen);
        picture->setWidth(after.width);
        picture->setHeight(after.height);
    }
    m_grid.ShowObjectProperties(qint16(Index));
    StoreObjectBounds(qint16(Index));
}

void ObjectMover::StoreObjectBounds(qint16 index) {
    const ObjectPicture* picture = m_state.usablePicture(index, m_ctx.settings.ObjectsPerPage);
    if (!picture)
        return;
    const std::optional<qint16> id = leadingInt16(picture->toolTipText());
    if (!id)
        return;
    const std::pair<const QString&, float> values[] = {
        {ResourceKeys::X, picture->left() - float(m_state.ScreenLeft)},
        {ResourceKeys::Y, picture->top() - m_state.ScreenTop},
        {ResourceKeys::Width, picture->width()},
        {ResourceKeys::Height, picture->height()},
    };
    for (const auto& [key, value] : values) {
        if (!m_loader.SetObjectValue(*id, key, wholeNumberText(value)))
            return;
    }

    // Stopping at the previous block first scrolls the pane so that this
    // object's block comes into view below it.
    RichTextPane* pane = m_ctx.ui.Text1;
    const QString text = pane->text();
    auto caretToBlockEnd = [&](int blockId) {
        const int line = findIdLine(text, qint16(blockId));
        const int hash = findText(text, QStringLiteral("#"), line);
        if (line < 0 || hash < 0)
            return false;
        pane->setSelStart(hash);
        return true;
    };
    if (*id > std::numeric_limits<qint16>::min())
        caretToBlockEnd(*id - 1);
    caretToBlockEnd(*id);
}

} // namespace tarvo
